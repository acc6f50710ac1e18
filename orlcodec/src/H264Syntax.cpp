#include "H264Syntax.h"

#include <algorithm>

namespace orl {

namespace {

// The largest value an Exp-Golomb code of 31 leading zeros holds, the
// longest the reader takes.
constexpr long kMaxUe = 0xfffffffeL;

class Reader {
public:
    explicit Reader(const Bytes &rbsp, size_t fromBit = 0)
        : m_data(rbsp)
        , m_pos(fromBit)
    {
    }

    bool ok() const { return !m_bad; }
    size_t pos() const { return m_pos; }

    unsigned bit()
    {
        if (m_pos >= m_data.size() * 8) {
            m_bad = true;
            return 0;
        }
        const unsigned b = (m_data[m_pos >> 3] >> (7 - (m_pos & 7))) & 1;
        ++m_pos;
        return b;
    }

    unsigned long bits(int n)
    {
        unsigned long v = 0;
        for (int i = 0; i < n; ++i)
            v = (v << 1) | bit();
        return v;
    }

    unsigned long ue()
    {
        int zeros = 0;
        while (!bit()) {
            if (m_bad || ++zeros > 31) {
                m_bad = true;
                return 0;
            }
        }
        return ((1UL << zeros) - 1) + bits(zeros);
    }

    // A value the syntax bounds: a larger one is no unit read right.
    int ueUpTo(unsigned long highest)
    {
        const unsigned long v = ue();
        if (v > highest) {
            m_bad = true;
            return 0;
        }
        return static_cast<int>(v);
    }

    long se()
    {
        const unsigned long k = ue();
        return (k & 1) ? static_cast<long>((k + 1) / 2) : -static_cast<long>(k / 2);
    }

private:
    const Bytes &m_data;
    size_t m_pos;
    bool m_bad = false;
};

class Writer {
public:
    void bit(unsigned b)
    {
        if ((m_bits & 7) == 0)
            m_out.push_back(0);
        if (b)
            m_out.back() |= static_cast<uint8_t>(0x80 >> (m_bits & 7));
        ++m_bits;
    }
    void bits(unsigned long v, int n)
    {
        for (int i = n - 1; i >= 0; --i)
            bit((v >> i) & 1);
    }
    void ue(unsigned long v)
    {
        const unsigned long x = v + 1;
        int len = 0;
        while ((x >> len) > 1)
            ++len;
        bits(0, len);
        bits(x, len + 1);
    }
    void copy(const Bytes &src, size_t from, size_t to)
    {
        for (size_t p = from; p < to; ++p)
            bit((src[p >> 3] >> (7 - (p & 7))) & 1);
    }
    bool aligned() const { return (m_bits & 7) == 0; }
    Bytes &out() { return m_out; }

private:
    Bytes m_out;
    size_t m_bits = 0;
};

bool skipScalingList(Reader &r, int size)
{
    int last = 8, next = 8;
    for (int j = 0; j < size; ++j) {
        if (next != 0) {
            const long delta = r.se();
            next = static_cast<int>((last + delta + 256) % 256);
        }
        last = next == 0 ? last : next;
    }
    return r.ok();
}

bool skipListModification(Reader &r)
{
    if (!r.bit())
        return r.ok();
    for (int i = 0; i < 66; ++i) {
        const unsigned long idc = r.ue();
        if (!r.ok())
            return false;
        if (idc == 3)
            return true;
        if (idc > 5)
            return false;
        r.ue(); // abs_diff_pic_num_minus1, long_term_pic_num or abs_diff_view_idx_minus1
    }
    return false;
}

void skipWeights(Reader &r, int count, bool chroma)
{
    for (int i = 0; i < count && r.ok(); ++i) {
        if (r.bit()) {
            r.se();
            r.se();
        }
        if (chroma && r.bit())
            for (int j = 0; j < 4; ++j)
                r.se();
    }
}

} // namespace

Bytes unescapeNal(const uint8_t *data, size_t size)
{
    Bytes out;
    out.reserve(size);
    int zeros = 0;
    for (size_t i = 0; i < size; ++i) {
        if (zeros >= 2 && data[i] == 3) {
            zeros = 0;
            continue;
        }
        zeros = data[i] == 0 ? zeros + 1 : 0;
        out.push_back(data[i]);
    }
    return out;
}

Bytes escapeNal(const Bytes &rbsp)
{
    Bytes out;
    out.reserve(rbsp.size() + rbsp.size() / 64 + 4);
    int zeros = 0;
    for (uint8_t b : rbsp) {
        if (zeros >= 2 && b <= 3) {
            out.push_back(3);
            zeros = 0;
        }
        zeros = b == 0 ? zeros + 1 : 0;
        out.push_back(b);
    }
    if (!out.empty() && out.back() == 0)
        out.push_back(3);
    return out;
}

namespace {

// Where the reordering limits sit in a sequence parameter set.
struct ReorderFields {
    size_t restrictionFlag = 0; // bitstream_restriction_flag
    size_t reorder = 0;         // max_num_reorder_frames (0: not present)
    size_t end = 0;             // after max_dec_frame_buffering
    long numReorder = -1;
    long maxDecFrameBuffering = -1;
};

bool skipHrd(Reader &r)
{
    const unsigned long count = r.ue() + 1;
    if (count > 32)
        return false;
    r.bits(8);
    for (unsigned long i = 0; i < count; ++i) {
        r.ue();
        r.ue();
        r.bit();
    }
    r.bits(20);
    return r.ok();
}

// Reads the set; reorder and look, when given, are filled from the VUI.
bool readSps(const Bytes &rbsp, H264Sps &s, ReorderFields *reorder, H264SpsLook *look = nullptr)
{
    Reader r(rbsp, 8);
    const unsigned long profile = r.bits(8);
    const unsigned long constraints = r.bits(8);
    const unsigned long level = r.bits(8);
    H264SpsLook unused;
    H264SpsLook &l = look ? *look : unused;
    l = H264SpsLook();
    l.profileIdc = static_cast<int>(profile);
    l.constraintFlags = static_cast<int>(constraints);
    l.levelIdc = static_cast<int>(level);
    s.id = r.ueUpTo(31);
    if (profile == 100 || profile == 110 || profile == 122 || profile == 244 || profile == 44 || profile == 83
        || profile == 86 || profile == 118 || profile == 128 || profile == 138 || profile == 139 || profile == 134
        || profile == 135) {
        const int chroma = r.ueUpTo(3);
        bool separate = false;
        if (chroma == 3)
            separate = r.bit();
        s.separateColourPlane = separate;
        s.chromaArrayType = separate ? 0 : chroma;
        l.chromaFormatIdc = chroma;
        l.bitDepthLuma = r.ueUpTo(6) + 8;
        l.bitDepthChroma = r.ueUpTo(6) + 8;
        r.bit();
        if (r.bit()) {
            for (int i = 0; i < (chroma != 3 ? 8 : 12); ++i)
                if (r.bit() && !skipScalingList(r, i < 6 ? 16 : 64))
                    return false;
        }
    }
    s.log2MaxFrameNum = r.ueUpTo(12) + 4;
    s.pocType = r.ueUpTo(2);
    if (s.pocType == 0) {
        s.log2MaxPocLsb = r.ueUpTo(12) + 4;
    } else if (s.pocType == 1) {
        s.deltaPicOrderAlwaysZero = r.bit();
        r.se();
        r.se();
        const unsigned long cycle = r.ue();
        if (cycle > 255)
            return false;
        for (unsigned long i = 0; i < cycle; ++i)
            r.se();
    }
    s.maxNumRefFrames = r.ueUpTo(16);
    r.bit(); // gaps_in_frame_num_value_allowed_flag
    r.ue();
    r.ue();
    s.frameMbsOnly = r.bit();
    l.frameMbsOnly = s.frameMbsOnly;
    if (!r.ok())
        return false;
    if (!reorder && !look)
        return true;
    if (!s.frameMbsOnly)
        r.bit();
    r.bit(); // direct_8x8_inference_flag
    if (r.bit())
        for (int i = 0; i < 4; ++i)
            r.ue();
    if (!r.bit())
        return !reorder && r.ok(); // no VUI: no reordering limits to find or extend
    l.vui = true;
    l.aspectInfo = r.bit();
    if (l.aspectInfo) {
        l.aspectIdc = static_cast<int>(r.bits(8));
        if (l.aspectIdc == 255) {
            l.sarWidth = static_cast<int>(r.bits(16));
            l.sarHeight = static_cast<int>(r.bits(16));
        }
    }
    if (r.bit())
        r.bit();
    l.videoSignalType = r.bit();
    if (l.videoSignalType) {
        r.bits(3); // video_format
        l.fullRange = r.bit();
        l.colourDescription = r.bit();
        if (l.colourDescription) {
            l.colourPrimaries = static_cast<int>(r.bits(8));
            l.transferCharacteristics = static_cast<int>(r.bits(8));
            l.matrixCoefficients = static_cast<int>(r.bits(8));
        }
    }
    l.chromaLocInfo = r.bit();
    if (l.chromaLocInfo) {
        l.chromaLocTop = static_cast<int>(r.ue());
        r.ue();
    }
    if (r.bit()) {
        r.bits(32);
        r.bits(32);
        r.bit();
    }
    const bool nalHrd = r.bit();
    if (nalHrd && !skipHrd(r))
        return false;
    const bool vclHrd = r.bit();
    if (vclHrd && !skipHrd(r))
        return false;
    if (nalHrd || vclHrd)
        r.bit();
    l.picStructPresent = r.bit();
    if (!reorder)
        return r.ok();
    reorder->restrictionFlag = r.pos();
    if (r.bit()) {
        r.bit();
        for (int i = 0; i < 4; ++i)
            r.ue();
        reorder->reorder = r.pos();
        reorder->numReorder = static_cast<long>(r.ue());
        reorder->maxDecFrameBuffering = static_cast<long>(r.ue());
    }
    reorder->end = r.pos();
    return r.ok();
}

} // namespace

bool parseH264Sps(const uint8_t *nal, size_t size, H264Sps &out)
{
    if (size < 4 || (nal[0] & 0x1f) != kH264Sps)
        return false;
    const Bytes rbsp = unescapeNal(nal, size);
    H264Sps s;
    if (!readSps(rbsp, s, nullptr))
        return false;
    out = s;
    return true;
}

bool readH264SpsLook(const uint8_t *nal, size_t size, H264SpsLook &out)
{
    if (size < 4 || (nal[0] & 0x1f) != kH264Sps)
        return false;
    const Bytes rbsp = unescapeNal(nal, size);
    H264Sps s;
    H264SpsLook look;
    if (!readSps(rbsp, s, nullptr, &look))
        return false;
    out = look;
    return true;
}

int h264ReorderDepth(const uint8_t *nal, size_t size)
{
    if (size < 4 || (nal[0] & 0x1f) != kH264Sps)
        return -1;
    const Bytes rbsp = unescapeNal(nal, size);
    H264Sps s;
    ReorderFields f;
    if (!readSps(rbsp, s, &f))
        return -1;
    return static_cast<int>(f.numReorder);
}

Bytes h264WithReorderDepth(const uint8_t *nal, size_t size, int depth)
{
    if (size < 4 || (nal[0] & 0x1f) != kH264Sps || depth < 0 || depth > 16)
        return {};
    const Bytes rbsp = unescapeNal(nal, size);
    H264Sps s;
    ReorderFields f;
    if (!readSps(rbsp, s, &f))
        return {};
    const long buffering = std::max<long>({f.maxDecFrameBuffering, static_cast<long>(depth),
                                           static_cast<long>(s.maxNumRefFrames)});
    Writer w;
    if (f.reorder) {
        w.copy(rbsp, 0, f.reorder);
    } else {
        // No limits given yet: the flag is set and the defaults written
        // out (vectors may cross the picture edge, no size limits, 16-bit
        // vector lengths), with the asked depth.
        w.copy(rbsp, 0, f.restrictionFlag);
        w.bit(1);
        w.bit(1);
        w.ue(2);
        w.ue(1);
        w.ue(16);
        w.ue(16);
    }
    w.ue(static_cast<unsigned long>(depth));
    w.ue(static_cast<unsigned long>(buffering));
    w.bit(1); // rbsp_stop_one_bit
    while (!w.aligned())
        w.bit(0);
    return escapeNal(w.out());
}

bool parseH264Pps(const uint8_t *nal, size_t size, H264Pps &out)
{
    if (size < 2 || (nal[0] & 0x1f) != kH264Pps)
        return false;
    const Bytes rbsp = unescapeNal(nal, size);
    Reader r(rbsp, 8);
    H264Pps p;
    p.id = r.ueUpTo(255);
    p.spsId = r.ueUpTo(31);
    p.cabac = r.bit();
    p.bottomFieldPicOrderPresent = r.bit();
    p.numSliceGroupsMinus1 = r.ueUpTo(7);
    if (p.numSliceGroupsMinus1 > 0)
        return false; // slice groups: headers not handled here
    p.numRefIdxL0DefaultMinus1 = r.ueUpTo(31);
    p.numRefIdxL1DefaultMinus1 = r.ueUpTo(31);
    p.weightedPred = r.bit();
    p.weightedBipredIdc = static_cast<int>(r.bits(2));
    r.se(); // pic_init_qp_minus26
    r.se();
    r.se();
    p.deblockingFilterControlPresent = r.bit();
    r.bit(); // constrained_intra_pred_flag
    p.redundantPicCntPresent = r.bit();
    if (!r.ok())
        return false;
    out = p;
    return true;
}

bool parseH264Slice(const uint8_t *nal, size_t size, const H264Sps &sps, const H264Pps &pps, H264SliceHeader &out)
{
    if (size < 2)
        return false;
    const int type = nal[0] & 0x1f;
    if (type != 1 && type != kH264Idr)
        return false;
    // The header is short: most of it lies in the first bytes.
    const size_t head = size < 96 ? size : 96;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const Bytes rbsp = unescapeNal(nal, attempt == 0 ? head : size);
        Reader r(rbsp, 8);
        H264SliceHeader h;
        h.nalType = type;
        h.refIdc = (nal[0] >> 5) & 3;
        r.ue(); // first_mb_in_slice
        h.sliceType = static_cast<int>(r.ue() % 5);
        h.ppsId = r.ueUpTo(255);
        if (sps.separateColourPlane)
            r.bits(2); // colour_plane_id
        h.frameNum = static_cast<int>(r.bits(sps.log2MaxFrameNum));
        // Frames only (adaptive frame/field frames included): field pictures
        // number their references otherwise.
        if (!sps.frameMbsOnly && r.bit())
            return false;
        if (type == kH264Idr)
            r.ue(); // idr_pic_id
        if (sps.pocType == 0) {
            r.bits(sps.log2MaxPocLsb);
            if (pps.bottomFieldPicOrderPresent)
                r.se();
        } else if (sps.pocType == 1 && !sps.deltaPicOrderAlwaysZero) {
            r.se();
            if (pps.bottomFieldPicOrderPresent)
                r.se();
        }
        if (pps.redundantPicCntPresent)
            r.ue();
        const bool b = h.sliceType == 1, p = h.sliceType == 0 || h.sliceType == 3;
        if (b)
            r.bit(); // direct_spatial_mv_pred_flag
        unsigned long l0 = pps.numRefIdxL0DefaultMinus1, l1 = pps.numRefIdxL1DefaultMinus1;
        if (p || b) {
            if (r.bit()) {
                l0 = r.ue();
                if (b)
                    l1 = r.ue();
            }
        }
        if (l0 > 31 || l1 > 31)
            return false;
        if (h.sliceType != 2 && h.sliceType != 4) {
            if (!skipListModification(r))
                return false;
            if (b && !skipListModification(r))
                return false;
        }
        if ((pps.weightedPred && p) || (pps.weightedBipredIdc == 1 && b)) {
            r.ue();
            if (sps.chromaArrayType != 0)
                r.ue();
            skipWeights(r, static_cast<int>(l0) + 1, sps.chromaArrayType != 0);
            if (b)
                skipWeights(r, static_cast<int>(l1) + 1, sps.chromaArrayType != 0);
        }
        h.markingStart = r.pos();
        if (h.refIdc != 0) {
            if (type == kH264Idr) {
                r.bit();
                r.bit();
            } else {
                h.adaptive = r.bit();
                if (h.adaptive) {
                    // The list ends with a 0; a longer one than any picture
                    // buffer could use is not a header read right.
                    bool closed = false;
                    for (int i = 0; i < 66; ++i) {
                        // Judged before it is narrowed: a code of 2^31 or
                        // more would turn negative and pass as a command.
                        const unsigned long code = r.ue();
                        if (!r.ok())
                            break;
                        if (code == 0) {
                            closed = true;
                            break;
                        }
                        if (code > 6)
                            return false;
                        MarkingOp op;
                        op.op = static_cast<int>(code);
                        if (op.op == 1 || op.op == 3 || op.op == 2 || op.op == 6 || op.op == 4)
                            op.a = static_cast<long>(r.ue());
                        if (op.op == 3)
                            op.b = static_cast<long>(r.ue());
                        h.ops.push_back(op);
                    }
                    if (r.ok() && !closed)
                        return false;
                }
            }
        }
        h.markingEnd = r.pos();
        if (pps.cabac && h.sliceType != 2 && h.sliceType != 4)
            r.ue(); // cabac_init_idc
        r.se();     // slice_qp_delta
        if (h.sliceType == 3 || h.sliceType == 4) {
            if (h.sliceType == 3)
                r.bit();
            r.se();
        }
        if (pps.deblockingFilterControlPresent) {
            if (r.ue() != 1) {
                r.se();
                r.se();
            }
        }
        h.headerEnd = r.pos();
        if (r.ok()) {
            out = std::move(h);
            return true;
        }
        if (head == size)
            break;
    }
    return false;
}

Bytes rewriteH264Marking(const uint8_t *nal, size_t size, const H264SliceHeader &header, const H264Pps &pps,
                         bool adaptive, const std::vector<MarkingOp> &ops)
{
    if (header.refIdc == 0 || header.nalType == kH264Idr)
        return {};
    // Only commands the reader takes back as written: a code of 1 to 6
    // and values a 32-bit Exp-Golomb code holds (0 to 2^32 - 2). Anything
    // else would be written as bits no decoder reads as the command meant.
    auto fits = [](long v) { return v >= 0 && v <= kMaxUe; };
    if (adaptive)
        for (const MarkingOp &op : ops)
            if (op.op < 1 || op.op > 6 || (op.op != 5 && !fits(op.a)) || (op.op == 3 && !fits(op.b)))
                return {};
    const Bytes rbsp = unescapeNal(nal, size);
    const size_t total = rbsp.size() * 8;
    if (header.headerEnd > total)
        return {};
    Writer w;
    w.copy(rbsp, 0, header.markingStart);
    w.bit(adaptive ? 1 : 0);
    if (adaptive) {
        for (const MarkingOp &op : ops) {
            w.ue(static_cast<unsigned long>(op.op));
            if (op.op >= 1 && op.op <= 4)
                w.ue(static_cast<unsigned long>(op.a));
            if (op.op == 6)
                w.ue(static_cast<unsigned long>(op.a));
            if (op.op == 3)
                w.ue(static_cast<unsigned long>(op.b));
        }
        w.ue(0);
    }
    w.copy(rbsp, header.markingEnd, header.headerEnd);
    if (pps.cabac) {
        // The arithmetic-coded data begins on a byte boundary after
        // alignment bits of one: it moves by whole bytes, untouched.
        while (!w.aligned())
            w.bit(1);
        const size_t dataStart = (header.headerEnd + 7) / 8;
        w.out().insert(w.out().end(), rbsp.begin() + static_cast<std::ptrdiff_t>(dataStart), rbsp.end());
    } else {
        // Variable-length coded data follows the header bit for bit, up to
        // the stop bit; it is shifted along, then aligned with zeros.
        size_t end = rbsp.size();
        while (end > 0 && rbsp[end - 1] == 0)
            --end;
        if (end == 0)
            return {};
        int trailing = 0;
        while (!((rbsp[end - 1] >> trailing) & 1))
            ++trailing;
        const size_t stopBit = end * 8 - 1 - trailing;
        if (stopBit < header.headerEnd)
            return {};
        w.copy(rbsp, header.headerEnd, stopBit + 1);
        while (!w.aligned())
            w.bit(0);
    }
    return escapeNal(w.out());
}

} // namespace orl
