// An Annex B H.264 stream through the slice-header reader, the marking
// rewriter and the reference-marking repair. Whatever the input, nothing
// crashes; and wherever a slice is rewritten, the result reads back with
// the same header fields and the marking asked for, and its slice data is
// the original's bit for bit: a repair that shifted or lost one bit would
// write a file that decodes to garbage and still passes every check that
// only looks at headers. Parameter sets rewritten with another reordering
// depth read back the same, with that depth.
#include "H264MarkingRepair.h"
#include "H264Syntax.h"
#include "NalUnits.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

using namespace orl;

struct Sets {
    std::map<int, H264Sps> sps;
    std::map<int, H264Pps> pps;
};

// A broken promise names itself before the abort that ends the run.
#define require(condition) \
    do { \
        if (!(condition)) { \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition); \
            std::abort(); \
        } \
    } while (0)

bool bitAt(const Bytes &b, size_t pos)
{
    return (b[pos >> 3] >> (7 - (pos & 7))) & 1;
}

// A NAL unit as encoders write it: escaping its payload again gives the
// same bytes. Only for those is the slice data a decoder reads defined.
bool wellFormed(const Bytes &nal)
{
    return escapeNal(unescapeNal(nal.data(), nal.size())) == nal;
}

// What follows the header: for CABAC the bytes after the alignment bits
// (cabac_zero_words left off), for CAVLC the bits up to and with the
// stop bit. Empty with ok false when there is no stop bit.
std::vector<uint8_t> sliceData(const Bytes &nal, const H264SliceHeader &h, const H264Pps &pps, bool &ok)
{
    const Bytes rbsp = unescapeNal(nal.data(), nal.size());
    std::vector<uint8_t> out;
    ok = true;
    size_t end = rbsp.size();
    while (end > 0 && rbsp[end - 1] == 0)
        --end;
    if (pps.cabac) {
        const size_t start = (h.headerEnd + 7) / 8;
        if (start < end)
            out.assign(rbsp.begin() + static_cast<std::ptrdiff_t>(start), rbsp.begin() + static_cast<std::ptrdiff_t>(end));
        return out;
    }
    if (end == 0) {
        ok = false;
        return out;
    }
    size_t stop = end * 8 - 1;
    while (!bitAt(rbsp, stop))
        --stop;
    if (stop < h.headerEnd) {
        ok = false;
        return out;
    }
    for (size_t p = h.headerEnd; p <= stop; ++p)
        out.push_back(bitAt(rbsp, p) ? 1 : 0);
    return out;
}

bool sameOps(const std::vector<MarkingOp> &a, const std::vector<MarkingOp> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].op != b[i].op)
            return false;
        const bool hasA = a[i].op >= 1 && a[i].op != 5;
        if (hasA && a[i].a != b[i].a)
            return false;
        if (a[i].op == 3 && a[i].b != b[i].b)
            return false;
    }
    return true;
}

// The original slice against its rewritten form: same fields, same data,
// and (when known) the marking that was asked for.
void compareSlices(const Bytes &original, const Bytes &rewritten, const H264Sps &sps, const H264Pps &pps,
                   const std::vector<MarkingOp> *askedOps, const bool *askedAdaptive)
{
    H264SliceHeader before, after;
    require(parseH264Slice(original.data(), original.size(), sps, pps, before));
    require(parseH264Slice(rewritten.data(), rewritten.size(), sps, pps, after));
    require(after.nalType == before.nalType && after.refIdc == before.refIdc);
    require(after.sliceType == before.sliceType && after.ppsId == before.ppsId && after.frameNum == before.frameNum);
    if (askedAdaptive) {
        require(after.adaptive == *askedAdaptive);
        if (*askedAdaptive)
            require(sameOps(after.ops, *askedOps));
    }
    require(after.markingStart == before.markingStart);
    require(after.headerEnd - after.markingEnd == before.headerEnd - before.markingEnd);
    if (!wellFormed(original))
        return;
    bool okBefore = false, okAfter = false;
    const std::vector<uint8_t> dataBefore = sliceData(original, before, pps, okBefore);
    const std::vector<uint8_t> dataAfter = sliceData(rewritten, after, pps, okAfter);
    if (!okBefore)
        return;
    require(okAfter && dataAfter == dataBefore);
}

// Marking commands made of the slice's own bytes, each with values a
// decoder would accept.
std::vector<MarkingOp> opsFrom(const Bytes &nal)
{
    std::vector<MarkingOp> ops;
    for (size_t i = 1; i + 2 < nal.size() && ops.size() < 8; i += 3) {
        MarkingOp op;
        op.op = 1 + nal[i] % 6;
        op.a = nal[i + 1] | (nal[i + 2] << 8);
        op.b = nal[i + 2] & 15;
        ops.push_back(op);
    }
    return ops;
}

void updateSets(const Bytes &nal, Sets &sets)
{
    const int type = h264NalType(nal);
    H264Sps sps;
    H264Pps pps;
    if (type == kH264Sps && parseH264Sps(nal.data(), nal.size(), sps))
        sets.sps[sps.id] = sps;
    else if (type == kH264Pps && parseH264Pps(nal.data(), nal.size(), pps))
        sets.pps[pps.id] = pps;
}

// The parameter set with another reordering depth reads back as the same
// set, with that depth, and looks the same.
void checkReorder(const Bytes &nal)
{
    H264Sps sps;
    if (!parseH264Sps(nal.data(), nal.size(), sps))
        return;
    H264SpsLook look;
    const bool looked = readH264SpsLook(nal.data(), nal.size(), look);
    h264ReorderDepth(nal.data(), nal.size());
    for (int depth : {0, 2, 16}) {
        const Bytes changed = h264WithReorderDepth(nal.data(), nal.size(), depth);
        if (changed.empty())
            continue;
        H264Sps again;
        require(parseH264Sps(changed.data(), changed.size(), again));
        require(again.id == sps.id && again.log2MaxFrameNum == sps.log2MaxFrameNum && again.pocType == sps.pocType
                && again.log2MaxPocLsb == sps.log2MaxPocLsb && again.maxNumRefFrames == sps.maxNumRefFrames
                && again.frameMbsOnly == sps.frameMbsOnly && again.chromaArrayType == sps.chromaArrayType);
        require(h264ReorderDepth(changed.data(), changed.size()) == depth);
        H264SpsLook lookAgain;
        if (looked) {
            require(readH264SpsLook(changed.data(), changed.size(), lookAgain));
            require(lookAgain.profileIdc == look.profileIdc && lookAgain.vui && lookAgain.sarWidth == look.sarWidth
                    && lookAgain.sarHeight == look.sarHeight && lookAgain.aspectIdc == look.aspectIdc
                    && lookAgain.matrixCoefficients == look.matrixCoefficients
                    && lookAgain.fullRange == look.fullRange && lookAgain.chromaLocTop == look.chromaLocTop
                    && lookAgain.picStructPresent == look.picStructPresent);
        }
    }
}

// Every rewritable slice, rewritten three ways: to the sliding window, to
// its own commands, and to commands of our choosing.
void rewriteEach(const std::vector<Bytes> &nals)
{
    Sets sets;
    for (const Bytes &nal : nals) {
        const int type = h264NalType(nal);
        if (type == kH264Sps)
            checkReorder(nal);
        updateSets(nal, sets);
        if (type != 1 && type != kH264Idr)
            continue;
        for (const auto &p : sets.pps) {
            const auto s = sets.sps.find(p.second.spsId);
            if (s == sets.sps.end())
                continue;
            H264SliceHeader h;
            if (!parseH264Slice(nal.data(), nal.size(), s->second, p.second, h))
                continue;
            const std::vector<MarkingOp> none;
            const std::vector<MarkingOp> chosen = opsFrom(nal);
            const struct {
                bool adaptive;
                const std::vector<MarkingOp> &ops;
            } ways[] = {{false, none}, {h.adaptive, h.ops}, {true, chosen}};
            for (const auto &way : ways) {
                const Bytes out = rewriteH264Marking(nal.data(), nal.size(), h, p.second, way.adaptive, way.ops);
                if (out.empty())
                    continue;
                require(!out.empty() && out.back() != 0);
                compareSlices(nal, out, s->second, p.second, &way.ops, &way.adaptive);
            }
        }
    }
}

// Access units: a new one begins at an access unit delimiter, at a
// parameter set or SEI after a slice, or at a slice that starts a picture.
std::vector<std::vector<Bytes>> accessUnits(const std::vector<Bytes> &nals)
{
    std::vector<std::vector<Bytes>> units(1);
    bool sliceSeen = false;
    for (const Bytes &nal : nals) {
        const int type = h264NalType(nal);
        const bool slice = type == 1 || type == kH264Idr;
        const bool startsPicture = slice && nal.size() > 1 && (nal[1] & 0x80);
        if (!units.back().empty() && (type == 9 || (sliceSeen && (!slice || startsPicture)))) {
            units.emplace_back();
            sliceSeen = false;
        }
        units.back().push_back(nal);
        sliceSeen = sliceSeen || slice;
    }
    return units;
}

bool keyUnit(const std::vector<Bytes> &unit)
{
    for (const Bytes &nal : unit)
        if (h264NalType(nal) == kH264Idr || (h264NalType(nal) == 6 && nal.size() > 1 && nal[1] == 6))
            return true;
    return false;
}

// The repair over the stream as packets, Annex B or length-prefixed; every
// packet it replaced holds the same units with only the marking changed.
void repairStream(const std::vector<std::vector<Bytes>> &units, const Bytes &extradata, bool prefixed,
                  bool afterSplice)
{
    H264MarkingRepair repair(extradata.data(), static_cast<int>(extradata.size()), afterSplice);
    Sets sets;
    ParameterSets known;
    if (readParameterSets(extradata.data(), extradata.size(), false, known))
        for (const Bytes &nal : known.nals)
            updateSets(nal, sets);
    for (const std::vector<Bytes> &unit : units) {
        const Bytes payload = prefixed ? joinLengthPrefixed(unit, 4) : joinAnnexB(unit);
        PacketPtr pkt = makePacket();
        require(pkt && av_new_packet(pkt.get(), static_cast<int>(payload.size())) == 0);
        std::copy(payload.begin(), payload.end(), pkt->data);
        if (keyUnit(unit))
            pkt->flags |= AV_PKT_FLAG_KEY;
        const AVPacket *before = pkt.get();
        repair.process(pkt);
        require(pkt != nullptr);
        std::vector<Bytes> out;
        if (pkt.get() == before) {
            require(std::equal(payload.begin(), payload.end(), pkt->data) && pkt->size == int(payload.size()));
        } else {
            if (prefixed)
                require(splitLengthPrefixed(pkt->data, static_cast<size_t>(pkt->size), 4, out));
            else
                out = splitAnnexB(pkt->data, static_cast<size_t>(pkt->size));
            std::vector<Bytes> in = unit;
            if (!prefixed)
                in = splitAnnexB(payload.data(), payload.size());
            require(out.size() == in.size());
            Sets at = sets;
            for (size_t i = 0; i < in.size(); ++i) {
                const int type = h264NalType(in[i]);
                updateSets(in[i], at);
                if (out[i] == in[i])
                    continue;
                require(type == 1);
                H264SliceHeader h;
                // The repair found the slice's sets by its pps id.
                bool compared = false;
                for (const auto &p : at.pps) {
                    const auto s = at.sps.find(p.second.spsId);
                    if (s == at.sps.end())
                        continue;
                    if (parseH264Slice(in[i].data(), in[i].size(), s->second, p.second, h) && h.ppsId == p.first) {
                        compareSlices(in[i], out[i], s->second, p.second, nullptr, nullptr);
                        compared = true;
                        break;
                    }
                }
                require(compared);
            }
        }
        for (const Bytes &nal : unit)
            updateSets(nal, sets);
        if (repair.done())
            break;
    }
}

// A decoder configuration record holding the stream's first parameter
// sets, for the length-prefixed run.
Bytes avcRecord(const std::vector<Bytes> &nals)
{
    const Bytes *sps = nullptr;
    const Bytes *pps = nullptr;
    for (const Bytes &nal : nals) {
        if (!sps && h264NalType(nal) == kH264Sps && nal.size() >= 4 && nal.size() < 65536)
            sps = &nal;
        if (!pps && h264NalType(nal) == kH264Pps && nal.size() < 65536)
            pps = &nal;
    }
    if (!sps || !pps)
        return {};
    Bytes out = {1, (*sps)[1], (*sps)[2], (*sps)[3], 0xff, 0xe1};
    out.push_back(static_cast<uint8_t>(sps->size() >> 8));
    out.push_back(static_cast<uint8_t>(sps->size()));
    out.insert(out.end(), sps->begin(), sps->end());
    out.push_back(1);
    out.push_back(static_cast<uint8_t>(pps->size() >> 8));
    out.push_back(static_cast<uint8_t>(pps->size()));
    out.insert(out.end(), pps->begin(), pps->end());
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::vector<Bytes> nals = splitAnnexB(data, size);
    if (nals.size() > 2000)
        return 0;
    rewriteEach(nals);
    const std::vector<std::vector<Bytes>> units = accessUnits(nals);
    repairStream(units, {}, false, false);
    repairStream(units, {}, false, true);
    const Bytes record = avcRecord(nals);
    if (!record.empty())
        repairStream(units, record, true, false);
    return 0;
}
