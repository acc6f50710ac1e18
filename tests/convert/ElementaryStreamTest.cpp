// Elementary-stream mode: packets read from a fixture are handed to the
// converter one by one and muxed back into a file.
#include "CAVConverter.h"
#include "MediaProbe.h"
#include "TestSupport.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using testsupport::fixture;

TEST(ElementaryStreams, PacketsFedOneByOneBecomeAPlayableFile)
{
    QTemporaryDir dir;
    const QByteArray src = fixture("h264_aac.mp4").toUtf8();
    AVFormatContext *in = nullptr;
    ASSERT_EQ(avformat_open_input(&in, src.constData(), nullptr, nullptr), 0);
    ASSERT_GE(avformat_find_stream_info(in, nullptr), 0);
    const AVStream *video = in->streams[0];
    const AVStream *audio = in->streams[1];
    ASSERT_EQ(video->codecpar->codec_type, AVMEDIA_TYPE_VIDEO);
    ASSERT_EQ(audio->codecpar->codec_type, AVMEDIA_TYPE_AUDIO);

    CAVConverter converter;
    TrackParams vp;
    vp.width = video->codecpar->width;
    vp.height = video->codecpar->height;
    vp.frameRate = 25;
    vp.frameRateScale = 1;
    vp.privateData = video->codecpar->extradata;
    vp.privateSize = video->codecpar->extradata_size;
    converter.AddTrack(1, 1, 28, &vp); // H.264
    TrackParams ap;
    ap.audioFirst = audio->codecpar->sample_rate;
    ap.audioSecond = audio->codecpar->ch_layout.nb_channels;
    ap.privateData = audio->codecpar->extradata;
    ap.privateSize = audio->codecpar->extradata_size;
    converter.AddTrack(IAVConverter::TypeFirst{}, 2, 2, 86018, &ap); // AAC
    // Unknown types and missing parameters are ignored.
    converter.AddTrack(3, 5, 28, &vp);
    converter.AddTrack(4, 1, 28, nullptr);

    ConvertJob job;
    job.formatName = "mp4";
    const QString dst = dir.filePath("es.mp4");
    std::atomic<uint64_t> lastPosition{0};
    std::atomic<bool> ok{false};
    std::thread muxing([&] {
        ok = converter.StartStreams(
            dst.toUtf8().constData(), job, &lastPosition,
            [](void *ctx, uint64_t ms) { static_cast<std::atomic<uint64_t> *>(ctx)->store(ms); }, nullptr);
    });

    AVPacket *pkt = av_packet_alloc();
    int written = 0;
    while (av_read_frame(in, pkt) >= 0) {
        const AVStream *st = in->streams[pkt->stream_index];
        TrackSample sample;
        sample.timescale = static_cast<uint32_t>(st->time_base.den / st->time_base.num);
        sample.pts = pkt->pts;
        sample.dts = pkt->dts;
        sample.duration = pkt->duration;
        sample.keyFrame = pkt->flags & AV_PKT_FLAG_KEY;
        sample.data = pkt->data;
        sample.size = pkt->size;
        if (converter.WriteSample(pkt->stream_index + 1, &sample))
            ++written;
        av_packet_unref(pkt);
    }
    // A track that was never added takes nothing.
    TrackSample stray;
    stray.data = reinterpret_cast<const uint8_t *>("x");
    stray.size = 1;
    EXPECT_FALSE(converter.WriteSample(42, &stray));
    converter.EndOfStreams();
    muxing.join();
    av_packet_free(&pkt);
    avformat_close_input(&in);

    EXPECT_TRUE(ok);
    EXPECT_GT(written, 100);
    EXPECT_GT(lastPosition.load(), 0u);
    const Probe p = probeFile(dst);
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.count("video"), 1);
    EXPECT_EQ(p.count("audio"), 1);
    EXPECT_NEAR(p.duration, 5.0, 0.1);
    EXPECT_EQ(decodeErrors(dst), "");
}
