#include "VoDetector.h"

#include "VoCancelToken.h"
#include "orlcodec_detect.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <mutex>

static_assert(int(VoDetector::Silence) == ORL_DETECT_SILENCE && int(VoDetector::Black) == ORL_DETECT_BLACK &&
                  int(VoDetector::Scene) == ORL_DETECT_SCENE && int(VoDetector::Freeze) == ORL_DETECT_FREEZE,
              "the detector's kinds are the library's");
static_assert(int(VoDetector::None) == ORL_DETECT_FAILED_NONE && int(VoDetector::NoAudio) == ORL_DETECT_FAILED_NO_AUDIO &&
                  int(VoDetector::NoVideo) == ORL_DETECT_FAILED_NO_VIDEO &&
                  int(VoDetector::Stopped) == ORL_DETECT_FAILED_STOPPED &&
                  int(VoDetector::Unreadable) == ORL_DETECT_FAILED_UNREADABLE &&
                  int(VoDetector::BadSettings) == ORL_DETECT_FAILED_SETTINGS,
              "the detector's failures are the library's");

namespace {

// Outlines of the files shown last; a long recording's is a few hundred
// kilobytes, so a handful is kept.
constexpr int kCachedOutlines = 8;

std::mutex cacheMutex;
QHash<QString, QVector<quint8>> cache; // guarded by cacheMutex
QStringList cacheOrder;                // guarded by cacheMutex, oldest first

QString cacheKey(const QString &path)
{
    const QFileInfo fi(path);
    return fi.absoluteFilePath() + QLatin1Char('|') + QString::number(fi.size()) + QLatin1Char('|') +
           QString::number(fi.lastModified().toMSecsSinceEpoch());
}

} // namespace

VoDetector::VoDetector() : m_handle(Detect_Create()) {}

VoDetector::~VoDetector()
{
    Detect_Destroy(m_handle);
}

VoDetector::Settings VoDetector::defaults(int kind)
{
    orl_detect_settings s{};
    Detect_DefaultSettings(kind, &s);
    Settings out;
    out.kind = kind;
    out.threshold = s.threshold;
    out.pixelThreshold = s.pixel_threshold;
    out.minLength_us = int64_t(s.min_length_us);
    return out;
}

void VoDetector::takeFailure()
{
    m_failure = Detect_GetFailure(m_handle);
    if (m_failure == None)
        m_failure = Unreadable;
    m_error = QString::fromUtf8(Engine_GetLastError(m_handle));
}

bool VoDetector::run(const QString &path, const Settings &settings, QVector<Range> &out)
{
    out.clear();
    m_failure = None;
    m_error.clear();
    orl_detect_settings s{};
    s.kind = settings.kind;
    s.threshold = settings.threshold;
    s.pixel_threshold = settings.pixelThreshold;
    s.min_length_us = uint64_t(qMax<int64_t>(0, settings.minLength_us));
    s.audio_stream = settings.audioStream;
    if (!m_handle || Detect_Run(m_handle, path.toUtf8().constData(), &s) != 1) {
        takeFailure();
        return false;
    }
    const orl_detect_range *ranges = nullptr;
    const int n = Detect_GetRanges(m_handle, &ranges);
    out.reserve(n);
    for (int i = 0; i < n; ++i)
        out.append(Range{int64_t(ranges[i].start_us), int64_t(ranges[i].end_us), ranges[i].score});
    return true;
}

bool VoDetector::hasCachedWaveform(const QString &path)
{
    const QString key = cacheKey(path);
    std::lock_guard<std::mutex> lock(cacheMutex);
    return cache.contains(key);
}

bool VoDetector::waveform(const QString &path, QVector<quint8> &peaks)
{
    peaks.clear();
    m_failure = None;
    m_error.clear();
    const QString key = cacheKey(path);
    {
        std::lock_guard<std::mutex> lock(cacheMutex);
        auto it = cache.constFind(key);
        if (it != cache.constEnd()) {
            peaks = *it;
            return true;
        }
    }
    const uint8_t *data = nullptr;
    const int n = m_handle ? Detect_Waveform(m_handle, path.toUtf8().constData(), 0, waveformRate, &data) : 0;
    if (n <= 0 || !data) {
        takeFailure();
        return false;
    }
    peaks = QVector<quint8>(n);
    std::copy(data, data + n, peaks.begin());
    std::lock_guard<std::mutex> lock(cacheMutex);
    if (!cache.contains(key)) {
        cache.insert(key, peaks);
        cacheOrder.append(key);
        while (cacheOrder.size() > kCachedOutlines)
            cache.remove(cacheOrder.takeFirst());
    }
    return true;
}

void VoDetector::watch(const VoCancelToken &token)
{
    Detect_SetCancel(m_handle, ORL_HANDLE(token.handle()));
}

void VoDetector::cancel()
{
    Detect_Cancel(m_handle);
}

int VoDetector::progress() const
{
    return Detect_GetProgress(m_handle);
}
