#pragma once

#include <QString>
#include <memory>

class QSettings;

// The settings file "setting.ini": INI format, every key in section
// "setting". Each operation opens its own settings object and drops it before
// returning, which writes pending changes to disk at once.
namespace SettingsStore {

// Opens path as INI. The file is GB18030: it reads every GB2312 file that
// earlier versions wrote unchanged and, unlike GB2312, can encode any folder
// name (Korean, emoji, ...).
std::unique_ptr<QSettings> open(const QString &path);

int readInt(const QString &path, const QString &key);
QString readString(const QString &path, const QString &key);
bool contains(const QString &path, const QString &key);

// The defaults of the general settings: a first start and a file that never
// had them saved use these, and nothing else in the program repeats them.
struct GeneralSettings
{
    int redownloadswitch = 0;
    int loadhistoryswitch = 1;
    int autodeletefileswitch = 0;
    int topnum = 10;
    int processnum = 3;
    int anaprocessnum = 1;
    int folderoption = 1;
    // Desktop notices of downloads that end while the window is in the
    // background. Read on its own: files written before it existed lack it.
    int notifyswitch = 1;
};

// Reads the seven general keys and applies the rule for missing values: when
// topnum is 0 (never saved) all seven take their defaults; otherwise what was
// read is kept, and a processnum or anaprocessnum of 0 takes its default.
// notifyswitch is on unless the file holds it as 0. Loading never rewrites
// the file.
GeneralSettings loadGeneral(const QString &path);
// Writes the five switches as integers, then topnum, processnum and
// anaprocessnum as decimal text.
void saveGeneral(const QString &path, const GeneralSettings &values);

// 1 = Chinese, 0 = English. A missing key means Chinese; any non-zero value too.
int loadLanguage(const QString &path);
void saveLanguage(const QString &path, int languageSwitch);

struct OneKeySettings
{
    bool onekey = false;
    int videoquality = 0;
    int videotype = 0;
    int videosudu = 0;
    QString videolocation;
    int videozimu = 0;
    int videozimulang = 0;
    bool videothumbnail = false;
};

OneKeySettings loadOneKey(const QString &path);
void saveOneKey(const QString &path, const OneKeySettings &values);

QString loadNotice(const QString &path);
void saveNotice(const QString &path, const QString &notice);

struct StoredProxy
{
    int customer = 0; // 0 adaptive, 1 none, 2 system, 3 custom
    QString port; // decimal text, empty when none stored
    QString ipaddr;
    QString type; // "HTTP" or "SOCKS5"
};

StoredProxy loadProxy(const QString &path);
void saveProxyCustomer(const QString &path, int customer);
void saveProxyPort(const QString &path, const QString &port);
// The custom proxy saved on the proxy page: port, host and mode 3.
void saveCustomProxy(const QString &path, const QString &ipaddr, const QString &port);
// Stores a detected proxy as the custom proxy (mode 3).
void saveDetectedProxy(const QString &path, const QString &ipaddr, int port, bool socks5);

} // namespace SettingsStore
