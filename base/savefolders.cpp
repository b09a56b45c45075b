#include "base/savefolders.h"

#include "base/dialogseam.h"
#include "base/global.h"

#include <QComboBox>
#include <QIcon>

namespace SaveFolders {

void fillDefaults(QComboBox *combo, const QString &desktopFolder)
{
    if (combo->count() > 0)
        return;
    combo->addItem(
        QIcon(QStringLiteral(":/img/folder.png")), Global::DOWNLOAD_DIR, Global::DOWNLOAD_DIR);
    combo->addItem(QIcon(QStringLiteral(":/img/desktop.png")), desktopFolder, desktopFolder);
}

void select(QComboBox *combo, const QString &folder)
{
    int index = combo->findText(folder);
    if (index < 0) {
        combo->addItem(QIcon(QStringLiteral(":/img/folder.png")), folder, folder);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}

void choose(QWidget *parent, QComboBox *combo, const QString &caption, const QString &startFolder)
{
    const QString folder = DialogSeam::existingDirectory(parent, caption, startFolder);
    if (!folder.isEmpty())
        select(combo, folder);
}

} // namespace SaveFolders
