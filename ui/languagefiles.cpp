#include "ui/languagefiles.h"

#include <QCoreApplication>
#include <QTranslator>

namespace LanguageFiles {

QString fileName(int languageSwitch)
{
    return languageSwitch != 0 ? QStringLiteral("lang_Chinses.qm")
                               : QStringLiteral("lang_English.qm");
}

bool load(QTranslator *translator, int languageSwitch)
{
    const QString name = fileName(languageSwitch);
    if (translator->load(name))
        return true;
    const QString programDir = QCoreApplication::applicationDirPath();
    if (translator->load(name, programDir))
        return true;
    // An installed program keeps them in its data folder beside bin/.
    return translator->load(
        name, programDir + QLatin1Char('/') + QStringLiteral(QUILLON_INSTALLED_TRANSLATIONS));
}

} // namespace LanguageFiles
