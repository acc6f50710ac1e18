#include "ProfileParams.h"

#include "OutputFormatParams.h"

namespace {

const QString kAuto = QStringLiteral("Auto");

bool isAutoLike(const QString &v)
{
    return v == QLatin1String("Original") || v == kAuto || v == QLatin1String("Smart Fit");
}

// The number before the first occurrence of unit ("192 kbps", 'k' → 192);
// 0 when the unit letter is missing or nothing numeric precedes it.
double numberBefore(const QString &text, QChar unit)
{
    const int at = text.indexOf(unit);
    if (at <= 0)
        return 0;
    bool ok = false;
    const double v = text.left(at).trimmed().toDouble(&ok);
    return ok && v > 0 ? v : 0;
}

uint32_t unsignedBefore(const QString &text, QChar unit)
{
    const double v = numberBefore(text, unit);
    return v >= 4294967295.0 ? 0 : static_cast<uint32_t>(v);
}

} // namespace

void applyProfileChoices(const FormatProfile &k, const ProfileChoices &c, ProfileQuality quality, bool audioOnly,
                         bool keepSourceCodecs, OutputFormatParams &out)
{
    out.audioOnly = audioOnly;
    out.quality = quality == ProfileQuality::High ? 90 : 50;
    auto byQuality = [quality](const QString &high, const QString &low, const QString &def) {
        return quality == ProfileQuality::High ? high : quality == ProfileQuality::Small ? low : def;
    };

    if (audioOnly) {
        out.videoCodec.clear();
        out.videoCodecId = -1;
        out.width = out.height = 0;
        out.frameRateNum = 0;
        out.frameRateDen = 0;
        out.videoBitrate = 0;
    } else {
        if (keepSourceCodecs) {
            out.videoCodec.clear();
            out.videoCodecId = 0;
        } else {
            QString codec = c.videoCodec;
            if (codec.isEmpty() || codec == kAuto || codec == QLatin1String("Smart Fit"))
                codec = k.videoCodec;
            out.videoCodec = codec;
            out.videoCodecId = codec.isEmpty() ? -1 : ProfileCatalogue::codecIdForTag(codec);
        }
        const QStringList size = c.resolution.split(QLatin1Char('*'));
        bool okW = false, okH = false;
        const uint w = size.size() == 2 ? size[0].trimmed().toUInt(&okW) : 0;
        const uint h = size.size() == 2 ? size[1].trimmed().toUInt(&okH) : 0;
        out.width = okW && okH && w <= 16384 ? int32_t(w) : 0;
        out.height = okW && okH && h <= 16384 ? int32_t(h) : 0;

        QString rate = c.frameRate;
        if (isAutoLike(rate))
            rate = k.frameRateDefault;
        const FrameRateFraction fraction = ProfileCatalogue::frameRateToRational(numberBefore(rate, QLatin1Char('f')));
        out.frameRateNum = fraction.num;
        out.frameRateDen = fraction.den;

        QString bitrate = c.videoBitrate;
        if (isAutoLike(bitrate))
            bitrate = byQuality(k.videoBitrateHigh, k.videoBitrateLow, k.videoBitrateDefault);
        out.videoBitrate = int32_t(qMin<uint32_t>(unsignedBefore(bitrate, QLatin1Char('k')), INT32_MAX));
    }

    if (keepSourceCodecs) {
        out.audioCodec.clear();
        out.audioCodecId = 0;
    } else {
        QString codec = c.audioCodec;
        if (codec == kAuto || codec == QLatin1String("Smart Fit"))
            codec = k.audioCodec;
        out.audioCodec = codec;
        out.audioCodecId = codec.isEmpty() ? -1 : ProfileCatalogue::codecIdForTag(codec);
    }
    QString channels = c.channel;
    if (isAutoLike(channels))
        channels = k.channel;
    out.channels = channels.trimmed().toUInt();
    QString sampleRate = c.sampleRate;
    if (isAutoLike(sampleRate))
        sampleRate = k.sampleRateDefault;
    out.sampleRate = unsignedBefore(sampleRate, QLatin1Char('H'));
    QString audioBitrate = c.audioBitrate;
    if (isAutoLike(audioBitrate))
        audioBitrate = byQuality(k.audioBitrateHigh, k.audioBitrateLow, k.audioBitrateDefault);
    out.audioBitrate = unsignedBefore(audioBitrate, QLatin1Char('k'));
}
