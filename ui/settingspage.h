#pragma once

#include <QStringList>

// The general settings page: what its combo boxes offer, which entry a stored
// value selects. No widgets here.
namespace SettingsPage {

QStringList videoCountChoices(); // topnum: "5", "10", "15"
QStringList processChoices(); // processnum: "1" .. "9" (nine download slots)
QStringList analysisChoices(); // anaprocessnum: "1", "2" (two analysis slots)

// The entry a stored value selects; values the page does not offer select 0.
int videoCountIndex(int topnum);
int processIndex(int processnum);
int analysisIndex(int anaprocessnum);

} // namespace SettingsPage
