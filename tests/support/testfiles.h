#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// File and process helpers the tests share.

// Writes data to path (its folder made first); false when that fails.
bool writeFile(const QString &path, const QByteArray &data, bool executable = false);
// The file's bytes; empty when it cannot be read.
QByteArray readFile(const QString &path);
// Whether a process exists and has not died (a zombie has).
bool processAlive(qint64 pid);
// The process ids a scripted extractor wrote into file, in order.
QList<qint64> pidsIn(const QString &file);
