#include "base/settingsstore.h"

#include <QSettings>
#include <QTextCodec>

namespace SettingsStore {

namespace {

QString key(const char *name)
{
    return QStringLiteral("/setting/") + QLatin1String(name);
}

} // namespace

std::unique_ptr<QSettings> open(const QString &path)
{
    auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    settings->setIniCodec(QTextCodec::codecForName("GB18030"));
    return settings;
}

int readInt(const QString &path, const QString &k)
{
    return open(path)->value(k).toInt();
}

QString readString(const QString &path, const QString &k)
{
    return open(path)->value(k).toString();
}

bool contains(const QString &path, const QString &k)
{
    return open(path)->contains(k);
}

GeneralSettings loadGeneral(const QString &path)
{
    const auto s = open(path);
    GeneralSettings read;
    read.redownloadswitch = s->value(key("redownloadswitch")).toInt();
    read.loadhistoryswitch = s->value(key("loadhistoryswitch")).toInt();
    read.autodeletefileswitch = s->value(key("autodeletefileswitch")).toInt();
    read.topnum = s->value(key("topnum")).toInt();
    read.processnum = s->value(key("processnum")).toInt();
    read.anaprocessnum = s->value(key("anaprocessnum")).toInt();
    read.folderoption = s->value(key("folderoption")).toInt();

    // The notification switch is read on its own, also when nothing else was
    // saved: only a stored 0 turns it off.
    const QString notify = key("notifyswitch");
    read.notifyswitch = !s->contains(notify) || s->value(notify).toInt() != 0 ? 1 : 0;
    GeneralSettings defaults;
    defaults.notifyswitch = read.notifyswitch;
    if (read.topnum == 0)
        return defaults;
    if (read.processnum == 0)
        read.processnum = defaults.processnum;
    if (read.anaprocessnum == 0)
        read.anaprocessnum = defaults.anaprocessnum;
    // A hand-edited or damaged file may hold anything: keep each number in
    // the range the settings page offers (nine download slots, two analysis
    // slots, 5 to 15 popular videos).
    read.processnum = qBound(1, read.processnum, 9);
    read.anaprocessnum = qBound(1, read.anaprocessnum, 2);
    read.topnum = qBound(5, read.topnum, 15);
    return read;
}

void saveGeneral(const QString &path, const GeneralSettings &v)
{
    const auto s = open(path);
    s->setValue(key("redownloadswitch"), v.redownloadswitch ? 1 : 0);
    s->setValue(key("loadhistoryswitch"), v.loadhistoryswitch ? 1 : 0);
    s->setValue(key("autodeletefileswitch"), v.autodeletefileswitch ? 1 : 0);
    s->setValue(key("folderoption"), v.folderoption ? 1 : 0);
    s->setValue(key("notifyswitch"), v.notifyswitch ? 1 : 0);
    s->setValue(key("topnum"), QString::number(v.topnum));
    s->setValue(key("processnum"), QString::number(v.processnum));
    s->setValue(key("anaprocessnum"), QString::number(v.anaprocessnum));
}

int loadLanguage(const QString &path)
{
    const auto s = open(path);
    if (!s->contains(key("languageswitch")))
        return 1;
    return s->value(key("languageswitch")).toInt() != 0 ? 1 : 0;
}

void saveLanguage(const QString &path, int languageSwitch)
{
    open(path)->setValue(key("languageswitch"), languageSwitch ? 1 : 0);
}

OneKeySettings loadOneKey(const QString &path)
{
    const auto s = open(path);
    OneKeySettings v;
    v.onekey = s->value(key("onekeyswitch")).toInt() != 0;
    v.videoquality = s->value(key("videoquality")).toInt();
    v.videotype = s->value(key("videotype")).toInt();
    v.videosudu = s->value(key("videosudu")).toInt();
    v.videolocation = s->value(key("videolocation")).toString();
    v.videozimu = s->value(key("videozimu")).toInt();
    v.videozimulang = s->value(key("videozimulang")).toInt();
    v.videothumbnail = s->value(key("videothumbnail")).toInt() != 0;
    return v;
}

void saveOneKey(const QString &path, const OneKeySettings &v)
{
    // The one-key writer has always used the prefix without a leading slash;
    // QSettings treats both spellings as the same key.
    const auto s = open(path);
    s->setValue(QStringLiteral("setting/onekeyswitch"), v.onekey ? 1 : 0);
    s->setValue(QStringLiteral("setting/videoquality"), v.videoquality);
    s->setValue(QStringLiteral("setting/videotype"), 0);
    s->setValue(QStringLiteral("setting/videosudu"), v.videosudu);
    s->setValue(QStringLiteral("setting/videolocation"), v.videolocation);
    s->setValue(QStringLiteral("setting/videozimu"), v.videozimu);
    s->setValue(QStringLiteral("setting/videozimulang"), v.videozimulang);
    s->setValue(QStringLiteral("setting/videothumbnail"), v.videothumbnail ? 1 : 0);
}

QString loadNotice(const QString &path)
{
    return open(path)->value(key("notice")).toString();
}

void saveNotice(const QString &path, const QString &notice)
{
    open(path)->setValue(key("notice"), notice);
}

StoredProxy loadProxy(const QString &path)
{
    const auto s = open(path);
    StoredProxy p;
    p.customer = s->value(key("proxycustomer")).toInt();
    p.port = s->value(key("proxyport")).toString();
    p.ipaddr = s->value(key("proxyipaddr")).toString();
    p.type = s->value(key("proxytype")).toString();
    return p;
}

void saveProxyCustomer(const QString &path, int customer)
{
    open(path)->setValue(key("proxycustomer"), customer);
}

void saveProxyPort(const QString &path, const QString &port)
{
    open(path)->setValue(key("proxyport"), port);
}

void saveCustomProxy(const QString &path, const QString &ipaddr, const QString &port)
{
    const auto s = open(path);
    s->setValue(key("proxyport"), port);
    s->setValue(key("proxyipaddr"), ipaddr);
    s->setValue(key("proxycustomer"), 3);
}

void saveDetectedProxy(const QString &path, const QString &ipaddr, int port, bool socks5)
{
    const auto s = open(path);
    s->setValue(key("proxyport"), QString::number(port));
    s->setValue(key("proxyipaddr"), ipaddr);
    s->setValue(key("proxytype"), socks5 ? QStringLiteral("SOCKS5") : QStringLiteral("HTTP"));
    s->setValue(key("proxycustomer"), 3);
}

} // namespace SettingsStore
