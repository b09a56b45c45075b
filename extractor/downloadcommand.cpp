#include "extractor/downloadcommand.h"

#include "extractor/commands.h"
#include "extractor/outputnames.h"
#include "tasks/formatinfo.h"
#include "tasks/iteminfo.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QRegularExpression>

namespace {

const char *const kContext = "DownloadChoices";

struct ChoiceSource
{
    const char *label;
    const char *icon;
    const char *option;
};

const ChoiceSource kQuality[] = {
    {QT_TRANSLATE_NOOP("DownloadChoices", " Original Video"), ":/img/best.png", " -f mp4 "},
    {QT_TRANSLATE_NOOP("DownloadChoices", " Best Parameter"), ":/img/best.png",
        " -f bestvideo+bestaudio "},
    {QT_TRANSLATE_NOOP("DownloadChoices", " 8K "), ":/img/8k.png", ""},
    {QT_TRANSLATE_NOOP("DownloadChoices", " 4K "), ":/img/4k.png", ""},
    {QT_TRANSLATE_NOOP("DownloadChoices", " 2K "), ":/img/2k.png", ""},
    {QT_TRANSLATE_NOOP("DownloadChoices", " UHD 1080P"), ":/img/FD2.png", ""},
    {QT_TRANSLATE_NOOP("DownloadChoices", " FHD 720P"), ":/img/FD3.png", ""},
    {QT_TRANSLATE_NOOP("DownloadChoices", " HD 480P"), ":/img/FD4.png", ""},
    {QT_TRANSLATE_NOOP("DownloadChoices", " SD 360P"), ":/img/FD5.png", ""},
    {QT_TRANSLATE_NOOP("DownloadChoices", " FD 240P"), ":/img/FD6.png", ""},
    {QT_TRANSLATE_NOOP("DownloadChoices", " FD 144P"), ":/img/FD6.png", ""},
    {QT_TRANSLATE_NOOP("DownloadChoices", " Only Audio"), ":/img/audio.png", ""},
    {QT_TRANSLATE_NOOP("DownloadChoices", " Skip Download"), ":/img/nothing.png",
        " --skip-download "},
};

const ChoiceSource kRate[] = {
    {QT_TRANSLATE_NOOP("DownloadChoices", " Unlimited"), "", ""},
    {QT_TRANSLATE_NOOP("DownloadChoices", " 1 Mbps"), "", "1M"},
    {QT_TRANSLATE_NOOP("DownloadChoices", " 512 Kbps"), "", "512K"},
    {QT_TRANSLATE_NOOP("DownloadChoices", " 200 Kbps"), "", "200K"},
    {QT_TRANSLATE_NOOP("DownloadChoices", " 100 Kbps"), "", "100K"},
};

const ChoiceSource kSubtitleMode[] = {
    {QT_TRANSLATE_NOOP("DownloadChoices", " Save subtitle file"), ":/img/zimu.png",
        " --write-sub --write-auto-sub "},
    {QT_TRANSLATE_NOOP("DownloadChoices", " Embed-subtitle"), ":/img/qianrushi.png",
        " --write-sub --write-auto-sub --embed-subs "},
};

const ChoiceSource kSubtitleLanguage[] = {
    {QT_TRANSLATE_NOOP("DownloadChoices", " English"), "", " --sub-lang en,en-GB "},
    {QT_TRANSLATE_NOOP("DownloadChoices", " 简体中文"), "", "  --sub-lang zh-Hans,zh "},
    {QT_TRANSLATE_NOOP("DownloadChoices", " 繁体中文"), "", "  --sub-lang zh-Hant,zh "},
    {QT_TRANSLATE_NOOP("DownloadChoices", " 俄语"), "", "  --sub-lang ru "},
    {QT_TRANSLATE_NOOP("DownloadChoices", " 韩语"), "", "  --sub-lang ko "},
};

// A fresh list at every call: the labels follow the language in force, and
// no caller's list changes under it when another one asks.
template<size_t N> QVector<ChoiceEntry> choices(const ChoiceSource (&source)[N])
{
    QVector<ChoiceEntry> table;
    table.reserve(int(N));
    for (const ChoiceSource &entry : source)
        table.append({QCoreApplication::translate(kContext, entry.label),
            QString::fromLatin1(entry.icon), QString::fromUtf8(entry.option)});
    return table;
}

template<size_t N> QString optionAt(const ChoiceSource (&source)[N], int index)
{
    if (index < 0 || index >= int(N))
        return QString();
    return QString::fromUtf8(source[index].option);
}

// Ranges of the search indices 2..10: lower bound exclusive unless noted.
struct SearchRange
{
    bool byWidth;
    int low; // width: inclusive; height: exclusive
    int high; // width: exclusive (0 = none); height: inclusive
};

bool searchRange(int qualityNum, SearchRange *range)
{
    static const SearchRange ranges[] = {
        {true, 7680, 0}, // 2: 8K
        {true, 3840, 7680}, // 3: 4K
        {true, 2560, 3840}, // 4: 2K
        {false, 720, 1080}, // 5
        {false, 480, 720}, // 6
        {false, 360, 480}, // 7
        {false, 240, 360}, // 8
        {false, 144, 240}, // 9
        {false, 0, 144}, // 10
    };
    if (qualityNum < 2 || qualityNum > 10)
        return false;
    *range = ranges[qualityNum - 2];
    return true;
}

bool inRange(const FormatInfo &f, const SearchRange &r)
{
    if (r.byWidth)
        return f.width >= r.low && (r.high == 0 || f.width < r.high);
    return f.height > r.low && f.height <= r.high;
}

QString searchPass(const QList<FormatInfo> &formats, const SearchRange &range, const QString &ext,
    const QString &bestaudioId, QString selector)
{
    for (const FormatInfo &f : formats) {
        if (f.ext != ext || !inRange(f, range) || !isSafeFormatId(f.format_id))
            continue;
        // Written as the fixed selectors are, with a blank at each end.
        if (f.acodec == QLatin1String("none"))
            selector = QStringLiteral(" -f ") + f.format_id + QLatin1Char('+') + bestaudioId
                + QLatin1Char(' ');
        else
            selector = QStringLiteral(" -f ") + f.format_id + QLatin1Char(' ');
    }
    return selector;
}

} // namespace

QVector<ChoiceEntry> qualityChoices()
{
    return choices(kQuality);
}

QVector<ChoiceEntry> rateChoices()
{
    return choices(kRate);
}

QVector<ChoiceEntry> subtitleModeChoices()
{
    return choices(kSubtitleMode);
}

QVector<ChoiceEntry> subtitleLanguageChoices()
{
    return choices(kSubtitleLanguage);
}

QString rateLimitForIndex(int index)
{
    return optionAt(kRate, index);
}

QString subtitleModeOption(int index)
{
    return optionAt(kSubtitleMode, index);
}

QString subtitleLanguageOption(int index)
{
    return optionAt(kSubtitleLanguage, index);
}

bool isSafeFormatId(const QString &formatId)
{
    if (formatId.isEmpty() || formatId.startsWith(QLatin1Char('-')))
        return false;
    for (const QChar c : formatId) {
        if (c.isSpace() || c.category() == QChar::Other_Control || c == QLatin1Char('"'))
            return false;
    }
    return true;
}

QString selectQuality(int qualityNum, const QList<FormatInfo> &formats, const QString &bestaudioId,
    const QString &current)
{
    const QString audio = isSafeFormatId(bestaudioId) ? bestaudioId : QString();
    switch (qualityNum) {
    case 0:
    case 1:
    case 12:
        return optionAt(kQuality, qualityNum);
    case 11:
        return QStringLiteral(" -f ") + audio;
    default:
        break;
    }
    SearchRange range;
    if (!searchRange(qualityNum, &range))
        return current;
    QString selector = searchPass(formats, range, QStringLiteral("mp4"), audio, current);
    if (selector.isEmpty())
        selector = searchPass(formats, range, QStringLiteral("webm"), audio, selector);
    if (selector.isEmpty())
        selector = QStringLiteral(" -f mp4 ");
    return selector;
}

QString rateOption(const QString &limitRate)
{
    if (limitRate.isEmpty())
        return QString();
    return QStringLiteral(" -r ") + limitRate + QLatin1Char(' ');
}

QString conversionOption(const QString &zhuanhuan)
{
    if (zhuanhuan.isEmpty())
        return QString();
    if (zhuanhuan == QLatin1String("mp3"))
        return QStringLiteral(" -x --audio-format mp3 ");
    return QStringLiteral(" --recode-video ") + zhuanhuan + QLatin1Char(' ');
}

QString outputTemplateArgument(const QString &path)
{
    // "%" starts a template field; "$" would be expanded as an environment
    // variable before the template is read, so it is put back by a field
    // that does not exist and defaults to "$".
    QString out;
    out.reserve(path.size());
    for (const QChar c : path) {
        if (c == QLatin1Char('%'))
            out += QStringLiteral("%%");
        else if (c == QLatin1Char('"'))
            out += QStringLiteral("\\\"");
        else if (c == QLatin1Char('$'))
            out += QStringLiteral("%(quillon_dollar|$)s");
        else
            out += c;
    }
    return out;
}

QString outputFolder(ItemInfo *task, int folderoption)
{
    const QString base = task->path + QStringLiteral("//") + sanitizeFolderName(task->uploader);
    QDir().mkpath(base);
    QString folder = base;
    if (folderoption != 0)
        folder += QStringLiteral("//") + sanitizeFolderName(task->renametitle);
    QDir().mkpath(folder);
    task->folder = folder;
    return folder;
}

namespace {

// Option fields come back from the task database: only what this program
// writes into them is kept; anything else is dropped with a debug line.
void keepOwnOptions(ItemInfo *task)
{
    static const QStringList conversions = {QString(), QStringLiteral("mp3"), QStringLiteral("mp4"),
        QStringLiteral("mkv"), QStringLiteral("webm"), QStringLiteral("avi"), QStringLiteral("flv"),
        QStringLiteral("ogg")};
    // A rate is a number with an optional K or M, as the rate list writes it.
    static const QRegularExpression rate(QStringLiteral("^([0-9]+[KM]?)?$"));
    // Subtitle and thumbnail texts are runs of these words.
    static const QStringList words = {QStringLiteral("--write-sub"),
        QStringLiteral("--write-auto-sub"), QStringLiteral("--embed-subs"),
        QStringLiteral("--write-thumbnail"), QStringLiteral("--convert-thumbnails"),
        QStringLiteral("png"), QStringLiteral("--sub-lang")};
    // Earlier versions wrote the Chinese languages the other way round.
    QStringList languages = {QStringLiteral("zh,zh-Hans"), QStringLiteral("zh,zh-Hant")};
    for (int i = 0; i < subtitleLanguageChoices().size(); ++i)
        languages << subtitleLanguageOption(i).simplified().section(QLatin1Char(' '), 1);
    auto ownWords = [&](const QString &text) {
        for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (!words.contains(word) && !languages.contains(word))
                return false;
        }
        return true;
    };
    auto drop = [task](const char *field, QString &value) {
        qDebug() << "task" << task->uniqueID << "drops its" << field << value;
        value.clear();
    };
    if (!rate.match(task->limitRate).hasMatch())
        drop("rate limit", task->limitRate);
    if (!conversions.contains(task->zhuanhuan))
        drop("conversion", task->zhuanhuan);
    if (!ownWords(task->zimu))
        drop("subtitle options", task->zimu);
    if (!ownWords(task->qianruzimu))
        drop("embedded subtitle option", task->qianruzimu);
}

} // namespace

void composeDownloadCommand(ItemInfo *task, int folderoption)
{
    keepOwnOptions(task);
    // Outside the quality list nothing stored is reused as a selector.
    const bool known = task->quality_num >= 0 && task->quality_num < qualityChoices().size();
    task->quality = selectQuality(
        task->quality_num, task->formats, task->bestaudio_id, known ? task->quality : QString());
    const QString rate = rateOption(task->limitRate);
    const QString conversion = conversionOption(task->zhuanhuan);
    task->renametitle = sanitizeTitle(task->title, task->namePrefix);
    const QString folder = outputFolder(task, folderoption);

    const QString base = folder + QStringLiteral("//") + task->renametitle;
    task->targetPath
        = base + (task->quality_num == 11 ? QStringLiteral(".m4a") : QStringLiteral(".mp4"));
    task->renametargetPath
        = task->zhuanhuan.isEmpty() ? task->targetPath : base + QLatin1Char('.') + task->zhuanhuan;

    task->cmd = QStringLiteral("tool.exe --no-cache-dir ") + task->zimu + task->qianruzimu
        + QStringLiteral(" -i --newline ") + task->quality + QLatin1Char(' ') + safeLink(task->url)
        + QStringLiteral(" -o ") + QLatin1Char('"') + outputTemplateArgument(task->targetPath)
        + QLatin1Char('"') + rate + conversion;
}
