#include "TagIo.h"

#include <algorithm>

namespace tagio {

namespace {
constexpr int64_t kMoveChunk = 8192;
}

bool readAt(TagStream &s, int64_t position, void *buffer, size_t n)
{
    if (position < 0 || s.seek(position) != position)
        return false;
    return n == 0 || s.read(buffer, int64_t(n)) == int64_t(n);
}

bool writeAt(TagStream &s, int64_t position, const void *buffer, size_t n)
{
    if (position < 0 || s.seek(position) != position)
        return false;
    return n == 0 || s.write(buffer, int64_t(n)) == int64_t(n);
}

bool readVector(TagStream &s, int64_t position, size_t n, std::vector<uint8_t> &out)
{
    const int64_t size = s.size();
    if (position < 0 || size < 0 || int64_t(n) > size || position > size - int64_t(n))
        return false;
    out.resize(n);
    return readAt(s, position, out.data(), n);
}

bool resizeRegion(TagStream &s, int64_t position, int64_t oldLength, int64_t newLength)
{
    const int64_t size = s.size();
    if (position < 0 || oldLength < 0 || newLength < 0 || size < 0 || position > size
        || oldLength > size - position)
        return false;
    if (oldLength == newLength)
        return true;
    uint8_t buffer[kMoveChunk];
    const int64_t tailStart = position + oldLength;
    const int64_t tailLength = size - tailStart;
    if (newLength < oldLength) {
        const int64_t shift = oldLength - newLength;
        for (int64_t done = 0; done < tailLength;) {
            const int64_t n = std::min(kMoveChunk, tailLength - done);
            if (!readAt(s, tailStart + done, buffer, size_t(n))
                || !writeAt(s, tailStart + done - shift, buffer, size_t(n)))
                return false;
            done += n;
        }
        return s.resize(size - shift);
    }
    const int64_t shift = newLength - oldLength;
    if (!s.resize(size + shift))
        return false;
    for (int64_t remaining = tailLength; remaining > 0;) {
        const int64_t n = std::min(kMoveChunk, remaining);
        remaining -= n;
        if (!readAt(s, tailStart + remaining, buffer, size_t(n))
            || !writeAt(s, tailStart + remaining + shift, buffer, size_t(n)))
            return false;
    }
    return true;
}

bool replaceRegion(TagStream &s, int64_t position, int64_t oldLength, const std::vector<uint8_t> &bytes)
{
    if (!resizeRegion(s, position, oldLength, int64_t(bytes.size())))
        return false;
    return writeAt(s, position, bytes.data(), bytes.size());
}

bool ReadAhead::readAt(int64_t position, void *buffer, size_t n)
{
    if (position < 0)
        return false;
    if (n > sizeof(m_buffer)) {
        m_length = 0;
        return tagio::readAt(m_stream, position, buffer, n);
    }
    if (position < m_start || uint64_t(position - m_start) + n > m_length) {
        m_start = position;
        m_length = 0;
        if (m_stream.seek(position) != position)
            return false;
        const int64_t got = m_stream.read(m_buffer, int64_t(sizeof(m_buffer)));
        if (got <= 0)
            return false;
        m_length = size_t(got);
        if (n > m_length)
            return false;
    }
    std::memcpy(buffer, m_buffer + (position - m_start), n);
    return true;
}

} // namespace tagio
