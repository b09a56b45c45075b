#include "support/mediafixture.h"
#include "support/scripteddialogs.h"
#include "support/testmain.h"

#include "base/settingscontroller.h"
#include "downloads/downloadlistcontroller.h"
#include "intake/form.h"
#include "intake/linkintake.h"
#include "intake/listdialog.h"
#include "intake/playlistrows.h"
#include "intake/singledialog.h"
#include "network/proxycontroller.h"
#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"
#include "ui/mainwindow.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <functional>
#include <memory>

// Paste to file with the real window, the real dialogs driven through their
// widgets, and the real extractor and ffmpeg on media served on 127.0.0.1.
class TestIntakeFlow : public QObject
{
    Q_OBJECT

    std::unique_ptr<MediaFixture> m_media;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    QStringList m_opened; // dialogs the paste opened, in order

    const QList<ItemInfo *> &tasks() const { return m_window->downloadList()->tasks(); }

    // Presses paste with text on the clipboard; act answers the dialog that
    // opens (it is given the dialog once it has something to show). A dialog
    // that act left open (a failed check returns early) is closed, so a
    // failure ends the test instead of leaving it waiting in the dialog.
    void paste(const QString &text, std::function<void(QDialog *)> act = {})
    {
        QApplication::clipboard()->setText(text);
        auto *poll = new QTimer(this);
        QElapsedTimer waited;
        waited.start();
        connect(poll, &QTimer::timeout, this, [=]() mutable {
            QDialog *open = nullptr;
            auto *single = m_window->findChild<SingleDialog *>();
            auto *list = m_window->findChild<ListDialog *>();
            if (single->isVisible()
                && (single->findChild<QTableWidget *>()->rowCount() > 0
                    || waited.elapsed() > 30000))
                open = single;
            else if (list->isVisible() && (list->entries().size() > 0 || waited.elapsed() > 30000))
                open = list;
            if (!open)
                return;
            // Stopped, not deleted: act may wait, and waiting deletes what
            // is marked for deletion, this timer with the running slot too.
            poll->stop();
            m_opened << open->metaObject()->className();
            if (act)
                act(open);
            if (open->isVisible())
                open->reject();
        });
        poll->start(50);
        m_window->findChild<QPushButton *>("pushButton_paste")->click();
        delete poll;
    }

    template<typename T> static T *child(QDialog *d, const char *name)
    {
        return d->findChild<T *>(QString::fromLatin1(name));
    }

    // Every task finishes with a 360p video and sound.
    void finishAt360(const QList<ItemInfo *> &queued)
    {
        for (ItemInfo *t : queued)
            QTRY_VERIFY_WITH_TIMEOUT(t->process_status >= TaskStatus::Finished, 90000);
        for (ItemInfo *t : queued) {
            QCOMPARE(t->process_status, int(TaskStatus::Finished));
            QCOMPARE(MediaFixture::streams(t->renametargetPath), QString("audio video,360"));
        }
    }

private slots:
    void initTestCase()
    {
        m_media = std::make_unique<MediaFixture>();
        QVERIFY2(m_media->isReady(), qPrintable(m_media->errorString()));
        // A playlist link: a feed of two entries that are the DASH manifest;
        // and one whose entries have no title: the manifest and a dead link.
        const QString dash = m_media->dashUrl();
        const QString list
            = m_media->feed("playlist", {{"Entry 1", dash + "?n=1"}, {"Entry 2", dash + "?n=2"}});
        const QString untitled
            = m_media->feed("channel/untitled", {{"", dash + "?u=1"}, {"", m_media->missingUrl()}});
        QVERIFY(!list.isEmpty() && !untitled.isEmpty());
        // The direct connection is found at once on loopback.
        qputenv("QUILLON_PROBE_URL", m_media->plainMp4Url().toUtf8());
        qputenv("QUILLON_KEEPALIVE_URL", m_media->plainMp4Url().toUtf8());
        m_dialogs = std::make_unique<ScriptedDialogs>();
        // Where the program runs: beside its translations.
        QDir::setCurrent(qEnvironmentVariable("QUILLON_BINARY_DIR"));
        m_window = std::make_unique<MainWindow>();
        // The cases read English texts, whichever of them run.
        m_window->changeEnglishlanguage();
        m_window->show();
        // Before the proxy is known the clipboard is not read.
        paste(m_media->dashUrl());
        QCOMPARE(m_dialogs->calls.size(), 1);
        QCOMPARE(m_dialogs->calls[0].kind, QString("information"));
        QTRY_COMPARE_WITH_TIMEOUT(m_window->proxy()->port(), 0, 30000);
    }

    void cleanupTestCase()
    {
        m_window.reset();
        m_dialogs.reset();
    }

    // Hostile or broken clipboard texts are refused before anything runs.
    void refusedPastes()
    {
        QUILLON_ONE_EXTRACTOR_IS_ENOUGH();
        auto refused = [this](const QString &text, const QString &kind) {
            m_dialogs->calls.clear();
            paste(text);
            QCOMPARE(m_dialogs->calls.size(), 1);
            QCOMPARE(m_dialogs->calls[0].kind, kind);
        };
        const QString marker = QDir::temp().filePath("quillon-intake-marker");
        QFile::remove(marker);
        const QString link = m_media->plainMp4Url();
        const QStringList texts = {link + " --exec \"touch " + marker + "\"",
            "\"" + link + "\" -o /tmp/x", link + "\t--exec touch " + marker, "file:///etc/passwd",
            "-" + link, "--config-location=" + marker, "https://"};
        for (const QString &text : texts)
            refused(text, "warning");
        QVERIFY(m_opened.isEmpty());
        QVERIFY(tasks().isEmpty());
        QVERIFY(!QFile::exists(marker));
    }

    // A link that names a video and a list asks, in the interface language;
    // closing either dialog queues nothing.
    void listQuestionAndClosedDialogs()
    {
        QUILLON_ONE_EXTRACTOR_IS_ENOUGH();
        m_window->changeEnglishlanguage();
        m_dialogs->calls.clear();
        m_dialogs->answers << QMessageBox::No << QMessageBox::Yes;
        paste(m_media->dashUrl() + "?list=L&v=1");
        paste(m_media->dashUrl() + "?list=L&v=1");
        QVERIFY(m_dialogs->calls.value(0).text.startsWith("The link also names a playlist"));
        QCOMPARE(m_opened, QStringList({"SingleDialog", "ListDialog"}));
        QVERIFY(tasks().isEmpty());
        m_opened.clear();
    }

    // Paste of a single link: the AVC1 row is pre-selected, download gives a
    // finished task whose file is that height with sound.
    void singleVideo()
    {
        paste("  " + m_media->dashUrl() + "\n", [](QDialog *d) {
            auto *table = child<QTableWidget>(d, "tableWidget");
            QCOMPARE(table->rowCount(), 3);
            QVERIFY(table->item(table->currentRow(), 9)->text().contains("AVC1"));
            QCOMPARE(table->item(table->currentRow(), 4)->text(), QString("640x360"));
            child<QPushButton>(d, "pushButton_6")->click();
        });
        QCOMPARE(m_opened, QStringList({"SingleDialog"}));
        QCOMPARE(tasks().size(), 1);
        finishAt360(tasks());
    }

    // Paste of a playlist link: entries listed with the first ticked; both
    // ticked with a quality picked, every entry ends at that quality.
    void playlist()
    {
        const int before = tasks().size();
        paste(m_media->url("playlist?list=L"), [](QDialog *d) {
            auto *list = qobject_cast<ListDialog *>(d);
            QVERIFY2(list,
                qPrintable(QString("the playlist link opened ") + d->metaObject()->className()
                    + " instead of the playlist dialog"));
            QCOMPARE(list->entries().size(), 2);
            QVERIFY(list->rows()->rowFor(0)->isChecked());
            QVERIFY(!list->rows()->rowFor(1)->isChecked());
            QTest::mouseClick(list->rows()->rowFor(1), Qt::LeftButton);
            auto *quality = child<QComboBox>(d, "comboBox_video");
            quality->setCurrentIndex(quality->findText(" SD 360P"));
            child<QPushButton>(d, "pushButton")->click();
        });
        const QList<ItemInfo *> queued = tasks().mid(before);
        QCOMPARE(queued.size(), 2);
        QCOMPARE(queued[1]->title, QString("Entry 2"));
        finishAt360(queued);
    }

    // Entries listed without a title get theirs looked up while the dialog
    // is open; a lookup that fails says so instead of leaving the row blank.
    void untitledEntriesAreLookedUp()
    {
        paste(m_media->url("channel/untitled"), [](QDialog *d) {
            auto *list = qobject_cast<ListDialog *>(d);
            QVERIFY2(list, "the playlist link did not open the playlist dialog");
            QCOMPARE(list->entries().size(), 2);
            const auto titled = [list] {
                return !list->entries()[0].title.isEmpty() && !list->entries()[1].title.isEmpty();
            };
            QVERIFY2(QTest::qWaitFor(titled, 60000), "the titles were not looked up");
            QCOMPARE(list->rows()->rowFor(0)->title() + '|' + list->rows()->rowFor(1)->title(),
                QString("manifest|Parsing failture"));
        });
        QCOMPARE(m_opened.takeLast(), QString("ListDialog"));
    }
    // One-key mode set through its page: a batch file and a dropped file of
    // links queue without any dialog, in file order, and finish in the
    // one-key folder at the one-key quality; the choices survive a restart,
    // and OK with the switch off stops applying them.
    void oneKeyBatch()
    {
        QTemporaryDir folder;
        m_window->findChild<QPushButton *>("pushButton_onekey")->click();
        m_window->findChild<QComboBox *>("comboBox_4")->setCurrentIndex(8); // " SD 360P"
        m_dialogs->paths << folder.path();
        m_window->findChild<QPushButton *>("pushButton_5")->click();
        m_window->findChild<QCheckBox *>("checkBox")->click();
        m_window->findChild<QPushButton *>("pushButton_onekey_ok")->click();

        const QString file = folder.filePath("links.txt");
        QFile links(file);
        QVERIFY(links.open(QIODevice::WriteOnly));
        for (const char *n : {"a", "b", "c"})
            links.write((m_media->dashUrl() + "?k=" + n + (n[0] == 'c' ? "" : "\r\n")).toUtf8());
        links.close();
        const int before = tasks().size();
        m_opened.clear();
        m_dialogs->paths << file;
        m_window->findChild<QPushButton *>("pushButton_3")->click();
        QMimeData drop;
        drop.setUrls({QUrl::fromLocalFile(file)});
        QDropEvent event(QPointF(50, 50), Qt::CopyAction, &drop, Qt::LeftButton, Qt::NoModifier);
        // As the window system delivers a drop: straight to the handler.
        struct DropTarget : MainWindow
        {
            using MainWindow::dropEvent;
        };
        (m_window.get()->*(&DropTarget::dropEvent))(&event);
        const QList<ItemInfo *> queued = tasks().mid(before);
        QCOMPARE(queued.size(), 6);
        QVERIFY(m_opened.isEmpty());
        QVERIFY(queued[2]->url.endsWith("?k=c") && queued[5]->url.endsWith("?k=c"));
        finishAt360(queued.mid(0, 3));
        for (ItemInfo *t : queued.mid(0, 3))
            QVERIFY(t->renametargetPath.startsWith(folder.path()));

        // Several lines on the clipboard are several links.
        const int pasted = tasks().size();
        paste(m_media->missingUrl() + "?1\n" + m_media->missingUrl() + "?2\r\n"
            + m_media->missingUrl() + "?3\n");
        QCOMPARE(tasks().size(), pasted + 3);
        QVERIFY(m_opened.isEmpty());

        m_window.reset();
        m_window = std::make_unique<MainWindow>();
        QVERIFY(!m_window->intake()->oneKeyOn());
        QTRY_VERIFY(m_window->intake()->oneKeyOn());
        QCOMPARE(m_window->intake()->oneKey().quality, 8);
        QCOMPARE(m_window->findChild<QComboBox *>("comboBox_3")->currentText(), folder.path());
        m_window->findChild<QCheckBox *>("checkBox")->click();
        m_window->findChild<QPushButton *>("pushButton_onekey_ok")->click();
        QCOMPARE(m_window->intake()->oneKey().quality, -1);
        QCOMPARE(m_window->settings()->storedOneKey().videoquality, 8);
        QVERIFY(!m_window->settings()->storedOneKey().onekey);
    }
};

QUILLON_TEST_MAIN(TestIntakeFlow)
#include "tst_intakeflow.moc"
