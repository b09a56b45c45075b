#include "base/settingscontroller.h"

SettingsController::SettingsController(const QString &settingsPath, QObject *parent)
    : QObject(parent)
    , m_path(settingsPath)
    , m_general(SettingsStore::loadGeneral(settingsPath))
    , m_chinese(SettingsStore::loadLanguage(settingsPath) != 0)
    , m_notice(SettingsStore::loadNotice(settingsPath))
{ }

void SettingsController::saveGeneral(const SettingsStore::GeneralSettings &values)
{
    SettingsStore::saveGeneral(m_path, values);
    m_general = SettingsStore::loadGeneral(m_path);
    emit generalChanged(m_general);
}

void SettingsController::setChineseUi(bool chinese)
{
    m_chinese = chinese;
    SettingsStore::saveLanguage(m_path, chinese ? 1 : 0);
    emit languageChanged(chinese);
}

std::optional<SettingsStore::OneKeySettings> SettingsController::oneKeyInEffect() const
{
    const SettingsStore::OneKeySettings stored = SettingsStore::loadOneKey(m_path);
    if (stored.videolocation.isEmpty())
        return std::nullopt;
    return stored;
}

SettingsStore::OneKeySettings SettingsController::storedOneKey() const
{
    return SettingsStore::loadOneKey(m_path);
}

void SettingsController::saveOneKey(const SettingsStore::OneKeySettings &values)
{
    SettingsStore::saveOneKey(m_path, values);
}

void SettingsController::saveNotice(const QString &text)
{
    m_notice = text;
    SettingsStore::saveNotice(m_path, text);
}
