#include "base/global.h"

#include <QtGlobal>
#include <cmath>

namespace Global {

namespace {

QString trimmedRoot(QString root)
{
    root = root.trimmed();
    while (root.endsWith(QLatin1Char('/')))
        root.chop(1);
    return root;
}

QString serviceUrlFor(const QString &root)
{
    return root.isEmpty() ? QString() : root + QStringLiteral("//interface//");
}

QString appcastUrlFor(const QString &root)
{
    return root.isEmpty() ? QString() : root + QStringLiteral("/updates.json");
}

} // namespace

QString vendorRoot()
{
    if (qEnvironmentVariableIsSet("QUILLON_VENDOR_ROOT"))
        return trimmedRoot(qEnvironmentVariable("QUILLON_VENDOR_ROOT"));
    return trimmedRoot(QStringLiteral(QUILLON_DEFAULT_VENDOR_ROOT));
}

void useVendorRoot(const QString &root)
{
    SERVICE_URL = serviceUrlFor(trimmedRoot(root));
    APPCAST_URL = appcastUrlFor(trimmedRoot(root));
}

bool vendorServiceConfigured()
{
    return !SERVICE_URL.isEmpty();
}

QString vendorSite()
{
    return trimmedRoot(QStringLiteral(QUILLON_VENDOR_SITE));
}

int scaled(double designPixels)
{
    return static_cast<int>(std::lround(designPixels * SCALE));
}

QString APP_VER = QStringLiteral("2.6.1");
QString APPCAST_URL = appcastUrlFor(vendorRoot());
QString MODULE_NAME = QStringLiteral("quillon");
QString SERVICE_URL = serviceUrlFor(vendorRoot());
QString DOWNLOAD_DIR = defaultDownloadDir();

QString PROXY_HOST = QStringLiteral("127.0.0.1");
int PROXY_PORT = -1;
bool PROXY_IS_SOCKS5 = false;

double SCALE = 1.0;

} // namespace Global
