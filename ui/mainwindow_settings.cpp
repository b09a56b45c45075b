#include "ui/mainwindow.h"

#include "base/settingscontroller.h"

// The window's side of the settings controller: the controller holds and
// stores the values, the window hands them on and shows them.

void MainWindow::createSettings()
{
    m_settings = new SettingsController(m_settingsPath, this);
    connect(m_settings, &SettingsController::generalChanged, this,
        [this](const SettingsStore::GeneralSettings &values) {
            applyDownloadSettings(values);
            showGeneralSettings(values);
        });
    connect(m_settings, &SettingsController::languageChanged, this, &MainWindow::applyLanguage);
}

SettingsStore::GeneralSettings MainWindow::generalSettings() const
{
    return m_settings->general();
}

void MainWindow::saveGeneralSettings(const SettingsStore::GeneralSettings &values)
{
    m_settings->saveGeneral(values);
}

bool MainWindow::chineseUi() const
{
    return m_settings->chineseUi();
}

void MainWindow::switchLanguage(bool chinese)
{
    m_settings->setChineseUi(chinese);
}
