#pragma once
// Whether the streams of one source can follow another's in a single stream
// copy, and if not, what differs, in words a user can act on:
// "clip2.mp4: audio 44.1 kHz, others 48 kHz".
//
// Joined streams must agree on what a decoder is set up with once per
// stream: the codec and its profile, the picture size and pixel format, the
// frame rate, the sample rate and channel layout, and for codecs whose
// stream headers carry their decoding tables, those headers. H.264 and
// HEVC parameter sets may differ: the joined ranges then carry their own in
// front of every key frame (see inBandParameterSets).
extern "C" {
#include <libavformat/avformat.h>
}

#include "NalUnits.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orl {

// What the join compares of a stream, kept from the first source so that
// later ranges are held to it after its file is closed.
struct JoinedStream {
    AVMediaType type = AVMEDIA_TYPE_UNKNOWN;
    AVCodecID codec = AV_CODEC_ID_NONE;
    int profile = -99; // FF_PROFILE_UNKNOWN is -99
    int width = 0, height = 0;
    int format = -1; // pixel or sample format
    AVRational frameRate{0, 1};
    int sampleRate = 0;
    int channels = 0;
    uint64_t channelMask = 0; // 0 when the layout is not a plain mask
    int64_t bitRate = 0;      // bit/s when known
    bool lengthPrefixed = false;
    int lengthSize = 4;
    Bytes headers; // the stream's codec headers (extradata)
};

JoinedStream joinedStreamOf(const AVStream *st);

// One difference: the kind of stream it is about, whether the files hold
// a different number of streams of that kind, and the phrase for a user.
struct JoinDifference {
    AVMediaType type = AVMEDIA_TYPE_UNKNOWN;
    bool count = false;
    std::string phrase;
};

// The differences of `later` against `first`, stream by stream, each with
// a phrase ("audio 44.1 kHz, others 48 kHz"); empty when they join. name is
// the later source's file name, put in front of every phrase.
std::vector<JoinDifference> joinDifferenceList(const std::vector<JoinedStream> &first,
                                               const std::vector<JoinedStream> &later, const std::string &name);
// The same as phrases alone.
std::vector<std::string> joinDifferences(const std::vector<JoinedStream> &first,
                                         const std::vector<JoinedStream> &later, const std::string &name);

// What keeps one file from joining the first by stream copy: the kinds of
// stream that differ (ORL_FIT_* flags of orlcodec.h) and the phrases.
struct JoinMisfit {
    std::string source; // the path as given
    int kinds = 0;
    std::vector<std::string> phrases;
};
// The flags of a list of differences.
int joinDifferenceKinds(const std::vector<JoinDifference> &differences);

// One line for a user from the phrases: "a.mp4: audio 44.1 kHz, others
// 48 kHz; b.mp4: video 1280x720, others 1920x1080".
std::string joinDifferencesText(const std::vector<std::string> &phrases);

// True when a later stream joins but its parameter sets differ from the
// first's, so that its key frames must carry them.
bool parameterSetsDiffer(const JoinedStream &first, const JoinedStream &later);

// The stream's parameter sets as they go in front of a key frame, framed
// as the output's packets are (length fields of lengthSize bytes, or start
// codes); empty when the stream has none to give.
Bytes inBandParameterSets(const JoinedStream &stream, bool lengthPrefixed, int lengthSize);

} // namespace orl
