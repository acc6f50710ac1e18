// The cut tool's key frames: ticks on the trim slider, and the hint under
// the start time where a cut at key frames really begins.
#include "QVideoCutDlg.h"

#include "OutputFormatParams.h"
#include "QCustomTimeEdit.h"
#include "QDualSlider.h"
#include "VoKeyFrameScanner.h"
#include "VoVideoConvertItem.h"

#include <QLabel>

void QVideoCutDlg::buildKeyFrameControls()
{
    m_keyScanner = new VoKeyFrameScanner(this);
    connect(m_keyScanner, &VoKeyFrameScanner::sendKeyFrames, this, &QVideoCutDlg::keyFramesFound);
    m_labKeyHint = new QLabel(this);
    m_labKeyHint->setObjectName(QStringLiteral("m_labKeyHint"));
    m_labKeyHint->setStyleSheet(QStringLiteral("color: rgb(222,132,52);"));
    QFont small = font();
    small.setPointSizeF(qMax(6.0, small.pointSizeF() - 1));
    m_labKeyHint->setFont(small);
    m_labKeyHint->hide();
}

void QVideoCutDlg::requestKeyFrames()
{
    const QString path = m_itemInfo ? m_itemInfo->m_videoPath : QString();
    if (path == m_keyFramePath)
        return;
    m_keyFramePath = path;
    m_keyFrames.clear();
    m_TrimDSlider->setMarks({});
    emit sendKeyFrameMarks({});
    refreshKeyFrameHint();
    if (m_itemInfo && m_itemInfo->m_hasVideo && !m_itemInfo->m_isDisc)
        m_keyScanner->request(path);
    else
        m_keyScanner->cancel();
}

void QVideoCutDlg::keyFramesFound(const QString &path, const QVector<quint64> &times)
{
    if (path != m_keyFramePath)
        return;
    m_keyFrames = times;
    QVector<double> fractions;
    const uint64_t d = duration();
    if (d > 0) {
        fractions.reserve(times.size());
        for (quint64 t : times)
            fractions.append(double(t) / double(d));
    }
    m_TrimDSlider->setMarks(fractions); // light ticks show on the track and on the range
    emit sendKeyFrameMarks(fractions);
    refreshKeyFrameHint();
}

void QVideoCutDlg::refreshKeyFrameHint()
{
    if (!m_labKeyHint)
        return;
    const OutputFormatParams &params = OutputFormatParams::instance();
    QString text;
    if (m_itemInfo && params.lossless && !params.frameExactCut && m_keyFramePath == m_itemInfo->m_videoPath)
        text = VoKeyFrameScanner::startHint(m_keyFrames, m_itemInfo->m_TrimStartTime);
    m_labKeyHint->setText(text);
    m_labKeyHint->setVisible(!text.isEmpty());
    placeKeyFrameHint();
}

void QVideoCutDlg::placeKeyFrameHint()
{
    if (!m_labKeyHint || !m_startTimeEdit)
        return;
    // Under the start time, where the eye already is when choosing it.
    const QFontMetrics fm(m_labKeyHint->font());
    const int w = fm.horizontalAdvance(m_labKeyHint->text()) + 4;
    const int x = qMax(2, m_startTimeEdit->x() + m_startTimeEdit->width() / 2 - w / 2);
    m_labKeyHint->setGeometry(x, m_startTimeEdit->y() + m_startTimeEdit->height() + 1, w, fm.height());
}
