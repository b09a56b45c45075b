#pragma once

#include <QWidget>

namespace Ui {
class Form;
}

// One entry of the playlist dialog: a check box and the title. A press
// anywhere on the row toggles it; every change is reported with the row's
// index.
class Form : public QWidget
{
    Q_OBJECT

public:
    explicit Form(QWidget *parent = nullptr);
    ~Form() override;

    void setIndex(int index) { m_index = index; }
    int index() const { return m_index; }
    void setChecked(bool checked);
    bool isChecked() const { return m_checked; }
    void setTitle(const QString &title);
    QString title() const;

signals:
    void m_checkclicked(int index, bool checked);

public slots:
    void on_checkBox_clicked(bool checked);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    Ui::Form *ui;
    int m_index = 0;
    bool m_checked = false;
};
