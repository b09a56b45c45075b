#include "app/closesignals.h"
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

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Every argument left once Qt took its own is a link: "quillon LINK...".
    const QStringList links = app.arguments().mid(1);

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
