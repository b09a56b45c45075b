#include "ui/settingspage.h"

namespace SettingsPage {

QStringList videoCountChoices()
{
    return {QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("15")};
}

QStringList processChoices()
{
    QStringList list;
    for (int i = 1; i <= 9; ++i)
        list.append(QString::number(i));
    return list;
}

QStringList analysisChoices()
{
    return {QStringLiteral("1"), QStringLiteral("2")};
}

int videoCountIndex(int topnum)
{
    switch (topnum) {
    case 10:
        return 1;
    case 15:
        return 2;
    default:
        return 0;
    }
}

int processIndex(int processnum)
{
    return processnum >= 1 && processnum <= 9 ? processnum - 1 : 0;
}

int analysisIndex(int anaprocessnum)
{
    return anaprocessnum == 2 ? 1 : 0;
}

QString comboStyleSheet(double scale)
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

} // namespace SettingsPage
