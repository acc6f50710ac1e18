#include "QVideoCutDlg.h"

#include "ControlNames.h"
#include "Languages.h"
#include "QCustomTimeEdit.h"
#include "QDualSlider.h"
#include "QImageButton.h"
#include "QSliderCtrlBtn.h"
#include "QTextImageButton.h"
#include "QVideoPlayDlg.h"
#include "SkinImage.h"
#include "VoVideoConvertItem.h"

#include <QDebug>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QToolTip>

namespace {

QImageButton *imageButton(QWidget *parent, const char *name, const QString &image)
{
    auto *b = new QImageButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setImage(image);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QTextImageButton *textButton(QWidget *parent, const char *name, const QString &image)
{
    auto *b = new QTextImageButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setImage(image);
    b->setStretch(true);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

} // namespace

QVideoCutDlg::QVideoCutDlg(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("QVideoCutDlg"));
    m_background = skin::load(QStringLiteral("/image/CutToolDlg/bg_cutTool.png"));
    buildControls();
    buildKeyFrameControls();
    connectControls();
    retranslate();
    resize(760, 110);
    setMinimumHeight(110);
    setMaximumHeight(110);
    reset();
}

void QVideoCutDlg::buildControls()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    setFont(font);

    const QString dir = QStringLiteral("/image/CutToolDlg/");
    m_TrimDSlider = new QDualSlider(this);
    m_TrimDSlider->setObjectName(QStringLiteral("m_TrimDSlider"));
    m_TrimDSlider->setTrackImage(dir + "trake_cut1.png");
    m_TrimDSlider->setRangeImage(dir + "trake_cut2.png");
    m_TrimDSlider->setHandleAreaImage(dir + "trake_cut_btn_bg.png");
    m_TrimDSlider->setStartHandleImage(dir + "btn_silder_left.png", 2);
    m_TrimDSlider->setEndHandleImage(dir + "btn_silder_right.png");
    m_TrimDSlider->setProgressHandleImage(dir + "btn_silder_proess.png", 4);
    m_TrimDSlider->setShowHandleArea(true);
    m_TrimDSlider->setCapWidth(10);

    m_btnAddFile = textButton(this, "m_btnAddFile", QStringLiteral("/image/Common_bg/btn_common1.png"));
    m_btnStartSet = imageButton(this, "m_btnStartSet", dir + "btn_start_time.png");
    m_btnEndSet = imageButton(this, "m_btnEndSet", dir + "btn_end_time.png");
    m_labStart = new QLabel(this);
    m_labStart->setObjectName(QStringLiteral("m_labStart"));
    m_labEnd = new QLabel(this);
    m_labEnd->setObjectName(QStringLiteral("m_labEnd"));
    for (QLabel *l : {m_labStart, m_labEnd}) {
        l->setStyleSheet(QStringLiteral("color: rgb(228,228,228);"));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    m_startTimeEdit = new QCustomTimeEdit(this);
    m_startTimeEdit->setObjectName(QStringLiteral("m_startTimeEdit"));
    m_endTimeEdit = new QCustomTimeEdit(this);
    m_endTimeEdit->setObjectName(QStringLiteral("m_endTimeEdit"));
    m_btnPlayTrim = imageButton(this, "m_btnPlayTrim", dir + "btn_play_section.png");
    m_btnPauseTrim = imageButton(this, "m_btnPauseTrim", dir + "btn_pause_section.png");
    m_btnStopTrim = imageButton(this, "m_btnStopTrim", dir + "btn_stop_section.png");
    m_btnPauseTrim->hide();
    m_btnConvert = textButton(this, "m_btnConvert", QStringLiteral("/image/Common_bg/btn_common.png"));
    m_btnCancel = textButton(this, "m_btnCancel", QStringLiteral("/image/Common_bg/btn_common.png"));
    m_btnCancel->hide();
    m_btnFormat = textButton(this, "m_btnFormat", QStringLiteral("/image/Common_bg/btn_common.png"));
    m_btnFormat->setFixedSize(76, 28);
}

void QVideoCutDlg::connectControls()
{
    connect(m_btnStartSet, &QImageButton::clicked, this, &QVideoCutDlg::emitOnBtnStartSet);
    connect(m_btnEndSet, &QImageButton::clicked, this, &QVideoCutDlg::emitOnBtnEndSet);
    connect(m_btnPlayTrim, &QImageButton::clicked, this, [this] {
        OnBtnTrim();
        emit emitPlaySelect();
    });
    connect(m_btnPauseTrim, &QImageButton::clicked, this, [this] {
        OnPauseTrim();
        emit emitPauseSelect();
    });
    connect(m_btnStopTrim, &QImageButton::clicked, this, [this] {
        OnStopTrim();
        emit emitStopSelect();
    });
    connect(m_btnConvert, &QTextImageButton::clicked, this, &QVideoCutDlg::emitOnConvert);
    connect(m_btnCancel, &QTextImageButton::clicked, this, &QVideoCutDlg::emitStopConvert);
    connect(m_btnFormat, &QTextImageButton::clicked, this, &QVideoCutDlg::emitShowFormatDlg);
    connect(m_btnAddFile, &QTextImageButton::clicked, this, &QVideoCutDlg::OnBtnAdd);
    connect(m_TrimDSlider, &QDualSlider::sendPlayProValue, this, &QVideoCutDlg::sendPlayProToPlay);
    connect(m_startTimeEdit, &QCustomTimeEdit::emitTimeChange, this, &QVideoCutDlg::emitStartTimeChange);
    connect(m_endTimeEdit, &QCustomTimeEdit::emitTimeChange, this, &QVideoCutDlg::emitEndTimeChange);
    connect(m_TrimDSlider, &QDualSlider::sendProgressValue, this, &QVideoCutDlg::emitStartValueChange);
    connect(m_TrimDSlider, &QDualSlider::sendEndProgressValue, this, &QVideoCutDlg::emitEndValueChange);
    connect(m_TrimDSlider, &QDualSlider::emitMousePress, this, &QVideoCutDlg::emitSliderMousePress);
    connect(m_TrimDSlider, &QDualSlider::emitmouseRelease, this, &QVideoCutDlg::emitSliderMouseRelease);
}

void QVideoCutDlg::retranslate()
{
    m_labStart->setText(tr("Start Time:"));
    m_labEnd->setText(tr("End Time:"));
    m_btnAddFile->setText(tr("Open"));
    m_btnAddFile->setToolTip(tr("Open File"));
    m_btnFormat->setText(tr("Format"));
    m_btnConvert->setText(tr("Start"));
    m_btnCancel->setText(tr("Stop"));
    m_btnStartSet->setToolTip(tr("Set Segment Start Time"));
    m_btnEndSet->setToolTip(tr("Set Segment End Time"));
    m_btnPlayTrim->setToolTip(tr("Play Segment"));
    m_btnPauseTrim->setToolTip(tr("Pause Segment"));
    m_btnStopTrim->setToolTip(tr("Stop Segment"));
    m_btnFormat->setToolTip(tr("Output Format"));
    m_btnConvert->setToolTip(tr("Start Conversion"));
    m_btnCancel->setToolTip(tr("Stop Conversion"));
    nameTimeEdit(m_startTimeEdit, tr("Start Time"));
    nameTimeEdit(m_endTimeEdit, tr("End Time"));
    m_TrimDSlider->setAccessibleName(tr("Segment"));
    applyLanguageSizes();
    layoutControls();
    refreshKeyFrameHint();
}

void QVideoCutDlg::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void QVideoCutDlg::applyLanguageSizes()
{
    // Longer words in some languages need wider buttons; French times fit narrower edits.
    const int language = languageIndex();
    const QSize edit = language == 3 ? QSize(113, 23) : QSize(137, 23);
    m_startTimeEdit->setFixedSize(edit);
    m_endTimeEdit->setFixedSize(edit);
    m_btnAddFile->setFixedSize(language == 4 ? QSize(86, 57) : QSize(76, 57));
    const QSize convert = language == 2 ? QSize(86, 57) : QSize(76, 57);
    m_btnConvert->setFixedSize(convert);
    m_btnCancel->setFixedSize(convert);
}

void QVideoCutDlg::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_background.isNull()) {
        p.fillRect(rect(), QColor(51, 51, 51));
        return;
    }
    skin::drawNinePart(p, rect(), m_background, skin::NineCorners::thirds(skin::logicalSize(m_background)));
}

void QVideoCutDlg::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}

void QVideoCutDlg::layoutControls()
{
    const int W = width();
    const int H = height();
    // The slider keeps its handles where they stand in percent of the track.
    const double start = m_TrimDSlider->startFraction() * 100;
    const double end = m_TrimDSlider->endFraction() * 100;
    const double progress = m_TrimDSlider->progressFraction() * 100;
    m_TrimDSlider->setGeometry(10, 5, qMax(W - 19, 1), 38);
    m_TrimDSlider->setEndPercent(100);
    m_TrimDSlider->setStartPercent(start);
    m_TrimDSlider->setEndPercent(end);
    m_TrimDSlider->setProgressPercent(progress, false);

    const int lowMiddle = H / 2 + 25;
    m_btnAddFile->move(5, lowMiddle - m_btnAddFile->height() / 2);
    m_btnConvert->move(W - 5 - m_btnConvert->width(), lowMiddle - m_btnConvert->height() / 2);
    m_btnCancel->move(W - 5 - m_btnCancel->width(), lowMiddle - m_btnCancel->height() / 2);

    // The segment transport in the middle, the start group left of it, the
    // end group and the format button right of it, all between the add-file
    // and the convert buttons. When the row is too narrow for labels beside
    // the edits (the smallest window, long words), the labels go above them.
    const int row = H / 2 + 30;
    const int gap = 6;
    const QFontMetrics fm(font());
    const int labStartW = fm.horizontalAdvance(m_labStart->text()) + 4;
    const int labEndW = fm.horizontalAdvance(m_labEnd->text()) + 4;
    const int editW = m_startTimeEdit->width();
    const int setW = m_btnStartSet->width();
    const int transportW = m_btnPlayTrim->width() + gap + m_btnStopTrim->width();
    const int availLeft = m_btnAddFile->x() + m_btnAddFile->width() + 8;
    const int availRight = m_btnConvert->x() - 8;
    auto groupWidth = [&](int labelW, bool stacked) {
        return (stacked ? qMax(labelW, editW) : labelW + gap + editW) + gap + setW;
    };
    bool stacked = false;
    int leftPart = 0, rightPart = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        stacked = attempt == 1;
        leftPart = groupWidth(labStartW, stacked) + 14;
        rightPart = 14 + groupWidth(labEndW, stacked) + 12 + m_btnFormat->width();
        if (leftPart + transportW + rightPart <= availRight - availLeft)
            break;
    }
    // Transport centred when the block allows it, else the block slid inside.
    int transportX = W / 2 - transportW / 2;
    transportX = qMin(transportX, availRight - rightPart - transportW);
    transportX = qMax(transportX, availLeft + leftPart);

    m_btnPlayTrim->move(transportX, row - m_btnPlayTrim->height() / 2);
    m_btnPauseTrim->move(m_btnPlayTrim->pos());
    m_btnStopTrim->move(transportX + m_btnPlayTrim->width() + gap, row - m_btnStopTrim->height() / 2);

    const int editTop = row - m_startTimeEdit->height() / 2;
    auto placeGroup = [&](int x, QLabel *label, int labelW, QCustomTimeEdit *edit, QImageButton *set) {
        if (stacked) {
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setGeometry(x, editTop - 20, qMax(labelW, editW), 18);
        } else {
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setGeometry(x, row - 11, labelW, 22);
            x += labelW + gap;
        }
        edit->move(x, editTop);
        x += (stacked ? qMax(labelW, editW) : editW) + gap;
        set->move(x, row - set->height() / 2);
        return x + set->width();
    };
    placeGroup(transportX - leftPart, m_labStart, labStartW, m_startTimeEdit, m_btnStartSet);
    const int afterEnd = placeGroup(transportX + transportW + 14, m_labEnd, labEndW, m_endTimeEdit, m_btnEndSet);
    m_btnFormat->move(afterEnd + 12, row - m_btnFormat->height() / 2);
    placeKeyFrameHint();
}

uint64_t QVideoCutDlg::duration() const
{
    return m_itemInfo ? m_itemInfo->m_duration : 0;
}

double QVideoCutDlg::percentOf(uint64_t t, double empty) const
{
    const uint64_t d = duration() / 1000;
    if (d == 0)
        return empty;
    return double(t / 1000) * 100.0 / double(d);
}

uint64_t QVideoCutDlg::trimStart() const
{
    return m_itemInfo ? m_itemInfo->m_TrimStartTime : 0;
}

uint64_t QVideoCutDlg::trimEnd() const
{
    return m_itemInfo ? m_itemInfo->m_TrimEndTime : 0;
}

void QVideoCutDlg::setItem(VoVideoConvertItem *item)
{
    if (!item)
        return;
    m_itemInfo = item;
    m_itemNumber = item->index();
    setTrimPair(item->m_TrimStartTime, item->m_TrimEndTime);
    requestKeyFrames();
}

void QVideoCutDlg::setTrimPair(uint64_t start, uint64_t end)
{
    const uint64_t d = duration();
    if (end == 0)
        end = d;
    m_itemInfo->m_TrimStartTime = start;
    m_itemInfo->m_TrimEndTime = end;
    m_firstEnd = false;
    m_TrimDSlider->setEndPercent(100);
    m_TrimDSlider->setStartPercent(percentOf(start));
    m_TrimDSlider->setEndPercent(percentOf(end, 100));
    m_startTimeEdit->setTimeRange(0, d);
    m_endTimeEdit->setTimeRange(0, d);
    m_startTimeEdit->setTime(start);
    m_endTimeEdit->setTime(end);
    m_startTimeEdit->setTimeRange(0, end);
    m_endTimeEdit->setTimeRange(start, d);
    refreshKeyFrameHint();
}

void QVideoCutDlg::TrimDSliderEnable(bool bAble)
{
    m_TrimDSlider->setEnabled(bAble);
    m_TrimDSlider->progressHandle()->setVisible(bAble);
}

void QVideoCutDlg::videoPlayPro(double value)
{
    m_TrimDSlider->setProgressPercent(value, false);
}

void QVideoCutDlg::setStartValue(double value)
{
    m_TrimDSlider->setStartPercent(value);
}

void QVideoCutDlg::setEndValue(float value)
{
    m_TrimDSlider->setEndPercent(value);
}

void QVideoCutDlg::startValueChange(double value)
{
    if (!m_itemInfo)
        return;
    const uint64_t d = duration();
    const uint64_t start = uint64_t(double(d) * value);
    m_itemInfo->m_TrimStartTime = start;
    m_startTimeEdit->setTime(start);
    m_endTimeEdit->setTimeRange(start, d);
    refreshKeyFrameHint();
}

void QVideoCutDlg::endValueChange(double value)
{
    if (!m_itemInfo)
        return;
    const uint64_t end = uint64_t(double(duration()) * value);
    m_itemInfo->m_TrimEndTime = end;
    m_endTimeEdit->setTime(end);
    m_startTimeEdit->setTimeRange(0, end);
}

void QVideoCutDlg::startTimeChange(uint64_t t)
{
    if (!m_itemInfo)
        return;
    m_itemInfo->m_TrimStartTime = t;
    qDebug() << "m_itemInfo->m_TrimStartTime  ---QVideoCutDlg::startTimeChange----" << t;
    m_startTimeEdit->setTime(t);
    m_endTimeEdit->setTimeRange(t, duration());
    m_TrimDSlider->setStartPercent(percentOf(t));
    m_TrimDSlider->setProgressPercent(percentOf(t), true);
    refreshKeyFrameHint();
}

void QVideoCutDlg::endTimeChange(uint64_t t)
{
    if (!m_itemInfo)
        return;
    m_itemInfo->m_TrimEndTime = t;
    qDebug() << "m_itemInfo->m_TrimEndTime  ---QVideoCutDlg::endTimeChange----" << t;
    m_endTimeEdit->setTime(t);
    m_startTimeEdit->setTimeRange(0, t);
    m_TrimDSlider->setEndPercent(percentOf(t, 100));
    if (!m_firstEnd) {
        m_firstEnd = true;
        return;
    }
    m_TrimDSlider->setProgressPercent(percentOf(t, 100), true);
}

void QVideoCutDlg::setTrimStart(uint64_t t)
{
    if (!m_itemInfo)
        return;
    m_itemInfo->m_TrimStartTime = t;
    m_TrimDSlider->setStartPercent(percentOf(t));
    m_startTimeEdit->setTime(t);
    m_endTimeEdit->setTimeRange(t, duration());
    refreshKeyFrameHint();
}

void QVideoCutDlg::showStartPastEnd(uint64_t end_us)
{
    constexpr int kShownMs = 5000;
    const QString text = tr("A segment cannot start after its end (%1): the start stops there. Move the end "
                            "first, or add a new segment.")
                             .arg(QVideoPlayDlg::formatTime(end_us));
    QToolTip::showText(m_btnStartSet->mapToGlobal(QPoint(m_btnStartSet->width() / 2, 0)), text, m_btnStartSet,
                       QRect(), kShownMs);
}

void QVideoCutDlg::setTrimEnd(uint64_t t)
{
    if (!m_itemInfo)
        return;
    m_itemInfo->m_TrimEndTime = t;
    m_TrimDSlider->setEndPercent(percentOf(t, 100));
    m_endTimeEdit->setTime(t);
    m_startTimeEdit->setTimeRange(0, t);
}

void QVideoCutDlg::OnBtnStartTimeSet()
{
    if (!m_itemInfo)
        return;
    uint64_t t = uint64_t(double(duration()) * m_TrimDSlider->progressFraction());
    if (t > m_itemInfo->m_TrimEndTime)
        t = m_itemInfo->m_TrimEndTime;
    setTrimStart(t);
}

void QVideoCutDlg::OnBtnEndTimeSet()
{
    if (!m_itemInfo)
        return;
    uint64_t t = uint64_t(double(duration()) * m_TrimDSlider->progressFraction());
    if (t < m_itemInfo->m_TrimStartTime)
        t = m_itemInfo->m_TrimStartTime;
    setTrimEnd(t);
}

void QVideoCutDlg::OnBtnTrim()
{
    m_btnPlayTrim->hide();
    m_btnPauseTrim->show();
    m_btnStopTrim->setEnabled(true);
}

void QVideoCutDlg::OnPauseTrim()
{
    m_btnPlayTrim->show();
    m_btnPauseTrim->hide();
}

void QVideoCutDlg::OnStopTrim()
{
    m_btnPlayTrim->show();
    m_btnPauseTrim->hide();
    m_btnStopTrim->setEnabled(false);
}

void QVideoCutDlg::setControlsEnabled(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_startTimeEdit, m_endTimeEdit, m_btnStartSet, m_btnEndSet})
        w->setEnabled(enabled);
    m_btnPlayTrim->setVisible(enabled);
    m_btnPlayTrim->setEnabled(enabled);
    m_btnPauseTrim->hide();
    m_btnStopTrim->setEnabled(false);
    m_btnConvert->setEnabled(enabled);
}

void QVideoCutDlg::reset()
{
    // The item shown until now may be deleted next; nothing may write to it.
    m_itemInfo = nullptr;
    m_itemNumber = -1;
    refreshKeyFrameHint();
    setControlsEnabled(false);
    for (QCustomTimeEdit *e : {m_startTimeEdit, m_endTimeEdit}) {
        e->setTimeRange(0, 0);
        e->setTime(0);
    }
    m_TrimDSlider->setProgressPercent(0, false);
    m_TrimDSlider->setStartPercent(0);
    m_TrimDSlider->setEndPercent(100);
}

void QVideoCutDlg::setConverting(bool converting)
{
    m_converting = converting;
    m_btnConvert->setVisible(!converting);
    m_btnCancel->setVisible(converting);
    m_btnAddFile->setEnabled(!converting);
    m_TrimDSlider->setEnabled(!converting);
    m_btnFormat->setEnabled(!converting);
    // Without an item there is nothing to edit or convert afterwards.
    setControlsEnabled(!converting && m_itemInfo);
}
