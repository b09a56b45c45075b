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
    return translator->load(name, QCoreApplication::applicationDirPath());
}

} // namespace LanguageFiles
