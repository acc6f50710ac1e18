#pragma once
// An integer field on a state-image body with two small step buttons. The
// value stays within [minimum, maximum - 1]: the maximum itself is never
// reached, neither by stepping nor by typing.
#include "QCustomImageWidget.h"
#include "QImageButton.h"

class QLineEdit;

class QCustomSpinButton : public QImageButton {
    Q_OBJECT
public:
    explicit QCustomSpinButton(QWidget *parent = nullptr);
};

class QCustomSpinBox : public QCustomImageWidget {
    Q_OBJECT
public:
    explicit QCustomSpinBox(QWidget *parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Clamped the way typed text is.
    void setValue(int value);
    int value() const { return m_value; }

    // Background strip and the up and down strips.
    bool setImages(const QString &background, const QString &up, const QString &down);
    void setTextColor(const QColor &color);

    QLineEdit *lineEdit() const { return m_edit; }
    QCustomSpinButton *upButton() const { return m_up; }
    QCustomSpinButton *downButton() const { return m_down; }

signals:
    void valueChanged(int value);

public slots:
    void OnBtnUp();
    void OnBtnDown();
    void editTextChange(QString str);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showValue(int value);
    void layoutChildren();

    QLineEdit *m_edit = nullptr;
    QCustomSpinButton *m_up = nullptr;
    QCustomSpinButton *m_down = nullptr;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_value = 0;
};
