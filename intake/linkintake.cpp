#include "intake/linkintake.h"

#include "base/global.h"
#include "extractor/choiceoptions.h"
#include "extractor/commands.h"
#include "intake/linkrules.h"
#include "intake/singletask.h"
#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"

#include <QDebug>

#include <utility>

LinkIntake::LinkIntake(TaskSink sink, QObject *parent)
    : QObject(parent)
    , m_sink(std::move(sink))
{ }

int LinkIntake::addLink(const QString &text)
{
    ++m_depth;
    const int added = takeLink(text);
    --m_depth;
    takeHandedOver();
    return added;
}

int LinkIntake::takeLink(const QString &text)
{
    QString link = LinkRules::cleanLink(text);
    if (link.isEmpty()) {
        if (m_dialogs)
            m_dialogs->warnNotALink();
        return 0;
    }
    qDebug() << link;

    LinkRules::Kind kind = LinkRules::classify(link);
    if (kind == LinkRules::Kind::Ask) {
        const bool whole = m_dialogs && m_dialogs->askWholeList(link);
        kind = whole ? LinkRules::Kind::List : LinkRules::Kind::Single;
        if (!whole)
            link = LinkRules::dropListPart(link);
    } else if (kind == LinkRules::Kind::Single) {
        link = LinkRules::dropTrackingQuery(link);
    }
    qDebug() << "url==" << link;

    const int added = kind == LinkRules::Kind::List ? takeList(link) : takeSingle(link);
    if (added > 0 && !m_batch)
        emit tasksAdded();
    return added;
}

int LinkIntake::addLinks(const QStringList &lines)
{
    ++m_depth;
    m_batch = true;
    int added = 0;
    for (const QString &line : lines)
        added += takeLink(line);
    m_batch = false;
    if (added > 0)
        emit tasksAdded();
    --m_depth;
    takeHandedOver();
    return added;
}

void LinkIntake::handOver(const QStringList &lines)
{
    m_handedOver += lines;
    takeHandedOver();
}

void LinkIntake::setNetworkKnown(bool known)
{
    m_networkKnown = known;
    takeHandedOver();
}

void LinkIntake::takeHandedOver()
{
    // Links handed over while a link dialog is open (its event loop runs)
    // wait until that link is done: one dialog at a time.
    if (!m_networkKnown || m_depth > 0 || m_handedOver.isEmpty())
        return;
    addLinks(std::exchange(m_handedOver, {}));
}

int LinkIntake::takeSingle(const QString &link)
{
    if (m_onekeyOn)
        return analysisTask(link, QString()) ? 1 : 0;
    if (!m_dialogs)
        return 0;
    const std::optional<SingleChoice> choice = m_dialogs->chooseSingle(link);
    if (!choice)
        return 0;
    ItemInfo *task = taskFromSingleChoice(*choice, m_folderoption);
    if (m_sink)
        m_sink(task);
    emit thumbnailFound(task);
    return 1;
}

int LinkIntake::takeList(const QString &link)
{
    if (!m_dialogs)
        return 0;
    const std::optional<ListChoice> choice = m_dialogs->chooseFromList(link, m_onekeyOn);
    if (!choice)
        return 0;
    int added = 0;
    for (const ListVideoInfo &entry : choice->entries) {
        if (!entry.checked)
            continue;
        const ItemInfo *task
            = m_onekeyOn ? analysisTask(entry.link, entry.title) : listTask(entry, *choice);
        added += task ? 1 : 0;
    }
    return added;
}

// A ticked playlist entry with the playlist dialog's choices.
ItemInfo *LinkIntake::listTask(const ListVideoInfo &entry, const ListChoice &choice)
{
    ItemInfo *task = newAnalysisTask(entry.link, entry.title);
    if (!task)
        return nullptr;
    task->zhuanhuan = choice.conversion;
    task->limitRate = choice.rateLimit;
    task->path = choice.saveLocation;
    task->quality_num = choice.qualityNum;
    task->zimu = listSubtitleOption(choice.subtitleLanguage) + thumbnailOption(choice.thumbnail);
    if (m_sink)
        m_sink(task);
    return task;
}

// A task the scheduler analyses first, with the one-key choices.
ItemInfo *LinkIntake::analysisTask(const QString &link, const QString &title)
{
    ItemInfo *task = newAnalysisTask(link, title);
    if (!task)
        return nullptr;
    applyOneKey(task);
    if (m_sink)
        m_sink(task);
    return task;
}

ItemInfo *LinkIntake::newAnalysisTask(const QString &link, const QString &title)
{
    const QString safe = safeLink(link);
    if (safe.isEmpty())
        return nullptr;
    auto *task = new ItemInfo;
    task->uniqueID = newUniqueId();
    task->url = safe;
    task->title = title;
    task->duration = 0;
    task->process_status = TaskStatus::WaitingForAnalysis;
    task->status = TaskStatus::queuing();
    task->cmd = queuedAnalysisCommand(safe);
    return task;
}

void LinkIntake::applyOneKey(ItemInfo *task) const
{
    // Without a stored one-key folder the default download folder is used.
    task->path = m_onekey.location.isEmpty() ? Global::DOWNLOAD_DIR : m_onekey.location;
    task->zhuanhuan = m_onekey.convert;
    task->limitRate = m_onekey.rateOption;
    task->quality_num = m_onekey.quality;
    task->sublangOption = m_onekey.subLangOption;
    task->zimu = m_onekey.subtitleOption + m_onekey.subLangOption + m_onekey.thumbnailOption;
    task->qianruzimu = m_onekey.embedOption;
}
