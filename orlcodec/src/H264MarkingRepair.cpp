#include "H264MarkingRepair.h"

#include <algorithm>
#include <cstring>

namespace orl {

namespace {

// Past this many pictures nothing from before the cut is still referred to
// in any stream seen so far; following further would only cost time.
constexpr int kMaxPictures = 600;

// difference_of_pic_nums_minus1 that names frame number target from the
// picture numbered current.
long picNumDistance(int current, int target, int maxFrameNum)
{
    const int wrapped = target > current ? target - maxFrameNum : target;
    return current - wrapped - 1;
}

struct Span {
    const uint8_t *data;
    size_t size;
};

std::vector<Span> annexBSpans(const uint8_t *data, size_t size)
{
    std::vector<Span> out;
    size_t i = 0;
    auto startCodeAt = [&](size_t p) { return p + 2 < size && data[p] == 0 && data[p + 1] == 0 && data[p + 2] == 1; };
    while (i < size && !startCodeAt(i))
        ++i;
    while (i < size) {
        i += 3;
        size_t end = i;
        while (end < size) {
            const void *hit = std::memchr(data + end, 0, size - end);
            if (!hit) {
                end = size;
                break;
            }
            end = static_cast<const uint8_t *>(hit) - data;
            if (startCodeAt(end))
                break;
            ++end;
        }
        size_t last = end;
        while (last > i && data[last - 1] == 0)
            --last;
        if (last > i)
            out.push_back({data + i, last - i});
        i = end;
    }
    return out;
}

bool prefixedSpans(const uint8_t *data, size_t size, int lengthSize, std::vector<Span> &out)
{
    out.clear();
    size_t i = 0;
    while (i + lengthSize <= size) {
        size_t n = 0;
        for (int b = 0; b < lengthSize; ++b)
            n = (n << 8) | data[i + b];
        i += lengthSize;
        if (n > size - i)
            return false;
        out.push_back({data + i, n});
        i += n;
    }
    return i == size;
}

} // namespace

H264MarkingRepair::H264MarkingRepair(const uint8_t *extradata, int size, bool afterSplice)
    : m_afterSplice(afterSplice)
{
    ParameterSets sets;
    if (size > 0 && readParameterSets(extradata, static_cast<size_t>(size), false, sets)) {
        m_lengthPrefixed = sets.lengthPrefixed;
        m_lengthSize = sets.lengthSize;
        for (const Bytes &n : sets.nals) {
            H264Sps sps;
            H264Pps pps;
            if (parseH264Sps(n.data(), n.size(), sps))
                m_sps[sps.id] = sps;
            else if (parseH264Pps(n.data(), n.size(), pps))
                m_pps[pps.id] = pps;
        }
    }
}

int H264MarkingRepair::findShort(int frameNum) const
{
    for (size_t i = 0; i < m_short.size(); ++i)
        if (m_short[i].frameNum == frameNum)
            return static_cast<int>(i);
    return -1;
}

int H264MarkingRepair::oldestStandIn(int maxFrameNum) const
{
    // A command names a picture by its distance in the current sequence's
    // frame numbers: a stand-in made under a sequence that counted further
    // (its parameter set changed without an IDR picture) cannot be named,
    // and is left for the sliding window to drop.
    for (size_t i = m_short.size(); i-- > 0;)
        if (m_short[i].standIn && m_short[i].frameNum < maxFrameNum)
            return static_cast<int>(i);
    return -1;
}

bool H264MarkingRepair::hasStandIns() const
{
    for (const Ref &r : m_short)
        if (r.standIn)
            return true;
    return false;
}

void H264MarkingRepair::slidingWindow(const H264Sps &sps)
{
    if (!m_short.empty() && m_short.size() + m_long.size() >= static_cast<size_t>(sps.maxNumRefFrames))
        m_short.pop_back();
}

void H264MarkingRepair::picture(const H264SliceHeader &h, const H264Sps &sps, bool key, std::vector<MarkingOp> &ops,
                                bool &changed)
{
    const int maxFrameNum = 1 << sps.log2MaxFrameNum;
    const size_t maxRefs = static_cast<size_t>(std::max(sps.maxNumRefFrames, 1));
    const bool idr = h.nalType == kH264Idr;
    changed = false;
    ops = h.ops;
    if (m_pictures++ == 0) {
        m_midSequence = !idr;
        if (idr && !m_afterSplice)
            m_done = true; // a clean start: the copy needs nothing
    }
    if (idr) {
        m_short.clear();
        m_long.clear();
        if (h.refIdc)
            m_short.push_back({h.frameNum, false, -1});
        m_prevFrameNum = h.frameNum;
        if (key && m_pictures > 1)
            m_done = true; // a new coded sequence: nothing before it counts
        return;
    }
    if (key) {
        if (m_recoverySeen)
            ++m_keysAfterRecovery;
        m_recoverySeen = true;
    }
    // Missing frame numbers: the decoder makes up a picture for each, at
    // most as many as references are allowed.
    if (h.frameNum != m_prevFrameNum) {
        int prev = m_prevFrameNum;
        if (prev > h.frameNum)
            prev -= maxFrameNum;
        if (h.frameNum - prev > sps.maxNumRefFrames) {
            prev = h.frameNum - sps.maxNumRefFrames - 1;
            if (prev < 0)
                prev += maxFrameNum;
            m_prevFrameNum = prev;
        }
    }
    while (h.frameNum != m_prevFrameNum && h.frameNum != (m_prevFrameNum + 1) % maxFrameNum) {
        m_prevFrameNum = (m_prevFrameNum + 1) % maxFrameNum;
        slidingWindow(sps);
        m_short.insert(m_short.begin(), Ref{m_prevFrameNum, true, -1});
        // Long-term pictures alone may fill the buffer (commands of a
        // damaged stream): the made-up picture is then all that goes.
        while (!m_short.empty() && m_short.size() + m_long.size() > maxRefs)
            m_short.pop_back();
    }
    int frameNum = h.frameNum;
    if (h.refIdc) {
        bool current = true; // the picture goes on the short-term list
        if (h.adaptive) {
            std::vector<MarkingOp> kept;
            for (MarkingOp op : ops) {
                if (op.op == 1 || op.op == 3) {
                    const long named = ((frameNum - op.a - 1) % maxFrameNum + maxFrameNum) % maxFrameNum;
                    int i = findShort(static_cast<int>(named));
                    if (i < 0) {
                        changed = true;
                        const int standIn = op.op == 1 ? oldestStandIn(maxFrameNum) : -1;
                        if (standIn < 0 || m_short[standIn].frameNum == frameNum)
                            continue;
                        // Pointed at a made-up picture instead: the number of
                        // references comes out as the encoder counted it.
                        op.a = picNumDistance(frameNum, m_short[standIn].frameNum, maxFrameNum);
                        i = standIn;
                    }
                    if (op.op == 3) {
                        m_long.erase(std::remove_if(m_long.begin(), m_long.end(),
                                                    [&](const Ref &r) { return r.longIndex == op.b; }),
                                     m_long.end());
                        Ref moved = m_short[i];
                        moved.longIndex = op.b;
                        m_long.push_back(moved);
                    }
                    m_short.erase(m_short.begin() + i);
                } else if (op.op == 2) {
                    const auto before = m_long.size();
                    m_long.erase(std::remove_if(m_long.begin(), m_long.end(),
                                                [&](const Ref &r) { return r.longIndex == op.a; }),
                                 m_long.end());
                    if (m_long.size() == before) {
                        changed = true;
                        continue;
                    }
                } else if (op.op == 4) {
                    m_long.erase(std::remove_if(m_long.begin(), m_long.end(),
                                                [&](const Ref &r) { return r.longIndex >= op.a; }),
                                 m_long.end());
                } else if (op.op == 5) {
                    m_short.clear();
                    m_long.clear();
                    frameNum = 0;
                } else if (op.op == 6) {
                    m_long.erase(std::remove_if(m_long.begin(), m_long.end(),
                                                [&](const Ref &r) { return r.longIndex == op.a; }),
                                 m_long.end());
                    m_long.push_back({frameNum, false, op.a});
                    current = false;
                }
                kept.push_back(op);
            }
            ops.swap(kept);
        } else {
            slidingWindow(sps);
        }
        if (current) {
            // A reference with the picture's own frame number cannot be
            // named by a command (its number is the picture's): the
            // decoder reports the buffer state and goes on.
            const int stale = findShort(frameNum);
            if (stale >= 0) {
                ++m_unrepaired;
                m_short.erase(m_short.begin() + stale);
            }
            if (h.adaptive && m_short.size() + m_long.size() + 1 > maxRefs) {
                // More references than allowed, because made-up pictures
                // linger where the encoder's were already gone: one goes.
                const int standIn = oldestStandIn(maxFrameNum);
                if (standIn >= 0 && m_short[standIn].frameNum != frameNum) {
                    ops.push_back({1, picNumDistance(frameNum, m_short[standIn].frameNum, maxFrameNum), 0});
                    m_short.erase(m_short.begin() + standIn);
                    changed = true;
                }
            }
            m_short.insert(m_short.begin(), Ref{frameNum, false, -1});
            if (m_short.size() + m_long.size() > maxRefs) {
                ++m_unrepaired;
                m_short.pop_back();
            }
        }
    }
    m_prevFrameNum = frameNum;
    if (m_pictures >= kMaxPictures || (m_keysAfterRecovery > 0 && !hasStandIns()))
        m_done = true;
}

void H264MarkingRepair::process(PacketPtr &pkt)
{
    if (m_done || !pkt || pkt->size <= 0)
        return;
    std::vector<Span> nals;
    if (m_lengthPrefixed) {
        if (!prefixedSpans(pkt->data, static_cast<size_t>(pkt->size), m_lengthSize, nals))
            return;
    } else {
        nals = annexBSpans(pkt->data, static_cast<size_t>(pkt->size));
    }
    bool first = true;
    bool changed = false;
    bool adaptive = false;
    std::vector<MarkingOp> ops;
    std::vector<Bytes> replaced(nals.size());
    for (size_t i = 0; i < nals.size(); ++i) {
        const Span &n = nals[i];
        if (n.size == 0)
            continue;
        const int type = n.data[0] & 0x1f;
        if (type == kH264Sps) {
            H264Sps sps;
            if (parseH264Sps(n.data, n.size, sps))
                m_sps[sps.id] = sps;
            continue;
        }
        if (type == kH264Pps) {
            H264Pps pps;
            if (parseH264Pps(n.data, n.size, pps))
                m_pps[pps.id] = pps;
            continue;
        }
        if (type != 1 && type != kH264Idr)
            continue;
        // The slice's parameter sets: read the pps id first.
        H264SliceHeader h;
        bool parsed = false;
        const H264Pps *pps = nullptr;
        const H264Sps *sps = nullptr;
        {
            const Bytes rbsp = unescapeNal(n.data, std::min<size_t>(n.size, 16));
            // first_mb_in_slice, slice_type, pic_parameter_set_id
            size_t bit = 8;
            auto ue = [&]() -> long {
                int zeros = 0;
                while (bit < rbsp.size() * 8 && !((rbsp[bit >> 3] >> (7 - (bit & 7))) & 1)) {
                    ++zeros;
                    ++bit;
                }
                ++bit;
                long v = 0;
                for (int k = 0; k < zeros && bit < rbsp.size() * 8; ++k, ++bit)
                    v = (v << 1) | ((rbsp[bit >> 3] >> (7 - (bit & 7))) & 1);
                return zeros > 31 ? -1 : (1L << zeros) - 1 + v;
            };
            ue();
            ue();
            const long ppsId = ue();
            auto p = m_pps.find(static_cast<int>(ppsId));
            if (p != m_pps.end()) {
                auto s = m_sps.find(p->second.spsId);
                if (s != m_sps.end()) {
                    pps = &p->second;
                    sps = &s->second;
                    parsed = parseH264Slice(n.data, n.size, *sps, *pps, h);
                }
            }
        }
        if (!parsed) {
            // Parameter sets or syntax this cannot follow: stop following,
            // and own up if the start was not a clean one.
            if (m_midSequence || (m_pictures == 0 && type != kH264Idr))
                ++m_unrepaired;
            m_done = true;
            return;
        }
        if (first) {
            first = false;
            picture(h, *sps, (pkt->flags & AV_PKT_FLAG_KEY) != 0, ops, changed);
            adaptive = h.adaptive;
            if (!changed)
                return; // every slice of a picture carries the same marking
        }
        Bytes rewritten = rewriteH264Marking(n.data, n.size, h, *pps, adaptive, ops);
        if (rewritten.empty()) {
            ++m_unrepaired;
            return;
        }
        replaced[i] = std::move(rewritten);
    }
    if (!changed)
        return;
    const size_t prefix = m_lengthPrefixed ? static_cast<size_t>(m_lengthSize) : 4;
    size_t total = 0;
    for (size_t i = 0; i < nals.size(); ++i)
        total += (replaced[i].empty() ? nals[i].size : replaced[i].size()) + prefix;
    PacketPtr out = makePacket();
    if (!out || av_new_packet(out.get(), static_cast<int>(total)) < 0)
        return;
    uint8_t *p = out->data;
    for (size_t i = 0; i < nals.size(); ++i) {
        const uint8_t *data = replaced[i].empty() ? nals[i].data : replaced[i].data();
        const size_t size = replaced[i].empty() ? nals[i].size : replaced[i].size();
        if (m_lengthPrefixed) {
            for (int b = m_lengthSize - 1; b >= 0; --b)
                *p++ = static_cast<uint8_t>(size >> (8 * b));
        } else {
            *p++ = 0;
            *p++ = 0;
            *p++ = 0;
            *p++ = 1;
        }
        std::memcpy(p, data, size);
        p += size;
    }
    av_packet_copy_props(out.get(), pkt.get());
    out->stream_index = pkt->stream_index;
    pkt = std::move(out);
    ++m_rewritten;
}

} // namespace orl
