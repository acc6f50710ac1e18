#pragma once
// Byte-level helpers of the tag blocks: exact reads and writes at a
// position, the read-ahead buffer of the parsers, in-place region
// replacement and a growable output buffer.
#include "TagStream.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tagio {

// Seeks and reads or writes exactly n bytes; false on any shortfall.
bool readAt(TagStream &s, int64_t position, void *buffer, size_t n);
bool writeAt(TagStream &s, int64_t position, const void *buffer, size_t n);
// Reads n bytes into a vector; false when they are not all there.
bool readVector(TagStream &s, int64_t position, size_t n, std::vector<uint8_t> &out);

// Replaces the region [position, position + oldLength) by newLength bytes
// of room, moving the rest of the stream 8,192 bytes at a time. The caller
// writes the new bytes afterwards.
bool resizeRegion(TagStream &s, int64_t position, int64_t oldLength, int64_t newLength);
// resizeRegion, then the new bytes written at position.
bool replaceRegion(TagStream &s, int64_t position, int64_t oldLength, const std::vector<uint8_t> &bytes);

// Parsers read through this 4,096-byte window so that walking small headers
// costs one system call per window, not one per header.
class ReadAhead {
public:
    explicit ReadAhead(TagStream &s) : m_stream(s) {}
    bool readAt(int64_t position, void *buffer, size_t n);
    void invalidate() { m_length = 0; }

private:
    TagStream &m_stream;
    uint8_t m_buffer[4096];
    int64_t m_start = 0;
    size_t m_length = 0;
};

inline uint16_t be16(const uint8_t *p) { return uint16_t((p[0] << 8) | p[1]); }
inline uint32_t be24(const uint8_t *p) { return (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2]; }
inline uint32_t be32(const uint8_t *p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}
inline uint64_t be64(const uint8_t *p) { return (uint64_t(be32(p)) << 32) | be32(p + 4); }
inline uint16_t le16(const uint8_t *p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t le32(const uint8_t *p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint64_t le64(const uint8_t *p) { return uint64_t(le32(p)) | (uint64_t(le32(p + 4)) << 32); }
// 28-bit synchsafe number; -1 when a byte has its top bit set.
inline int64_t synchsafe32(const uint8_t *p)
{
    if ((p[0] | p[1] | p[2] | p[3]) & 0x80)
        return -1;
    return (int64_t(p[0]) << 21) | (int64_t(p[1]) << 14) | (int64_t(p[2]) << 7) | p[3];
}

inline void setBe32(uint8_t *p, uint32_t v)
{
    p[0] = uint8_t(v >> 24); p[1] = uint8_t(v >> 16); p[2] = uint8_t(v >> 8); p[3] = uint8_t(v);
}
inline void setBe64(uint8_t *p, uint64_t v) { setBe32(p, uint32_t(v >> 32)); setBe32(p + 4, uint32_t(v)); }
inline void setLe16(uint8_t *p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
inline void setLe32(uint8_t *p, uint32_t v)
{
    p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); p[2] = uint8_t(v >> 16); p[3] = uint8_t(v >> 24);
}
inline void setLe64(uint8_t *p, uint64_t v) { setLe32(p, uint32_t(v)); setLe32(p + 4, uint32_t(v >> 32)); }

class ByteWriter {
public:
    std::vector<uint8_t> bytes;

    size_t size() const { return bytes.size(); }
    void u8(uint32_t v) { bytes.push_back(uint8_t(v)); }
    void be16(uint32_t v) { u8(v >> 8); u8(v); }
    void be32(uint32_t v) { u8(v >> 24); u8(v >> 16); u8(v >> 8); u8(v); }
    void be64(uint64_t v) { be32(uint32_t(v >> 32)); be32(uint32_t(v)); }
    void le16(uint32_t v) { u8(v); u8(v >> 8); }
    void le32(uint32_t v) { u8(v); u8(v >> 8); u8(v >> 16); u8(v >> 24); }
    void le64(uint64_t v) { le32(uint32_t(v)); le32(uint32_t(v >> 32)); }
    void raw(const void *p, size_t n)
    {
        if (!n)
            return;
        // resize + memcpy rather than insert: GCC 12 misjudges the latter
        // on an empty vector (-Wstringop-overflow).
        const size_t old = bytes.size();
        bytes.resize(old + n);
        std::memcpy(bytes.data() + old, p, n);
    }
    void raw(const std::vector<uint8_t> &v) { raw(v.data(), v.size()); }
    void ascii(const char *s) { raw(s, std::strlen(s)); }
    void zeros(size_t n) { bytes.insert(bytes.end(), n, 0); }
    void patchBe32(size_t at, uint32_t v) { setBe32(bytes.data() + at, v); }
    void patchLe16(size_t at, uint32_t v) { setLe16(bytes.data() + at, uint16_t(v)); }
    void patchLe32(size_t at, uint32_t v) { setLe32(bytes.data() + at, v); }
    void patchLe64(size_t at, uint64_t v) { setLe64(bytes.data() + at, v); }
};

} // namespace tagio
