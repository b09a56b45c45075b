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

} // namespace SettingsPage
