#pragma once
// A QLineEdit on a drawn background, with an optional digits-only rule and
// a placeholder that clears while the edit has the focus.
#include "QVoBaseRectImageDraw.h"

#include <QLineEdit>

class QVoLineEdit : public QLineEdit, public QVoBaseRectImageDraw {
    Q_OBJECT
public:
    explicit QVoLineEdit(QWidget *parent = nullptr);

    bool setBackgroundImage(const QString &path);
    // Positive whole numbers, leading zeros allowed ("007" but not "000").
    void setDigitsOnly();
    void setAlignment(Qt::Alignment alignment);
    void setPalette(const QPalette &palette);
    void setPlaceholderMode(bool on, const QString &text, const QColor &color);
    QColor textColor() const { return m_textColor; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void showPlaceholder();

    QColor m_placeholderColor;
    QColor m_textColor;
    bool m_placeholderMode = false;
    QString m_placeholderText;
};
