#pragma once

#include <QStringList>

// The catalogue of interface texts: every English text the program shows,
// whichever class shows it, under one translation context. The translator
// falls back to it (LanguageTranslator), and the tests check that each text
// has its Chinese translation.
namespace UiTexts {

inline constexpr const char *Context = "Quillon";

// The English source texts of the catalogue.
QStringList catalogue();

} // namespace UiTexts
