#pragma once

#include <QMessageBox>
#include <QString>
#include <QUrl>

class QWidget;

// Every message box and file dialog of the program goes through here, so that
// tests can answer them without a human. The default provider shows the real
// Qt dialogs; tests install their own with DialogSeam::setProvider().
class DialogProvider
{
public:
    virtual ~DialogProvider() = default;

    virtual QMessageBox::StandardButton question(QWidget *parent, const QString &title,
        const QString &text, QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton)
        = 0;
    virtual void information(QWidget *parent, const QString &title, const QString &text) = 0;
    virtual void warning(QWidget *parent, const QString &title, const QString &text) = 0;
    virtual QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir)
        = 0;
    virtual QString openFileName(
        QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
        = 0;
    virtual QString saveFileName(
        QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
        = 0;
    // Opens a web page, file or folder with the desktop's default handler.
    virtual bool openUrl(const QUrl &url);
};

namespace DialogSeam {

// Yes/No question; Yes is the default button.
QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
    QMessageBox::StandardButton defaultButton = QMessageBox::Yes);
void information(QWidget *parent, const QString &title, const QString &text);
void warning(QWidget *parent, const QString &title, const QString &text);
QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir = QString());
QString openFileName(QWidget *parent, const QString &caption, const QString &dir = QString(),
    const QString &filter = QString());
QString saveFileName(QWidget *parent, const QString &caption, const QString &dir = QString(),
    const QString &filter = QString());

// Replaces the provider (not owned); nullptr restores the real dialogs.
void setProvider(DialogProvider *provider);

bool openUrl(const QUrl &url);

} // namespace DialogSeam
