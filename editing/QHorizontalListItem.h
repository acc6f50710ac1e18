#pragma once
// One thumbnail of a horizontal list: a cover picture over its title.
// Shows the placeholder picture until its own picture is given.
#include <QPixmap>
#include <QWidget>

class QHorizontalListItem : public QWidget {
    Q_OBJECT
public:
    explicit QHorizontalListItem(QWidget *parent = nullptr);

    static QSize pictureSize() { return {56, 42}; }
    // The picture file (absolute, or relative to the application folder);
    // the placeholder stays when it does not load.
    void setPicture(const QString &path);
    bool hasOwnPicture() const { return m_ownPicture; }
    void setTitle(const QString &title);
    QString title() const { return m_title; }
    void setHighlighted(bool highlighted);
    bool isHighlighted() const { return m_highlighted; }
    QSize sizeHint() const override;

signals:
    void emitMousePress();
    void emitMouseShiftPress();
    void emitMouseCtrlPress();
    void emitShowTreeMenu();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QPixmap m_picture;
    QString m_title;
    bool m_ownPicture = false;
    bool m_highlighted = false;
    bool m_hovered = false;
};
