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
    void rowFollowsTheStatus()
    {
        // Status word, percent text, progress bar, busy animation, play button.
        // clang-format off
        const struct { int status; bool active; const char *shown; } cases[] = {
            {0, true, "Queuing 0"},                      // waiting for analysis
            {1, true, "Analysing 0 busy"},
            {2, true, "Queuing 0% 0"},                   // queued for download
            {4, true, "Downloading 45.3% 45 busy"},
            {6, true, "Finished 100% 100 play"},
            {7, true, "Download Failed 0% 0"},
            {8, true, "Download Failed 0"},              // analysis failed
            {4, false, "Pause 45.3% 45 busy"}};
        // clang-format on
        for (const auto &c : cases) {
            std::unique_ptr<ItemInfo> t(makeTask("row", c.status));
            t->title = "A   title\twith  blanks";
            t->active = c.active;
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
            QCOMPARE(actual.join(' ').simplified(), QString(c.shown));
            // Until the analysis gave a title the link is all there is to show.
            QCOMPARE(label("label_name"),
                c.status <= 1 || c.status == 8 ? t->url : "A title with blanks");
            QCOMPARE(label("label_time"), QString("01:02:05"));
        }
    }
};

QUILLON_TEST_MAIN(TestRowWidget)
#include "tst_rowwidget.moc"
