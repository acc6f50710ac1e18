#pragma once
// A push button drawn from a state strip with a text in one colour per
// state. Tab and page buttons use its selected flag, which keeps the pressed
// look whatever the mouse does.
#include <QColor>
#include <QPixmap>
#include <QPushButton>

class QTextImageButton : public QPushButton {
    Q_OBJECT
public:
    explicit QTextImageButton(QWidget *parent = nullptr);

    // Loads the strip. Without a target the button has the fixed size of one
    // frame; with one, the button takes that geometry and the frame is
    // stretched over it with the nine-part rule (corners a third of a frame).
    bool setImage(const QString &path, const QRect &target = QRect());
    // Stretch the frame over whatever size the button has (for layouts).
    void setStretch(bool on);
    bool hasImage() const { return !m_image.isNull(); }

    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }

    void setTextPixelSize(int size);
    int textPixelSize() const { return m_textPixelSize; }
    void setTextColors(const QColor &normal, const QColor &hover, const QColor &pressed, const QColor &disabled);
    void setCheckedColor(const QColor &color);
    QColor textColor() const; // the colour the next paint uses

    int state() const { return m_state; }
    int paintedFrame() const { return m_selected ? 2 : m_state; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

    void setState(int state);

    QPixmap m_image;
    bool m_stretch = false;
    bool m_selected = false;
    int m_state = 0;
    int m_textPixelSize = 12;
    QColor m_colors[4];
    QColor m_checkedColor;
};
