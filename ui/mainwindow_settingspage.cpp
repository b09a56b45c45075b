#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/global.h"
#include "base/imagestyle.h"
#include "base/settingsstore.h"
#include "ui/settingspage.h"

#include <QListView>

// The general settings page (page_12 of the service page).

void MainWindow::prepareSettingsPage()
{
    const QString style = ImageStyle::comboSheet(Global::SCALE);
    const QList<QPair<QComboBox *, QStringList>> combos
        = {{ui->comboBox_numbervideo, SettingsPage::videoCountChoices()},
            {ui->comboBox_numberprocess, SettingsPage::processChoices()},
            {ui->comboBox_numberprocess_2, SettingsPage::analysisChoices()}};
    for (const auto &entry : combos) {
        QComboBox *combo = entry.first;
        combo->setStyleSheet(style);
        combo->setCurrentIndex(0);
        combo->setView(new QListView(combo));
        combo->clear();
        combo->addItems(entry.second);
    }
    ui->pushButton_setting->setStyleSheet(ImageStyle::okSheet(chineseUi()));
    ui->pushButton_setting->setCursor(Qt::PointingHandCursor);
}

// Shows the values on the page; an edit stays on the page until it is saved.
void MainWindow::showGeneralSettings(const SettingsStore::GeneralSettings &values)
{
    ui->checkBox_2->setChecked(values.redownloadswitch != 0);
    ui->checkBox_3->setChecked(values.loadhistoryswitch != 0);
    ui->checkBox_4->setChecked(values.autodeletefileswitch != 0);
    ui->checkBox_6->setChecked(values.folderoption != 0);
    ui->checkBox_notify->setChecked(values.notifyswitch != 0);
    ui->comboBox_numbervideo->setCurrentIndex(SettingsPage::videoCountIndex(values.topnum));
    ui->comboBox_numberprocess->setCurrentIndex(SettingsPage::processIndex(values.processnum));
    ui->comboBox_numberprocess_2->setCurrentIndex(
        SettingsPage::analysisIndex(values.anaprocessnum));
}

// Saving hands the page to the controller, which stores it and announces the
// values (the downloads and this page take them from there).
void MainWindow::on_pushButton_setting_clicked()
{
    SettingsStore::GeneralSettings values;
    values.redownloadswitch = ui->checkBox_2->isChecked() ? 1 : 0;
    values.loadhistoryswitch = ui->checkBox_3->isChecked() ? 1 : 0;
    values.autodeletefileswitch = ui->checkBox_4->isChecked() ? 1 : 0;
    values.folderoption = ui->checkBox_6->isChecked() ? 1 : 0;
    values.notifyswitch = ui->checkBox_notify->isChecked() ? 1 : 0;
    values.topnum = ui->comboBox_numbervideo->currentText().toInt();
    values.processnum = ui->comboBox_numberprocess->currentText().toInt();
    values.anaprocessnum = ui->comboBox_numberprocess_2->currentText().toInt();
    saveGeneralSettings(values);
    on_pushButton_download_clicked();
}
