#include "base/imagestyle.h"

namespace ImageStyle {

QString sheet(
    const QString &normal, const QString &hover, const QString &pressed, const QString &disabled)
{
    return QStringLiteral("QPushButton{border-image: url(%1)  ;}"
                          "QPushButton:hover{border-image: url(%2)  ;}"
                          "QPushButton:pressed{border-image: url(%3) ;}"
                          "QPushButton:disabled{border-image: url(%4) ;}"
                          "QPushButton:focus{outline: none;}")
        .arg(normal, hover, pressed, disabled);
}

QString hoverSheet(const QString &normal, const QString &hover)
{
    return QStringLiteral("QPushButton{border-image: url(%1)  ;}"
                          "QPushButton:hover{border-image: url(%2)  ;}"
                          "QPushButton:focus{outline: none;}")
        .arg(normal, hover);
}

QString plainSheet(const QString &image)
{
    return QStringLiteral("QPushButton{border-image: url(%1)  ;}QPushButton:focus{outline: none;}")
        .arg(image);
}

QString localized(const QString &path, bool chinese)
{
    if (!chinese)
        return path;
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = path.left(slash + 1);
    QString file = path.mid(slash + 1);
    if (folder == QLatin1String(":/img/") && file.startsWith(QLatin1String("OK"))
        && file.endsWith(QLatin1String(".png"))) {
        file.insert(file.size() - 4, QLatin1String("chin"));
        return folder + file;
    }
    if (file == QLatin1String("downloada5.png"))
        return folder + QStringLiteral("chindownloada2.png");
    return folder + QStringLiteral("chin") + file;
}

static QString picture(
    const QString &folder, const QString &stem, const QString &state, bool chinese)
{
    return localized(folder + stem + state + QStringLiteral(".png"), chinese);
}

QString tabSheet(const QString &folder, const QString &stem, bool selected, bool chinese)
{
    const QString p0 = picture(folder, stem, QStringLiteral("0"), chinese);
    const QString p1 = picture(folder, stem, QStringLiteral("1"), chinese);
    const QString p2 = picture(folder, stem, QStringLiteral("2"), chinese);
    return selected ? sheet(p2, p1, p2, p0) : sheet(p0, p1, p2, p0);
}

QString downloadTabSheet(bool selected, bool chinese)
{
    const QString folder = QStringLiteral(":/tabimage/");
    const QString stem = QLatin1String(DownloadTabStem);
    const QString p0 = picture(folder, stem, QStringLiteral("0"), chinese);
    const QString p1 = picture(folder, stem, QStringLiteral("1"), chinese);
    // localized() turns the English "downloada5" into "chindownloada2".
    const QString p2 = picture(folder, stem, QStringLiteral("5"), chinese);
    return selected ? sheet(p2, p1, p2, p0) : sheet(p0, p1, p2, p0);
}

QString serviceTabSheet(const QString &stem, bool selected, bool chinese)
{
    const QString folder = QStringLiteral(":/service2/");
    const QString p = picture(folder, stem, QString(), chinese);
    const QString p1 = picture(folder, stem, QStringLiteral("1"), chinese);
    const QString p2 = picture(folder, stem, QStringLiteral("2"), chinese);
    return selected ? sheet(p2, p1, p2, p) : sheet(p, p1, p2, p);
}

QString pasteSheet(bool chinese)
{
    const QString folder = QStringLiteral(":/stack1/");
    const QString stem = QStringLiteral("paste");
    return sheet(picture(folder, stem, QStringLiteral("2"), chinese),
        picture(folder, stem, QStringLiteral("3"), chinese),
        picture(folder, stem, QStringLiteral("4"), chinese),
        picture(folder, stem, QStringLiteral("5"), chinese));
}

QString okSheet(bool chinese)
{
    const QString ok = localized(QStringLiteral(":/img/OK.png"), chinese);
    return sheet(ok, localized(QStringLiteral(":/img/OK1.png"), chinese),
        localized(QStringLiteral(":/img/OK2.png"), chinese), ok);
}

QString oneKeySheet(bool on, bool chinese)
{
    const QString off = localized(QStringLiteral(":/stack1/config.png"), chinese);
    const QString lit = localized(QStringLiteral(":/stack1/config1.png"), chinese);
    const QString pressed = localized(QStringLiteral(":/stack1/config2.png"), chinese);
    return on ? sheet(lit, lit, pressed, lit) : sheet(off, lit, pressed, off);
}

QString startAllSheet(bool allPaused, bool chinese)
{
    return tabSheet(QStringLiteral(":/newimage/"),
        allPaused ? QStringLiteral("allstart") : QStringLiteral("allstop"), false, chinese);
}

QString listFilterStem(int view)
{
    switch (view) {
    case 1:
        return QStringLiteral("downfinishing");
    case 2:
        return QStringLiteral("downfinished");
    case 3:
        return QStringLiteral("downfailure");
    default:
        return QStringLiteral("displayall");
    }
}

QString dialogDownloadSheet(bool chinese)
{
    return tabSheet(QStringLiteral(":/img/"), QStringLiteral("download"), false, chinese);
}

QString folderButtonSheet()
{
    return tabSheet(QStringLiteral(":/img/"), QStringLiteral("openfolder"), false, false);
}

QString dialogCloseSheet()
{
    return sheet(QStringLiteral(":/img/close12.png"), QStringLiteral(":/img/close13.png"),
        QStringLiteral(":/img/close13.png"), QStringLiteral(":/img/close12.png"));
}

QString refreshSheet(bool chinese)
{
    const QString n = localized(QStringLiteral(":/stack2/refresh.png"), chinese);
    return sheet(n, localized(QStringLiteral(":/stack2/refresh1.png"), chinese),
        localized(QStringLiteral(":/stack2/refresh2.png"), chinese), n);
}

QString topRowDownloadSheet()
{
    const QString n = QStringLiteral(":/stack2/downloadtubiao.png");
    const QString h = QStringLiteral(":/stack2/downloadtubiao0.png");
    return sheet(n, h, h, h);
}

QString noticeSheet(bool unread)
{
    return hoverSheet(
        unread ? QStringLiteral(":/newimage/not2222.png") : QStringLiteral(":/newimage/not2.png"),
        QStringLiteral(":/newimage/not22.png"));
}

QString menuSheet(double scale)
{
    return QStringLiteral("QMenu {background-color:rgb(255,255,255);border: 1px solid rgb(53, 152, "
                          "219);font-size: %1px;}")
               .arg(12 * scale)
        + QStringLiteral("QMenu::item {color: rgb(0,0,0);background-color:rgb(255,255,255);"
                         "padding:%1px %2px;margin:0px %3px;font-size: %4px;}")
              .arg(5 * scale)
              .arg(20 * scale)
              .arg(5 * scale)
              .arg(12 * scale)
        + QStringLiteral("QMenu::item:selected {color: rgb(111, 156, 207); }");
}

QString lineEditSheet(int padding, const QString &stateRules)
{
    return QStringLiteral("QLineEdit{border:1px solid rgb(204,204,204);border-radius:3px;"
                          "padding:0px %1px;background:white;}"
                          "QLineEdit:focus{border-color:#3190f0;}")
               .arg(padding)
        + stateRules;
}

QString comboSheet(double scale)
{
    const QString font = QString::number(12 * scale, 'g', 6);
    const QString itemHeight = QString::number(30 * scale, 'g', 6);
    return QStringLiteral(
               "QComboBox {height: 30px;border-radius: 3px;border: 1px solid rgb(204, 204, 204);"
               "background: white;font-size: %1px;}")
               .arg(font)
        + QStringLiteral("QComboBox:enabled {color: rgb(2, 0, 49);}"
                         "QComboBox:!enabled {color: rgb(2, 0, 49);}"
                         "QComboBox:enabled:hover, QComboBox:enabled:focus {color: rgb(2, 0, 49);}"
                         "QComboBox::drop-down {width: 30px;border: none;background: transparent;}"
                         "QComboBox::drop-down:hover {background: rgba(255, 255, 255, 30);}"
                         "QComboBox::down-arrow {image: url(:/img/arrow-bottom3.png);}")
        + QStringLiteral(
            "QComboBox QAbstractItemView {background: white;outline: none;font-size: %1px;}")
              .arg(font)
        + QStringLiteral(
            "QComboBox QAbstractItemView::item {min-height: %1px;color: rgb(2, 0, 49);}")
              .arg(itemHeight)
        + QStringLiteral(
            "QComboBox QAbstractItemView::item:selected {background: rgb(232, 241, 250);"
            "color: rgb(2, 65, 132);}");
}

} // namespace ImageStyle
