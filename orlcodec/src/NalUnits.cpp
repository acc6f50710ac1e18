#include "NalUnits.h"

namespace orl {

namespace {

// Exp-Golomb reader over an escaped NAL payload (emulation prevention bytes
// are skipped as they are met).
class BitReader {
public:
    BitReader(const Bytes &nal, size_t from)
        : m_nal(nal)
        , m_pos(from)
    {
    }

    int bit()
    {
        if (m_bit == 0) {
            if (m_pos >= m_nal.size())
                return -1;
            if (m_pos >= 2 && m_nal[m_pos] == 3 && m_nal[m_pos - 1] == 0 && m_nal[m_pos - 2] == 0)
                ++m_pos;
            if (m_pos >= m_nal.size())
                return -1;
            m_byte = m_nal[m_pos++];
            m_bit = 8;
        }
        --m_bit;
        return (m_byte >> m_bit) & 1;
    }

    long ue()
    {
        int zeros = 0;
        for (;;) {
            const int b = bit();
            if (b < 0 || zeros > 31)
                return -1;
            if (b == 1)
                break;
            ++zeros;
        }
        long value = 0;
        for (int i = 0; i < zeros; ++i) {
            const int b = bit();
            if (b < 0)
                return -1;
            value = (value << 1) | b;
        }
        return (1L << zeros) - 1 + value;
    }

private:
    const Bytes &m_nal;
    size_t m_pos;
    uint8_t m_byte = 0;
    int m_bit = 0;
};

uint32_t readBig(const uint8_t *p, int n)
{
    uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | p[i];
    return v;
}

} // namespace

std::vector<Bytes> splitAnnexB(const uint8_t *data, size_t size)
{
    std::vector<Bytes> out;
    size_t i = 0;
    auto startCodeAt = [&](size_t p) { return p + 2 < size && data[p] == 0 && data[p + 1] == 0 && data[p + 2] == 1; };
    while (i < size && !startCodeAt(i))
        ++i;
    while (i < size) {
        i += 3;
        size_t end = i;
        while (end < size && !startCodeAt(end))
            ++end;
        size_t last = end;
        while (last > i && data[last - 1] == 0) // trailing zeros belong to the next start code
            --last;
        if (last > i)
            out.emplace_back(data + i, data + last);
        i = end;
    }
    return out;
}

bool splitLengthPrefixed(const uint8_t *data, size_t size, int lengthSize, std::vector<Bytes> &out)
{
    out.clear();
    size_t i = 0;
    while (i + lengthSize <= size) {
        const size_t n = readBig(data + i, lengthSize);
        i += lengthSize;
        if (n > size - i)
            return false;
        out.emplace_back(data + i, data + i + n);
        i += n;
    }
    return i == size;
}

Bytes joinAnnexB(const std::vector<Bytes> &nals)
{
    Bytes out;
    for (const Bytes &n : nals) {
        out.insert(out.end(), {0, 0, 0, 1});
        out.insert(out.end(), n.begin(), n.end());
    }
    return out;
}

Bytes joinLengthPrefixed(const std::vector<Bytes> &nals, int lengthSize)
{
    Bytes out;
    for (const Bytes &n : nals) {
        for (int b = lengthSize - 1; b >= 0; --b)
            out.push_back(static_cast<uint8_t>(n.size() >> (8 * b)));
        out.insert(out.end(), n.begin(), n.end());
    }
    return out;
}

int h264NalType(const Bytes &nal)
{
    return nal.empty() ? -1 : nal[0] & 0x1f;
}

int hevcNalType(const Bytes &nal)
{
    return nal.empty() ? -1 : (nal[0] >> 1) & 0x3f;
}

int h264SpsId(const Bytes &nal)
{
    if (h264NalType(nal) != kH264Sps || nal.size() < 5)
        return -1;
    BitReader r(nal, 4); // header, profile, constraint flags, level
    return static_cast<int>(r.ue());
}

int h264PpsId(const Bytes &nal)
{
    if (h264NalType(nal) != kH264Pps || nal.size() < 2)
        return -1;
    BitReader r(nal, 1);
    return static_cast<int>(r.ue());
}

bool readParameterSets(const uint8_t *extradata, size_t size, bool hevc, ParameterSets &out)
{
    out = ParameterSets();
    if (!extradata || size == 0)
        return true; // nothing out of band: the sets travel in the packets
    if (extradata[0] != 1) {
        out.nals = splitAnnexB(extradata, size);
        return true;
    }
    out.lengthPrefixed = true;
    out.record.assign(extradata, extradata + size);
    if (!hevc) {
        if (size < 7)
            return false;
        out.lengthSize = (extradata[4] & 3) + 1;
        size_t p = 5;
        for (int list = 0; list < 2; ++list) {
            if (p >= size)
                return false;
            const int count = list == 0 ? extradata[p] & 0x1f : extradata[p];
            ++p;
            for (int i = 0; i < count; ++i) {
                if (p + 2 > size)
                    return false;
                const size_t n = readBig(extradata + p, 2);
                p += 2;
                if (p + n > size)
                    return false;
                out.nals.emplace_back(extradata + p, extradata + p + n);
                p += n;
            }
        }
        return true;
    }
    if (size < 23)
        return false;
    out.lengthSize = (extradata[21] & 3) + 1;
    const int arrays = extradata[22];
    size_t p = 23;
    for (int a = 0; a < arrays; ++a) {
        if (p + 3 > size)
            return false;
        const int count = static_cast<int>(readBig(extradata + p + 1, 2));
        p += 3;
        for (int i = 0; i < count; ++i) {
            if (p + 2 > size)
                return false;
            const size_t n = readBig(extradata + p, 2);
            p += 2;
            if (p + n > size)
                return false;
            out.nals.emplace_back(extradata + p, extradata + p + n);
            p += n;
        }
    }
    return true;
}

Bytes avcRecordWith(const ParameterSets &base, const std::vector<Bytes> &extra)
{
    std::vector<Bytes> sps, pps;
    for (const Bytes &n : base.nals)
        (h264NalType(n) == kH264Sps ? sps : pps).push_back(n);
    for (const Bytes &n : extra) {
        if (h264NalType(n) == kH264Sps)
            sps.push_back(n);
        else if (h264NalType(n) == kH264Pps)
            pps.push_back(n);
    }
    // The part after the two lists (chroma format and bit depths of the
    // high profiles) stays as the source wrote it.
    const Bytes &rec = base.record;
    size_t p = 5;
    for (int list = 0; list < 2 && p < rec.size(); ++list) {
        const int count = list == 0 ? rec[p] & 0x1f : rec[p];
        ++p;
        for (int i = 0; i < count && p + 2 <= rec.size(); ++i)
            p += 2 + readBig(rec.data() + p, 2);
    }
    Bytes out(rec.begin(), rec.begin() + 5);
    out.push_back(static_cast<uint8_t>(0xe0 | (sps.size() & 0x1f)));
    for (const Bytes &n : sps) {
        out.push_back(static_cast<uint8_t>(n.size() >> 8));
        out.push_back(static_cast<uint8_t>(n.size()));
        out.insert(out.end(), n.begin(), n.end());
    }
    out.push_back(static_cast<uint8_t>(pps.size()));
    for (const Bytes &n : pps) {
        out.push_back(static_cast<uint8_t>(n.size() >> 8));
        out.push_back(static_cast<uint8_t>(n.size()));
        out.insert(out.end(), n.begin(), n.end());
    }
    if (p < rec.size())
        out.insert(out.end(), rec.begin() + p, rec.end());
    return out;
}

} // namespace orl
