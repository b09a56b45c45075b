#include "ui/mainwindow.h"

#include "base/global.h"
#include "base/settingsstore.h"

void MainWindow::loadGeneralSettings()
{
    useGeneralSettings(SettingsStore::loadGeneral(settingsPath));
    showGeneralSettings();
}

void MainWindow::useGeneralSettings(const SettingsStore::GeneralSettings &s)
{
    redownloadswitch = s.redownloadswitch;
    loadhistoryswitch = s.loadhistoryswitch;
    autodeletefileswitch = s.autodeletefileswitch;
    topnum = s.topnum;
    processnum = s.processnum;
    anaprocessnum = s.anaprocessnum;
    folderoption = s.folderoption;
    // The analysis budget starts again from the download count.
    availabe_anakey = processnum;
}

void MainWindow::loadLanguageSetting()
{
    languageSwitch = SettingsStore::loadLanguage(settingsPath);
}

void MainWindow::saveLanguageSetting()
{
    SettingsStore::saveLanguage(settingsPath, languageSwitch);
}

void MainWindow::loadOneKeySettings()
{
    const SettingsStore::OneKeySettings s = SettingsStore::loadOneKey(settingsPath);
    // Stored choices apply only once a save location exists.
    if (s.videolocation.isEmpty())
        return;
    Global::ONEKEY = s.onekey;
}

void MainWindow::saveOneKeySettings(int onekey, int quality, int type, int sudu,
    const QString &location, int zimu, int zimulang, int thumbnail)
{
    SettingsStore::OneKeySettings s;
    s.onekey = onekey != 0;
    s.videoquality = quality;
    s.videotype = type;
    s.videosudu = sudu;
    s.videolocation = location;
    s.videozimu = zimu;
    s.videozimulang = zimulang;
    s.videothumbnail = thumbnail != 0;
    SettingsStore::saveOneKey(settingsPath, s);
}

void MainWindow::saveNotice(const QString &text)
{
    lastNotice = text;
    SettingsStore::saveNotice(settingsPath, text);
}

SettingsStore::GeneralSettings MainWindow::generalSettings() const
{
    SettingsStore::GeneralSettings s;
    s.redownloadswitch = redownloadswitch;
    s.loadhistoryswitch = loadhistoryswitch;
    s.autodeletefileswitch = autodeletefileswitch;
    s.topnum = topnum;
    s.processnum = processnum;
    s.anaprocessnum = anaprocessnum;
    s.folderoption = folderoption;
    return s;
}

bool MainWindow::chineseUi() const
{
    return languageSwitch != 0;
}
