#include "support/testmain.h"

#include "extractor/progressparser.h"
#include "tasks/iteminfo.h"

class TestProgressParser : public QObject
{
    Q_OBJECT

private slots:
    void progressLines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("process");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("eta");

        QTest::newRow("plain") << "[download]  45.3% of   10.00MiB at    1.00MiB/s ETA 00:05" << 45 << "45.3%"
                               << "10.00MiB" << "1.00MiB/s" << "00:05";
        QTest::newRow("truncated, not rounded") << "[download]  99.9% of 10.00MiB at 2.00MiB/s ETA 00:00" << 99
                                                << "99.9%" << "10.00MiB" << "2.00MiB/s" << "00:00";
        QTest::newRow("estimated size of fragments")
            << "[download]  25.0% of ~   3.26KiB at  192.14KiB/s ETA 00:00 (frag 0/4)" << 25 << "25.0%"
            << "~3.26KiB" << "192.14KiB/s" << "00:00";
        QTest::newRow("nothing known yet") << "[download]   0.0% of   36.91KiB at  Unknown B/s ETA Unknown" << 0
                                           << "0.0%" << "36.91KiB" << "Unknown B/s" << "Unknown";
        QTest::newRow("hours left") << "[download]   1.5% of    1.20GiB at  512.00KiB/s ETA 40:54:10" << 1
                                    << "1.5%" << "1.20GiB" << "512.00KiB/s" << "40:54:10";
        QTest::newRow("100.0 is a progress line") << "[download] 100.0% of ~ 114.26KiB at 9.77MiB/s ETA 00:00 (frag 3/4)"
                                                  << 100 << "100.0%" << "~114.26KiB" << "9.77MiB/s" << "00:00";
        QTest::newRow("estimate above 100") << "[download] 104.2% of ~ 3.00KiB at 1.00MiB/s ETA 00:00 (frag 4/4)"
                                            << 100 << "104.2%" << "~3.00KiB" << "1.00MiB/s" << "00:00";
        QTest::newRow("windows line end") << "[download]  50.0% of 2.00MiB at 1.00MiB/s ETA 00:01\r" << 50 << "50.0%"
                                          << "2.00MiB" << "1.00MiB/s" << "00:01";
    }

    void progressLines()
    {
        QFETCH(QString, line);
        QFETCH(int, process);
        QFETCH(QString, percent);
        QFETCH(QString, size);
        QFETCH(QString, rate);
        QFETCH(QString, eta);

        ItemInfo t;
        t.process_status = 2;
        parseProgressLine(&t, line);
        QCOMPARE(t.process, process);
        QCOMPARE(t.process_string, percent);
        QCOMPARE(t.qfilesize, size);
        QCOMPARE(t.rate, rate);
        QCOMPARE(t.eta, eta);
        QCOMPARE(t.process_status, 4);
    }

    void statusByFirstWord_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::newRow("destination") << "[download] Destination: /v/a.f1.mp4" << 4;
        QTest::newRow("lone download") << "[download]" << 4;
        QTest::newRow("hls") << "[hlsnative] Downloading m3u8 manifest" << 4;
        QTest::newRow("error") << "ERROR: [generic] Unable to download webpage: HTTP Error 404" << 7;
        QTest::newRow("ffmpeg") << "[ffmpeg] Converting video from mp4 to mkv" << 5;
        QTest::newRow("deleting") << "Deleting original file /v/a.f1.mp4 (pass -k to keep)" << 4;
        QTest::newRow("merger") << "[Merger] Merging formats into \"/v/a.mp4\"" << 3;
        QTest::newRow("info") << "[info] manifest: Downloading 1 format(s): 1+2" << 3;
        QTest::newRow("warning") << "WARNING: [generic] Falling back on generic information extractor" << 3;
        QTest::newRow("case matters") << "error: lower case" << 3;
        // Read per line, the "Aborting." that ends a download line is seen.
        QTest::newRow("aborting") << "[download] Got error: timed out. Aborting." << 7;
        QTest::newRow("aborting elsewhere") << "[download] Aborting. soon" << 4;
    }

    void statusByFirstWord()
    {
        QFETCH(QString, line);
        QFETCH(int, status);
        ItemInfo t;
        t.process = 37;
        t.process_string = "37.0%";
        t.rate = "1.00MiB/s";
        parseProgressLine(&t, line);
        QCOMPARE(t.process_status, status);
        QCOMPARE(t.process, 37);
        QCOMPARE(t.process_string, QString("37.0%"));
        QCOMPARE(t.rate, QString("1.00MiB/s"));
    }

    void fileCompleteLines()
    {
        ItemInfo t;
        parseProgressLine(&t, "[download]  62.5% of 10.00MiB at 1.00MiB/s ETA 00:05");
        // The closing line moves only the percent; the row keeps the figures
        // of the last progress line.
        parseProgressLine(&t, "[download] 100% of   10.00MiB in 00:00:05 at 2.00MiB/s");
        QCOMPARE(t.process, 100);
        QCOMPARE(t.process_string, QString("62.5%"));
        QCOMPARE(t.rate, QString("1.00MiB/s"));
        QCOMPARE(t.eta, QString("00:05"));
        QCOMPARE(t.qfilesize, QString("10.00MiB"));

        // A second download of an existing file prints only this; it is done.
        ItemInfo again;
        parseProgressLine(&again, "[download] /home/u/V//20200131manifest.mp4 has already been downloaded");
        QCOMPARE(again.process, 100);
        QCOMPARE(again.process_status, 4);
        ItemInfo merged;
        parseProgressLine(&merged, "[download] /v/a.mp4 has already been downloaded and merged");
        QCOMPARE(merged.process, 100);

        // A path with "%" in it is not a percent figure.
        ItemInfo percentPath;
        parseProgressLine(&percentPath, "[download] /home/u/50%/a.mp4 has already been downloaded");
        QCOMPARE(percentPath.process, 100);
        QVERIFY(percentPath.process_string.isEmpty());
        QVERIFY(percentPath.qfilesize.isEmpty());
        ItemInfo destination;
        parseProgressLine(&destination, "[download] 100%/a.mp4 Destination");
        QCOMPARE(destination.process, 0);
    }

    void blankInputChangesNothing()
    {
        ItemInfo t;
        t.process_status = 4;
        t.process = 12;
        ProgressParser parser;
        parser.feed(&t, "   \n\n\r\n \t \n");
        parser.flush(&t);
        QCOMPARE(t.process_status, 4);
        QCOMPARE(t.process, 12);
    }

    void chunksOfSeveralLinesAreNotGlued()
    {
        // One read that holds several lines and ends inside one.
        ItemInfo t;
        ProgressParser parser;
        parser.feed(&t, "[download]  10.0% of 1.00MiB at 1.00MiB/s ETA 00:05\n"
                        "[download]  20.0% of 1.00MiB at 2.00MiB/s ETA 00:04\n"
                        "[download]  30.0% of 1.00M");
        QCOMPARE(t.process, 20);
        QCOMPARE(t.eta, QString("00:04"));
        QCOMPARE(t.rate, QString("2.00MiB/s"));
        parser.feed(&t, "iB at 3.00MiB/s ETA 00:03\n[Merger] Merging formats into \"/v/a.mp4\"\n");
        QCOMPARE(t.process, 30);
        QCOMPARE(t.qfilesize, QString("1.00MiB"));
        QCOMPARE(t.eta, QString("00:03"));
        QCOMPARE(t.process_status, 3);

        // A character split between reads is decoded whole.
        const QByteArray line = QString::fromUtf8("[download] Destination: /v/東京.mp4\n").toUtf8();
        const int cut = line.indexOf("東") + 1;
        parser.feed(&t, line.left(cut));
        parser.feed(&t, line.mid(cut));
        QCOMPARE(t.process_status, 4);

        // What is kept waits for the end of the run.
        parser.feed(&t, "ERROR: unable to write");
        QCOMPARE(t.process_status, 4);
        parser.flush(&t);
        QCOMPARE(t.process_status, 7);
        parser.flush(&t);
        QCOMPARE(t.process_status, 7);

        parser.feed(&t, "[download]  40.0% of 1.00MiB");
        parser.reset();
        parser.feed(&t, "\n");
        QCOMPARE(t.process, 30);
    }

    void laterLinesDecide()
    {
        // A failure is not final: later output may move the task on.
        ItemInfo t;
        ProgressParser parser;
        parser.feed(&t, "ERROR: fragment 1 not found, unable to continue\n");
        QCOMPARE(t.process_status, 7);
        parser.feed(&t, "[ffmpeg] Merging\n");
        QCOMPARE(t.process_status, 5);
        parser.feed(&t, "Deleting original file /v/a.f1.mp4 (pass -k to keep)\n");
        QCOMPARE(t.process_status, 4);
    }

    void longLineWithoutEndIsNotKeptForever()
    {
        ItemInfo t;
        ProgressParser parser;
        parser.feed(&t, "ERROR: " + QByteArray(70 * 1024, 'x'));
        QCOMPARE(t.process_status, 7);
        parser.feed(&t, "\n[download]  5.0% of 1.00MiB at 1.00MiB/s ETA 00:09\n");
        QCOMPARE(t.process, 5);
    }
};

QUILLON_TEST_MAIN(TestProgressParser)
#include "tst_progressparser.moc"
