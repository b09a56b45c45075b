#include "intake/singledialog.h"
#include "ui_singledialog.h"

#include "base/dialogseam.h"
#include "base/global.h"
#include "base/imagestyle.h"
#include "extractor/downloadcommand.h"
#include "extractor/formattable.h"

#include <QColor>
#include <QHeaderView>
#include <QRadioButton>

namespace {

QTableWidgetItem *cell(const QString &text, const QString &toolTip = QString())
{
    auto *item = new QTableWidgetItem(text);
    item->setToolTip(toolTip);
    item->setForeground(QColor(117, 126, 136));
    return item;
}

} // namespace

SingleDialog::SingleDialog(QWidget *parent)
    : AnalysisDialog(parent)
    , ui(new Ui::SingleDialog)
{
    ui->setupUi(this);
    setUpChrome(ui->frame_base, ui->frame_top, ui->label_jindu, ui->comboBox_3);

    QTableWidget *table = ui->tableWidget;
    table->setColumnCount(FormatRow::ColumnCount);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setColumnHidden(FormatRow::HeightColumn, true);
    table->setColumnHidden(FormatRow::FormatIdColumn, true);
    const int widths[] = {40, 30, 90, 30, 130, 90, 0, 0, 70, 150};
    for (int c = 0; c < FormatRow::ColumnCount; ++c) {
        if (widths[c] > 0)
            table->setColumnWidth(c, Global::scaled(widths[c]));
    }
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->setDefaultSectionSize(Global::scaled(32));
    table->setStyleSheet(
        QStringLiteral("QTableWidget{border:1px solid #d9e1ec;background:#fbfcfd;}"
                       "QTableWidget::item:selected{background:#e8f1fa;color:#024184;}"));
    ui->label_tishi->setStyleSheet(QStringLiteral("QLabel{color:#e67e22;}"));
    ui->label_2->setStyleSheet(QStringLiteral("QLabel{color:#8492a1;}"));
    ui->pushButton_5->setStyleSheet(ImageStyle::folderButtonSheet());
    ui->pushButton_close_2->setStyleSheet(ImageStyle::dialogCloseSheet());
    for (QPushButton *b : {ui->pushButton_5, ui->pushButton_6, ui->pushButton_close_2})
        b->setCursor(Qt::PointingHandCursor);
    setLanguage(1);
}

SingleDialog::~SingleDialog()
{
    delete ui;
}

void SingleDialog::setLanguage(int languageSwitch)
{
    ui->retranslateUi(this);
    ui->pushButton_6->setStyleSheet(ImageStyle::dialogDownloadSheet(languageSwitch != 0));
    const int language = ui->comboBox_4->currentIndex();
    const int mode = ui->comboBox_5->currentIndex();
    ui->comboBox_4->clear();
    for (const ChoiceEntry &c : subtitleLanguageChoices())
        ui->comboBox_4->addItem(c.label.trimmed());
    ui->comboBox_5->clear();
    for (const ChoiceEntry &c : subtitleModeChoices())
        ui->comboBox_5->addItem(QIcon(c.icon), c.label);
    ui->comboBox_4->setCurrentIndex(qMax(0, language));
    ui->comboBox_5->setCurrentIndex(qMax(0, mode));
    if (m_link.isEmpty())
        setWindowTitle(tr("Video Analytics"));
}

void SingleDialog::showAnalysing(const QString &link)
{
    fillSaveLocations();
    m_link = link;
    setWindowTitle(link);
    ui->label_2->clear();
    ui->label_tishi->clear();
    startAnimation();
    ui->label->setText(tr("Analysing... ") + link);
    m_meta = VideoMetadata();
    m_bestAudioId.clear();
    m_chosen.reset();
    ui->tableWidget->clearContents();
    ui->tableWidget->setRowCount(0);
    ui->checkBox->setChecked(true);
    ui->checkBox_2->setChecked(true);
}

void SingleDialog::showAnalysis(bool ok, const VideoMetadata &meta)
{
    stopAnimation();
    m_meta = ok ? meta : VideoMetadata();
    if (!ok) {
        ui->label->setText(tr("Incorrect Url address or network unreachabl."));
        return;
    }
    m_bestAudioId = bestAudioId(m_meta.formats, QString());
    QFont font = ui->label->font();
    font.setPixelSize(Global::scaled(14));
    ui->label->setFont(font);
    ui->label->setText(
        QFontMetrics(font).elidedText(m_meta.title, Qt::ElideRight, Global::scaled(360)));
    ui->label->setToolTip(m_meta.title);
    ui->label_2->setText(durationText(m_meta.duration));
    fillTable();
}

void SingleDialog::fillTable()
{
    const QList<FormatRow> rows = buildFormatRows(m_meta.formats);
    QTableWidget *table = ui->tableWidget;
    table->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const FormatRow &row = rows[r];
        if (!row.bestIcon.isEmpty()) {
            QTableWidgetItem *best = cell(row.bestText, row.bestToolTip);
            best->setIcon(QIcon(row.bestIcon));
            table->setItem(r, FormatRow::BestColumn, best);
        }
        auto *radio = new QRadioButton(table);
        radio->setStyleSheet(
            QStringLiteral("QRadioButton{margin-left:%1px;}").arg(Global::scaled(8)));
        table->setCellWidget(r, FormatRow::ChoiceColumn, radio);
        table->setItem(r, FormatRow::TypeColumn, cell(row.typeText));
        if (!row.resolutionIcon.isEmpty()) {
            QTableWidgetItem *icon = cell(row.resolutionIconText);
            icon->setIcon(QIcon(row.resolutionIcon));
            table->setItem(r, FormatRow::ResolutionIconColumn, icon);
        }
        QTableWidgetItem *resolution = cell(row.resolutionText, row.resolutionToolTip);
        if (row.resolutionAlignedLeft)
            resolution->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        table->setItem(r, FormatRow::ResolutionColumn, resolution);
        table->setItem(r, FormatRow::SizeColumn, cell(row.sizeText, row.sizeToolTip));
        table->setItem(r, FormatRow::HeightColumn, cell(QString::number(row.sortHeight)));
        table->setItem(r, FormatRow::FormatIdColumn, cell(row.formatId));
        table->setItem(r, FormatRow::FpsColumn, cell(row.fpsText, row.fpsToolTip));
        table->setItem(r, FormatRow::CodecColumn, cell(row.codecText, row.codecToolTip));
    }
    const int preselected = preselectedRow(rows);
    if (preselected >= 0)
        table->selectRow(preselected);
}

void SingleDialog::on_tableWidget_itemSelectionChanged()
{
    const int row = ui->tableWidget->currentRow();
    if (row < 0)
        return;
    if (auto *radio
        = qobject_cast<QRadioButton *>(ui->tableWidget->cellWidget(row, FormatRow::ChoiceColumn)))
        radio->setChecked(true);
    const QTableWidgetItem *codec = ui->tableWidget->item(row, FormatRow::CodecColumn);
    if (codec && !codec->text().contains(QLatin1String("AVC1")))
        ui->label_tishi->setText(tr("提示：不是常用视频格式，推荐选择AVC1格式"));
    else
        ui->label_tishi->clear();
}

void SingleDialog::on_pushButton_5_clicked()
{
    chooseFolder();
}

void SingleDialog::on_pushButton_close_2_clicked()
{
    reject();
}

void SingleDialog::reject()
{
    // Escape, the close button and closing the window all choose nothing.
    m_chosen.reset();
    QDialog::reject();
}

void SingleDialog::on_pushButton_6_clicked()
{
    m_saveLocation = ui->comboBox_3->currentText();
    m_subtitles = ui->checkBox->isChecked();
    m_subtitleMode = ui->comboBox_5->currentIndex();
    m_subtitleLanguage = ui->comboBox_4->currentIndex();
    m_thumbnail = ui->checkBox_2->isChecked();

    QTableWidget *table = ui->tableWidget;
    QString formatId;
    for (int r = 0; r < table->rowCount() && formatId.isNull(); ++r) {
        auto *radio = qobject_cast<QRadioButton *>(table->cellWidget(r, FormatRow::ChoiceColumn));
        if (radio && radio->isChecked())
            formatId = table->item(r, FormatRow::FormatIdColumn)->text();
    }
    if (table->rowCount() > 0 && formatId.isNull()) {
        DialogSeam::warning(this, tr("Warning"), tr("please select a type "));
        return;
    }
    m_chosen.reset();
    for (const FormatInfo &f : qAsConst(m_meta.formats)) {
        if (!formatId.isNull() && f.format_id == formatId) {
            m_chosen = f;
            break;
        }
    }
    if (m_chosen)
        accept();
    else
        QDialog::reject();
}

std::optional<SingleChoice> SingleDialog::choice() const
{
    if (!m_chosen)
        return std::nullopt;
    SingleChoice c;
    c.link = m_link;
    c.title = m_meta.title;
    c.uploader = m_meta.uploader;
    c.uploadDate = m_meta.uploadDate;
    c.thumbnail = m_meta.thumbnail;
    c.duration = m_meta.duration;
    c.format = *m_chosen;
    c.bestAudioId = m_bestAudioId;
    c.saveLocation = m_saveLocation;
    c.subtitles = m_subtitles;
    c.subtitleMode = m_subtitleMode;
    c.subtitleLanguage = m_subtitleLanguage;
    c.thumbnailWanted = m_thumbnail;
    return c;
}
