#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/dialogseam.h"
#include "base/global.h"
#include "downloads/thumbnailfetch.h"
#include "intake/linkintake.h"
#include "intake/listdialog.h"
#include "intake/singledialog.h"
#include "intake/windowintakedialogs.h"
#include "tasks/iteminfo.h"

#include <QApplication>
#include <QClipboard>
#include <QDebug>

// Wiring of link intake: the two long-lived dialogs open beside the paste
// button; new tasks go into the download list, which is then shown and
// scheduled.
void MainWindow::createLinkIntake()
{
    m_singleDialog = new SingleDialog(this);
    m_listDialog = new ListDialog(this);
    for (AnalysisDialog *dialog : {static_cast<AnalysisDialog *>(m_singleDialog),
             static_cast<AnalysisDialog *>(m_listDialog)})
        dialog->setDesktopFolder(m_desktopDir);

    m_intake = new LinkIntake([this](ItemInfo *task) { addTask(task); }, this);
    m_intakeDialogs = std::make_shared<WindowIntakeDialogs>(
        this, m_singleDialog, m_listDialog,
        [this] {
            const QPoint corner = ui->pushButton_paste->mapToGlobal(QPoint(0, 0));
            return QPoint(corner.x() + ui->pushButton_paste->width(), corner.y());
        },
        [this] { return chineseUi() ? 1 : 0; });
    m_intake->setDialogs(m_intakeDialogs.get());
    m_intake->setThumbnailFetcher(
        [](const ItemInfo &t) { return Thumbnail::fetch(t.url, t.thumbnailUrl); });
    connect(m_intake, &LinkIntake::tasksAdded, this, [this] {
        on_pushButton_downloadfinished_2_clicked();
        on_pushButton_download_clicked();
        runScheduler();
    });
}

void MainWindow::addLink(const QString &url)
{
    m_intake->setFolderOption(generalSettings().folderoption);
    m_intake->addLink(url);
}

void MainWindow::on_pushButton_paste_clicked()
{
    qDebug() << "g_port==" << Global::PROXY_PORT;
    if (Global::PROXY_PORT == -1) {
        const QString site = Global::vendorRoot() + QStringLiteral("/");
        DialogSeam::information(this, tr("Tips"),
            tr("Please waiting for detection agent ...,Software needs third-party agent "
               "support.If you have installed the agent,please contact us,We will solve it as "
               "soon as possible. ")
                + QStringLiteral("<a href=\"%1\">%1</a>").arg(site));
        return;
    }
    addLink(QApplication::clipboard()->text());
    ui->pushButton_paste->setEnabled(true);
}

void MainWindow::receiveTopForm(QString url)
{
    addLink(url);
}
