#include "support/testmain.h"

#include "base/global.h"
#include "downloads/qmenubutton.h"
#include "extractor/extractorprobe.h"
#include "extractor/extractorupdate.h"
#include "extractor/toolprocess.h"
#include "support/extractorrun.h"
#include "support/fakeextractor.h"
#include "support/loopbackhttpserver.h"
#include "support/mediafixture.h"
#include "support/scopedenv.h"
#include "support/scripteddialogs.h"
#include "support/taskfactory.h"
#include "support/testfiles.h"
#include "ui/mainwindow.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

namespace {

QByteArray runTool(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return QByteArray();
    return p.readAll();
}

QByteArray versionScript(const char *version)
{
    return QByteArray("#!/bin/sh\necho ") + version + "\n";
}

// A signing key of the test's own, in a GnuPG home of its own.
struct SigningKey
{
    QTemporaryDir home;
    QString fingerprint;
    QByteArray armored;

    QByteArray gpg(const QStringList &arguments) const
    {
        return runTool(QStringLiteral("gpg"),
            QStringList {"--homedir", home.path(), "--batch", "--pinentry-mode", "loopback",
                "--passphrase", ""}
                + arguments);
    }
    bool make()
    {
        gpg({"--quick-gen-key", "Release <release@example.invalid>", "ed25519", "sign", "never"});
        const QByteArray keys = gpg({"--with-colons", "--list-keys"});
        const int at = keys.indexOf("\nfpr:");
        fingerprint = QString::fromLatin1(keys.mid(at + 1).split('\n').first()).section(':', 9, 9);
        armored = gpg({"--armor", "--export", fingerprint});
        return !fingerprint.isEmpty() && !armored.isEmpty();
    }
    void sign(const QString &file) const
    {
        gpg({"--yes", "--local-user", fingerprint, "--detach-sign", "--output", file + ".sig",
            file});
    }
    ~SigningKey()
    {
        QProcess::execute(QStringLiteral("gpgconf"), {"--homedir", home.path(), "--kill", "all"});
    }
};

struct UpdateOutcome
{
    bool started = false;
    bool ok = false;
    QString message;
    QString version;
};

} // namespace

// The extractor the program runs: the copy "Update extractor" installs (only
// a verified one, and only once it runs), and the JavaScript runtime the
// program hands to an extractor that can take it.
class TestExtractorInUse : public QObject
{
    Q_OBJECT

    std::unique_ptr<MediaFixture> m_media;
    SigningKey m_key;
    SigningKey m_otherKey;
    QString m_currentRelease; // the real current release, when the tree has it

    UpdateOutcome update(const QString &address, std::function<int()> downloads = {})
    {
        ExtractorUpdate updater;
        updater.setReleaseAddress(address);
        updater.setTrustedKey({m_key.armored, m_key.fingerprint});
        updater.setRunningDownloads(std::move(downloads));
        QSignalSpy done(&updater, &ExtractorUpdate::finished);
        UpdateOutcome outcome;
        outcome.started = updater.start();
        if (!outcome.started) {
            outcome.message = updater.refusal();
            return outcome;
        }
        if (!done.wait(180000))
            return outcome;
        outcome.ok = done.first().at(0).toBool();
        outcome.message = done.first().at(1).toString();
        outcome.version = done.first().at(2).toString();
        return outcome;
    }

    // A release folder: the program file, the checksum list giving listed's
    // SHA-256 for name, signed by signer.
    static void writeRelease(const QString &dir, const QByteArray &program,
        const QByteArray &listed, const SigningKey &signer, const QByteArray &name = "yt-dlp")
    {
        writeFile(dir + "/yt-dlp", program);
        const QByteArray sum = QCryptographicHash::hash(listed, QCryptographicHash::Sha256).toHex();
        writeFile(dir + "/SHA2-256SUMS",
            QByteArray(64, '0') + "  yt-dlp.exe\n" + sum + "  " + name + "\n");
        signer.sign(dir + "/SHA2-256SUMS");
    }

    static QString updatedCopy() { return ToolProcess::updatedCopyPath(); }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("gpg").isEmpty()
            || QStandardPaths::findExecutable("gpgv").isEmpty())
            QFAIL("gpg and gpgv are needed (scripts/setup.sh installs them)");
        QVERIFY2(m_key.make() && m_otherKey.make(), "gpg could not make a test key");
        m_media.reset(new MediaFixture);
        QVERIFY2(m_media->isReady(), qPrintable(m_media->errorString()));
        Global::PROXY_PORT = 0;
        const QString shared
            = qEnvironmentVariable("QUILLON_SOURCE_DIR") + "/../shared/extractor/yt-dlp-2026.08.19";
        if (QFileInfo(shared).isExecutable())
            m_currentRelease = shared;
    }

    // The key shipped with the program is the extractor project's signing key.
    void shippedKeyIsTheProjectsKey()
    {
        const ReleaseFiles::TrustedKey key = ReleaseFiles::shippedKey();
        QTemporaryDir tmp;
        writeFile(tmp.filePath("key.asc"), key.armored);
        const QByteArray shown = runTool("gpg",
            {"--homedir", tmp.path(), "--show-keys", "--with-colons", tmp.filePath("key.asc")});
        QVERIFY(shown.contains("fpr:::::::::" + key.fingerprint.toLatin1() + ":"));
        QVERIFY(!ReleaseFiles::dearmor(key.armored).isEmpty());
    }

    // Whatever is wrong with a release, the copy in use stays as it was, with
    // nothing left beside it, and the user hears why.
    void failedUpdateLeavesTheExtractorInUse_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("said");
        QTest::newRow("signed with another key") << "other-key"
                                                 << "not signed";
        QTest::newRow("checksum differs") << "checksum"
                                          << "does not match";
        QTest::newRow("download cut short") << "truncated"
                                            << "cut short";
        QTest::newRow("file does not run") << "garbage"
                                           << "does not run";
        QTest::newRow("address answers a web page") << "web-page"
                                                    << "not signed";
        // A listed name that leads elsewhere is no entry for the program file.
        QTest::newRow("checksum names another file") << "other-name"
                                                     << "names no yt-dlp";
    }
    void failedUpdateLeavesTheExtractorInUse()
    {
        QFETCH(QString, fault);
        QFETCH(QString, said);
        const QByteArray previous = versionScript("2024.01.01");
        QVERIFY(writeFile(updatedCopy(), previous, true));

        // Would install and answer, were it not for the fault.
        QByteArray program = versionScript("2099.01.01");
        QByteArray listed = program;
        QTemporaryDir release;
        LoopbackHttpServer server;
        QVERIFY(server.listen());
        if (fault == "garbage")
            program = listed = QByteArray(4096, '\x07');
        if (fault == "checksum")
            listed = versionScript("2099.01.02");
        writeRelease(release.path(), program, listed, fault == "other-key" ? m_otherKey : m_key,
            fault == "other-name" ? "../yt-dlp" : "yt-dlp");
        server.routeFolder(release.path());
        if (fault == "truncated")
            server.routeTruncated("/yt-dlp", program.left(10), program.size(), "text/plain");
        if (fault == "web-page") {
            for (const QByteArray path : {"/SHA2-256SUMS", "/SHA2-256SUMS.sig", "/yt-dlp"})
                server.route(path, "<html><body>Moved</body></html>", "text/html");
        }

        const UpdateOutcome outcome = update(server.url("/").toString());
        QVERIFY(outcome.started);
        QVERIFY2(!outcome.ok && outcome.message.contains(said), qPrintable(outcome.message));
        QVERIFY(outcome.message.contains("unchanged"));
        QCOMPARE(readFile(updatedCopy()), previous);
        QCOMPARE(QDir(QFileInfo(updatedCopy()).path())
                     .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList {"yt-dlp"});
        QVERIFY(!QFile::exists(QFileInfo(updatedCopy()).path() + "/../yt-dlp"));
    }

    // Nothing is fetched while downloads run or from an address that is not safe.
    void updateRefusedBeforeAnythingIsFetched()
    {
        LoopbackHttpServer server;
        QVERIFY(server.listen());
        UpdateOutcome busy = update(server.url("/").toString(), [] { return 2; });
        QVERIFY2(!busy.started && busy.message.contains("(2)"), qPrintable(busy.message));
        const UpdateOutcome plain = update("http://releases.example.invalid/latest/");
        QVERIFY2(!plain.started && plain.message.contains("https"), qPrintable(plain.message));
        QVERIFY(server.requests().isEmpty());
    }

    // A verified release becomes the copy every start finds: the next
    // analysis is made by it.
    void updatedCopyRunsTheNextAnalysis()
    {
        if (m_currentRelease.isEmpty())
            QSKIP("the current release is not beside the source tree (../shared/extractor)");
        QVERIFY(writeFile(updatedCopy(), versionScript("2024.01.01"), true));
        const QByteArray program = readFile(m_currentRelease);
        QTemporaryDir release;
        writeRelease(release.path(), program, program, m_key);
        LoopbackHttpServer server;
        QVERIFY(server.listen());
        server.routeFolder(release.path());

        const UpdateOutcome outcome = update(server.url("/").toString());
        QVERIFY2(outcome.ok, qPrintable(outcome.message));
        QCOMPARE(outcome.version, QString("2026.08.19"));
        QCOMPARE(readFile(updatedCopy()), program);
        QCOMPARE(ToolProcess::resolveProgram("tool.exe", ToolProcess::defaultToolSearch()),
            updatedCopy());
        std::unique_ptr<ItemInfo> task(makeTask("plain"));
        task->url = m_media->plainMp4Url();
        QVERIFY(analyseTask(task.get()));
        QCOMPARE(task->title, QString("plain"));
    }

    // Which runtime counts: a supported version, in the extractor's order.
    void runtimeFinderTakesSupportedVersions()
    {
        // clang-format off
        const struct { QStringList runtimes; const char *found; } cases[] = {
            {{"node=v18.19.0"}, ""}, // Debian 12's own Node is too old
            {{"node=v18.19.0", "qjs=QuickJS version 2024-01-13"}, "quickjs 2024-01-13"},
            {{"qjs=QuickJS version 2021-03-27"}, ""},
            {{"deno=deno 1.46.3 (stable)", "nodejs=v20.11.1"}, "node 20.11.1"},
            {{"deno=deno 2.1.4 (stable, release)", "node=v22.3.0"}, "deno 2.1.4"},
        };
        // clang-format on
        for (const auto &c : cases) {
            QTemporaryDir dir;
            for (const QString &r : c.runtimes)
                writeFile(dir.filePath(r.section('=', 0, 0)),
                    "#!/bin/sh\necho '" + r.section('=', 1).toUtf8() + "'\n", true);
            const JsRuntime found = JsRuntimes::find({dir.path()});
            QCOMPARE(
                found.isEmpty() ? QString() : found.name + " " + found.version, QString(c.found));
        }
    }

    // A runtime beside the extractor is handed to an extractor that takes the
    // option and the runtime, never to an older one (whose runs the option
    // would end), nor once the file was replaced and not asked again.
    void runtimeHandedOnlyToExtractorsThatTakeIt()
    {
        if (m_currentRelease.isEmpty())
            QSKIP("the current release is not beside the source tree (../shared/extractor)");
        const QString python = QStandardPaths::findExecutable("python3", {"/usr/bin"});
        QTemporaryDir tool;
        ScopedCurrentDir cwd(tool.path());
        // Only the extractor's own folder: no runtime on PATH.
        ScopedEnv path("PATH", tool.path().toUtf8());
        // tool.exe notes its arguments and runs the real extractor.
        const auto install = [&](const QString &extractor) {
            writeFile(tool.filePath("tool.exe"),
                "#!/bin/sh\necho \"$@\" > " + tool.filePath("args").toUtf8() + "\nexec "
                    + extractor.toUtf8() + " \"$@\"\n",
                true);
        };
        const auto analyse = [&] {
            std::unique_ptr<ItemInfo> task(makeTask("plain"));
            task->url = m_media->plainMp4Url();
            return analyseTask(task.get()) ? QString::fromUtf8(readFile(tool.filePath("args")))
                                           : QString("analysis failed");
        };
        // The extractor only asks a runtime for its version on these runs, so
        // a stand-in serves where no real one is installed.
        const auto standInNode = [&](const QByteArray &version) {
            writeFile(tool.filePath("node"), "#!/bin/sh\necho v" + version + "\n", true);
        };
        const QString deno
            = qEnvironmentVariable("QUILLON_BINARY_DIR") + "/tools/node_modules/.bin/deno";
        if (QFileInfo(deno).isExecutable())
            QVERIFY(QFile::link(deno, tool.filePath("deno")));
        else
            standInNode("22.0.0");

        install(python + " " + m_currentRelease);
        ExtractorInfo info = ExtractorProbe::probe(ToolProcess::defaultToolSearch());
        QCOMPARE(info.version, QString("2026.08.19"));
        QCOMPARE(QFileInfo(info.usedRuntime().path).path(), tool.path());
        QVERIFY(analyse().startsWith("--js-runtimes " + info.runtime.optionValue() + " -j "));

        // Replaced by the 2023 package without a new probe, then probed.
        install("/usr/bin/yt-dlp");
        QVERIFY(analyse().startsWith("-j "));
        info = ExtractorProbe::probe(ToolProcess::defaultToolSearch());
        QVERIFY(!info.runtime.isEmpty() && info.usedRuntime().isEmpty());
        QVERIFY(analyse().startsWith("-j "));

        // A Node the current release finds too old is not handed over.
        QFile::remove(tool.filePath("deno"));
        standInNode("20.0.0");
        install(python + " " + m_currentRelease);
        info = ExtractorProbe::probe(ToolProcess::defaultToolSearch());
        QVERIFY(info.usedRuntime().isEmpty() && info.refused.name == "node");
        QVERIFY(analyse().startsWith("-j "));

        // No runtime anywhere: nothing to hand over.
        QFile::remove(tool.filePath("node"));
        info = ExtractorProbe::probe(ToolProcess::defaultToolSearch());
        QVERIFY(info.takesJsRuntimes() && info.runtime.isEmpty() && info.refused.isEmpty());
        QVERIFY(analyse().startsWith("-j "));
    }

    // The menu entry runs the update and the About page follows the new copy.
    void menuEntryUpdatesWhatTheAboutPageShows()
    {
        QTemporaryDir release;
        writeRelease(
            release.path(), versionScript("2099.01.01"), versionScript("2099.01.01"), m_key);
        LoopbackHttpServer server;
        QVERIFY(server.listen());
        server.routeFolder(release.path());
        ScriptedDialogs dialogs;
        MainWindow w;
        w.extractorUpdate()->setReleaseAddress(server.url("/").toString());
        w.extractorUpdate()->setTrustedKey({m_key.armored, m_key.fingerprint});
        QMenu *menu = w.findChild<QMenuButton *>("pushButton_xiala")->menu();
        QAction *entry = nullptr;
        for (QAction *a : menu->actions())
            entry = a->text() == "Update extractor" || a->text() == "更新解析组件" ? a : entry;
        QVERIFY(entry);
        entry->trigger();
        auto *about = w.findChild<QLabel *>("label_extractor");
        QTRY_VERIFY_WITH_TIMEOUT(about->text().contains("2099.01.01"), 60000);
        QVERIFY(about->text().contains(updatedCopy()));
        QCOMPARE(dialogs.calls.size(), 1);
        QCOMPARE(dialogs.calls[0].kind, QString("information"));
        QVERIFY(dialogs.calls[0].text.contains("2099.01.01"));
    }
};

QUILLON_TEST_MAIN(TestExtractorInUse)
#include "tst_extractorinuse.moc"
