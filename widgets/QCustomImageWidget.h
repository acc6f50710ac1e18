#pragma once
// A widget painted from a state strip, stretched with the nine-part rule;
// base of the custom combo box and spin box.
#include <QPixmap>
#include <QWidget>

class QCustomImageWidget : public QWidget {
    Q_OBJECT
public:
    explicit QCustomImageWidget(QWidget *parent = nullptr);

    bool setImage(const QString &path);
    bool hasImage() const { return !m_image.isNull(); }
    int state() const { return m_state; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

    void setState(int state);

    QPixmap m_image;
    int m_state = 0;
};
