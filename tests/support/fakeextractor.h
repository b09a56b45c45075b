#pragma once

#include <QString>
#include <QTemporaryDir>

// A scripted stand-in for the extractor, for what the real one cannot be made
// to do on demand: crash, print garbage, hang, report 100 % without a file.
// It is a shell script named "tool.exe" in a folder of its own; make that
// folder the working directory and every command text finds it first.
//
// Behaviour is chosen by words in the link:
//   analysis ("-j"):  for each link in order: "badjson" prints an error and
//                     no JSON; "slowana" takes a second; "killana" kills the
//                     run; "hangana" never answers; otherwise a warning
//                     line, then a JSON line naming
//                     the link, with an m4a and a 360p mp4 format and title
//                     "Title <last path part>".
//   download:         "ok" prints progress to 100 % and writes the -o file
//                     (and its path to the --print-to-file file);
//                     "nofile" prints 100 % and an ERROR but writes nothing;
//                     "break" stops at 30 % with exit code 1;
//                     "hang" starts a helper (sleep) and never ends;
//                     "stubborn" is "hang" ignoring SIGTERM, helper included;
//                     "sleepN" waits N seconds before finishing;
//                     "flaky" fails its first two runs, then works;
//                     with --load-info-json, a document not naming the
//                     link fails, and so does "staleinfo" (expired links).
// Every run appends its arguments to runs.log; a hanging run appends its own
// pid and its helper's pid to pids.txt.
class FakeExtractor
{
public:
    FakeExtractor();

    QString folder() const { return m_dir.path(); }
    QString runsLog() const { return m_dir.filePath(QStringLiteral("runs.log")); }
    QString pidsFile() const { return m_dir.filePath(QStringLiteral("pids.txt")); }
    // How many download runs named a link containing word.
    int downloadRuns(const QString &word) const;

private:
    QTemporaryDir m_dir;
};

// Makes a folder the working directory for the lifetime of the object.
class ScopedCurrentDir
{
public:
    explicit ScopedCurrentDir(const QString &dir);
    ~ScopedCurrentDir();

private:
    QString m_old;
};
