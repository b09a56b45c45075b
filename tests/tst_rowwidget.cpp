#include "support/taskfactory.h"
#include "support/testmain.h"

#include "downloads/itemwidget.h"
#include "downloads/rowupdate.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <memory>

// A row shows its task by its status.
class TestRowWidget : public QObject
{
    Q_OBJECT

private slots:
    void rowFollowsTheStatus_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("active");
        // Status word, percent text, progress bar, busy animation, play button.
        QTest::addColumn<QString>("shown");
        QTest::newRow("waiting for analysis") << 0 << true << "Queuing 0";
        QTest::newRow("analysing") << 1 << true << "Analysing 0 busy";
        QTest::newRow("queued") << 2 << true << "Queuing 0% 0";
        QTest::newRow("downloading") << 4 << true << "Downloading 45.3% 45 busy";
        QTest::newRow("finished") << 6 << true << "Finished 100% 100 play";
        QTest::newRow("failed") << 7 << true << "Download Failed 0% 0";
        QTest::newRow("analysis failed") << 8 << true << "Download Failed 0";
        QTest::newRow("paused download") << 4 << false << "Pause 45.3% 45 busy";
    }

    void rowFollowsTheStatus()
    {
        QFETCH(int, status);
        QFETCH(bool, active);
        QFETCH(QString, shown);
        std::unique_ptr<ItemInfo> t(makeTask("row", status));
        t->title = "A   title\twith  blanks";
        t->active = active;
        t->duration = 3725;
        t->process = 45;
        t->process_string = "45.3%";
        itemWidget row;
        applyTaskToRow(*t, &row);
        auto label = [&](const char *name) { return row.findChild<QLabel *>(name)->text(); };
        const QStringList actual {label("label_status"), label("label_percent"),
            QString::number(row.findChild<QProgressBar *>()->value()),
            row.findChild<QLabel *>("label_xunhuan")->isVisibleTo(&row) ? "busy" : "",
            row.findChild<QPushButton *>("pushButton")->isVisibleTo(&row) ? "play" : ""};
        QCOMPARE(actual.join(' ').simplified(), shown);
        // Until the analysis gave a title the link is all there is to show.
        QCOMPARE(label("label_name"), status <= 1 || status == 8 ? t->url : "A title with blanks");
        QCOMPARE(label("label_time"), QString("01:02:05"));
    }
};

QUILLON_TEST_MAIN(TestRowWidget)
#include "tst_rowwidget.moc"
