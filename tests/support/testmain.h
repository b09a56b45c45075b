#pragma once

#include "support/testextractor.h"

#include <QApplication>
#include <QDir>
#include <QtTest>

// Every test runs with a HOME and XDG folders of its own (set by CTest to
// QUILLON_TEST_HOME); they are wiped here so each run starts from nothing.
inline void quillonPrepareTestHome()
{
    const QString home = qEnvironmentVariable("QUILLON_TEST_HOME");
    if (home.isEmpty())
        return;
    QDir(home).removeRecursively();
    for (const char *sub : {"", "/.local/share", "/.config", "/.cache", "/.runtime"})
        QDir().mkpath(home + QLatin1String(sub));
    QFile::setPermissions(
        home + QStringLiteral("/.runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Every window starts proxy detection. Its outside addresses point at a dead
// loopback port and the local port scan probes nothing, unless a test says
// otherwise; proxy settings of the machine are not inherited. So no test
// reaches beyond 127.0.0.1 or sends requests to the machine's own services,
// however it is started.
inline void quillonIsolateTestNetwork()
{
    const char *deadLoopback[][2] = {
        {"QUILLON_PROBE_URL", "http://127.0.0.1:9/probe"},
        {"QUILLON_PAC_TEST_URL", "http://127.0.0.1:9/"},
        {"QUILLON_KEEPALIVE_URL", "http://127.0.0.1:9/favicon.ico"},
        {"QUILLON_SCAN_PORTS", ""},
    };
    for (const auto &entry : deadLoopback) {
        if (!qEnvironmentVariableIsSet(entry[0]))
            qputenv(entry[0], entry[1]);
    }
    for (const char *name : {"http_proxy", "https_proxy", "all_proxy", "no_proxy", "auto_proxy",
             "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY", "NO_PROXY"})
        qunsetenv(name);
}

#define QUILLON_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        quillonPrepareTestHome();                                                                  \
        quillonIsolateTestNetwork();                                                               \
        if (const int stop = TestExtractor::prepare())                                             \
            return stop;                                                                           \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication::setAttribute(Qt::AA_Use96Dpi, true);                                         \
        QApplication app(argc, argv);                                                              \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
