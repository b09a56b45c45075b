#pragma once

#include <QString>

class QObject;
class QProcess;

// The platform part of the extractor workers (ExtractorWorkers). Windows has
// none: runs there start the extractor itself.
namespace WorkerPlatform {

// Whether runs can be served by workers here.
bool supported();

// A process for a worker that dies with the program.
QProcess *newProcess(QObject *parent);

// Asks the worker listening on socket to end the run of client process pid
// and waits for its answer (at most waitMs). Returns whether the run's thread
// has stopped (or there was no such run).
bool cancel(const QString &socket, qint64 pid, int waitMs);

// Whether no process pid is running (of this user or any other).
bool isGone(qint64 pid);

// Whether path is a real folder (not a link) of this user: the only kind a
// leftover clean-up may remove. Anyone can make a folder of that name in the
// shared temporary folder, or a link from it into this user's files.
bool isOwnFolder(const QString &path);

} // namespace WorkerPlatform
