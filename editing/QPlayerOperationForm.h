#pragma once
// The transport bar under the editing preview: play, pause, stop, the
// position slider, the clock and the snapshot buttons.
#include <QWidget>

class QImageButton;
class QLabel;
class QMouseEvent;
class qSliderCtrl;

class QPlayerOperationForm : public QWidget {
    Q_OBJECT
public:
    explicit QPlayerOperationForm(QWidget *parent = nullptr);
    QImageButton *playButton() const { return m_btnPlay; }
    QImageButton *pauseButton() const { return m_btnPause; }
    QImageButton *stopButton() const { return m_btnStop; }
    qSliderCtrl *slider() const { return m_slider; }
    QString timeText() const;

signals:
    void emitPlay();
    void emitPause();
    void emitStop();
    void emitProgressValue(double value);
    void emitSliderPress();
    void emitSliderRelease();
    void emitSnapshot();
    void emitSnapshotMenu();

public slots:
    void onBtnPlay();
    void onBtnPause();
    void onBtnStop();
    void showPlayOrPause(bool bPlay);
    void setTime(QString text);
    void playFinish();
    void setPlayProcess(double value);
    void sliderPressEvent(QMouseEvent *event);
    void sliderReleaseEvent(QMouseEvent *event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QImageButton *m_btnPlay = nullptr;
    QImageButton *m_btnPause = nullptr;
    QImageButton *m_btnStop = nullptr;
    qSliderCtrl *m_slider = nullptr;
    QLabel *m_labTime = nullptr;
    QImageButton *m_btnSnapshot = nullptr;
    QImageButton *m_btnSnapshotMenu = nullptr;
};
