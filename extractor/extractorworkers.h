#pragma once

#include <QHash>
#include <QObject>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class QProcess;
class QTemporaryDir;

// Resident extractor workers. Every start of the extractor costs about a
// second of processor time, most of it spent importing its Python package; a
// worker imports it once and serves every run of the same extractor file in a
// thread of its own. Each run still is a process of its own, the small client
// "quillon-run", so process groups, exit codes, output and the ending of a
// run stay what they were (see quillon_run.cpp).
//
// One worker per extractor file (path, size, change time, inode), environment
// and working folder: an updated or replaced extractor gets a fresh worker and
// the old one ends once its runs have ended. A worker ends by itself after a
// minute without runs, and with the program. Where no worker can serve (no
// client program, an extractor that is not a Python zip application or the
// distribution's launcher, Windows), runs start the extractor as before.
class ExtractorWorkers : public QObject
{
    Q_OBJECT

public:
    // The one instance, a child of the application object.
    static ExtractorWorkers *instance();
    ~ExtractorWorkers() override;

    // What to start for a run of the resolved extractor program with
    // arguments in environment: the client with the worker's socket, or
    // false when the extractor is started itself.
    bool route(const QString &program, const QStringList &arguments,
        const QProcessEnvironment &environment, QString *startProgram, QStringList *startArguments);

    // Starts the worker for program now, so that the first run does not wait
    // for the import.
    void prepare(const QString &program, const QProcessEnvironment &environment);

    // Ends every worker and waits for them (their runs are cancelled).
    void shutdown();

    // How many workers are running.
    int count() const;

    // Whether process runs a run through a worker.
    static bool servesRun(const QProcess *process);
    // Cancels the worker-served run of process and waits until its thread in
    // the worker has stopped (at most waitMs). Returns whether it stopped.
    static bool cancelRun(const QProcess *process, int waitMs);

    // The run client program, or "" when it is not there.
    static QString clientProgram();

    // How the worker for an extractor file is started: the interpreter
    // command from its first line and the mode the worker loads it in. Empty
    // when a worker cannot serve it.
    struct Kind
    {
        QStringList interpreter;
        QString mode; // "zip" or "package"
    };
    static Kind kindOf(const QString &file);

private:
    explicit ExtractorWorkers(QObject *parent);
    QString socketFor(const QString &program, const QProcessEnvironment &environment);
    bool ensureFolder();

    struct Worker
    {
        QProcess *process = nullptr;
        QString socket;
    };
    QHash<QString, Worker> m_workers; // by file identity, environment and folder
    QHash<QString, Kind> m_kinds; // by file identity
    QTemporaryDir *m_folder = nullptr;
    QString m_script;
    int m_started = 0;
};
