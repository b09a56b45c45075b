#pragma once

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
    QFile::setPermissions(home + QStringLiteral("/.runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

#define QUILLON_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        quillonPrepareTestHome();                                                                  \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                        \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                               \
        QApplication::setAttribute(Qt::AA_Use96Dpi, true);                                         \
        QApplication app(argc, argv);                                                              \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
