#include "intake/batchlinks.h"

#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"

#include <QFile>
#include <QSaveFile>

namespace BatchLinks {

QStringList splitLines(const QString &text)
{
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = normal.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

std::optional<QStringList> readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    // Earlier versions stopped reading a line at a zero byte.
    const int zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    return splitLines(QString::fromUtf8(bytes));
}

static bool exported(const ItemInfo &t, int filter)
{
    if (!t.biaoji)
        return false;
    switch (filter) {
    case 0:
        return true;
    case 1:
        return !t.active;
    case 2:
        return t.active && t.process_status < TaskStatus::Finished;
    case 3:
        return t.process_status == TaskStatus::Finished;
    case 4:
        return t.process_status == TaskStatus::DownloadFailed
            || t.process_status == TaskStatus::AnalysisFailed;
    default:
        return false;
    }
}

QStringList exportLinks(const QList<ItemInfo *> &tasks, int filter,
    const std::function<QString(const ItemInfo *)> &linkOf)
{
    QStringList links;
    for (auto it = tasks.crbegin(); it != tasks.crend(); ++it) {
        if (exported(**it, filter))
            links << (linkOf ? linkOf(*it) : (*it)->url);
    }
    return links;
}

bool writeFile(const QString &path, const QStringList &links)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    for (const QString &link : links) {
        if (file.write((link + QLatin1Char('\n')).toUtf8()) < 0) {
            file.cancelWriting();
            break;
        }
    }
    return file.commit();
}

} // namespace BatchLinks
