#include "support/extractorrun.h"
#include "support/loopbackhttpserver.h"
#include "support/mediafixture.h"
#include "support/scopedenv.h"
#include "support/scripteddialogs.h"
#include "support/taskruns.h"
#include "support/testfiles.h"
#include "support/testmain.h"

#include "base/appfolders.h"
#include "base/settingscontroller.h"
#include "extractor/commandcheck.h"
#include "extractor/cookieoptions.h"
#include "ui/mainwindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <memory>

namespace {

// The cookie a member of the test site signs in with.
const QByteArray kCookieName = "member";
const QByteArray kSecret = "s3cret-7f3a9c";

QStringList g_printed; // every debug print while the tests run

void keepPrint(QtMsgType, const QMessageLogContext &, const QString &text)
{
    g_printed << text;
}

QByteArray netscapeFile(const QByteArray &value)
{
    return "# Netscape HTTP Cookie File\n127.0.0.1\tFALSE\t/\tFALSE\t4102444800\t" + kCookieName
        + '\t' + value + '\n';
}

// A browser profile as the browser leaves it: profiles.ini naming the
// profile folder, whose cookies.sqlite holds the site's cookie.
bool makeFirefoxProfile(const QString &home, const QString &profile)
{
    const QString root = home + "/.mozilla/firefox/";
    if (!writeFile(root + "profiles.ini",
            "[Profile0]\nName=default-release\nIsRelative=1\nPath=" + profile.toUtf8()
                + "\nDefault=1\n\n[General]\nStartWithLastProfile=1\nVersion=2\n"))
        return false;
    QDir().mkpath(root + profile);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "firefox-profile");
        db.setDatabaseName(root + profile + "/cookies.sqlite");
        QSqlQuery q(db);
        ok = db.open()
            && q.exec("CREATE TABLE moz_cookies (id INTEGER PRIMARY KEY, originAttributes TEXT "
                      "NOT NULL DEFAULT '', name TEXT, value TEXT, host TEXT, path TEXT, expiry "
                      "INTEGER, isSecure INTEGER)")
            && q.exec(
                "INSERT INTO moz_cookies (name, value, host, path, expiry, isSecure) VALUES ('"
                + kCookieName + "', '" + kSecret + "', '127.0.0.1', '/', 4102444800, 0)");
        db.close();
    }
    QSqlDatabase::removeDatabase("firefox-profile");
    return ok;
}

} // namespace

// Videos behind a sign-in, with the real extractor against a site on 127.0.0.1 that serves its clip
// only to a request carrying the member's cookie.
class TestSignInCookies : public QObject
{
    Q_OBJECT

    std::unique_ptr<MediaFixture> m_media;
    LoopbackHttpServer m_site;
    QByteArray m_clip;
    std::unique_ptr<MainWindow> m_window;
    QTemporaryDir m_area;
    int m_tasks = 0;

    DownloadListController *list() const { return m_window->downloadList(); }

    // Chooses on the settings page and saves, as the user does: "" for
    // none, a browser's label and its profile, or "file" and the file.
    void choose(ScriptedDialogs &dialogs, const QString &what, const QString &detail = QString())
    {
        auto *combo = m_window->findChild<QComboBox *>("comboBox_cookies");
        const bool file = what == "file";
        combo->setCurrentIndex(
            what.isEmpty() ? 0 : (file ? combo->count() - 1 : combo->findText(what)));
        if (file) {
            dialogs.paths << detail;
            m_window->on_pushButton_cookiefile_clicked();
        } else {
            m_window->findChild<QLineEdit *>("lineEdit_cookieprofile")->setText(detail);
        }
        m_window->on_pushButton_setting_clicked();
    }

    // Queues the members' clip, at a link of its own.
    ItemInfo *fetchClip()
    {
        const QString tag = QString::number(++m_tasks);
        m_site.route("/members/" + tag.toUtf8() + ".mp4", m_clip, "video/mp4");
        ItemInfo *t = makeLinkTask(
            m_site.url("/members/" + tag + ".mp4").toString(), 0, m_area.filePath(tag));
        list()->addTask(t);
        list()->runScheduler();
        return t;
    }
    static bool settled(ItemInfo *t) { return waitSettled({t}, 90000); }

    static int cookieMessages(const ScriptedDialogs &dialogs)
    {
        int n = 0;
        for (const ScriptedDialogs::Call &c : dialogs.calls)
            n += c.kind == "warning" && c.title == CookieFailure::title() ? 1 : 0;
        return n;
    }

private slots:
    void initTestCase()
    {
        m_media = std::make_unique<MediaFixture>();
        QVERIFY2(m_media->isReady(), qPrintable(m_media->errorString()));
        QVERIFY(m_site.listen());
        m_clip = readFile(m_media->folder() + "/plain.mp4");
        m_site.setRequiredCookie(kCookieName + '=' + kSecret);
        m_window = std::make_unique<MainWindow>();
        qInstallMessageHandler(keepPrint);
    }

    void cleanupTestCase()
    {
        qInstallMessageHandler(nullptr);
        m_window.reset();
    }

    // The choice survives a restart and reaches a run as arguments of its
    // own, each one argument whatever it holds; a file is handed over as a
    // private copy the run may rewrite, removed when the run ends. Stored
    // command texts never carry these options.
    void choiceReachesEachRunOnItsOwn()
    {
        QUILLON_ONE_EXTRACTOR_IS_ENOUGH();
        QTemporaryDir dir;
        const QString user = dir.filePath("my \"cookies\" $HOME 100%/cookies.txt");
        QVERIFY(writeFile(user, netscapeFile(kSecret)));
        // Prints its arguments; shows and rewrites the cookies file it is given.
        QVERIFY(writeFile(dir.filePath("bin/tool.exe"),
            "#!/bin/sh\nfor a in \"$@\"; do echo \"[$a]\"; done\n"
            "while [ $# -gt 0 ]; do if [ \"$1\" = --cookies ]; then echo \"copy=$2\"; "
            "cat \"$2\"; echo rewritten > \"$2\"; fi; shift; done\n",
            true));
        const ScopedEnv path("PATH", dir.filePath("bin").toUtf8() + ':' + qgetenv("PATH"));
        const QString settings = dir.filePath("setting.ini");

        SettingsStore::GeneralSettings values;
        values.cookies = {1, "firefox", "work \"a\" $HOME:x", QString()};
        SettingsController(settings).saveGeneral(values);
        QCOMPARE(SettingsController(settings).general().cookies.profile, values.cookies.profile);
        QByteArray out = runExtractor("tool.exe -j http://127.0.0.1:9/v").output;
        QVERIFY2(out.contains("\n[--cookies-from-browser]\n[firefox:work \"a\" $HOME:x]\n"),
            out.constData());

        values.cookies = {2, QString(), QString(), user};
        SettingsController(settings).saveGeneral(values);
        QCOMPARE(SettingsController(settings).general().cookies.file, user);
        out = runExtractor("tool.exe -j http://127.0.0.1:9/v").output;
        const QString copy = QString::fromUtf8(out).section("copy=", 1).section('\n', 0, 0);
        QVERIFY2(out.contains("[--cookies]\n[" + copy.toUtf8() + "]\n") && copy != user,
            out.constData());
        QVERIFY(out.contains(netscapeFile(kSecret)));
        QCOMPARE(readFile(user), netscapeFile(kSecret));
        QTRY_VERIFY(!QFile::exists(copy));

        // A damaged row holds no choice; "none" adds nothing.
        for (const char *row : {"cookiesource=2\ncookiesbrowser=firefox", // no file
                 "cookiesource=1\ncookiesbrowser=--exec"}) { // no such browser
            const QString damaged = dir.filePath(QString::number(qHash(row)) + ".ini");
            QVERIFY(writeFile(damaged, "[setting]\n" + QByteArray(row) + '\n'));
            QCOMPARE(SettingsController(damaged).general().cookies.source, 0);
        }
        QVERIFY(!runExtractor("tool.exe -j http://127.0.0.1:9/v").output.contains("cookies"));

        for (const char *stored : {"tool.exe -j http://a.example/v --cookies /tmp/c.txt",
                 "tool.exe -j http://a.example/v --cookies-from-browser firefox"}) {
            QVERIFY(!isOwnCommand(stored, nullptr, CommandUse::Stored));
            QVERIFY(!isOwnCommand(stored, nullptr, CommandUse::Start));
        }
    }

    // The extractor's words for cookies it could not read, as both releases
    // print them; a title that happens to hold such words is not one.
    void unreadableCookiesRecognised()
    {
        QUILLON_ONE_EXTRACTOR_IS_ENOUGH();
        // clang-format off
        const struct { const char *line; CookieFailure::Kind kind; } cases[] = {
            {"FileNotFoundError: could not find firefox cookies database in /h/.mozilla/firefox", CookieFailure::NotFound},
            {"ERROR: could not find chrome cookies database in \"/h/.config/google-chrome\"", CookieFailure::NotFound},
            {"yt-dlp: error: unsupported browser specified for cookies: \"whale\".", CookieFailure::Unsupported},
            {"ERROR: Could not copy Chrome cookie database. See  https://x/7271  for more info", CookieFailure::Locked},
            {"sqlite3.OperationalError: database is locked", CookieFailure::Locked},
            {"ERROR: failed to read from keyring", CookieFailure::Keyring},
            {"WARNING: cannot decrypt v11 cookies: no key found", CookieFailure::Keyring},
            {"ERROR: 'c.txt' does not look like a Netscape format cookies file", CookieFailure::BadFile},
            {"[download] Destination: /v/keyring database is locked.mp4", CookieFailure::None},
            {"{\"title\": \"could not find firefox cookies database\"}", CookieFailure::None},
            {"ERROR: [generic] Unable to download webpage: HTTP Error 403: Forbidden", CookieFailure::None},
        };
        // clang-format on
        for (const auto &c : cases)
            QVERIFY2(CookieFailure::inLine(c.line) == c.kind, c.line);
    }

    // Without cookies the members' clip fails; with a cookies file or the
    // browser's profile it is downloaded, the user's file untouched. A
    // browser or file that cannot be read fails with that reason in the row
    // and in one message. No cookie reaches a debug print or the database.
    void signIn()
    {
        ScriptedDialogs dialogs;
        g_printed.clear();

        choose(dialogs, QString());
        ItemInfo *t = fetchClip();
        QVERIFY(settled(t));
        QCOMPARE(t->process_status, int(TaskStatus::AnalysisFailed));
        // A refused page is no cookie failure; the extractor's own advice to
        // update may stand in the row instead.
        QVERIFY2(rowStatusText(*t) == TaskStatus::downloadFailed()
                || rowStatusText(*t) == TaskStatus::failedUpdateExtractor(),
            qPrintable(rowStatusText(*t)));

        const QString user = m_area.filePath("exported/cookies.txt");
        QVERIFY(writeFile(user, netscapeFile(kSecret)));
        choose(dialogs, "file", user);
        t = fetchClip();
        QVERIFY(settled(t));
        QCOMPARE(t->process_status, int(TaskStatus::Finished));
        QCOMPARE(readFile(user), netscapeFile(kSecret));
        QVERIFY(QDir(AppFolders::locate().cookiesDir).isEmpty(QDir::Files | QDir::Hidden));

        QTemporaryDir home;
        const ScopedEnv homeEnv("HOME", home.path().toUtf8());
        QVERIFY(makeFirefoxProfile(home.path(), "k3x9.default-release"));
        choose(dialogs, "Firefox", "k3x9.default-release");
        t = fetchClip();
        QVERIFY(settled(t));
        QCOMPARE(t->process_status, int(TaskStatus::Finished));

        // Two tasks hit by one cause: both rows say so, one message tells.
        QCOMPARE(cookieMessages(dialogs), 0);
        choose(dialogs, "Firefox", "no-such-profile");
        const QList<ItemInfo *> failing = {fetchClip(), fetchClip()};
        for (ItemInfo *f : failing) {
            QVERIFY(settled(f));
            QCOMPARE(f->cookieFailure, int(CookieFailure::NotFound));
            QCOMPARE(rowStatusText(*f), CookieFailure::rowText());
        }
        QCOMPARE(cookieMessages(dialogs), 1);
        QVERIFY(dialogs.calls.last().text.contains("no-such-profile"));

        // The chosen file is gone by the time the run starts.
        choose(dialogs, "file", user);
        QVERIFY(QFile::remove(user));
        t = fetchClip();
        QVERIFY(settled(t));
        QCOMPARE(t->cookieFailure, int(CookieFailure::Unreadable));
        QCOMPARE(cookieMessages(dialogs), 2);
        choose(dialogs, QString());

        for (const QString &line : qAsConst(g_printed))
            QVERIFY2(!line.contains(kSecret), qPrintable(line));
        QVERIFY(!readFile(list()->database()->databasePath()).contains(kSecret));
    }
};

QUILLON_TEST_MAIN(TestSignInCookies)
#include "tst_signincookies.moc"
