#pragma once
// A push button painted by QVoBaseButtonDraw that reports its mouse traffic
// with the press offset; without a picture it is a plain push button.
#include "QVoBaseButtonDraw.h"

#include <QPushButton>
#include <QTimer>

class QVoBaseButton : public QPushButton, public QVoBaseButtonDraw {
    Q_OBJECT
public:
    explicit QVoBaseButton(QWidget *parent = nullptr);

    // Loads the strip and fixes the button to one frame unless it stretches.
    bool setImage(const QString &path, bool stretch = false);
    int state() const { return drawState(); }
    void resetItemCount();

public slots:
    void addItemCount();

signals:
    void mouseMove(QMouseEvent *e, int x);
    void mouseDown(QMouseEvent *e, int x);
    void mouseRelease(QMouseEvent *e, int x);
    void mouseEnter(QEvent *event);
    void mouseLeave(QEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    void setState(int state);

    int m_pressOffset = 0;
    // Badge changes arrive in bursts (a conversion finishing many files);
    // one repaint per burst is enough.
    QTimer m_repaintTimer;
};
