#include "QPlayerOperationForm.h"

#include "QImageButton.h"
#include "qSliderCtrl.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

namespace {

QImageButton *button(QWidget *parent, const QString &image, const QString &name, const QString &tip)
{
    auto *b = new QImageButton(parent);
    b->setImage(image);
    b->setObjectName(name);
    b->setToolTip(tip);
    return b;
}

} // namespace

QPlayerOperationForm::QPlayerOperationForm(QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    m_btnPlay = button(this, "/VEditSource/btn_play.png", "m_btnPlay", tr("Play"));
    m_btnPause = button(this, "/VEditSource/btn_pause.png", "m_btnPause", tr("Pause"));
    m_btnPause->hide();
    m_btnStop = button(this, "/VEditSource/btn_stop.png", "m_btnStop", tr("Stop"));
    m_slider = new qSliderCtrl(this);
    m_slider->setObjectName("m_slider");
    m_slider->setTrackImage("/VEditSource/slider_bottom.png");
    m_slider->setFillImage("/VEditSource/slider_top.png");
    m_slider->setHandleImage("/VEditSource/slider_image.png");
    m_slider->setRange(0, 1000);
    m_slider->installEventFilter(this);
    m_labTime = new QLabel("00:00:00 / 00:00:00", this);
    m_labTime->setObjectName("m_labTime");
    m_labTime->setStyleSheet("color: rgb(246, 246, 246); font-family: Tahoma; font-size: 12px;");
    m_btnSnapshot = button(this, "/VEditSource/btn_snapshot.png", "m_btnSnapshot", tr("Snapshot"));
    m_btnSnapshotMenu = button(this, "/VEditSource/btn_snapshot_menu.png", "m_btnSnapshotMenu", tr("Snapshot Menu"));
    row->addWidget(m_btnPlay);
    row->addWidget(m_btnPause);
    row->addWidget(m_btnStop);
    row->addWidget(m_slider, 1);
    row->addWidget(m_labTime);
    row->addWidget(m_btnSnapshot);
    row->addWidget(m_btnSnapshotMenu);
    connect(m_btnPlay, &QImageButton::clicked, this, &QPlayerOperationForm::onBtnPlay);
    connect(m_btnPause, &QImageButton::clicked, this, &QPlayerOperationForm::onBtnPause);
    connect(m_btnStop, &QImageButton::clicked, this, &QPlayerOperationForm::onBtnStop);
    connect(m_slider, &qSliderCtrl::sendProgressValue, this, &QPlayerOperationForm::emitProgressValue);
    connect(m_btnSnapshot, &QImageButton::clicked, this, &QPlayerOperationForm::emitSnapshot);
    connect(m_btnSnapshotMenu, &QImageButton::clicked, this, &QPlayerOperationForm::emitSnapshotMenu);
}

QString QPlayerOperationForm::timeText() const
{
    return m_labTime->text();
}

bool QPlayerOperationForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_slider && event->type() == QEvent::MouseButtonPress)
        sliderPressEvent(static_cast<QMouseEvent *>(event));
    else if (watched == m_slider && event->type() == QEvent::MouseButtonRelease)
        sliderReleaseEvent(static_cast<QMouseEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

void QPlayerOperationForm::onBtnPlay()
{
    emit emitPlay();
}

void QPlayerOperationForm::onBtnPause()
{
    emit emitPause();
}

void QPlayerOperationForm::onBtnStop()
{
    emit emitStop();
}

void QPlayerOperationForm::showPlayOrPause(bool bPlay)
{
    m_btnPlay->setVisible(!bPlay);
    m_btnPause->setVisible(bPlay);
}

void QPlayerOperationForm::setTime(QString text)
{
    m_labTime->setText(text);
}

void QPlayerOperationForm::playFinish()
{
    showPlayOrPause(false);
    m_slider->setValue(0);
}

void QPlayerOperationForm::setPlayProcess(double value)
{
    m_slider->setValue(value * 1000);
}

void QPlayerOperationForm::sliderPressEvent(QMouseEvent *)
{
    emit emitSliderPress();
}

void QPlayerOperationForm::sliderReleaseEvent(QMouseEvent *)
{
    emit emitSliderRelease();
}
