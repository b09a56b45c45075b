#include "base/fonts.h"

#include <QFont>
#include <QStringList>

void installFontSubstitutes()
{
    const QStringList substitutes = {QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("Microsoft YaHei"), substitutes);
    QFont::insertSubstitutions(QString::fromUtf8("微软雅黑"), substitutes);
}
