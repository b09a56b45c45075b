#include "intake/form.h"
#include "ui_form.h"

#include "base/global.h"
#include "base/widgetscale.h"

Form::Form(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::Form)
{
    ui->setupUi(this);
    DisplayScale::scaleChildGeometry(this, Global::SCALE);
    setFixedHeight(Global::scaled(36));
    setMinimumWidth(Global::scaled(650));
    ui->frame->setStyleSheet(QStringLiteral("QFrame{background:#d9e1ec;}"));
    ui->label->setStyleSheet(QStringLiteral("QLabel{color:#455261;background:transparent;}"));
}

Form::~Form()
{
    delete ui;
}

void Form::setChecked(bool checked)
{
    m_checked = checked;
    ui->checkBox->setChecked(checked);
}

void Form::setTitle(const QString &title)
{
    ui->label->setText(title.simplified());
    ui->label->setToolTip(title);
}

QString Form::title() const
{
    return ui->label->text();
}

void Form::on_checkBox_clicked(bool checked)
{
    m_checked = checked;
    emit m_checkclicked(m_index, m_checked);
}

void Form::mousePressEvent(QMouseEvent *event)
{
    setChecked(!m_checked);
    emit m_checkclicked(m_index, m_checked);
    QWidget::mousePressEvent(event);
}

void Form::enterEvent(QEvent *event)
{
    ui->frame->setStyleSheet(QStringLiteral("QFrame{background:#EAF6FF}"));
    QWidget::enterEvent(event);
}

void Form::leaveEvent(QEvent *event)
{
    ui->frame->setStyleSheet(QStringLiteral("QFrame{background:#f7f9fb}"));
    QWidget::leaveEvent(event);
}
