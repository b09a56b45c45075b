#include "intake/analysisdialog.h"

#include "base/customshadoweffect.h"
#include "base/dialogseam.h"
#include "base/global.h"
#include "base/imagestyle.h"
#include "base/savefolders.h"
#include "base/widgetscale.h"
#include "base/windowdrag.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListView>

AnalysisDialog::AnalysisDialog(QWidget *parent)
    : QDialog(parent)
{
    connect(&m_animation, &QTimer::timeout, this, &AnalysisDialog::updatePixmap);
}

void AnalysisDialog::setUpChrome(
    QFrame *base, QFrame *top, QLabel *animation, QComboBox *saveLocation)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    DisplayScale::scaleChildGeometry(this, Global::SCALE);
    setFixedSize(Global::scaled(width()), Global::scaled(height()));
    WindowDrag::install(this);

    auto *shadow = new CustomShadowEffect(base);
    shadow->setBlurRadius(8.0);
    shadow->setDistance(2.0);
    shadow->setColor(QColor(0, 0, 0, 80));
    base->setGraphicsEffect(shadow);
    base->setStyleSheet(QStringLiteral("QFrame{background:#FFFFFF;border-radius:4px;}"));
    top->setStyleSheet(QStringLiteral("QFrame{background:#f2f6fa;border-radius:4px;}"));

    m_animationLabel = animation;
    m_animationLabel->setScaledContents(true);
    m_saveLocation = saveLocation;
    const QString comboSheet = ImageStyle::comboSheet(Global::SCALE);
    for (QComboBox *combo : findChildren<QComboBox *>()) {
        combo->setStyleSheet(comboSheet);
        combo->setView(new QListView(combo));
        combo->setIconSize(QSize(Global::scaled(16), Global::scaled(16)));
    }
}

void AnalysisDialog::setDesktopFolder(const QString &folder)
{
    m_desktopFolder = folder;
    fillSaveLocations();
}

void AnalysisDialog::fillSaveLocations()
{
    SaveFolders::fillDefaults(m_saveLocation, m_desktopFolder);
}

void AnalysisDialog::done(int result)
{
    stopAnimation();
    QDialog::done(result);
}

void AnalysisDialog::startAnimation()
{
    m_frame = 1;
    updatePixmap();
    m_animation.start(200);
}

void AnalysisDialog::stopAnimation()
{
    m_animation.stop();
    const int size = Global::scaled(20);
    m_animationLabel->setPixmap(
        QPixmap(QStringLiteral(":/ico2/256.png"))
            .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void AnalysisDialog::updatePixmap()
{
    const int size = Global::scaled(20);
    m_animationLabel->setPixmap(
        QPixmap(QStringLiteral(":/image2/a%1.png").arg(m_frame))
            .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    m_frame = m_frame >= 5 ? 1 : m_frame + 1;
}

void AnalysisDialog::chooseFolder()
{
    SaveFolders::choose(this, m_saveLocation, tr("Save Location"), m_desktopFolder);
}
