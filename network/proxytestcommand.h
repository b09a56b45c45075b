#pragma once

#include <QString>

// The command of the proxy test page: "tool.exe -j ", the link, " -R 5 ", the
// proxy option for host/port/type (none for a port below 1) and
// " --socket-timeout 60 ". The clipboard text becomes exactly one argument:
// it is quoted for the command splitter (double quotes inside it are
// dropped), and text that would read as an option ("-...") is left out, as
// is empty text.
QString proxyTestCommand(const QString &clipboardText, const QString &host, int port, bool socks5);
