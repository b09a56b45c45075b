#include "ui/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/dialogseam.h"
#include "base/global.h"
#include "base/savefolders.h"
#include "base/settingscontroller.h"
#include "downloads/downloadlistcontroller.h"
#include "extractor/analysissession.h"
#include "intake/batchlinks.h"
#include "intake/linkintake.h"
#include "intake/listdialog.h"
#include "intake/onekey.h"
#include "intake/singledialog.h"
#include "intake/windowintakedialogs.h"
#include "network/proxycontroller.h"
#include "tasks/iteminfo.h"

#include <QApplication>
#include <QClipboard>
#include <QDebug>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

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
    m_analysis = new AnalysisSession(this);
    m_intakeDialogs = std::make_shared<WindowIntakeDialogs>(
        this, m_singleDialog, m_listDialog, m_analysis,
        [this] {
            const QPoint corner = ui->pushButton_paste->mapToGlobal(QPoint(0, 0));
            return QPoint(corner.x() + ui->pushButton_paste->width(), corner.y());
        },
        [this] { return chineseUi() ? 1 : 0; });
    m_intake->setDialogs(m_intakeDialogs.get());
    setAcceptDrops(true);
    connect(m_intake, &LinkIntake::thumbnailFound, this, &MainWindow::fetchThumbnail);
    // Links handed over by another start wait until the network is known.
    m_intake->setNetworkKnown(m_proxy->networkKnown());
    connect(m_proxy, &ProxyController::networkAvailable, m_intake,
        [this] { m_intake->setNetworkKnown(true); });
    connect(m_proxy, &ProxyController::networkTesting, m_intake,
        [this] { m_intake->setNetworkKnown(false); });
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

void MainWindow::addLinks(const QStringList &lines)
{
    m_intake->setFolderOption(generalSettings().folderoption);
    m_intake->addLinks(lines);
}

void MainWindow::openLinks(const QStringList &links)
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    if (links.isEmpty())
        return;
    m_intake->setFolderOption(generalSettings().folderoption);
    m_intake->handOver(links);
}

void MainWindow::on_pushButton_paste_clicked()
{
    qDebug() << "g_port==" << m_proxy->port();
    if (!m_proxy->networkKnown()) {
        const QString site = Global::vendorSite() + QStringLiteral("/");
        DialogSeam::information(this, tr("Tips"),
            tr("Please waiting for detection agent ...,Software needs third-party agent "
               "support.If you have installed the agent,please contact us,We will solve it as "
               "soon as possible. ")
                + QStringLiteral("<a href=\"%1\">%1</a>").arg(site));
        return;
    }
    // Several lines are taken one by one, like a batch file.
    addLinks(BatchLinks::splitLines(QApplication::clipboard()->text()));
    ui->pushButton_paste->setEnabled(true);
}

void MainWindow::receiveTopForm(QString url)
{
    addLink(url);
}

// --- batch files and dropped links --------------------------------------------

void MainWindow::importLinkFile(const QString &path)
{
    const std::optional<QStringList> lines = BatchLinks::readFile(path);
    if (lines)
        addLinks(*lines);
}

void MainWindow::on_pushButton_3_clicked()
{
    const QString path
        = DialogSeam::openFileName(this, tr("选择批量导入文件"), QString(), tr("TXT(*.txt)"));
    if (!path.isEmpty())
        importLinkFile(path);
}

void MainWindow::on_pushButton_4_clicked()
{
    const QString path
        = DialogSeam::saveFileName(this, tr("保存的文件"), tr("."), tr("TXT(*.txt)"));
    if (path.isEmpty())
        return;
    const QStringList links
        = BatchLinks::exportLinks(m_downloads->tasks(), ui->comboBox_7->currentIndex(),
            [this](const ItemInfo *t) { return m_downloads->linkOf(t); });
    if (!BatchLinks::writeFile(path, links))
        DialogSeam::warning(
            this, tr("打开写入文件"), tr("打开要写入的文件失败，请检查文件名和是否具有写入权限！"));
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() || event->mimeData()->hasText())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QMimeData *data = event->mimeData();
    QStringList links;
    if (data->hasUrls()) {
        for (const QUrl &url : data->urls()) {
            if (url.isLocalFile()) {
                if (url.toLocalFile().endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
                    importLinkFile(url.toLocalFile());
            } else {
                links << url.toString();
            }
        }
    } else {
        links = BatchLinks::splitLines(data->text());
    }
    if (!links.isEmpty())
        addLinks(links);
    event->acceptProposedAction();
}

// --- one-key mode -----------------------------------------------------------------

void MainWindow::loadOneKeySettings()
{
    const std::optional<SettingsStore::OneKeySettings> stored = m_settings->oneKeyInEffect();
    if (!stored)
        return;
    m_intake->setOneKeyOn(stored->onekey);
    m_intake->setOneKey(OneKey::choiceFrom(*stored));
    showOneKeySettings(*stored);
    restyleOneKeyButton();
}

void MainWindow::showOneKeySettings(const SettingsStore::OneKeySettings &values)
{
    ui->checkBox->setChecked(values.onekey);
    ui->comboBox_4->setCurrentIndex(values.videoquality);
    ui->comboBox_2->setCurrentIndex(values.videosudu);
    SaveFolders::select(ui->comboBox_3, values.videolocation);
    ui->comboBox_5->setCurrentIndex(values.videozimu);
    ui->comboBox_6->setCurrentIndex(values.videozimulang);
    ui->checkBox_5->setChecked(values.videothumbnail);
}

void MainWindow::on_checkBox_clicked(bool checked)
{
    // In effect for the next link; stored only by OK.
    m_intake->setOneKeyOn(checked);
}

void MainWindow::on_pushButton_5_clicked()
{
    SaveFolders::choose(this, ui->comboBox_3, tr("Save Location"), m_desktopDir);
}

void MainWindow::on_pushButton_onekey_ok_clicked()
{
    SettingsStore::OneKeySettings values;
    values.onekey = m_intake->oneKeyOn();
    values.videoquality = ui->comboBox_4->currentIndex();
    values.videosudu = ui->comboBox_2->currentIndex();
    values.videolocation = ui->comboBox_3->currentText();
    values.videozimu = ui->comboBox_5->currentIndex();
    values.videozimulang = ui->comboBox_6->currentIndex();
    values.videothumbnail = ui->checkBox_5->isChecked();
    m_intake->setOneKey(OneKey::choiceFrom(values));
    m_settings->saveOneKey(values);
    restyleOneKeyButton();
    on_pushButton_download_clicked();
}
