#include "intake/listdialog.h"
#include "ui_listdialog.h"

#include "base/dialogseam.h"
#include "base/global.h"
#include "base/imagestyle.h"
#include "extractor/downloadcommand.h"
#include "intake/form.h"
#include "intake/playlistrows.h"

#include <QScrollBar>

ListDialog::ListDialog(QWidget *parent)
    : AnalysisDialog(parent)
    , ui(new Ui::ListDialog)
{
    ui->setupUi(this);
    setUpChrome(ui->frame_base, ui->frame_top, ui->label_jindu, ui->comboBox_type_2);

    m_rows = new PlaylistRows(ui->scrollArea, [this](Form *row, int index) {
        const ListVideoInfo &entry = m_entries.at(index);
        row->setChecked(entry.checked);
        row->setTitle(entry.title);
    });
    connect(m_rows, &PlaylistRows::checkClicked, this, &ListDialog::onCheckClicked);
    ui->scrollArea->setWidget(m_rows);
    ui->scrollArea->setStyleSheet(
        QStringLiteral("QScrollArea {background-color:transparent;border:none;}"));
    ui->scrollArea->viewport()->setStyleSheet(QStringLiteral("background-color:transparent;"));
    ui->label_duration->setStyleSheet(QStringLiteral("QLabel{color:#8492a1;}"));
    ui->pushButton_2->setStyleSheet(ImageStyle::folderButtonSheet());
    ui->pushButton_close->setStyleSheet(ImageStyle::dialogCloseSheet());
    for (QPushButton *b : {ui->pushButton, ui->pushButton_2, ui->pushButton_close})
        b->setCursor(Qt::PointingHandCursor);
    setLanguage(1);
}

ListDialog::~ListDialog()
{
    delete ui;
}

void ListDialog::setLanguage(int languageSwitch)
{
    ui->retranslateUi(this);
    ui->pushButton->setStyleSheet(ImageStyle::dialogDownloadSheet(languageSwitch != 0));
    const int quality = ui->comboBox_video->currentIndex();
    const int language = ui->comboBox_subtitle->currentIndex();
    ui->comboBox_video->clear();
    // The list offers every quality but " Original Video"; its index is
    // therefore one below the quality number it stands for.
    const QVector<ChoiceEntry> &qualities = qualityChoices();
    for (int i = 1; i < qualities.size(); ++i)
        ui->comboBox_video->addItem(QIcon(qualities[i].icon), qualities[i].label);
    ui->comboBox_subtitle->clear();
    for (const ChoiceEntry &c : subtitleLanguageChoices())
        ui->comboBox_subtitle->addItem(c.label.trimmed());
    ui->comboBox_video->setCurrentIndex(qMax(0, quality));
    ui->comboBox_subtitle->setCurrentIndex(qMax(0, language));
    if (m_link.isEmpty())
        setWindowTitle(tr("Video Analytics"));
}

void ListDialog::setOneKey(bool onekey)
{
    m_onekey = onekey;
    // One-key tasks go to the one-key folder.
    ui->comboBox_type_2->setVisible(!onekey);
    ui->pushButton_2->setVisible(!onekey);
    ui->label_2->setVisible(!onekey);
}

void ListDialog::showAnalysing(const QString &link)
{
    stopAnimation();
    fillSaveLocations();
    clearRows();
    ui->label_duration->clear();
    m_downloaded = false;
    m_choice = ListChoice();
    {
        const QSignalBlocker quiet(ui->checkBox);
        ui->checkBox->setChecked(false);
    }
    m_link = link;
    setWindowTitle(link);
    startAnimation();
    const QString text = tr("Analysing... ") + link;
    QFont font = ui->label_title->font();
    font.setPixelSize(Global::scaled(14));
    ui->label_title->setFont(font);
    ui->label_title->setText(
        QFontMetrics(font).elidedText(text, Qt::ElideRight, Global::scaled(360)));
    ui->label_title->setToolTip(text);
}

void ListDialog::clearRows()
{
    m_entries.clear();
    m_rows->setCount(0);
}

void ListDialog::showEntries(const QList<ListVideoInfo> &entries)
{
    stopAnimation();
    m_entries = entries;
    showList();
    ui->label_title->setText(tr("Parsing completed,select videoes and click download"));
    ui->label_title->setToolTip(QString());
}

void ListDialog::showList()
{
    for (int i = 0; i < m_entries.size(); ++i)
        m_entries[i].checked = i == 0;
    m_rows->setCount(m_entries.size());
    showCount();
}

void ListDialog::showCount()
{
    int ticked = 0;
    for (const ListVideoInfo &entry : qAsConst(m_entries))
        ticked += entry.checked ? 1 : 0;
    ui->label_duration->setText(QString::number(ticked) + QLatin1Char('/')
        + QString::number(m_entries.size()) + tr(" items"));
}

void ListDialog::onCheckClicked(int index, bool flag)
{
    if (index < 0 || index >= m_entries.size())
        return;
    m_entries[index].checked = flag;
    showCount();
}

void ListDialog::on_checkBox_toggled(bool checked)
{
    for (ListVideoInfo &entry : m_entries)
        entry.checked = checked;
    m_rows->refresh();
    showCount();
}

void ListDialog::showTitle(int index, const QString &found)
{
    if (index < 0 || index >= m_entries.size())
        return;
    const QString title = found.isEmpty() ? tr("Parsing failture") : found;
    m_entries[index].title = title;
    if (Form *row = m_rows->rowFor(index))
        row->setTitle(title);
}

void ListDialog::on_pushButton_2_clicked()
{
    chooseFolder();
}

void ListDialog::on_pushButton_clicked()
{
    m_choice = ListChoice();
    m_choice.saveLocation = ui->comboBox_type_2->currentText();
    m_choice.thumbnail = ui->checkBox_2->isChecked();
    m_choice.qualityNum = ui->comboBox_video->currentIndex() + 1;
    m_choice.subtitleLanguage = ui->comboBox_subtitle->currentIndex();
    m_choice.entries = m_entries;
    m_downloaded = true;
    done(Download);
}

void ListDialog::on_pushButton_close_clicked()
{
    m_downloaded = false;
    done(Closed);
}

void ListDialog::reject()
{
    // Escape and closing the window queue nothing, like the close button.
    m_downloaded = false;
    done(Closed);
}

std::optional<ListChoice> ListDialog::choice() const
{
    if (!m_downloaded || m_choice.entries.isEmpty())
        return std::nullopt;
    return m_choice;
}
