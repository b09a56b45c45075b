#include "app/closesignals.h"
#include "app/commandline.h"
#include "app/singleinstance.h"
#include "base/fonts.h"
#include "base/resources.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QDebug>
#include <QDesktopWidget>
#include <QFont>
#include <QIcon>
#include <QTimer>

#include <cstdio>

namespace {

// Answers --help and --version and refuses unknown options before anything
// starts: no window, no display, no data folder. Returns the exit code, or
// -1 when the program is to run.
int answerCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine::Parsed parsed = CommandLine::parse(arguments);
    switch (parsed.action) {
    case CommandLine::Action::Help:
        std::fputs(CommandLine::helpText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::fputs(CommandLine::versionText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Action::Error:
        std::fprintf(stderr, "%s\n", parsed.error.toLocal8Bit().constData());
        return 2;
    case CommandLine::Action::Run:
        break;
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    const int answered = answerCommandLine(argc, argv);
    if (answered >= 0)
        return answered;

    QApplication app(argc, argv);
    // The menu entry the window belongs to (desktops match the two).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.orvanta.quillon"));
    // Every argument left once Qt took its own is a link: "quillon LINK...".
    const QStringList links = CommandLine::parse(app.arguments().mid(1)).links;

    // A second copy would download the same tasks into the same files: it
    // hands its links to the running copy instead, before it opens anything.
    SingleInstance instance;
    switch (instance.claim()) {
    case SingleInstance::Claim::Taken:
        if (instance.handOver(links))
            return 0;
        std::fprintf(stderr, "quillon: another copy is running but does not answer\n");
        return 1;
    case SingleInstance::Claim::Unavailable:
        qDebug() << "the runtime folder cannot be used; other copies are not looked for";
        break;
    case SingleInstance::Claim::Claimed:
        break;
    }

    initQuillonResources();
    installFontSubstitutes();
    app.setWindowIcon(QIcon(QStringLiteral(":/ico2/256.png")));
    app.setFont(QFont(QStringLiteral("Microsoft YaHei"), 9));

    MainWindow window;
    closeOnTerminationRequests([&window] { window.close(); });
    QObject::connect(&instance, &SingleInstance::linksReceived, &window, &MainWindow::openLinks);
    window.show();
    const QRect desktop = QApplication::desktop()->geometry();
    window.move((desktop.width() - window.width()) / 2, (desktop.height() - window.height()) / 2);
    if (!links.isEmpty())
        QTimer::singleShot(0, &window, [&window, links] { window.openLinks(links); });
    return app.exec();
}
