#include "JoinFit.h"

#include "orlcodec.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orl {

namespace {

bool carriesParameterSets(AVCodecID codec)
{
    return codec == AV_CODEC_ID_H264 || codec == AV_CODEC_ID_HEVC;
}

// Audio codecs whose every frame says how to decode it: their stream
// headers may differ between recordings without harm once codec, profile,
// rate and channels agree.
bool framesDescribeThemselves(AVCodecID codec)
{
    switch (codec) {
    case AV_CODEC_ID_AAC:
    case AV_CODEC_ID_MP2:
    case AV_CODEC_ID_MP3:
    case AV_CODEC_ID_AC3:
    case AV_CODEC_ID_EAC3:
    case AV_CODEC_ID_DTS:
        return true;
    default:
        // Uncompressed sound has no headers to differ.
        return codec >= AV_CODEC_ID_FIRST_AUDIO && codec < AV_CODEC_ID_ADPCM_IMA_QT;
    }
}

const char *kindName(AVMediaType type)
{
    switch (type) {
    case AVMEDIA_TYPE_VIDEO:
        return "video";
    case AVMEDIA_TYPE_AUDIO:
        return "audio";
    case AVMEDIA_TYPE_SUBTITLE:
        return "subtitles";
    default:
        return "data";
    }
}

std::string codecName(AVCodecID codec)
{
    std::string name = avcodec_get_name(codec);
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return name;
}

std::string profileName(const JoinedStream &s)
{
    const char *name = avcodec_profile_name(s.codec, s.profile);
    return name ? std::string(name) + " profile" : "profile " + std::to_string(s.profile);
}

std::string rateText(AVRational rate)
{
    if (rate.num <= 0 || rate.den <= 0)
        return "unknown frame rate";
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", av_q2d(rate));
    std::string t = text;
    while (t.back() == '0')
        t.pop_back();
    if (t.back() == '.')
        t.pop_back();
    return t + " fps";
}

std::string sampleRateText(int rate)
{
    char text[32];
    if (rate % 1000 == 0)
        std::snprintf(text, sizeof text, "%d kHz", rate / 1000);
    else
        std::snprintf(text, sizeof text, "%g kHz", rate / 1000.0);
    return text;
}

std::string channelsText(const JoinedStream &s)
{
    if (s.channelMask) {
        AVChannelLayout layout{};
        if (av_channel_layout_from_mask(&layout, s.channelMask) == 0) {
            char text[64];
            const int n = av_channel_layout_describe(&layout, text, sizeof text);
            av_channel_layout_uninit(&layout);
            if (n > 0)
                return text;
        }
    }
    return std::to_string(s.channels) + (s.channels == 1 ? " channel" : " channels");
}

// Frame rates of one class: 29.97 and 30, or a variable rate whose average
// moves a little from file to file, join as well as equal ones.
bool sameRateClass(AVRational a, AVRational b)
{
    if (a.num <= 0 || a.den <= 0 || b.num <= 0 || b.den <= 0)
        return true; // an unknown rate is held to nothing
    const double x = av_q2d(a), y = av_q2d(b);
    return std::fabs(x - y) <= 0.02 * std::max(x, y);
}

// The phrases of one pair of streams of the same kind.
void compare(const JoinedStream &f, const JoinedStream &l, const std::string &head, std::vector<JoinDifference> &out)
{
    auto differs = [&](const std::string &mine, const std::string &theirs) {
        out.push_back({f.type, false, head + mine + ", others " + theirs});
    };
    if (f.codec != l.codec) {
        differs(codecName(l.codec), codecName(f.codec));
        return;
    }
    if (f.profile != l.profile && f.profile != -99 && l.profile != -99)
        differs(profileName(l), profileName(f));
    if (f.type == AVMEDIA_TYPE_VIDEO) {
        if (f.width != l.width || f.height != l.height)
            differs(std::to_string(l.width) + "x" + std::to_string(l.height),
                    std::to_string(f.width) + "x" + std::to_string(f.height));
        if (f.format != l.format && f.format >= 0 && l.format >= 0) {
            const char *a = av_get_pix_fmt_name(AVPixelFormat(l.format));
            const char *b = av_get_pix_fmt_name(AVPixelFormat(f.format));
            differs(a ? a : "?", b ? b : "?");
        }
        if (!sameRateClass(f.frameRate, l.frameRate))
            differs(rateText(l.frameRate), rateText(f.frameRate));
        if (carriesParameterSets(f.codec)) {
            if (f.lengthPrefixed != l.lengthPrefixed)
                differs(l.lengthPrefixed ? "with length fields" : "with start codes",
                        f.lengthPrefixed ? "with length fields" : "with start codes");
            else if (f.lengthPrefixed && f.lengthSize != l.lengthSize)
                differs(std::to_string(l.lengthSize) + "-byte length fields",
                        std::to_string(f.lengthSize) + "-byte length fields");
        } else if (f.headers != l.headers) {
            differs("other stream headers", "theirs");
        }
    } else if (f.type == AVMEDIA_TYPE_AUDIO) {
        if (f.sampleRate != l.sampleRate)
            differs(sampleRateText(l.sampleRate), sampleRateText(f.sampleRate));
        if (f.channels != l.channels || (f.channelMask && l.channelMask && f.channelMask != l.channelMask))
            differs(channelsText(l), channelsText(f));
        if (!framesDescribeThemselves(f.codec) && f.headers != l.headers)
            differs("other stream headers", "theirs");
        else if (f.codec >= AV_CODEC_ID_FIRST_AUDIO && f.codec < AV_CODEC_ID_ADPCM_IMA_QT && f.format != l.format) {
            const char *a = av_get_sample_fmt_name(AVSampleFormat(l.format));
            const char *b = av_get_sample_fmt_name(AVSampleFormat(f.format));
            differs(a ? a : "?", b ? b : "?");
        }
    } else if (f.headers != l.headers && f.codec == AV_CODEC_ID_ASS) {
        // Styles live in the headers: the later events would use the first's.
        differs("other styles", "theirs");
    }
}

} // namespace

JoinedStream joinedStreamOf(const AVStream *st)
{
    const AVCodecParameters *par = st->codecpar;
    JoinedStream s;
    s.type = par->codec_type;
    s.codec = par->codec_id;
    s.profile = par->profile;
    s.width = par->width;
    s.height = par->height;
    s.format = par->format;
    s.frameRate = st->avg_frame_rate.num > 0 && st->avg_frame_rate.den > 0 ? st->avg_frame_rate : st->r_frame_rate;
    s.sampleRate = par->sample_rate;
    s.channels = par->ch_layout.nb_channels;
    s.channelMask = par->ch_layout.order == AV_CHANNEL_ORDER_NATIVE ? par->ch_layout.u.mask : 0;
    s.bitRate = par->bit_rate;
    if (par->extradata && par->extradata_size > 0)
        s.headers.assign(par->extradata, par->extradata + par->extradata_size);
    if (carriesParameterSets(s.codec) && !s.headers.empty()) {
        ParameterSets sets;
        if (readParameterSets(s.headers.data(), s.headers.size(), s.codec == AV_CODEC_ID_HEVC, sets)) {
            s.lengthPrefixed = sets.lengthPrefixed;
            s.lengthSize = sets.lengthSize;
        }
    }
    return s;
}

std::vector<JoinDifference> joinDifferenceList(const std::vector<JoinedStream> &first,
                                               const std::vector<JoinedStream> &later, const std::string &name)
{
    std::vector<JoinDifference> out;
    for (AVMediaType type : {AVMEDIA_TYPE_VIDEO, AVMEDIA_TYPE_AUDIO, AVMEDIA_TYPE_SUBTITLE, AVMEDIA_TYPE_DATA}) {
        std::vector<const JoinedStream *> f, l;
        for (const JoinedStream &s : first)
            if (s.type == type)
                f.push_back(&s);
        for (const JoinedStream &s : later)
            if (s.type == type)
                l.push_back(&s);
        if (f.empty() && l.empty())
            continue;
        const std::string kind = kindName(type);
        if (f.size() != l.size()) {
            auto count = [&](size_t n) {
                if (n == 0)
                    return "no " + kind;
                return std::to_string(n) + " " + kind + (type == AVMEDIA_TYPE_SUBTITLE ? "" : " stream")
                    + (n == 1 || type == AVMEDIA_TYPE_SUBTITLE ? "" : "s");
            };
            out.push_back({type, true, name + ": " + count(l.size()) + ", others " + count(f.size())});
            continue;
        }
        for (size_t i = 0; i < f.size(); ++i) {
            const std::string head
                = name + ": " + kind + (f.size() > 1 ? " " + std::to_string(i + 1) : std::string()) + " ";
            compare(*f[i], *l[i], head, out);
        }
    }
    return out;
}

std::vector<std::string> joinDifferences(const std::vector<JoinedStream> &first,
                                         const std::vector<JoinedStream> &later, const std::string &name)
{
    std::vector<std::string> phrases;
    for (JoinDifference &d : joinDifferenceList(first, later, name))
        phrases.push_back(std::move(d.phrase));
    return phrases;
}

int joinDifferenceKinds(const std::vector<JoinDifference> &differences)
{
    int kinds = 0;
    for (const JoinDifference &d : differences) {
        switch (d.type) {
        case AVMEDIA_TYPE_VIDEO:
            kinds |= ORL_FIT_VIDEO;
            break;
        case AVMEDIA_TYPE_AUDIO:
            kinds |= ORL_FIT_AUDIO;
            break;
        case AVMEDIA_TYPE_SUBTITLE:
            kinds |= ORL_FIT_SUBTITLES;
            break;
        default:
            kinds |= ORL_FIT_DATA;
            break;
        }
        if (d.count)
            kinds |= ORL_FIT_STREAM_COUNT;
    }
    return kinds;
}

std::string joinDifferencesText(const std::vector<std::string> &phrases)
{
    // Phrases of one file share its name: "a.mp4: audio 44.1 kHz, others
    // 48 kHz; video 25 fps, others 30 fps".
    std::string text;
    std::string lastName;
    for (const std::string &p : phrases) {
        const size_t colon = p.find(": ");
        const std::string name = colon == std::string::npos ? std::string() : p.substr(0, colon);
        if (!text.empty())
            text += "; ";
        text += name == lastName && !name.empty() ? p.substr(colon + 2) : p;
        lastName = name;
    }
    return text;
}

bool parameterSetsDiffer(const JoinedStream &first, const JoinedStream &later)
{
    return carriesParameterSets(first.codec) && first.codec == later.codec && first.headers != later.headers;
}

Bytes inBandParameterSets(const JoinedStream &stream, bool lengthPrefixed, int lengthSize)
{
    if (!carriesParameterSets(stream.codec) || stream.headers.empty())
        return {};
    ParameterSets sets;
    if (!readParameterSets(stream.headers.data(), stream.headers.size(), stream.codec == AV_CODEC_ID_HEVC, sets)
        || sets.nals.empty())
        return {};
    return lengthPrefixed ? joinLengthPrefixed(sets.nals, lengthSize) : joinAnnexB(sets.nals);
}

} // namespace orl
