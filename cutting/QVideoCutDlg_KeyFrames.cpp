// The cut tool's key frames: ticks on the trim slider, and the hint under
// the start time where a cut at key frames really begins.
#include "QVideoCutDlg.h"

#include "OutputFormatParams.h"
#include "QCustomTimeEdit.h"
#include "QDualSlider.h"
#include "VoKeyFrameScanner.h"
#include "VoVideoConvertItem.h"

#include "EngineSession.h"

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

namespace {

QString clockText(quint64 us)
{
    const quint64 ms = us / 1000;
    return QStringLiteral("%1:%2:%3.%4")
        .arg(ms / 3600000)
        .arg(ms / 60000 % 60, 2, 10, QChar('0'))
        .arg(ms / 1000 % 60, 2, 10, QChar('0'))
        .arg(ms % 1000, 3, 10, QChar('0'));
}

} // namespace

QString QVideoCutDlg::keyFrameHintText() const
{
    const OutputFormatParams &params = OutputFormatParams::instance();
    // Encoding starts every output at the asked picture; so does a copy
    // whose start is a key frame. Key frames still being searched: unknown.
    if (!m_itemInfo || !params.lossless || m_keyFramePath != m_itemInfo->m_videoPath || m_keyFrames.isEmpty())
        return QString();
    const quint64 start = m_itemInfo->m_TrimStartTime;
    const quint64 key = VoKeyFrameScanner::keyFrameCutStart(m_keyFrames, start);
    // Within a millisecond is the same picture as far as the user can tell.
    if (start - key < 1000)
        return QString();
    if (!params.frameExactCut)
        return VoKeyFrameScanner::startHint(m_keyFrames, start);

    // Frame-exact asked for: the same choice of container the job makes.
    const bool original = params.keepsSourceContainer();
    const QString format = (original ? m_itemInfo->m_sourceFormat : params.container).toLower();
    const QString extension = original ? m_itemInfo->m_fileSuffix : params.extension;
    const QString codec = m_itemInfo->m_videoStreams.isEmpty()
        ? QString()
        : QString::fromStdString(m_itemInfo->m_videoStreams.first().codecName);
    switch (EngineSession::frameExactObstacle(format, extension, codec)) {
    case EngineSession::FrameExactObstacle::None:
        return tr("starts at %1, frame-exact").arg(clockText(start));
    case EngineSession::FrameExactObstacle::Container:
        return tr("starts at %1, key frame: %2 files are not cut frame-exact")
            .arg(clockText(key), (extension.isEmpty() ? format : extension).toUpper());
    case EngineSession::FrameExactObstacle::Codec:
        return tr("starts at %1, key frame: %2 video is not cut frame-exact")
            .arg(clockText(key), codec.toUpper());
    default:
        return VoKeyFrameScanner::startHint(m_keyFrames, start);
    }
}

void QVideoCutDlg::refreshKeyFrameHint()
{
    if (!m_labKeyHint)
        return;
    const QString text = keyFrameHintText();
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
