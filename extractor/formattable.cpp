#include "extractor/formattable.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const char *const kContext = "FormatTable";

QString tr(const char *text)
{
    return QCoreApplication::translate(kContext, text);
}

FormatRow buildRow(const FormatInfo &f)
{
    FormatRow row;
    row.format = f;
    const bool sized = f.height >= 1 && f.width > 0;

    if (sized && f.vcodec != QLatin1String("none") && f.acodec != QLatin1String("none")) {
        row.bestIcon = QStringLiteral(":/img/best.png");
        row.bestText = QStringLiteral(" ");
        row.bestToolTip = tr(QT_TRANSLATE_NOOP("FormatTable", "Best Video"));
    }

    row.typeText = (f.height >= 0 ? tr(QT_TRANSLATE_NOOP("FormatTable", "Video"))
                                  : tr(QT_TRANSLATE_NOOP("FormatTable", "Audeo")))
        + f.ext.toUpper();

    row.resolutionIcon = resolutionIcon(f.height);
    if (!row.resolutionIcon.isEmpty())
        row.resolutionIconText = QStringLiteral(" ");

    if (sized) {
        row.resolutionText
            = QString::number(f.width) + QLatin1Char('x') + QString::number(f.height);
        row.resolutionToolTip = tr(QT_TRANSLATE_NOOP("FormatTable", "Video Resolution"));
        row.resolutionAlignedLeft = true;
    } else if (f.height < 0) {
        row.resolutionText = QString::number(f.tbr) + QStringLiteral("kbps");
    }

    row.sizeText = f.filesize >= 0.0
        ? QString::number(f.filesize / 1024.0 / 1024.0, 'f', 2) + QStringLiteral(" MB")
        : QStringLiteral("UnKnown");
    row.sizeToolTip = tr(QT_TRANSLATE_NOOP("FormatTable", "Video Size"));

    row.sortHeight = f.height;
    row.formatId = f.format_id;

    if (f.fps > 0)
        row.fpsText = QStringLiteral("FPS ") + QString::number(f.fps);
    row.fpsToolTip = tr(QT_TRANSLATE_NOOP("FormatTable", "Video Frames Per Second"));

    row.codecText = f.vcodec.toUpper();
    row.codecToolTip = tr(QT_TRANSLATE_NOOP("FormatTable", "Video Encoding Format"));
    return row;
}

} // namespace

QList<FormatRow> buildFormatRows(const QList<FormatInfo> &formats)
{
    QList<FormatRow> rows;
    rows.reserve(formats.size());
    for (const FormatInfo &f : formats)
        rows.append(buildRow(f));
    std::stable_sort(rows.begin(), rows.end(),
        [](const FormatRow &a, const FormatRow &b) { return a.sortHeight > b.sortHeight; });
    return rows;
}

int preselectedRow(const QList<FormatRow> &rows)
{
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i).codecText.contains(QLatin1String("AVC1")))
            return i;
    }
    return -1;
}

QString resolutionIcon(int height)
{
    if (height > 2160)
        return QStringLiteral(":/img/8k.png");
    if (height > 1440)
        return QStringLiteral(":/img/4k.png");
    if (height > 1080)
        return QStringLiteral(":/img/2k.png");
    if (height > 720)
        return QStringLiteral(":/img/FD2.png");
    if (height > 480)
        return QStringLiteral(":/img/FD3.png");
    if (height > 360)
        return QStringLiteral(":/img/FD4.png");
    if (height > 240)
        return QStringLiteral(":/img/FD5.png");
    if (height > 0)
        return QStringLiteral(":/img/FD6.png");
    return QString();
}
