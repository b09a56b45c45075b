#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/dialogseam.h"
#include "base/global.h"
#include "base/imagestyle.h"
#include "extractor/cookieoptions.h"

#include <QDir>
#include <QFileInfo>
#include <QListView>

// "Cookies for sign-in" on the settings page: none, a browser (with an
// optional profile) or a cookies file. The page only shows and collects the
// choice; the settings controller stores it and hands it to every run.

namespace {

// Item data of the choice combo box: the source, and the browser's name.
constexpr int SourceRole = Qt::UserRole;
constexpr int BrowserRole = Qt::UserRole + 1;

} // namespace

void MainWindow::prepareCookieSettings()
{
    ui->comboBox_cookies->setStyleSheet(ImageStyle::comboSheet(Global::SCALE));
    ui->comboBox_cookies->setView(new QListView(ui->comboBox_cookies));
    const QString edit = ImageStyle::lineEditSheet(
        Global::scaled(6), QStringLiteral("QLineEdit:read-only{background:#f7f9fb;}"));
    ui->lineEdit_cookieprofile->setStyleSheet(edit);
    ui->lineEdit_cookiefile->setStyleSheet(edit);
    ui->pushButton_cookiefile->setCursor(Qt::PointingHandCursor);
    ui->pushButton_cookiefile->setStyleSheet(ui->pushButton_2->styleSheet());
    ui->label_cookieshint->setStyleSheet(QStringLiteral("QLabel{color:#8492a1}"));
    fillCookieChoices();
    connect(ui->comboBox_cookies, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &MainWindow::showCookieFields);
}

// (Re)fills the choices in the interface language, keeping the selection.
void MainWindow::fillCookieChoices()
{
    QComboBox *combo = ui->comboBox_cookies;
    const int current = qMax(0, combo->currentIndex());
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItem(tr("None"), 0);
    for (const CookieOptions::Browser &b : CookieOptions::browsers()) {
        combo->addItem(b.label, 1);
        combo->setItemData(combo->count() - 1, b.name, BrowserRole);
    }
    combo->addItem(tr("Cookies file"), 2);
    combo->setCurrentIndex(qMin(current, combo->count() - 1));
    showCookieFields();
}

void MainWindow::showCookieSettings(const SettingsStore::CookieSettings &values)
{
    QComboBox *combo = ui->comboBox_cookies;
    int index = 0;
    for (int i = 0; i < combo->count(); ++i) {
        const int source = combo->itemData(i, SourceRole).toInt();
        if (source == values.source
            && (source != 1 || combo->itemData(i, BrowserRole).toString() == values.browser))
            index = i;
    }
    combo->setCurrentIndex(index);
    ui->lineEdit_cookieprofile->setText(values.source == 1 ? values.profile : QString());
    const QString file = values.source == 2 ? QDir::toNativeSeparators(values.file) : QString();
    ui->lineEdit_cookiefile->setText(file);
    ui->lineEdit_cookiefile->setToolTip(file);
    showCookieFields();
}

void MainWindow::showCookieFields()
{
    const int source = ui->comboBox_cookies->currentData(SourceRole).toInt();
    ui->lineEdit_cookieprofile->setVisible(source == 1);
    ui->lineEdit_cookiefile->setVisible(source == 2);
    ui->pushButton_cookiefile->setVisible(source == 2);
    ui->label_cookieshint->setVisible(source != 0);
    ui->label_cookiedetail->setText(
        source == 1 ? tr("Profile") : (source == 2 ? tr("File") : QString()));
}

void MainWindow::on_pushButton_cookiefile_clicked()
{
    const QString current = QDir::fromNativeSeparators(ui->lineEdit_cookiefile->text());
    const QString start = current.isEmpty() ? QDir::homePath() : QFileInfo(current).path();
    const QString chosen = DialogSeam::openFileName(
        this, tr("Choose a cookies file"), start, tr("Cookies files (*.txt);;All files (*)"));
    if (chosen.isEmpty())
        return;
    if (!CookieOptions::looksLikeCookiesFile(chosen)) {
        DialogSeam::warning(this, tr("Cookies for sign-in"),
            tr("%1 is not a cookies file in Netscape format. Export the cookies with a browser "
               "extension that writes this format (its first line is \"# Netscape HTTP Cookie "
               "File\").")
                .arg(QDir::toNativeSeparators(chosen)));
        return;
    }
    ui->lineEdit_cookiefile->setText(QDir::toNativeSeparators(chosen));
    ui->lineEdit_cookiefile->setToolTip(QDir::toNativeSeparators(chosen));
}

bool MainWindow::chosenCookieSettings(SettingsStore::CookieSettings *values)
{
    QComboBox *combo = ui->comboBox_cookies;
    values->source = combo->currentData(SourceRole).toInt();
    if (values->source == 1) {
        values->browser = combo->currentData(BrowserRole).toString();
        values->profile = ui->lineEdit_cookieprofile->text().trimmed();
    } else if (values->source == 2) {
        values->file = QDir::fromNativeSeparators(ui->lineEdit_cookiefile->text());
        if (values->file.isEmpty()) {
            DialogSeam::warning(this, tr("Cookies for sign-in"),
                tr("Choose the cookies file first, or choose \"None\"."));
            return false;
        }
    }
    return true;
}
