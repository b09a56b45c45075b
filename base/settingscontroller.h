#pragma once

#include "base/settingsstore.h"

#include <QObject>
#include <QString>

#include <optional>

// The program's settings, kept in one settings file: the general settings of
// the settings page, the interface language, the one-key choices and the last
// notice. Loading applies the rules for missing values and never writes the
// file; every change is written at once. No widgets: the window shows the
// values and hands back what the user chose.
class SettingsController : public QObject
{
    Q_OBJECT

public:
    // Reads the general settings and the language from settingsPath.
    explicit SettingsController(const QString &settingsPath, QObject *parent = nullptr);

    QString settingsPath() const { return m_path; }

    const SettingsStore::GeneralSettings &general() const { return m_general; }
    // Stores the values the settings page gives, then takes them back as the
    // file now holds them and announces them by generalChanged().
    void saveGeneral(const SettingsStore::GeneralSettings &values);

    // The interface language: Chinese unless English was chosen.
    bool chineseUi() const { return m_chinese; }
    // Stores the choice (also when it does not change) and announces it.
    void setChineseUi(bool chinese);

    // The stored one-key choices that are in effect at start: they count
    // only once a save location was stored, so nothing while there is none.
    std::optional<SettingsStore::OneKeySettings> oneKeyInEffect() const;
    SettingsStore::OneKeySettings storedOneKey() const;
    void saveOneKey(const SettingsStore::OneKeySettings &values);

    QString notice() const { return m_notice; }
    void saveNotice(const QString &text);

signals:
    void generalChanged(const SettingsStore::GeneralSettings &values);
    void languageChanged(bool chinese);

private:
    QString m_path;
    SettingsStore::GeneralSettings m_general;
    bool m_chinese = true;
    QString m_notice;
};
