#include "downloads/itemwidget.h"
#include "ui_itemwidget.h"

#include "base/global.h"
#include "base/imagestyle.h"
#include "tasks/iteminfo.h"
#include "tasks/taskstatus.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMovie>

namespace {

void scaleGeometry(QWidget *w)
{
    const QRect g = w->geometry();
    w->setGeometry(Global::scaled(g.x()), Global::scaled(g.y()), Global::scaled(g.width()),
        Global::scaled(g.height()));
}

// The row's small image buttons: normal and hover pictures.
const char *const kPlayStyle = "QPushButton{border-image: url(:/image2/play2.png)  ;}"
                               "QPushButton:hover{border-image: url(:/image2/play1.png)  ;}"
                               "QPushButton:focus{outline: none;}";
const char *const kRetryStyle = "QPushButton{border-image: url(:/image2/refresh2.png)  ;}"
                                "QPushButton:hover{border-image: url(:/image2/refresh1.png)  ;}"
                                "QPushButton:focus{outline: none;}";
const char *const kFolderStyle = "QPushButton{border-image: url(:/image2/folder2.png)  ;}"
                                 "QPushButton:hover{border-image: url(:/image2/folder1.png)  ;}"
                                 "QPushButton:focus{outline: none;}";

// Loaded once: QPixmap keeps pictures read from files in its cache.
QPixmap defaultThumbnail()
{
    return QPixmap(QStringLiteral(":/image/movtitle3.png"));
}

} // namespace

itemWidget::itemWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::itemWidget)
    , busyMovie(new QMovie(QStringLiteral(":/image/3.gif"), QByteArray(), this))
    , contextMenu(new QMenu())
    , copyAction(new QAction(this))
    , openFolderAction(new QAction(this))
    , deleteAction(new QAction(this))
    , redownloadAction(new QAction(this))
    , startAction(new QAction(this))
    , pauseAction(new QAction(this))
{
    ui->setupUi(this);
    scaleGeometry(this);
    setFixedSize(size());
    for (QWidget *child : findChildren<QWidget *>())
        scaleGeometry(child);
    applyStyles();

    ui->label_xunhuan->setMovie(busyMovie);
    ui->label_xunhuan->setScaledContents(true);
    ui->label_xunhuan->hide();
    ui->pushButton->hide();
    ui->label->setPixmap(defaultThumbnail());
    ui->label->setScaledContents(true);

    connect(copyAction, &QAction::triggered, this, &itemWidget::copyURl);
    connect(openFolderAction, &QAction::triggered, this,
        [this] { ask(&itemWidget::openFolderRequested); });
    connect(deleteAction, &QAction::triggered, this, [this] { ask(&itemWidget::deleteRequested); });
    connect(redownloadAction, &QAction::triggered, this,
        [this] { ask(&itemWidget::redownloadRequested); });
    connect(startAction, &QAction::triggered, this, [this] { ask(&itemWidget::startRequested); });
    connect(pauseAction, &QAction::triggered, this, [this] { ask(&itemWidget::pauseRequested); });
    retranslateMenu();
}

itemWidget::~itemWidget()
{
    delete contextMenu;
    delete ui;
}

void itemWidget::applyStyles()
{
    const QString line = QStringLiteral("QFrame{background:#d9e1ec;}");
    for (QFrame *f : {ui->frame, ui->frame_2, ui->frame_3, ui->frame_4})
        f->setStyleSheet(line);
    ui->frame_base_base->setStyleSheet(QStringLiteral("QFrame{background:#f7f9fb}"));

    ui->pushButton->setStyleSheet(QLatin1String(kPlayStyle));
    ui->pushButton_2->setStyleSheet(QLatin1String(kRetryStyle));
    ui->pushButton_3->setStyleSheet(QLatin1String(kFolderStyle));
    ui->pushButton->setToolTip(tr("play"));
    ui->pushButton_2->setToolTip(tr("retry download"));
    ui->pushButton_3->setToolTip(tr("open file location"));

    ui->progressBar->setStyleSheet(QStringLiteral(
        "QProgressBar::chunk {background-color:rgba(49,144,240,50);}"
        "QProgressBar {   border: 0px solid grey;border-radius: 5px;background-color: #d9e1ec;}"));
    ui->label_time->setStyleSheet(
        QStringLiteral("QLabel{color:rgb(255,255,255);background-color:rgba(34,43,18,200)}"));
    const QString text = QStringLiteral("QLabel{color:#455261;}");
    for (QLabel *l : {ui->label_name, ui->label_percent, ui->label_size, ui->label_status,
             ui->label_time_2, ui->label_sudu})
        l->setStyleSheet(text);

    QFont font = this->font();
    font.setPixelSize(Global::scaled(12));
    for (QLabel *l : {ui->label_time, ui->label_name, ui->label_size, ui->label_percent,
             ui->label_sudu, ui->label_time_2, ui->label_status})
        l->setFont(font);
    QFont bold = font;
    bold.setWeight(75);
    ui->label_name->setFont(bold);

    contextMenu->setStyleSheet(ImageStyle::menuSheet(Global::SCALE));
    const QFont menuFont(QStringLiteral("微软雅黑"), 9);
    for (QAction *a :
        {copyAction, openFolderAction, deleteAction, redownloadAction, startAction, pauseAction})
        a->setFont(menuFont);
}

void itemWidget::retranslateMenu()
{
    copyAction->setText(tr("Copy download link"));
    openFolderAction->setText(tr("Open folder"));
    deleteAction->setText(tr("Delete"));
    redownloadAction->setText(tr("Redownload"));
    startAction->setText(tr("Start"));
    pauseAction->setText(tr("Pause download"));
}

void itemWidget::setTaskInfo(ItemInfo *task)
{
    taskInfo = task;
}

void itemWidget::clearDisplay()
{
    for (QLabel *l : {ui->label_time, ui->label_name, ui->label_size, ui->label_percent,
             ui->label_sudu, ui->label_time_2, ui->label_status})
        l->clear();
    ui->label_name->setToolTip(QString());
    ui->progressBar->setValue(0);
    ui->pushButton->hide();
    busyMovie->stop();
    ui->label_xunhuan->hide();
    ui->label->setPixmap(defaultThumbnail());
}

void itemWidget::setDurationText(const QString &text)
{
    ui->label_time->setText(text);
    retranslateMenu();
}

void itemWidget::setTitleText(const QString &text)
{
    ui->label_name->setText(text.simplified());
    ui->label_name->setToolTip(text);
}

void itemWidget::setStatusText(const QString &text)
{
    ui->label_status->setText(text);
}

QString itemWidget::statusText() const
{
    return ui->label_status->text();
}

void itemWidget::setSizeText(const QString &text)
{
    ui->label_size->setText(text.simplified());
}

void itemWidget::setPercentText(const QString &text)
{
    ui->label_percent->setText(text);
}

void itemWidget::setProgressValue(int value)
{
    ui->progressBar->setValue(value);
}

void itemWidget::setSpeedText(const QString &text)
{
    ui->label_sudu->setText(text);
}

void itemWidget::setEtaText(const QString &text)
{
    ui->label_time_2->setText(text);
}

void itemWidget::setThumbnail(const QPixmap &pixmap)
{
    if (!pixmap.isNull())
        ui->label->setPixmap(pixmap);
}

void itemWidget::showPlayButton()
{
    ui->pushButton->setVisible(true);
}

void itemWidget::startBusyAnimation()
{
    ui->label_xunhuan->setVisible(true);
    busyMovie->start();
}

void itemWidget::stopBusyAnimation()
{
    busyMovie->stop();
}

void itemWidget::showBusyLabel()
{
    ui->label_xunhuan->setVisible(true);
}

void itemWidget::hideBusyLabel()
{
    ui->label_xunhuan->setVisible(false);
}

void itemWidget::enterEvent(QEvent *event)
{
    ui->frame_base_base->setStyleSheet(QStringLiteral("QFrame{background:#EAF6FF}"));
    QWidget::enterEvent(event);
}

void itemWidget::leaveEvent(QEvent *event)
{
    ui->frame_base_base->setStyleSheet(QStringLiteral("QFrame{background:#f7f9fb}"));
    QWidget::leaveEvent(event);
}

QList<QAction *> itemWidget::menuActions() const
{
    QList<QAction *> actions;
    if (taskInfo && !taskInfo->active)
        actions << startAction;
    else if (taskInfo && taskInfo->running && taskInfo->process_status >= TaskStatus::Downloading
        && taskInfo->process_status <= TaskStatus::PostProcessing)
        actions << pauseAction;
    actions << copyAction << openFolderAction << deleteAction << redownloadAction;
    return actions;
}

void itemWidget::contextMenuEvent(QContextMenuEvent *event)
{
    contextMenu->clear();
    contextMenu->addActions(menuActions());
    contextMenu->exec(QCursor::pos());
    event->accept();
}

void itemWidget::copyURl()
{
    // A restored task's record may not hold its link: the list reads it.
    ask(&itemWidget::copyLinkRequested);
}

void itemWidget::ask(void (itemWidget::*request)(ItemInfo *))
{
    if (taskInfo)
        emit(this->*request)(taskInfo);
}

void itemWidget::on_pushButton_clicked()
{
    ask(&itemWidget::playRequested);
}

void itemWidget::on_pushButton_2_clicked()
{
    ask(&itemWidget::redownloadRequested);
}

void itemWidget::on_pushButton_3_clicked()
{
    ask(&itemWidget::openFolderRequested);
}
