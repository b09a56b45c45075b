#pragma once

#include <QDialog>
#include <QTimer>

class QComboBox;
class QFrame;
class QLabel;

// What the single-video and the playlist dialogs share: a frameless window
// with a drop shadow that the left mouse button drags, the waiting animation
// shown while the extractor analyses, and the save-location list with its
// folder chooser.
class AnalysisDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AnalysisDialog(QWidget *parent = nullptr);

    // The second save location offered; the list is filled with it.
    void setDesktopFolder(const QString &folder);
    // However the dialog ends, the waiting animation ends with it.
    void done(int result) override;

public slots:
    void updatePixmap();

protected:
    // Call once the form is set up: scales it, makes it frameless with a
    // shadow around base and fills the save-location list.
    void setUpChrome(QFrame *base, QFrame *top, QLabel *animation, QComboBox *saveLocation);
    void startAnimation();
    void stopAnimation();
    // The folder chooser: an existing entry is selected, a new one appended.
    void chooseFolder();
    void fillSaveLocations();

    QString m_desktopFolder;

private:
    QLabel *m_animationLabel = nullptr;
    QComboBox *m_saveLocation = nullptr;
    QTimer m_animation;
    int m_frame = 1;
};
