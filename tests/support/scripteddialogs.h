#pragma once

#include "base/dialogseam.h"

#include <QList>
#include <QQueue>
#include <QString>

// Answers the program's dialogs from queued answers and records every call.
// Installed for its lifetime. An unqueued question is answered with its
// default button; an unqueued file dialog with an empty path (cancel).
class ScriptedDialogs : public DialogProvider
{
public:
    struct Call
    {
        QString kind; // "question", "information", "warning", "directory", "open", "save"
        QString title;
        QString text;
    };

    ScriptedDialogs() { DialogSeam::setProvider(this); }
    ~ScriptedDialogs() override { DialogSeam::setProvider(nullptr); }

    QQueue<QMessageBox::StandardButton> answers;
    QQueue<QString> paths;
    QList<Call> calls;
    QList<QUrl> openedUrls;

    QMessageBox::StandardButton question(QWidget *, const QString &title, const QString &text,
        QMessageBox::StandardButtons, QMessageBox::StandardButton defaultButton) override
    {
        calls.append({QStringLiteral("question"), title, text});
        return answers.isEmpty() ? defaultButton : answers.dequeue();
    }
    void information(QWidget *, const QString &title, const QString &text) override
    {
        calls.append({QStringLiteral("information"), title, text});
    }
    void warning(QWidget *, const QString &title, const QString &text) override
    {
        calls.append({QStringLiteral("warning"), title, text});
    }
    QString existingDirectory(QWidget *, const QString &caption, const QString &) override
    {
        calls.append({QStringLiteral("directory"), caption, QString()});
        return paths.isEmpty() ? QString() : paths.dequeue();
    }
    QString openFileName(
        QWidget *, const QString &caption, const QString &, const QString &) override
    {
        calls.append({QStringLiteral("open"), caption, QString()});
        return paths.isEmpty() ? QString() : paths.dequeue();
    }
    QString saveFileName(
        QWidget *, const QString &caption, const QString &, const QString &) override
    {
        calls.append({QStringLiteral("save"), caption, QString()});
        return paths.isEmpty() ? QString() : paths.dequeue();
    }
    bool openUrl(const QUrl &url) override
    {
        openedUrls.append(url);
        return true;
    }
};
