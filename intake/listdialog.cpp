#include "intake/listdialog.h"
#include "ui_listdialog.h"

#include "base/dialogseam.h"
#include "base/global.h"
#include "base/imagestyle.h"
#include "extractor/commands.h"
#include "extractor/cookieoptions.h"
#include "extractor/downloadcommand.h"
#include "extractor/metadata.h"
#include "extractor/myqprocess.h"
#include "extractor/toolprocess.h"
#include "intake/form.h"
#include "intake/playlistrows.h"

#include <QScrollBar>

ListDialog::ListDialog(QWidget *parent)
    : AnalysisDialog(parent)
    , ui(new Ui::ListDialog)
    , m_p1(new MyQProcess(this))
    , m_p2(new MyQProcess(this))
{
    ui->setupUi(this);
    setUpChrome(ui->frame_base, ui->frame_top, ui->label_jindu, ui->comboBox_type_2);
    for (MyQProcess *p : {m_p1, m_p2})
        p->setProcessChannelMode(QProcess::MergedChannels);
    connect(m_p1, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
        &ListDialog::on_P1_Finished);
    connect(m_p2, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
        &ListDialog::on_P2_Finished);

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
    endRuns();
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

void ListDialog::startAnalysis(const QString &link)
{
    endRuns();
    fillSaveLocations();
    clearRows();
    ui->label_duration->clear();
    m_finished = false;
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
    ToolProcess::startExtractor(m_p1, flatListCommand(link));
}

void ListDialog::clearRows()
{
    m_entries.clear();
    m_rows->setCount(0);
    m_titleIndex = -1;
}

void ListDialog::on_P1_Finished(int, QProcess::ExitStatus)
{
    const QByteArray output = m_p1->readAll();
    m_p1->close();
    showEntries(output);
}

void ListDialog::showEntries(const QByteArray &flatListOutput)
{
    stopAnimation();
    m_entries = parseFlatList(flatListOutput);
    showList();
    ui->label_title->setText(tr("Parsing completed,select videoes and click download"));
    ui->label_title->setToolTip(QString());
    const CookieFailure::Kind cookies = m_entries.isEmpty()
        ? CookieOptions::failureOf(m_p1, flatListOutput)
        : CookieFailure::None;
    if (cookies != CookieFailure::None) {
        ui->label_title->setText(CookieFailure::rowText());
        DialogSeam::warning(
            this, CookieFailure::title(), CookieFailure::message(cookies, CookieOptions::choice()));
    }
    fetchNextTitle();
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

void ListDialog::fetchNextTitle()
{
    if (m_finished || m_p2->state() != QProcess::NotRunning)
        return;
    for (int i = 0; i < m_entries.size(); ++i) {
        ListVideoInfo &entry = m_entries[i];
        if (!entry.title.isEmpty() || entry.titleRetries < 0)
            continue;
        entry.titleRetries -= 1;
        m_titleIndex = i;
        ToolProcess::startExtractor(m_p2, titleCommand(entry.link));
        return;
    }
}

void ListDialog::on_P2_Finished(int, QProcess::ExitStatus)
{
    const QByteArray output = m_p2->readAll();
    m_p2->close();
    if (m_titleIndex >= 0 && m_titleIndex < m_entries.size()) {
        QString title = titleFromOutput(output);
        if (title.isEmpty())
            title = tr("Parsing failture");
        m_entries[m_titleIndex].title = title;
        if (Form *row = m_rows->rowFor(m_titleIndex))
            row->setTitle(title);
    }
    m_titleIndex = -1;
    fetchNextTitle();
}

void ListDialog::on_pushButton_2_clicked()
{
    chooseFolder();
}

void ListDialog::on_pushButton_clicked()
{
    m_choice = ListChoice();
    m_choice.saveLocation = ui->comboBox_type_2->currentText();
    m_choice.thumbnailOption = ui->checkBox_2->isChecked()
        ? QStringLiteral(" --write-thumbnail --convert-thumbnails png ")
        : QStringLiteral(" ");
    m_choice.qualityNum = ui->comboBox_video->currentIndex() + 1;
    m_choice.subtitleOption = QStringLiteral(" --write-sub  --write-auto-sub ")
        + subtitleLanguageOption(ui->comboBox_subtitle->currentIndex());
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

void ListDialog::finish()
{
    m_finished = true;
    endRuns();
}

void ListDialog::endRuns()
{
    for (MyQProcess *p : {m_p1, m_p2}) {
        const QSignalBlocker quiet(p);
        p->endRun();
    }
    stopAnimation();
}

std::optional<ListChoice> ListDialog::choice() const
{
    if (!m_downloaded || m_choice.entries.isEmpty())
        return std::nullopt;
    return m_choice;
}
