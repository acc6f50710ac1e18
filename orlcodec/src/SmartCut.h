#pragma once
// Frame-exact lossless cutting of H.264 and HEVC video: the pictures from
// the asked start up to the first key frame, and from the last key frame up
// to the asked end, are decoded and encoded again; everything between is
// copied untouched. The encoded pictures use parameter sets that cannot be
// mistaken for the copied ones (their own ids, or sets repeated in-band at
// every switch), so the result decodes as one stream.
#include "FFmpegPtr.h"
#include "NalUnits.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace orl {

class SmartCut {
public:
    SmartCut(const std::atomic<bool> *abort, std::function<bool()> global);
    ~SmartCut();
    SmartCut(const SmartCut &) = delete;
    SmartCut &operator=(const SmartCut &) = delete;

    // Plans the cut of [start, end) of one video stream (source timeline in
    // µs, end INT64_MAX = to the end of the file) and encodes the pictures
    // at both ends. False with reason() when this source cannot be cut this
    // way; the caller then cuts at key frames.
    bool prepare(const std::string &src, int videoIndex, int64_t start_us, int64_t end_us);
    const std::string &reason() const { return m_reason; }

    // Source time of the first picture of the range (the one showing at the
    // asked start): the time that becomes output time 0.
    int64_t exactStart_us() const;
    // Gives the output stream the private data the spliced stream needs.
    bool describe(AVCodecParameters *out) const;

    // Takes the source's video packets in decoding order, from the key frame
    // at or before the start on, and queues what is to be written.
    void feed(PacketPtr pkt, std::deque<PacketPtr> &out);
    // The source ended: queues whatever is still due.
    void finish(std::deque<PacketPtr> &out);
    // Nothing fed from now on can reach the output.
    bool videoDone() const { return m_state == State::Done; }

    // What the written file has to show.
    int64_t expectedPictures() const { return m_headCount + m_copied + m_tailCount; }
    const AVFrame *firstPicture() const { return m_first.get(); }
    const AVFrame *lastPicture() const { return m_last.get(); }
    // Output video packets (decoding order) that the check need not decode:
    // the copied pictures from the first IDR picture after the first copied
    // group up to the last one. They are the source's own bytes (a marking
    // repair ends at an IDR picture), and a decoder that starts afresh at
    // the last one needs nothing before it, while both seams (the encoded
    // start with the first copied group, the last copied group with the
    // encoded end) are still decoded. -1 when there is no such stretch.
    int64_t skipFrom() const { return m_lastRestart > m_firstRestart ? m_firstRestart : -1; }
    int64_t skipTo() const { return m_lastRestart > m_firstRestart ? m_lastRestart : -1; }
    // Output video packets (decoding order) that the check decodes without
    // the costly pixel work, since only the first and the last picture are
    // compared: all but the first picture and the group the last one
    // belongs to. -1 when there are none.
    int64_t lightFrom() const;
    int64_t lightTo() const;
    // "14 pictures encoded at the start, 1420 copied, 37 encoded at the end".
    std::string summary() const;

private:
    struct Packet {
        int64_t pts, dts, duration;
        bool key;
        bool idr; // a key frame that starts a new coded sequence
    };
    struct Encoded {
        Bytes data;
        int64_t pts, dts, duration;
        bool key;
    };
    class Source;

    bool fail(const std::string &why);
    bool startsSequence(const AVPacket *pkt) const;
    // A picture a decoder can start from with nothing before it, whose
    // followers refer to nothing before it either.
    bool restartsDecoding(const AVPacket *pkt) const;
    bool checkStream();
    bool readWindow(int64_t target, int keysBefore, int64_t stopAfter, std::vector<Packet> &out);
    bool plan();
    // Decodes from the key frame at or before fromTime and encodes (into out
    // when given) the pictures shown in [lo, hi).
    bool encodeSpan(int64_t fromTime, int64_t lo, int64_t hi, std::vector<Encoded> *out, FramePtr *first,
                    FramePtr *last, int64_t &count);
    bool grabPicture(int64_t fromKey, int64_t pts, FramePtr &out);
    bool openEncoder(CodecContextPtr &enc, const AVFrame *sample);
    bool spliceForms(std::vector<Encoded> &packets, bool head);
    bool resetAtEnd(Encoded &last, const std::vector<Bytes> &ownSets) const;
    bool announceReordering(std::vector<Bytes> &nals) const;
    PacketPtr makeOut(const Encoded &e) const;

    const std::atomic<bool> *m_abort;
    std::function<bool()> m_global;
    std::unique_ptr<Source> m_src;
    std::string m_reason;

    bool m_hevc = false;
    int m_spsId = 0;          // id of the encoded pictures' parameter sets (H.264)
    ParameterSets m_sourceSets;
    Bytes m_extradata;        // private data of the output stream
    AVRational m_tb{1, 1};
    int64_t m_start = 0, m_end = 0; // asked range, stream time base
    int64_t m_frameDuration = 1;

    // the plan, in stream time base
    int64_t m_exactStart = 0;  // first picture
    int64_t m_k1 = 0;          // first copied key frame
    int64_t m_k1Dts = 0;
    bool m_k1Resets = false;   // the first copied key frame is an H.264 recovery point after encoded pictures
    bool m_k2HasLeading = false;
    int64_t m_k2 = 0;          // key frame where the copy ends (INT64_MAX: copy to the end)
    int64_t m_maxCopied = 0;   // latest picture of the copied part
    bool m_allEncoded = false; // the range holds no whole group of pictures

    std::vector<Encoded> m_head, m_tail;
    int64_t m_headCount = 0, m_tailCount = 0, m_copied = 0;
    int64_t m_written = 0; // video packets queued so far
    int64_t m_firstCopiedKey = -1, m_lastCopiedKey = -1;
    int64_t m_tailStart = -1; // first packet of the encoded end
    int64_t m_firstRestart = -1, m_lastRestart = -1; // copied pictures restartsDecoding() holds for
    FramePtr m_first, m_last;

    enum class State { BeforeCopy, Copying, Done } m_state = State::BeforeCopy;
};

} // namespace orl
