#pragma once

#include <QString>

// The folders the program works in, all ending in "/".
struct AppFolders
{
    QString appDataDir; // per-user data folder: setting.ini, MACAddrs.db
    QString cookiesDir; // appDataDir + "cookies/", emptied at every start
    QString settingsPath; // appDataDir + "setting.ini"
    QString desktopDir;
    QString documentsDir;

    static AppFolders locate();

    // Creates the data folder and the download folder when missing and empties
    // the cookies folder, nested folders included. Failures are left to the
    // file operations that follow.
    void prepare(const QString &downloadDir) const;
};

// Removes folder with everything in it (links are removed, never followed)
// and creates it again empty. Returns whether it exists and is empty after.
bool recreateEmptyFolder(const QString &folder);
