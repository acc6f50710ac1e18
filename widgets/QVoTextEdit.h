#pragma once
// A drawn background holding a transparent QTextEdit, inset by four margins.
// The inner edit takes the focus for the holder (Tab order stays natural).
#include "QVoBaseRectImageDraw.h"

#include <QWidget>

class QTextEdit;

class QVoTextEdit : public QWidget, public QVoBaseRectImageDraw {
    Q_OBJECT
public:
    explicit QVoTextEdit(QWidget *parent = nullptr);

    bool setBackgroundImage(const QString &path);
    void setMargins(qint16 left, qint16 top, qint16 right, qint16 bottom);
    QMargins margins() const { return m_margins; }
    QTextEdit *textEdit() const { return m_edit; }

signals:
    void textChanged(const QString &text);

public slots:
    void textEditChange();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void placeEdit();

    QTextEdit *m_edit;
    QMargins m_margins;
};
