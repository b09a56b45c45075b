#include "ui/languagetranslator.h"

#include "ui/uitexts.h"

#include <cstring>

LanguageTranslator::LanguageTranslator(QObject *parent)
    : QTranslator(parent)
{ }

QString LanguageTranslator::translate(
    const char *context, const char *sourceText, const char *disambiguation, int n) const
{
    const QString own = QTranslator::translate(context, sourceText, disambiguation, n);
    if (!own.isEmpty() || (context && std::strcmp(context, UiTexts::Context) == 0))
        return own;
    return QTranslator::translate(UiTexts::Context, sourceText, disambiguation, n);
}
