#pragma once

#include <QByteArray>
#include <QString>

// A benchmark runs as a first start: the program's data and settings go to
// home (a temporary folder), and no display is needed.
inline void useBenchHome(const QString &home)
{
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_DATA_HOME", (home + "/.local/share").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
