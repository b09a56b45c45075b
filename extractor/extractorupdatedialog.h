#pragma once

#include "extractor/extractorupdate.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// Shows a running "Update extractor": what it does now, the transfer of the
// program file, and a button that cancels. The update itself is the
// controller's; the dialog only shows it and forwards the cancel.
class ExtractorUpdateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ExtractorUpdateDialog(ExtractorUpdate *update, QWidget *parent = nullptr);

    // Back to the first step, for the next update.
    void reset();
    void retranslate();

protected:
    void reject() override;

private:
    void showStep(ExtractorUpdate::Step step);
    void showProgress(qint64 received, qint64 total);

    ExtractorUpdate *m_update;
    ExtractorUpdate::Step m_step = ExtractorUpdate::Step::Checksums;
    QLabel *m_label;
    QProgressBar *m_bar;
    QPushButton *m_cancel;
};
