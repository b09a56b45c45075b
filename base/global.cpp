#include "base/global.h"

#include <QtGlobal>
#include <cmath>

namespace Global {

QString vendorRoot()
{
    QString root = qEnvironmentVariable("QUILLON_VENDOR_ROOT");
    if (root.isEmpty())
        root = QStringLiteral(QUILLON_DEFAULT_VENDOR_ROOT);
    while (root.endsWith(QLatin1Char('/')))
        root.chop(1);
    return root;
}

int scaled(double designPixels)
{
    return static_cast<int>(std::lround(designPixels * SCALE));
}

QString APP_VER = QStringLiteral("2.6.1");
QString APPCAST_URL = vendorRoot() + QStringLiteral("/updates.json");
QString MODULE_NAME = QStringLiteral("quillon");
QString SERVICE_URL = vendorRoot() + QStringLiteral("//interface//");
QString DOWNLOAD_DIR = defaultDownloadDir();

QString PROXY_HOST = QStringLiteral("127.0.0.1");
int PROXY_PORT = -1;
bool PROXY_IS_SOCKS5 = false;

bool ONEKEY = false;
double SCALE = 1.0;

} // namespace Global
