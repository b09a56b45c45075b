#pragma once

#include <QString>

class QTranslator;

// The compiled translation of each interface language.
namespace LanguageFiles {

// "lang_Chinses.qm" for a non-zero languageSwitch, else "lang_English.qm".
QString fileName(int languageSwitch);

// Loads the language's file into translator: by bare name from the working
// directory first, then from the program's folder, so a launcher that starts
// the program elsewhere still gets the translation, then from where an
// installation puts them (share/quillon/translations beside bin/). Returns
// whether a file was loaded; on failure the translator is left empty.
bool load(QTranslator *translator, int languageSwitch);

} // namespace LanguageFiles
