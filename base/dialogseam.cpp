#include "base/dialogseam.h"

#include <QDesktopServices>
#include <QFileDialog>

bool DialogProvider::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

namespace {

class QtDialogProvider : public DialogProvider
{
public:
    QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) override
    {
        return QMessageBox::question(parent, title, text, buttons, defaultButton);
    }

    void information(QWidget *parent, const QString &title, const QString &text) override
    {
        QMessageBox::information(parent, title, text);
    }

    void warning(QWidget *parent, const QString &title, const QString &text) override
    {
        QMessageBox::warning(parent, title, text);
    }

    QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) override
    {
        return QFileDialog::getExistingDirectory(parent, caption, dir);
    }

    QString openFileName(
        QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    }

    QString saveFileName(
        QWidget *parent, const QString &caption, const QString &dir, const QString &filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, dir, filter);
    }
};

DialogProvider *g_provider = nullptr;

DialogProvider &provider()
{
    static QtDialogProvider real;
    return g_provider ? *g_provider : real;
}

} // namespace

namespace DialogSeam {

QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return provider().question(parent, title, text, buttons, defaultButton);
}

void information(QWidget *parent, const QString &title, const QString &text)
{
    provider().information(parent, title, text);
}

void warning(QWidget *parent, const QString &title, const QString &text)
{
    provider().warning(parent, title, text);
}

QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    return provider().existingDirectory(parent, caption, dir);
}

QString openFileName(
    QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    return provider().openFileName(parent, caption, dir, filter);
}

QString saveFileName(
    QWidget *parent, const QString &caption, const QString &dir, const QString &filter)
{
    return provider().saveFileName(parent, caption, dir, filter);
}

bool openUrl(const QUrl &url)
{
    return provider().openUrl(url);
}

void setProvider(DialogProvider *p)
{
    g_provider = p;
}

} // namespace DialogSeam
