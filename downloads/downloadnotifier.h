#pragma once

#include <QObject>
#include <QString>

#include <functional>

class DesktopNotifications;
class ItemInfo;

// Tells the desktop when a download finishes or fails while the user looks
// elsewhere, and brings the task back when the user activates the notice.
// The window only wires it: it says whether it is the active window and
// shows the task when asked.
class DownloadNotifier : public QObject
{
    Q_OBJECT

public:
    explicit DownloadNotifier(QObject *parent = nullptr);

    // The settings switch; on until the user turns it off.
    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool enabled() const { return m_enabled; }
    // Whether the user is looking at the window now (no notices then).
    void setWindowActiveCheck(std::function<bool()> check) { m_windowActive = std::move(check); }

public slots:
    // A task's run ended (DownloadListController::taskEnded). Only a task
    // that stayed finished or failed and is still listed is told about: one
    // the user asked to download again while it ran is already queued anew.
    void taskEnded(const ItemInfo *task);

signals:
    // The user activated the notice of the task with this unique id.
    void showTaskRequested(const QString &uniqueId);

private:
    DesktopNotifications *m_desktop;
    bool m_enabled = true;
    std::function<bool()> m_windowActive;
};
