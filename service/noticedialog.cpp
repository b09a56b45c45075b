#include "service/noticedialog.h"
#include "ui_noticedialog.h"

#include "base/customshadoweffect.h"
#include "base/global.h"
#include "base/imagestyle.h"
#include "base/widgetscale.h"
#include "base/windowdrag.h"

NoticeDialog::NoticeDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::NoticeDialog)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    DisplayScale::scaleChildGeometry(this, Global::SCALE);
    setFixedSize(Global::scaled(440), Global::scaled(360));
    WindowDrag::install(this);

    auto *shadow = new CustomShadowEffect(ui->frame_base);
    shadow->setBlurRadius(8.0);
    shadow->setDistance(2.0);
    shadow->setColor(QColor(0, 0, 0, 80));
    ui->frame_base->setGraphicsEffect(shadow);
    ui->frame_base->setStyleSheet(QStringLiteral("#frame_base{background:#ffffff;}"));
    ui->frame->setStyleSheet(QStringLiteral("#frame{background:#ffffff;}"));

    QFont caption = ui->label->font();
    caption.setPixelSize(Global::scaled(15));
    caption.setBold(true);
    ui->label->setFont(caption);
    ui->label->setStyleSheet(QStringLiteral("QLabel{color:#2b3645;}"));
    ui->pushButton_close_2->setStyleSheet(ImageStyle::dialogCloseSheet());
    ui->pushButton_close_2->setCursor(Qt::PointingHandCursor);

    for (QFrame *line : {ui->frame_2, ui->frame_3, ui->frame_4, ui->frame_5, ui->frame_6})
        line->setStyleSheet(QStringLiteral("QFrame{background:#dddddd}"));
    QFont small = font();
    small.setPixelSize(Global::scaled(12));
    QFont title = small;
    title.setPixelSize(Global::scaled(13));
    for (int row = 0; row < Rows; ++row) {
        const QList<QLabel *> labels = rowLabels(row);
        labels[0]->setStyleSheet(QStringLiteral("QLabel{color:#3190f0;}"));
        labels[0]->setFont(title);
        for (QLabel *grey : {labels[1], labels[2]}) {
            grey->setStyleSheet(QStringLiteral("QLabel{color:#7e7e7e;}"));
            grey->setFont(small);
        }
        labels[2]->setWordWrap(true);
    }
    setNotices({}, {}, {});
    retranslate();
}

NoticeDialog::~NoticeDialog()
{
    delete ui;
}

QList<QLabel *> NoticeDialog::rowLabels(int row) const
{
    const QString stem = QStringLiteral("label_%1_").arg(row + 1);
    return {findChild<QLabel *>(stem + QStringLiteral("title")),
        findChild<QLabel *>(stem + QStringLiteral("time")),
        findChild<QLabel *>(stem + QStringLiteral("content"))};
}

void NoticeDialog::setNotices(
    const QStringList &titles, const QStringList &times, const QStringList &texts)
{
    for (int row = 0; row < Rows; ++row) {
        const QList<QLabel *> labels = rowLabels(row);
        labels[0]->setText(titles.value(row));
        labels[1]->setText(times.value(row));
        labels[2]->setText(texts.value(row));
        labels[2]->setToolTip(texts.value(row));
    }
    if (titles.isEmpty())
        ui->label_1_content->setText(tr("There are no notices at the moment."));
    // A line separates a row from the next only when that one is used.
    const QList<QFrame *> between = {ui->frame_3, ui->frame_4, ui->frame_5, ui->frame_6};
    for (int i = 0; i < between.size(); ++i)
        between[i]->setVisible(i + 1 < titles.size());
}

void NoticeDialog::retranslate()
{
    setWindowTitle(tr("Notice"));
    ui->label->setText(tr("Notice"));
    ui->pushButton_close_2->setToolTip(tr("Close"));
}

void NoticeDialog::on_pushButton_close_2_clicked()
{
    close();
}
