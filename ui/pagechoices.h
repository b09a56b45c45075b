#pragma once

#include <QList>
#include <QString>

// The entries of the main window's choice lists, in the interface language.
// The index of an entry is what the pages and the stored settings use.
namespace PageChoices {

struct Choice
{
    QString text;
    QString icon; // resource path, empty for none
};

QList<Choice> qualities(); // one-key quality: " Original Video" .. " Skip Download"
QList<Choice> rates(); // one-key rate limit: " Unlimited" .. " 100 Kbps"
QList<Choice> subtitleModes(); // " Save subtitle file", " Embed-subtitle"
QList<Choice> subtitleLanguages(); // " English" .. " 韩语"
QList<Choice> exportFilters(); // batch export: "ALL List" .. "Failture List"

} // namespace PageChoices
