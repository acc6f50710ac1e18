#pragma once
// A QDoubleSpinBox on a drawn background with two image step buttons that
// repeat while held. The keyboard (Up/Down, Page Up/Down, typing) is the
// spin box's own.
#include "QVoBaseRectImageDraw.h"

#include <QDoubleSpinBox>

class QVoBaseButton;

class QVoDoubleSpinBox : public QDoubleSpinBox, public QVoBaseRectImageDraw {
    Q_OBJECT
public:
    explicit QVoDoubleSpinBox(QWidget *parent = nullptr);

    bool setBackgroundImage(const QString &path);
    // Both buttons are replaced; nothing is made when the up picture is missing.
    void setButtonImages(const QString &upPath, const QString &downPath);
    void setButtonMargins(qint16 top, qint16 right, qint16 bottom);
    void setButtonX(qint16 x) { m_buttonX = x; placeButtons(); }
    QVoBaseButton *upButton() const { return m_btnUp; }
    QVoBaseButton *downButton() const { return m_btnDown; }

    // The hold delay in ticks before repeating starts, and the tick length.
    static constexpr int kRepeatIntervalMs = 100;
    static constexpr int kRepeatDelayTicks = 5;

public slots:
    void pressBtn();
    void releseBtn();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void placeButtons();

    QVoBaseButton *m_btnUp = nullptr;
    QVoBaseButton *m_btnDown = nullptr;
    qint16 m_buttonX = -1;
    qint16 m_top = 0, m_right = 0, m_bottom = 0;
    int m_timerId = 0;
    bool m_repeatUp = true;
    int m_ticks = 0;
};
