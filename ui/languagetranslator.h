#pragma once

#include <QTranslator>

// The interface translator. A text is looked up in its own context first;
// when that has no translation, in the shared catalogue of interface texts
// (UiTexts::Context). Every text the program shows is in the catalogue, so a
// text keeps its translation whichever class or helper ends up showing it.
class LanguageTranslator : public QTranslator
{
    Q_OBJECT

public:
    explicit LanguageTranslator(QObject *parent = nullptr);

    QString translate(const char *context, const char *sourceText,
        const char *disambiguation = nullptr, int n = -1) const override;
};
