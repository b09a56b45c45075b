#include "support/testmain.h"

#include "extractor/formattable.h"
#include "extractor/jsonfields.h"
#include "extractor/metadata.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonObject object(const QByteArray &json)
{
    return QJsonDocument::fromJson(json).object();
}

FormatInfo format(const QString &id, const QString &ext, int width, int height,
                  const QString &vcodec, const QString &acodec)
{
    FormatInfo f;
    f.format_id = id;
    f.ext = ext;
    f.width = width;
    f.height = height;
    f.vcodec = vcodec;
    f.acodec = acodec;
    return f;
}

QStringList ids(const QList<FormatRow> &rows)
{
    QStringList out;
    for (const FormatRow &r : rows)
        out << r.formatId;
    return out;
}

} // namespace

class TestExtractorMetadata : public QObject
{
    Q_OBJECT

private slots:
    void getters_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<int>("integer");

        QTest::newRow("string") << QByteArray(R"({"k":"abc"})") << "abc" << -1.0 << -1;
        QTest::newRow("number") << QByteArray(R"({"k":29.97})") << "" << 29.97 << 29;
        QTest::newRow("negative truncates toward zero") << QByteArray(R"({"k":-2.7})") << "" << -2.7 << -2;
        QTest::newRow("null") << QByteArray(R"({"k":null})") << "" << -1.0 << -1;
        QTest::newRow("missing") << QByteArray(R"({"other":1})") << "" << -1.0 << -1;
        QTest::newRow("number as text") << QByteArray(R"({"k":"1080"})") << "1080" << -1.0 << -1;
        QTest::newRow("bool") << QByteArray(R"({"k":true})") << "" << -1.0 << -1;
        QTest::newRow("huge stays in range") << QByteArray(R"({"k":1e12})") << "" << 1e12 << 2147483647;
    }

    void getters()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(int, integer);
        const QJsonObject o = object(json);
        QCOMPARE(jsonString(o, "k"), text);
        QCOMPARE(jsonNumber(o, "k"), number);
        QCOMPARE(jsonInt(o, "k"), integer);
    }

    void videoOutputIsCutAtTheFirstBrace()
    {
        const QByteArray output = "WARNING: [generic] Falling back on generic information extractor\n"
                                  "WARNING: something else\n"
                                  R"({"_filename": "x [x].mp4", "fulltitle": "Réunion 東京", "duration": 3725.9,)"
                                  R"( "thumbnail": "https://i.example/t.jpg", "uploader": "ChannelA",)"
                                  R"( "upload_date": "20200131", "formats": [)"
                                  R"({"ext": "m4a", "format_id": "140", "filesize": null, "abr": 129.5,)"
                                  R"( "asr": 44100, "tbr": 129.9, "vcodec": "none", "acodec": "mp4a.40.2"},)"
                                  R"( 17, "text", null,)"
                                  R"( {"ext": "mp4", "format_id": "137", "filesize": 1048576, "height": 1080,)"
                                  R"( "width": 1920, "fps": 29.97, "format": "137 - 1920x1080",)"
                                  R"( "vcodec": "avc1.640028", "acodec": "none"}]})"
                                  "\n";
        VideoMetadata meta;
        QCOMPARE(parseVideoOutput(output, &meta), ParseResult::Object);
        QCOMPARE(meta.filename, QString("x [x].mp4"));
        QCOMPARE(meta.title, QString("Réunion 東京"));
        QCOMPARE(meta.duration, 3725.9);
        QCOMPARE(meta.thumbnail, QString("https://i.example/t.jpg"));
        QCOMPARE(meta.uploader, QString("ChannelA"));
        QCOMPARE(meta.uploadDate, QString("20200131"));
        QVERIFY(meta.formatsOk);
        QCOMPARE(meta.formats.size(), 2); // elements that are not objects are skipped

        const FormatInfo &audio = meta.formats.at(0);
        QCOMPARE(audio.ext, QString("m4a"));
        QCOMPARE(audio.filesize, -1.0);
        QCOMPARE(audio.abr, 129);
        QCOMPARE(audio.asr, 44100);
        QCOMPARE(audio.tbr, 129);
        QCOMPARE(audio.height, -1);
        QCOMPARE(audio.width, -1);
        QCOMPARE(audio.fps, -1);
        const FormatInfo &video = meta.formats.at(1);
        QCOMPARE(video.format_id, QString("137"));
        QCOMPARE(video.filesize, 1048576.0);
        QCOMPARE(video.fps, 29);
        QCOMPARE(video.format, QString("137 - 1920x1080"));
        QCOMPARE(video.vcodec, QString("avc1.640028"));
        QCOMPARE(video.acodec, QString("none"));
        QCOMPARE(durationText(meta.duration), QString("01:02:05"));
    }

    void videoOutputFailures_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("formatsOk");

        QTest::newRow("error text only") << QByteArray("ERROR: [generic] Unable to download webpage: HTTP Error 404\n")
                                         << int(ParseResult::Invalid) << false;
        QTest::newRow("empty") << QByteArray() << int(ParseResult::Invalid) << false;
        QTest::newRow("cut JSON") << QByteArray(R"({"fulltitle": "a", "formats": [)") << int(ParseResult::Invalid) << false;
        QTest::newRow("array") << QByteArray("[1, 2]") << int(ParseResult::NotObject) << false;
        QTest::newRow("formats not an array") << QByteArray(R"({"formats": {"a": 1}})") << int(ParseResult::Object) << false;
        QTest::newRow("no formats") << QByteArray(R"({"fulltitle": "t"})") << int(ParseResult::Object) << false;
    }

    void videoOutputFailures()
    {
        QFETCH(QByteArray, output);
        QFETCH(int, result);
        QFETCH(bool, formatsOk);
        VideoMetadata meta;
        meta.title = "stale";
        meta.formats.append(FormatInfo());
        QCOMPARE(int(parseVideoOutput(output, &meta)), result);
        QCOMPARE(meta.formatsOk, formatsOk);
        QVERIFY(meta.formats.isEmpty()); // nothing of an earlier analysis survives
        QVERIFY(result == int(ParseResult::Object) || meta.title.isEmpty());
        QCOMPARE(meta.duration, -1.0);
    }

    void bestAudioIsTheLastM4a()
    {
        QList<FormatInfo> formats{format("139", "m4a", -1, -1, "none", "mp4a"),
                                  format("251", "webm", -1, -1, "none", "opus"),
                                  format("140", "m4a", -1, -1, "none", "mp4a"),
                                  format("137", "mp4", 1920, 1080, "avc1", "none")};
        QCOMPARE(bestAudioId(formats, "old"), QString("140"));
        formats.removeAt(2);
        formats.removeAt(0);
        QCOMPARE(bestAudioId(formats, "old"), QString("old"));
        QCOMPARE(bestAudioId({}, QString()), QString());
    }

    void durationTexts_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << "00:00:00";
        QTest::newRow("truncated") << 59.99 << "00:00:59";
        QTest::newRow("hour") << 3725.0 << "01:02:05";
        QTest::newRow("long") << 360000.0 << "100:00:00";
        QTest::newRow("none reported") << -1.0 << "00:00:00";
        QTest::newRow("not a number") << qQNaN() << "00:00:00";
    }

    void durationTexts()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(durationText(seconds), text);
    }

    void flatListKeepsEveryObjectLine()
    {
        const QByteArray output = "WARNING: [generic] Falling back on generic information extractor\n"
                                  R"({"_type": "url", "url": "https://v.example/1", "id": "1", "title": "One", "ie_key": "Site"})"
                                  "\n"
                                  R"({"_type": "url", "url": "https://v.example/2", "id": "2", "title": null})"
                                  "\r\n"
                                  R"({"url": "https://v.example/3", "title": "Thr)"
                                  "\n"
                                  "[1, 2]\n"
                                  R"({"_type": "url", "url": "https://v.example/4", "id": 4, "title": "Four"})";
        const QList<ListVideoInfo> entries = parseFlatList(output);
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries.at(0)._type, QString("url"));
        QCOMPARE(entries.at(0).url, QString("https://v.example/1"));
        QCOMPARE(entries.at(0).link, QString("https://v.example/1"));
        QCOMPARE(entries.at(0).id, QString("1"));
        QCOMPARE(entries.at(0).title, QString("One"));
        QCOMPARE(entries.at(0).ie_key, QString("Site"));
        QCOMPARE(entries.at(1).title, QString()); // null: the title run fills it later
        QCOMPARE(entries.at(2).url, QString("https://v.example/4"));
        QCOMPARE(entries.at(2).id, QString()); // a number is not a text
        for (const ListVideoInfo &e : entries) {
            QVERIFY(!e.checked);
            QCOMPARE(e.titleRetries, 0);
            QVERIFY(!e.row);
        }
        QVERIFY(parseFlatList("ERROR: nothing here\n").isEmpty());
    }

    void titleRun_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QString>("title");
        QTest::newRow("one line") << QByteArray("My video\n") << "My video";
        QTest::newRow("last non-empty line") << QByteArray("first\nsecond\n\n  \n") << "second";
        QTest::newRow("windows line ends") << QByteArray("A title\r\n") << "A title";
        QTest::newRow("utf-8") << QByteArray("東京 — ça\n") << "東京 — ça";
        QTest::newRow("empty line only") << QByteArray("\n") << "";
        QTest::newRow("diagnostics are no title")
            << QByteArray("WARNING: [generic] Falling back\nReal title\nERROR: unable to write\n")
            << "Real title";
        QTest::newRow("failed run") << QByteArray("ERROR: [generic] HTTP Error 404: Not Found\n") << "";
    }

    void titleRun()
    {
        QFETCH(QByteArray, output);
        QFETCH(QString, title);
        QCOMPARE(titleFromOutput(output), title);
    }

    void resolutionIcons_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("icon");
        QTest::newRow("2161") << 2161 << ":/img/8k.png";
        QTest::newRow("2160") << 2160 << ":/img/4k.png";
        QTest::newRow("1441") << 1441 << ":/img/4k.png";
        QTest::newRow("1440") << 1440 << ":/img/2k.png";
        QTest::newRow("1081") << 1081 << ":/img/2k.png";
        QTest::newRow("1080") << 1080 << ":/img/FD2.png";
        QTest::newRow("721") << 721 << ":/img/FD2.png";
        QTest::newRow("720") << 720 << ":/img/FD3.png";
        QTest::newRow("480") << 480 << ":/img/FD4.png";
        QTest::newRow("360") << 360 << ":/img/FD5.png";
        QTest::newRow("361") << 361 << ":/img/FD4.png";
        QTest::newRow("241") << 241 << ":/img/FD5.png";
        QTest::newRow("240") << 240 << ":/img/FD6.png";
        QTest::newRow("1") << 1 << ":/img/FD6.png";
        QTest::newRow("0") << 0 << "";
        QTest::newRow("-1") << -1 << "";
    }

    void resolutionIcons()
    {
        QFETCH(int, height);
        QFETCH(QString, icon);
        QCOMPARE(resolutionIcon(height), icon);
    }

    void formatTableRows()
    {
        FormatInfo audio = format("140", "m4a", -1, -1, "none", "mp4a.40.2");
        audio.tbr = 129;
        FormatInfo muxed = format("18", "mp4", 640, 360, "avc1.42001E", "mp4a.40.2");
        muxed.filesize = 1.5 * 1024 * 1024;
        muxed.fps = 30;
        FormatInfo vp9 = format("248", "webm", 1920, 1080, "vp9", "none");
        FormatInfo avc = format("137", "mp4", 1920, 1080, "avc1.640028", "none");
        FormatInfo storyboard = format("sb0", "mhtml", 0, 0, "none", "none");

        const QList<FormatRow> rows = buildFormatRows({audio, muxed, vp9, storyboard, avc});
        // Highest first, equal heights in extractor order, audio last.
        QCOMPARE(ids(rows), (QStringList{"248", "137", "18", "sb0", "140"}));
        QCOMPARE(preselectedRow(rows), 1);

        const FormatRow &m = rows.at(2);
        QCOMPARE(m.bestIcon, QString(":/img/best.png"));
        QCOMPARE(m.bestText, QString(" "));
        QCOMPARE(m.bestToolTip, QString("Best Video"));
        QCOMPARE(m.typeText, QString("VideoMP4"));
        QCOMPARE(m.resolutionIcon, QString(":/img/FD5.png"));
        QCOMPARE(m.resolutionIconText, QString(" "));
        QCOMPARE(m.resolutionText, QString("640x360"));
        QCOMPARE(m.resolutionToolTip, QString("Video Resolution"));
        QVERIFY(m.resolutionAlignedLeft);
        QCOMPARE(m.sizeText, QString("1.50 MB"));
        QCOMPARE(m.sortHeight, 360);
        QCOMPARE(m.fpsText, QString("FPS 30"));
        QCOMPARE(m.codecText, QString("AVC1.42001E"));
        QCOMPARE(m.format.format_id, QString("18"));

        const FormatRow &v = rows.at(0);
        QVERIFY(v.bestIcon.isEmpty()); // no sound
        QCOMPARE(v.sizeText, QString("UnKnown"));
        QCOMPARE(v.fpsText, QString());
        QCOMPARE(v.resolutionIcon, QString(":/img/FD2.png"));

        const FormatRow &s = rows.at(3);
        QCOMPARE(s.typeText, QString("VideoMHTML"));
        QVERIFY(s.resolutionIcon.isEmpty());
        QVERIFY(s.resolutionText.isEmpty());

        const FormatRow &a = rows.at(4);
        QCOMPARE(a.typeText, QString("AudeoM4A"));
        QCOMPARE(a.resolutionText, QString("129kbps"));
        QVERIFY(a.resolutionIcon.isEmpty());
        QVERIFY(a.bestIcon.isEmpty());
        QCOMPARE(a.sortHeight, -1);
        QCOMPARE(a.codecText, QString("NONE"));
    }

    void tableWithoutAvc1SelectsNothing()
    {
        const QList<FormatRow> rows = buildFormatRows(
            {format("251", "webm", -1, -1, "none", "opus"), format("140", "m4a", -1, -1, "none", "mp4a")});
        QCOMPARE(ids(rows), (QStringList{"251", "140"}));
        for (const FormatRow &r : rows)
            QCOMPARE(r.typeText.left(5), QString("Audeo"));
        QCOMPARE(preselectedRow(rows), -1);
        QCOMPARE(preselectedRow({}), -1);
    }
};

QUILLON_TEST_MAIN(TestExtractorMetadata)
#include "tst_extractormetadata.moc"
