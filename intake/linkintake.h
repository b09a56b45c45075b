#pragma once

#include "intake/intakechoices.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class ItemInfo;

// What link intake needs of the user. The window answers with the real
// dialogs; tests answer without them.
class IntakeDialogs
{
public:
    virtual ~IntakeDialogs() = default;

    // The text is no web link.
    virtual void warnNotALink() = 0;
    // A video link that also names a list: true to take the whole list.
    virtual bool askWholeList(const QString &link) = 0;
    // Runs the single-video dialog on link; nothing when it was closed
    // without a choice.
    virtual std::optional<SingleChoice> chooseSingle(const QString &link) = 0;
    // Runs the playlist dialog on link (save location hidden in one-key
    // mode); nothing unless it ended through its download button.
    virtual std::optional<ListChoice> chooseFromList(const QString &link, bool onekey) = 0;
};

// The single entry point for links (paste, popular lists, batch files):
// cleans and classifies a link, asks the user through IntakeDialogs and turns
// the answer into tasks for the download list. Widget-free.
class LinkIntake : public QObject
{
    Q_OBJECT

public:
    // Takes a new task into the download list (numbering, storing, showing).
    using TaskSink = std::function<void(ItemInfo *)>;

    explicit LinkIntake(TaskSink sink, QObject *parent = nullptr);

    void setDialogs(IntakeDialogs *dialogs) { m_dialogs = dialogs; }
    // The folder option the output folders of dialog tasks follow.
    void setFolderOption(int folderoption) { m_folderoption = folderoption; }
    // One-key mode: a single link is queued at once and playlist entries
    // are queued with the one-key choices, without their own.
    void setOneKeyOn(bool on) { m_onekeyOn = on; }
    bool oneKeyOn() const { return m_onekeyOn; }
    // The choices one-key mode applies.
    void setOneKey(const OneKeyChoice &choice) { m_onekey = choice; }
    const OneKeyChoice &oneKey() const { return m_onekey; }

    // Takes one link: returns how many tasks were queued.
    int addLink(const QString &text);
    // Takes every line as if it were pasted on its own, in order; tasksAdded
    // is announced once at the end.
    int addLinks(const QStringList &lines);

    // Links from outside the window (another start of the program with links
    // on its command line). They are taken like a paste, but a paste is only
    // possible once the network is known, so until then they wait here.
    void handOver(const QStringList &lines);
    // The network became known (or unknown again); waiting links are taken.
    void setNetworkKnown(bool known);

signals:
    // Tasks were added: the window shows the list and runs the scheduler.
    void tasksAdded();
    // A task came from the single-video dialog, whose analysis told its
    // thumbnail: whoever shows it fetches it.
    void thumbnailFound(ItemInfo *task);

private:
    int takeLink(const QString &text);
    void takeHandedOver();
    int takeSingle(const QString &link);
    int takeList(const QString &link);
    ItemInfo *analysisTask(const QString &link, const QString &title);
    ItemInfo *listTask(const ListVideoInfo &entry, const ListChoice &choice);
    ItemInfo *newAnalysisTask(const QString &link, const QString &title);
    void applyOneKey(ItemInfo *task) const;

    TaskSink m_sink;
    IntakeDialogs *m_dialogs = nullptr;
    int m_folderoption = 1;
    OneKeyChoice m_onekey;
    bool m_onekeyOn = false;
    bool m_batch = false; // within addLinks: announce once at the end
    bool m_networkKnown = false;
    int m_depth = 0; // within addLink or addLinks
    QStringList m_handedOver; // waiting for the network
};
