#include "StoredOutputFormat.h"

#include "OutputFormatParams.h"
#include "ParserXML.h"
#include "ProfileCatalogue.h"

namespace {
QString stored(const char *item, const char *attribute, const char *fallback)
{
    return ParserXML::readItemValue(QLatin1String(item), QLatin1String(attribute), QLatin1String(fallback));
}

// The leading decimal number of a text such as "128 kbps" or "44100 Hz".
uint32_t leadingNumber(const QString &text, QChar stop)
{
    const int at = text.indexOf(stop);
    return at > 0 ? text.left(at).trimmed().toUInt() : 0;
}

void keepSource(OutputFormatParams &p)
{
    p = OutputFormatParams();
    p.lossless = true;
    p.container = QStringLiteral("Original");
}
} // namespace

bool applyStoredOutputFormat(ProfileCatalogue &encoding, ProfileCatalogue &lossless)
{
    OutputFormatParams &p = OutputFormatParams::instance();
    const bool frameExact = stored("FRAMEEXACT_ITEM", "bFrameExactCut", "N") == QLatin1String("Y");
    if (stored("LOSSLESS_ITEM", "Lossless_convert", "N") == QLatin1String("Y")) {
        keepSource(p);
        p.frameExactCut = frameExact;
        const QString cate = stored("FormatSet", "Format_cate_lossless", "General Video");
        const QString id = stored("FormatSet", "Format_ID_lossless", "3000");
        const QString title = lossless.getItemField(cate, id, QStringLiteral("title"));
        const QString ext = lossless.getItemField(cate, id, QStringLiteral("ext"));
        if (!title.isEmpty() && title != QLatin1String("Original") && !ext.isEmpty()) {
            p.extension = ext;
            p.container = ProfileCatalogue::containerForExtension(ext);
        }
        return true;
    }

    const QString cate = stored("FormatSet", "Format_cate", "General Video");
    const QString id = stored("FormatSet", "Format_ID", "4000");
    const int quality = stored("VIDEO_QUALITY_ITEM", "quality_value", "1").toInt();
    const FormatProfile *k = encoding.buildProfile(cate, id, QString(), QString(), QString(), QString());
    if (!k || k->ext.isEmpty()) {
        keepSource(p);
        return false;
    }
    p = OutputFormatParams();
    p.lossless = false;
    p.extension = k->ext;
    p.container = ProfileCatalogue::containerForExtension(k->ext);
    p.audioOnly = k->audioOnly;
    p.quality = quality == 1 ? 90 : 50;
    const QString &videoRate = quality == 1 ? k->videoBitrateHigh : quality == 0 ? k->videoBitrateLow : k->videoBitrateDefault;
    const QString &audioRate = quality == 1 ? k->audioBitrateHigh : quality == 0 ? k->audioBitrateLow : k->audioBitrateDefault;
    if (k->audioOnly) {
        p.videoCodecId = -1;
    } else {
        p.videoCodec = k->videoCodec;
        p.videoCodecId = k->videoCodec.isEmpty() ? -1 : ProfileCatalogue::codecIdForTag(k->videoCodec);
        const QStringList size = k->resolution.split(QLatin1Char('*'));
        if (size.size() == 2) {
            p.width = size[0].trimmed().toInt();
            p.height = size[1].trimmed().toInt();
        }
        const double fps = k->frameRateDefault.left(qMax(0, k->frameRateDefault.indexOf(QLatin1Char('f')))).toDouble();
        const FrameRateFraction rate = ProfileCatalogue::frameRateToRational(fps);
        p.frameRateNum = fps > 0 ? rate.num : 0;
        p.frameRateDen = fps > 0 ? rate.den : 0;
        p.videoBitrate = int32_t(leadingNumber(videoRate, QLatin1Char('k')));
    }
    p.audioCodec = k->audioCodec;
    p.audioCodecId = k->audioCodec.isEmpty() ? -1 : ProfileCatalogue::codecIdForTag(k->audioCodec);
    p.channels = k->channel.toUInt();
    p.sampleRate = leadingNumber(k->sampleRateDefault, QLatin1Char('H'));
    p.audioBitrate = leadingNumber(audioRate, QLatin1Char('k'));
    return true;
}
