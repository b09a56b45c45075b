#include "service/topform.h"
#include "ui_topform.h"

#include "base/global.h"
#include "base/imagestyle.h"
#include "base/widgetscale.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>

namespace {

const char *const RankColors[] = {
    "QLabel{color:rgb(91,148,0)}",
    "QLabel{color:rgb(219,88,0)}",
    "QLabel{color:rgb(33,191,166)}",
};

} // namespace

TopForm::TopForm(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::TopForm)
{
    ui->setupUi(this);
    DisplayScale::scaleChildGeometry(this, Global::SCALE);
    setFixedSize(Global::scaled(289), Global::scaled(58));

    ui->frame->setStyleSheet(QStringLiteral("QFrame{background:#ffffff}"));
    ui->label_time->setStyleSheet(QStringLiteral("QLabel{color:#929292}"));
    ui->label_name->setStyleSheet(QStringLiteral("QLabel{color:#929292}"));
    QFont rankFont = ui->label->font();
    rankFont.setPixelSize(Global::scaled(16));
    rankFont.setBold(true);
    ui->label->setFont(rankFont);
    QFont timeFont = ui->label_time->font();
    timeFont.setPixelSize(Global::scaled(12));
    ui->label_time->setFont(timeFont);
    ui->label_img->setScaledContents(true);

    ui->pushButton->setStyleSheet(ImageStyle::topRowDownloadSheet());
    ui->pushButton->setCursor(Qt::PointingHandCursor);
    retranslate();

    m_menu = new QMenu(this);
    m_menu->setFont(QFont(QStringLiteral("微软雅黑"), 9));
    m_menu->setStyleSheet(ImageStyle::menuSheet(Global::SCALE));
    m_copyAction = m_menu->addAction(tr("Copy download link"), this, &TopForm::copyURl);
    m_downloadAction = m_menu->addAction(tr("Download link"), this, &TopForm::URLdownload);
}

TopForm::~TopForm()
{
    delete ui;
}

void TopForm::setName(const QString &title)
{
    QFont font = ui->label_name->font();
    font.setPixelSize(Global::scaled(14));
    ui->label_name->setFont(font);
    const int limit = Global::scaled(111);
    const QFontMetrics metrics(font);
    ui->label_name->setText(metrics.horizontalAdvance(title) > limit
            ? metrics.elidedText(title, Qt::ElideRight, limit)
            : title);
    ui->label_name->setToolTip(title);
}

void TopForm::setTime(const QString &duration)
{
    ui->label_time->setText(duration);
}

void TopForm::setRank(int rank)
{
    ui->label->setText(QString::number(rank).rightJustified(2, QLatin1Char('0')));
}

void TopForm::setRankColor(int kind)
{
    if (kind >= 0 && kind < 3)
        ui->label->setStyleSheet(QLatin1String(RankColors[kind]));
}

void TopForm::setImage(const QByteArray &picture)
{
    QImage image;
    if (picture.isEmpty() || !image.loadFromData(picture))
        return;
    // Through the list's thumbnail size first, as every list picture is.
    image = image.scaled(
        Global::scaled(120), Global::scaled(68), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    ui->label_img->setPixmap(QPixmap::fromImage(image).scaled(
        Global::scaled(77), Global::scaled(44), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QString TopForm::rankText() const
{
    return ui->label->text();
}

QString TopForm::nameText() const
{
    return ui->label_name->text();
}

QString TopForm::timeText() const
{
    return ui->label_time->text();
}

bool TopForm::hasImage() const
{
    return !ui->label_img->pixmap(Qt::ReturnByValue).isNull();
}

void TopForm::retranslate()
{
    ui->pushButton->setToolTip(tr("Download"));
}

void TopForm::on_pushButton_clicked()
{
    emit sendurl(m_url);
}

void TopForm::URLdownload()
{
    emit sendurl(m_url);
}

void TopForm::copyURl()
{
    QApplication::clipboard()->setText(m_url);
}

void TopForm::enterEvent(QEvent *event)
{
    ui->frame->setStyleSheet(QStringLiteral("QFrame{background:#EAF6FF}"));
    QWidget::enterEvent(event);
}

void TopForm::leaveEvent(QEvent *event)
{
    ui->frame->setStyleSheet(QStringLiteral("QFrame{background:#ffffff}"));
    QWidget::leaveEvent(event);
}

void TopForm::contextMenuEvent(QContextMenuEvent *event)
{
    // Texts are set on each showing, so they follow a language switch.
    m_copyAction->setText(tr("Copy download link"));
    m_downloadAction->setText(tr("Download link"));
    m_menu->exec(event->globalPos());
}
