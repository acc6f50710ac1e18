#include "QTrimOperationForm.h"

#include "QImageButton.h"
#include "QVEDualSlider.h"
#include "QVoBaseButton.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace {

QString two(uint64_t v)
{
    return QString("%1").arg(v, 2, 10, QChar('0'));
}

QVoBaseButton *textButton(QWidget *parent, const QString &text, const QString &name)
{
    auto *b = new QVoBaseButton(parent);
    b->setImage("/VEditSource/btn_common.png", true);
    b->setText(text);
    b->setObjectName(name);
    b->setFixedHeight(26);
    b->setMinimumWidth(96);
    return b;
}

QImageButton *imageButton(QWidget *parent, const QString &image, const QString &name, const QString &tip)
{
    auto *b = new QImageButton(parent);
    b->setImage(image);
    b->setObjectName(name);
    b->setToolTip(tip);
    return b;
}

QLabel *label(QWidget *parent, const QString &text, const QString &name)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setStyleSheet("color: rgb(246, 246, 246); font-family: Tahoma; font-size: 12px;");
    return l;
}

} // namespace

QTrimOperationForm::QTrimOperationForm(QWidget *parent) : QWidget(parent)
{
    setObjectName("QTrimOperationForm");
    qRegisterMetaType<uint64_t>("uint64_t");
    m_slider = new QVEDualSlider(this);
    m_slider->setObjectName("m_slider");
    m_labStart = label(this, timeText(0), "m_labStart");
    m_labEnd = label(this, timeText(0), "m_labEnd");
    m_labTime = label(this, "00:00:00.000 / 00:00:00.000", "m_labTime");
    m_btnPreviousFrame = textButton(this, tr("Previous Frame"), "m_btnPreviousFrame");
    m_btnNextFrame = textButton(this, tr("Next Frame"), "m_btnNextFrame");
    m_btnPlaySection = textButton(this, tr("Play Section"), "m_btnPlaySection");
    m_btnPlay = imageButton(this, "/VEditSource/btn_play.png", "m_btnPlay", tr("Play"));
    m_btnPause = imageButton(this, "/VEditSource/btn_pause.png", "m_btnPause", tr("Pause"));
    m_btnPause->hide();
    m_btnStop = imageButton(this, "/VEditSource/btn_stop.png", "m_btnStop", tr("Stop"));
    m_btnSnapshot = imageButton(this, "/VEditSource/btn_snapshot.png", "m_btnSnapshot", tr("Snapshot"));
    m_btnSnapshotMenu
        = imageButton(this, "/VEditSource/btn_snapshot_menu.png", "m_btnSnapshotMenu", tr("Snapshot Menu"));
    m_btnTrim = textButton(this, tr("Trim"), "m_btnTrim");
    m_btnReset = textButton(this, tr("Reset"), "m_btnReset");
    m_cmbChapter = new QComboBox(this);
    m_cmbChapter->setObjectName("m_cmbChapter");
    m_cmbChapter->hide();

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(12, 8, 12, 8);
    auto *times = new QHBoxLayout;
    times->addWidget(m_labStart);
    times->addStretch();
    times->addWidget(m_labTime);
    times->addStretch();
    times->addWidget(m_labEnd);
    column->addLayout(times);
    column->addWidget(m_slider);
    auto *steps = new QHBoxLayout;
    steps->addWidget(m_btnPreviousFrame);
    steps->addWidget(m_btnNextFrame);
    steps->addWidget(m_btnPlaySection);
    steps->addStretch();
    steps->addWidget(m_btnPlay);
    steps->addWidget(m_btnPause);
    steps->addWidget(m_btnStop);
    steps->addWidget(m_btnSnapshot);
    steps->addWidget(m_btnSnapshotMenu);
    column->addLayout(steps);
    auto *commit = new QHBoxLayout;
    commit->addWidget(m_cmbChapter, 1);
    commit->addStretch();
    commit->addWidget(m_btnTrim);
    commit->addWidget(m_btnReset);
    column->addLayout(commit);
    column->addStretch();

    connect(m_slider, &QDualSlider::sendProgressValue, this, &QTrimOperationForm::startProgressValue);
    connect(m_slider, &QDualSlider::sendEndProgressValue, this, &QTrimOperationForm::endProgressValue);
    connect(m_slider, &QDualSlider::sendPlayProValue, this, &QTrimOperationForm::emitSliderSendPlayProToPlay);
    connect(m_slider, &QDualSlider::emitMousePress, this, &QTrimOperationForm::emitSliderMousePress);
    connect(m_slider, &QDualSlider::emitmouseRelease, this, &QTrimOperationForm::emitSliderMouseRelease);
    connect(m_btnPreviousFrame, &QVoBaseButton::clicked, this, &QTrimOperationForm::onPreviousFrame);
    connect(m_btnNextFrame, &QVoBaseButton::clicked, this, &QTrimOperationForm::onNextFrame);
    connect(m_btnPlaySection, &QVoBaseButton::clicked, this, &QTrimOperationForm::onPlaySection);
    connect(m_btnPlay, &QImageButton::clicked, this, &QTrimOperationForm::emitPlay);
    connect(m_btnPause, &QImageButton::clicked, this, &QTrimOperationForm::emitPause);
    connect(m_btnStop, &QImageButton::clicked, this, &QTrimOperationForm::emitStop);
    connect(m_btnSnapshot, &QImageButton::clicked, this, &QTrimOperationForm::emitSnapshot);
    connect(m_btnSnapshotMenu, &QImageButton::clicked, this, &QTrimOperationForm::emitSnapshotMenu);
    connect(m_btnTrim, &QVoBaseButton::clicked, this, &QTrimOperationForm::onTrim);
    connect(m_btnReset, &QVoBaseButton::clicked, this, &QTrimOperationForm::onReset);
}

QString QTrimOperationForm::timeText(uint64_t us)
{
    const uint64_t ms = us / 1000;
    return QString("%1:%2:%3.%4")
        .arg(two(ms / 3600000), two(ms / 60000 % 60), two(ms / 1000 % 60))
        .arg(ms % 1000, 3, 10, QChar('0'));
}

QString QTrimOperationForm::chapterTimeText(uint64_t us)
{
    const uint64_t s = us / 1000 / 1000;
    return QString("%1:%2:%3").arg(two(s / 3600), two(s / 60 % 60), two(s % 60));
}

uint64_t QTrimOperationForm::rangeLength() const
{
    if (m_trimEnd != 0 && m_trimEnd > m_trimStart)
        return m_trimEnd - m_trimStart;
    return m_duration > m_trimStart ? m_duration - m_trimStart : 0;
}

void QTrimOperationForm::loadValues(const VEEditConfig &config, uint64_t duration)
{
    m_trimStart = config.trimStart;
    m_trimEnd = config.trimEnd;
    m_duration = duration;
    m_labStart->setText(timeText(m_trimStart));
    m_labEnd->setText(timeText(m_trimEnd != 0 ? m_trimEnd : duration));
    m_chapters = config.chapters;
    resetSlider();
    disconnect(m_cmbChapter, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
               &QTrimOperationForm::chapterSelectedChanged);
    m_cmbChapter->clear();
    m_cmbChapter->setVisible(!m_chapters.empty());
    if (!m_chapters.empty()) {
        for (const ChapterEntry &c : m_chapters)
            m_cmbChapter->addItem(QString::fromStdString(c.label));
        // The chapter the range already is, within a millisecond; the later
        // of two that match.
        int selected = 0;
        for (size_t i = 1; i < m_chapters.size(); ++i) {
            const ChapterEntry &c = m_chapters[i];
            const uint64_t ds = c.start > m_trimStart ? c.start - m_trimStart : m_trimStart - c.start;
            const uint64_t de = c.end > m_trimEnd ? c.end - m_trimEnd : m_trimEnd - c.end;
            if (ds < 1000 && de < 1000)
                selected = static_cast<int>(i);
        }
        m_cmbChapter->setCurrentIndex(selected);
    }
    connect(m_cmbChapter, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QTrimOperationForm::chapterSelectedChanged);
}

void QTrimOperationForm::setPictureControlsEnabled(bool enabled)
{
    for (QWidget *w : {static_cast<QWidget *>(m_btnPreviousFrame), static_cast<QWidget *>(m_btnNextFrame),
                       static_cast<QWidget *>(m_btnSnapshot), static_cast<QWidget *>(m_btnSnapshotMenu)})
        w->setEnabled(enabled);
}

void QTrimOperationForm::resetSlider()
{
    m_slider->setStartPercent(0);
    m_slider->setEndPercent(100);
}

void QTrimOperationForm::relabelCurrent()
{
    if (m_chapters.empty())
        return;
    ChapterEntry &c = m_chapters[0];
    c.label = QString("%1, %2-%3")
                  .arg(QString::fromStdString(c.name), chapterTimeText(c.start), chapterTimeText(c.end))
                  .toStdString();
    const QSignalBlocker block(m_cmbChapter);
    m_cmbChapter->setItemText(0, QString::fromStdString(c.label));
}

void QTrimOperationForm::startProgressValue(double value)
{
    m_labStart->setText(timeText(static_cast<uint64_t>(rangeLength() * value + m_trimStart)));
}

void QTrimOperationForm::endProgressValue(double value)
{
    m_labEnd->setText(timeText(static_cast<uint64_t>(rangeLength() * value + m_trimStart)));
}

void QTrimOperationForm::onTrim()
{
    const double s = m_slider->startFraction();
    const double e = m_slider->endFraction();
    const uint64_t length = rangeLength();
    const uint64_t start = static_cast<uint64_t>(length * s + m_trimStart);
    uint64_t end = e < 1.0 ? static_cast<uint64_t>(length * e + m_trimStart) : m_trimEnd;
    resetSlider();
    // A range is never empty: both handles together keep one microsecond,
    // except at the very start, where the pair 0, 0 stands for the whole file.
    if (start == end && !(start == 0 && end == 0))
        end += 1;
    if (m_chapters.empty()) {
        emit emitTrim(start, end);
        return;
    }
    ChapterEntry &c = m_chapters[0];
    c.start = start;
    c.end = end;
    c.length = end > start ? end - start : 0;
    relabelCurrent();
    emit emitTrimChapter(start, end);
}

void QTrimOperationForm::chapterSelectedChanged(int index)
{
    if (index < 0 || index >= static_cast<int>(m_chapters.size()))
        return;
    resetSlider();
    const ChapterEntry chosen = m_chapters[static_cast<size_t>(index)];
    ChapterEntry &c = m_chapters[0];
    c.start = chosen.start;
    c.end = chosen.end;
    c.length = chosen.end > chosen.start ? chosen.end - chosen.start : 0;
    relabelCurrent();
    emit emitTrimChapter(chosen.start, chosen.end);
}

void QTrimOperationForm::onReset()
{
    resetSlider();
    if (m_chapters.empty()) {
        emit emitReset();
        return;
    }
    ChapterEntry &c = m_chapters[0];
    c.start = 0;
    c.end = m_duration;
    c.length = m_duration;
    relabelCurrent();
    if (m_cmbChapter->currentIndex() == 0)
        chapterSelectedChanged(0);
    else
        m_cmbChapter->setCurrentIndex(0);
}

void QTrimOperationForm::onPreviousFrame()
{
    const double s = m_slider->startFraction();
    const double e = m_slider->endFraction();
    const double p = m_slider->progressFraction();
    if (m_slider->startPressedLast()) {
        emit emitPreviousStep(std::fabs(p - s) > 0.00001, float(s));
        return;
    }
    if (std::fabs(s - e) < 0.00001)
        return;
    emit emitPreviousStep(std::fabs(p - e) > 0.000001, float(e));
}

void QTrimOperationForm::onNextFrame()
{
    const double s = m_slider->startFraction();
    const double e = m_slider->endFraction();
    const double p = m_slider->progressFraction();
    if (m_slider->startPressedLast()) {
        if (std::fabs(s - e) < 0.00001)
            return;
        emit emitNextStep(std::fabs(p - s) > 0.000001, float(s));
        return;
    }
    emit emitNextStep(std::fabs(p - e) > 0.000001, float(e));
}

void QTrimOperationForm::onPlaySection()
{
    if (m_sectionPlaying) {
        emit emitTrimPause();
        return;
    }
    emit emitTrimPlay(float(m_slider->startFraction()), float(m_slider->endFraction()));
    showTrimPlayOrPause(true);
}

void QTrimOperationForm::showPlayOrPause(bool bPlay)
{
    m_btnPlay->setVisible(!bPlay);
    m_btnPause->setVisible(bPlay);
}

void QTrimOperationForm::showTrimPlayOrPause(bool playing)
{
    m_sectionPlaying = playing;
    m_btnPlaySection->setText(playing ? tr("Pause Section") : tr("Play Section"));
}

void QTrimOperationForm::setTime(QString text)
{
    m_labTime->setText(text);
}

void QTrimOperationForm::setPlayProcess(double value)
{
    m_slider->setProgressPercent(value * 100.0, false);
}

void QTrimOperationForm::playFinish()
{
    showPlayOrPause(false);
    showTrimPlayOrPause(false);
}

void QTrimOperationForm::setStartEndProgressValue(float percent)
{
    if (m_slider->startPressedLast())
        m_slider->setStartPercent(percent);
    else
        m_slider->setEndPercent(percent);
}

void QTrimOperationForm::trimTimeChange(uint64_t startTime, uint64_t endTime)
{
    m_trimStart = startTime;
    m_trimEnd = endTime;
    m_labStart->setText(timeText(startTime));
    m_labEnd->setText(timeText(endTime != 0 ? endTime : m_duration));
}
