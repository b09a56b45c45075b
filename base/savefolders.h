#pragma once

#include <QString>

class QComboBox;
class QWidget;

// The save-location lists of the one-key page and the link dialogs: each
// entry shows a folder and carries it as its data.
namespace SaveFolders {

// Offers the download folder and the desktop when the list is still empty.
void fillDefaults(QComboBox *combo, const QString &desktopFolder);

// Makes folder the current entry, appending it with the folder icon when the
// list does not hold it yet.
void select(QComboBox *combo, const QString &folder);

// Asks for a folder (through the dialog seam) and selects it; nothing changes
// when the user picks none.
void choose(QWidget *parent, QComboBox *combo, const QString &caption, const QString &startFolder);

} // namespace SaveFolders
