#pragma once

#include <QString>
#include <QStringList>

class LoopbackHttpServer;

// The example vendor root of the repository, served by a loopback server.
namespace VendorRoot {

QString folder();
// The video identifiers of its popular lists, day, week and month in order.
QStringList exampleIds();
// Serves the folder and a thumbnail for every listed video under "/vi/".
// The server must be listening.
void serve(LoopbackHttpServer &server);

} // namespace VendorRoot
