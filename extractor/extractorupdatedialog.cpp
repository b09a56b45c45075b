#include "extractor/extractorupdatedialog.h"

#include "base/global.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ExtractorUpdateDialog::ExtractorUpdateDialog(ExtractorUpdate *update, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_update(update)
    , m_label(new QLabel(this))
    , m_bar(new QProgressBar(this))
    , m_cancel(new QPushButton(this))
{
    setModal(true);
    setFixedWidth(Global::scaled(420));
    m_label->setWordWrap(true);
    setStyleSheet(
        QStringLiteral("QDialog{background:#ffffff}QLabel{color:#455261}"
                       "QPushButton{color:#3190f0;background:#ffffff;border:1px solid #3190f0;"
                       "border-radius:%1px;padding:%1px %2px;}"
                       "QPushButton:hover{background:#e8f2fd;}")
            .arg(Global::scaled(4))
            .arg(Global::scaled(14)));
    m_cancel->setCursor(Qt::PointingHandCursor);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(
        Global::scaled(20), Global::scaled(16), Global::scaled(20), Global::scaled(16));
    layout->setSpacing(Global::scaled(10));
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);
    connect(m_cancel, &QPushButton::clicked, this, &ExtractorUpdateDialog::reject);
    connect(update, &ExtractorUpdate::stepChanged, this, &ExtractorUpdateDialog::showStep);
    connect(update, &ExtractorUpdate::progress, this, &ExtractorUpdateDialog::showProgress);
    retranslate();
}

void ExtractorUpdateDialog::reset()
{
    showStep(ExtractorUpdate::Step::Checksums);
}

void ExtractorUpdateDialog::retranslate()
{
    setWindowTitle(tr("Update extractor"));
    m_cancel->setText(tr("Cancel"));
    showStep(m_step);
}

void ExtractorUpdateDialog::reject()
{
    m_update->cancel();
    QDialog::reject();
}

void ExtractorUpdateDialog::showStep(ExtractorUpdate::Step step)
{
    m_step = step;
    switch (step) {
    case ExtractorUpdate::Step::Checksums:
        m_label->setText(tr("Fetching the list of the newest release…"));
        break;
    case ExtractorUpdate::Step::Signature:
        m_label->setText(tr("Checking the release's signature…"));
        break;
    case ExtractorUpdate::Step::Program:
        m_label->setText(tr("Downloading the extractor…"));
        break;
    case ExtractorUpdate::Step::Trying:
        m_label->setText(tr("Trying the new extractor…"));
        break;
    }
    // Busy until the program file's size is known.
    if (step != ExtractorUpdate::Step::Program || m_bar->maximum() == 0)
        m_bar->setRange(0, 0);
}

void ExtractorUpdateDialog::showProgress(qint64 received, qint64 total)
{
    if (total <= 0) {
        m_bar->setRange(0, 0);
        return;
    }
    m_bar->setRange(0, 1000);
    m_bar->setValue(static_cast<int>(received * 1000 / total));
}
