// Binary property lists: a header, an object table, a table of object
// offsets and a 32-byte trailer. Multi-byte numbers are big-endian.
#include "PlistDecoders.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace plist_detail {
namespace {

[[noreturn]] void fail(const char *text)
{
    throw std::runtime_error(text);
}

[[noreturn]] void outOfBounds()
{
    fail("Out of bounds getRange");
}

// Seconds from 1970-01-01 to 2001-01-01, the epoch of binary dates.
constexpr double kBinaryDateEpoch = 978307200.0;

class BinaryDecoder {
public:
    BinaryDecoder(const unsigned char *data, size_t size)
        : m_data(data)
        , m_size(size)
        // A list may reference one object from many places, so decoding can
        // legitimately produce more than the file holds; a small file that
        // expands by orders of magnitude is hostile, and is stopped.
        , m_objectsLeft((uint64_t(1) << 20) + 8 * uint64_t(size))
        , m_bytesLeft((uint64_t(64) << 20) + 64 * uint64_t(size))
    {
    }

    boost::any decode()
    {
        readTrailer();
        readOffsets();
        m_open.assign(m_offsets.size(), false);
        return decodeObject(0, 0);
    }

private:
    // Checks that [offset, offset + length) lies inside [0, limit).
    static void checkRange(uint64_t limit, uint64_t offset, uint64_t length)
    {
        if (offset > limit || length > limit - offset)
            outOfBounds();
    }

    // Big-endian unsigned number of any width; wider numbers keep their
    // low 64 bits.
    uint64_t readNumber(uint64_t limit, uint64_t offset, uint64_t width) const
    {
        checkRange(limit, offset, width);
        uint64_t value = 0;
        for (uint64_t i = 0; i < width; ++i)
            value = (value << 8) | m_data[offset + i];
        return value;
    }

    void readTrailer()
    {
        if (m_size < 32)
            outOfBounds();
        const unsigned char *trailer = m_data + m_size - 32;
        m_offsetIntSize = trailer[6];
        m_objectRefSize = trailer[7];
        m_offsetTableOffset = readNumber(m_size, m_size - 32 + 24, 8);
        if (m_offsetIntSize == 0)
            fail("Plist: offset size of zero in trailer");
        if (m_objectRefSize == 0)
            fail("Plist: object reference size of zero in trailer");
        if (m_offsetTableOffset > m_size - 32)
            outOfBounds();
        m_objectTableSize = m_offsetTableOffset;
    }

    void readOffsets()
    {
        const uint64_t tableEnd = m_size - 32;
        uint64_t pos = m_offsetTableOffset;
        m_offsets.reserve((tableEnd - pos) / m_offsetIntSize);
        while (pos < tableEnd) {
            m_offsets.push_back(uint32_t(readNumber(tableEnd, pos, m_offsetIntSize)));
            pos += m_offsetIntSize;
        }
    }

    // Count of a data, string, array or dictionary object; pos is the
    // marker's position, start receives where its content begins.
    uint64_t readCount(uint64_t pos, unsigned info, uint64_t &start) const
    {
        if (info < 15) {
            start = pos + 1;
            return info;
        }
        checkRange(m_objectTableSize, pos + 1, 1);
        const unsigned char countMarker = m_data[pos + 1];
        if ((countMarker & 0xF0) != 0x10)
            fail("Plist: object count is not an integer");
        const uint64_t width = uint64_t(1) << (countMarker & 0x0F);
        const uint64_t count = readNumber(m_objectTableSize, pos + 2, width);
        start = pos + 2 + width;
        return count;
    }

    void spend(uint64_t bytes)
    {
        if (m_objectsLeft == 0 || bytes > m_bytesLeft)
            fail("Plist: object graph too large");
        --m_objectsLeft;
        m_bytesLeft -= bytes;
    }

    // Reads count references starting at start; checks that all fit before
    // anything is allocated, so an absurd count fails at once.
    std::vector<uint64_t> readReferences(uint64_t start, uint64_t count) const
    {
        if (start > m_objectTableSize || count > (m_objectTableSize - start) / m_objectRefSize)
            outOfBounds();
        std::vector<uint64_t> refs;
        refs.reserve(count);
        for (uint64_t i = 0; i < count; ++i)
            refs.push_back(readNumber(m_objectTableSize, start + i * m_objectRefSize, m_objectRefSize) & 0xFFFFFFFFu);
        return refs;
    }

    boost::any decodeObject(uint64_t ref, unsigned depth)
    {
        if (ref >= m_offsets.size())
            fail("Plist: object reference out of range");
        if (m_open[ref])
            fail("Plist: object contains itself");
        if (depth > kMaxDepth)
            fail("Plist: objects nested too deeply");
        const uint64_t pos = m_offsets[ref];
        checkRange(m_objectTableSize, pos, 1);
        const unsigned char marker = m_data[pos];
        const unsigned type = marker >> 4;
        const unsigned info = marker & 0x0F;
        spend(0);

        switch (type) {
        case 0x0:
            switch (marker) {
            case 0x00:
                fail("Plist: null byte encountered, unsure how to parse");
            case 0x08:
                return false;
            case 0x09:
                return true;
            case 0x0F:
                fail("Plist: fill byte encountered, unsure how to parse");
            default:
                throw std::runtime_error(std::string("Plist: unknown header ") + char(marker));
            }
        case 0x1: {
            const uint64_t bits = readNumber(m_objectTableSize, pos + 1, uint64_t(1) << info);
            int64_t value;
            std::memcpy(&value, &bits, sizeof value);
            return value;
        }
        case 0x2:
            return decodeReal(pos, info);
        case 0x3: {
            const double seconds = readDouble(pos + 1);
            const double sinceEpoch = seconds + kBinaryDateEpoch;
            // Converting a NaN or a value beyond 64 bits would be undefined.
            if (!(std::fabs(sinceEpoch) < 9.2e18))
                fail("Plist: date out of range");
            PlistDate date;
            date.timeSinceEpoch = static_cast<int64_t>(sinceEpoch);
            return date;
        }
        case 0x4:
        case 0x5: {
            uint64_t start = 0;
            const uint64_t count = readCount(pos, info, start);
            checkRange(m_objectTableSize, start, count);
            spend(count);
            const char *bytes = reinterpret_cast<const char *>(m_data + start);
            if (type == 0x4)
                return PlistData(bytes, bytes + count);
            return std::string(bytes, count);
        }
        case 0xA: {
            uint64_t start = 0;
            const uint64_t count = readCount(pos, info, start);
            const std::vector<uint64_t> refs = readReferences(start, count);
            m_open[ref] = true;
            PlistArray array;
            array.reserve(refs.size());
            for (uint64_t child : refs)
                array.push_back(decodeObject(child, depth + 1));
            m_open[ref] = false;
            return array;
        }
        case 0xD: {
            uint64_t start = 0;
            const uint64_t count = readCount(pos, info, start);
            if (count > std::numeric_limits<uint64_t>::max() / 2)
                outOfBounds();
            const std::vector<uint64_t> refs = readReferences(start, 2 * count);
            m_open[ref] = true;
            PlistDictionary dict;
            for (uint64_t i = 0; i < count; ++i) {
                boost::any key = decodeObject(refs[i], depth + 1);
                const std::string *keyText = boost::any_cast<std::string>(&key);
                if (keyText == nullptr)
                    fail("Error parsing dictionary.  Key can't be parsed as a string");
                dict[*keyText] = decodeObject(refs[count + i], depth + 1);
            }
            m_open[ref] = false;
            return dict;
        }
        default:
            fail("This type is not supported");
        }
    }

    double readDouble(uint64_t offset) const
    {
        const uint64_t bits = readNumber(m_objectTableSize, offset, 8);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    // Reals are stored as IEEE-754 single or double precision; other widths
    // carry no defined value.
    boost::any decodeReal(uint64_t pos, unsigned info) const
    {
        if (info == 3)
            return readDouble(pos + 1);
        if (info == 2) {
            const uint32_t bits = uint32_t(readNumber(m_objectTableSize, pos + 1, 4));
            float value;
            std::memcpy(&value, &bits, sizeof value);
            return double(value);
        }
        fail("Plist: unsupported real size");
    }

    const unsigned char *m_data;
    size_t m_size;
    uint64_t m_objectsLeft;
    uint64_t m_bytesLeft;
    uint8_t m_offsetIntSize = 0;
    uint8_t m_objectRefSize = 0;
    uint64_t m_offsetTableOffset = 0;
    uint64_t m_objectTableSize = 0; // objects live in [0, offsetTableOffset)
    std::vector<uint32_t> m_offsets;
    std::vector<bool> m_open; // containers being decoded: a reference back to one is a cycle
};

} // namespace

boost::any decodeBinary(const unsigned char *data, size_t size)
{
    return BinaryDecoder(data, size).decode();
}

} // namespace plist_detail
