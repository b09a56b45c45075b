#pragma once

#include <QObject>
#include <QString>

#include <functional>

class ItemInfo;

// What link intake needs to ask the user. The window answers with real
// dialogs; tests answer without them.
class IntakeDialogs
{
public:
    virtual ~IntakeDialogs() = default;

    // A link names one video and a list: take the whole list?
    virtual bool askWholeList(const QString &link) = 0;
    // The link could not be taken; text says why.
    virtual void refuse(const QString &text) = 0;
};

// The single entry point for links: decides what a link is and turns it
// into tasks for the download list. Widget-free; the dialogs it needs are
// behind IntakeDialogs and the list behind the task sink.
class LinkIntake : public QObject
{
    Q_OBJECT

public:
    // Takes a new task into the download list (numbering, storing, showing).
    using TaskSink = std::function<void(ItemInfo *)>;

    explicit LinkIntake(TaskSink sink, QObject *parent = nullptr);

    void setDialogs(IntakeDialogs *dialogs) { m_dialogs = dialogs; }

    // Queues link for analysis (status 0, the "-j" command), as one-key mode
    // and list entries do. Returns the new task, or nullptr when the text is
    // no web link; nothing is queued then.
    ItemInfo *queueAnalysis(const QString &link);

signals:
    // Tasks were added: the window shows the list and runs the scheduler.
    void tasksAdded();

private:
    TaskSink m_sink;
    IntakeDialogs *m_dialogs = nullptr;
};
