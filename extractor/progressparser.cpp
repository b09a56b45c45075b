#include "extractor/progressparser.h"

#include "tasks/iteminfo.h"

#include <QStringList>

void ProgressParser::feed(ItemInfo *task, const QByteArray &chunk)
{
    m_pending += chunk;
    int nl;
    while ((nl = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.left(nl);
        m_pending.remove(0, nl + 1);
        parseProgressLine(task, QString::fromUtf8(line).trimmed());
    }
}

void ProgressParser::flush(ItemInfo *task)
{
    if (!m_pending.isEmpty())
        parseProgressLine(task, QString::fromUtf8(m_pending).trimmed());
    m_pending.clear();
}

void ProgressParser::reset()
{
    m_pending.clear();
}

void parseProgressLine(ItemInfo *t, const QString &line)
{
    const QStringList w = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (w.isEmpty())
        return;
    if (w[0] == QLatin1String("[download]")) {
        t->process_status = 4;
        if (w.value(1).endsWith(QLatin1Char('%'))) {
            QString p = w[1];
            p.remove(QLatin1Char('%'));
            t->process = static_cast<int>(p.toDouble());
            t->process_string = w[1];
            const int of = w.indexOf(QStringLiteral("of"));
            if (of > 0)
                t->qfilesize = w.value(of + 1) == QLatin1String("~") ? w.value(of + 2) : w.value(of + 1);
            const int at = w.indexOf(QStringLiteral("at"));
            if (at > 0)
                t->rate = w.value(at + 1);
            const int eta = w.indexOf(QStringLiteral("ETA"));
            if (eta > 0)
                t->eta = w.value(eta + 1);
        }
        if (line.contains(QLatin1String("has already been downloaded")))
            t->process = 100;
        return;
    }
    if (w[0] == QLatin1String("ERROR:"))
        t->process_status = 7;
    else if (w[0] == QLatin1String("[ffmpeg]") || w[0] == QLatin1String("[Merger]"))
        t->process_status = 5;
    else
        t->process_status = 3;
}
