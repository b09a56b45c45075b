#pragma once

#include <QString>

// Process-wide values. They are created before main() runs and are touched
// from the GUI thread only; the proxy worker reports through a queued signal.
namespace Global {

extern QString APP_VER;
extern QString APPCAST_URL;
extern QString MODULE_NAME;
extern QString SERVICE_URL;
extern QString DOWNLOAD_DIR;

// Effective proxy: PROXY_PORT -1 means nothing decided yet, 0 a direct connection.
extern QString PROXY_HOST;
extern int PROXY_PORT;
extern bool PROXY_IS_SOCKS5;

extern double SCALE;

// The web root the vendor service addresses are built from: the build's
// default, or QUILLON_VENDOR_ROOT from the environment when it is set (set
// and empty switches the service off). Empty means no vendor service: the
// program then sends it nothing.
QString vendorRoot();
// Builds SERVICE_URL and APPCAST_URL from root; an empty root empties both.
void useVendorRoot(const QString &root);
// Whether SERVICE_URL names a service at all.
bool vendorServiceConfigured();
// The vendor's public web site that the menu, the about page and the paste
// hint link to (a build value; it is opened in the browser, never fetched).
QString vendorSite();

// Platform default for DOWNLOAD_DIR, always ending in "/".
QString defaultDownloadDir();

// A design pixel size multiplied by SCALE and rounded.
int scaled(double designPixels);

} // namespace Global
