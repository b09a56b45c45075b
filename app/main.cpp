#include "app/closesignals.h"
#include "base/fonts.h"
#include "base/resources.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QFont>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    initQuillonResources();
    installFontSubstitutes();
    app.setWindowIcon(QIcon(QStringLiteral(":/ico2/256.png")));
    app.setFont(QFont(QStringLiteral("Microsoft YaHei"), 9));

    MainWindow window;
    closeOnTerminationRequests([&window] { window.close(); });
    window.show();
    const QRect desktop = QApplication::desktop()->geometry();
    window.move((desktop.width() - window.width()) / 2, (desktop.height() - window.height()) / 2);
    return app.exec();
}
