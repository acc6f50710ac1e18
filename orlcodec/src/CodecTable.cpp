#include "CodecTable.h"

namespace orl {

namespace {

constexpr int32_t fourcc(char a, char b, char c, char d)
{
    return (int32_t(uint8_t(a)) << 24) | (int32_t(uint8_t(b)) << 16) | (int32_t(uint8_t(c)) << 8)
        | int32_t(uint8_t(d));
}

// The first row of a codec is the one legacyIdFor() reports.
const LegacyCodec kTable[] = {
    // video
    {1, AV_CODEC_ID_MPEG1VIDEO, "mpeg1video"},
    {2, AV_CODEC_ID_MPEG2VIDEO, "mpeg2video"},
    {5, AV_CODEC_ID_H263, "h263"},
    {8, AV_CODEC_ID_MJPEG, "mjpeg"},
    {13, AV_CODEC_ID_MPEG4, "mpeg4"},
    {14, AV_CODEC_ID_RAWVIDEO, "rawvideo"},
    {17, AV_CODEC_ID_MSMPEG4V3, "msmpeg4"},
    {18, AV_CODEC_ID_WMV1, "wmv1"},
    {19, AV_CODEC_ID_WMV2, "wmv2"},
    {22, AV_CODEC_ID_FLV1, "flv"},
    {25, AV_CODEC_ID_DVVIDEO, "dvvideo"},
    {28, AV_CODEC_ID_H264, "libx264"},
    {31, AV_CODEC_ID_THEORA, "libtheora"},
    {71, AV_CODEC_ID_VC1, nullptr},  // no VC-1 encoder exists
    {72, AV_CODEC_ID_WMV3, nullptr}, // no WMV9 encoder exists
    {141, AV_CODEC_ID_VP8, "libvpx"},
    {169, AV_CODEC_ID_VP9, "libvpx-vp9"},
    {fourcc('H', '2', '6', '5'), AV_CODEC_ID_HEVC, "libx265"},
    {fourcc('D', 'I', 'V', 'X'), AV_CODEC_ID_MPEG4, "libxvid"},
    {fourcc('0', '5', 'X', 'D'), AV_CODEC_ID_MPEG4, "mpeg4"},
    {fourcc('X', 'V', 'I', 'D'), AV_CODEC_ID_MPEG4, "libxvid"},
    // audio
    {0x10000, AV_CODEC_ID_PCM_S16LE, "pcm_s16le"},
    {0x10001, AV_CODEC_ID_PCM_S16BE, "pcm_s16be"},
    {0x1000C, AV_CODEC_ID_PCM_S24LE, "pcm_s24le"},
    {0x1000D, AV_CODEC_ID_PCM_S24BE, "pcm_s24be"},
    {0x11000, AV_CODEC_ID_ADPCM_IMA_QT, "adpcm_ima_qt"},
    {0x1100D, AV_CODEC_ID_ADPCM_SWF, "adpcm_swf"},
    {0x12000, AV_CODEC_ID_AMR_NB, nullptr}, // no AMR encoder in this FFmpeg
    {0x15000, AV_CODEC_ID_MP2, "mp2"},
    {0x15001, AV_CODEC_ID_MP3, "libmp3lame"},
    {0x15002, AV_CODEC_ID_AAC, "aac"},
    {0x15003, AV_CODEC_ID_AC3, "ac3"},
    {0x15005, AV_CODEC_ID_VORBIS, "libvorbis"},
    {0x15007, AV_CODEC_ID_WMAV1, "wmav1"},
    {0x15008, AV_CODEC_ID_WMAV2, "wmav2"},
    {0x1500C, AV_CODEC_ID_FLAC, "flac"},
    {0x15010, AV_CODEC_ID_ALAC, "alac"},
    {0x15026, AV_CODEC_ID_WMAPRO, nullptr}, // no WMA Pro encoder exists
    // subtitles
    {0x17002, AV_CODEC_ID_TEXT, "text"},
    {0x17005, AV_CODEC_ID_MOV_TEXT, "mov_text"},
};

} // namespace

const LegacyCodec *findLegacyCodec(int32_t legacyId)
{
    for (const LegacyCodec &row : kTable)
        if (row.legacyId == legacyId)
            return &row;
    return nullptr;
}

int32_t legacyIdFor(AVCodecID codecId)
{
    for (const LegacyCodec &row : kTable)
        if (row.codecId == codecId)
            return row.legacyId;
    return 0;
}

} // namespace orl
