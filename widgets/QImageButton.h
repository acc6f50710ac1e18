#pragma once
// A push button drawn from a state strip: the frame of its state, and an
// optional centred white text in a given rectangle. While pressed it reports
// every mouse move with the press offset, which drag handles build on.
#include <QPixmap>
#include <QPushButton>

class QImageButton : public QPushButton {
    Q_OBJECT
public:
    explicit QImageButton(QWidget *parent = nullptr);

    // Loads the strip; the button takes the size of one frame, or
    // targetSize when given (the frame is then stretched). False when the
    // picture cannot be read.
    bool setImage(const QString &path, const QSize &targetSize = QSize());
    bool hasImage() const { return !m_image.isNull(); }

    // Disabled buttons show the pressed frame instead of the disabled one.
    void setDisabledLooksPressed(bool on);
    bool disabledLooksPressed() const { return m_disabledLooksPressed; }

    // Text drawn over the picture; a null rectangle means the whole button.
    void setTextRect(const QRect &rect);
    void setTextPixelSize(int size);

    int state() const { return m_state; }
    // The frame the next paint draws (follows the state rules).
    int paintedFrame() const;
    int pressOffset() const { return m_pressOffset; }

signals:
    void mouseMove(QMouseEvent *e, int x);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

    void setState(int state);

    QPixmap m_image;
    int m_state = 0;
    int m_pressOffset = 0;
    bool m_disabledLooksPressed = false;
    QRect m_textRect;
    int m_textPixelSize = 9;
};
