#pragma once
// Builds binary property lists byte by byte, so tests can state exactly
// which markers, widths and offsets a file holds, including broken ones.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class BinaryPlistBuilder {
public:
    using Bytes = std::vector<uint8_t>;

    uint8_t offsetSize = 1;
    uint8_t refSize = 1;
    uint64_t topObject = 0;

    // Appends an object and returns its number.
    uint64_t add(const Bytes &bytes)
    {
        m_objects.push_back(bytes);
        return m_objects.size() - 1;
    }
    // Replaces an object's bytes (to build references before their targets).
    void set(uint64_t index, const Bytes &bytes) { m_objects[index] = bytes; }

    static Bytes bigEndian(uint64_t value, unsigned width)
    {
        Bytes out(width, 0);
        for (unsigned i = 0; i < width && i < 8; ++i)
            out[width - 1 - i] = uint8_t(value >> (8 * i));
        return out;
    }
    static Bytes integer(uint64_t value, unsigned log2Width)
    {
        Bytes out{uint8_t(0x10 | log2Width)};
        append(out, bigEndian(value, 1u << log2Width));
        return out;
    }
    static Bytes real(double value)
    {
        uint64_t bits;
        std::memcpy(&bits, &value, 8);
        Bytes out{0x23};
        append(out, bigEndian(bits, 8));
        return out;
    }
    static Bytes date(double secondsSince2001)
    {
        Bytes out = real(secondsSince2001);
        out[0] = 0x33;
        return out;
    }
    static Bytes string(const std::string &text) { return withCount(0x50, text.size(), text); }
    static Bytes data(const std::string &bytes) { return withCount(0x40, bytes.size(), bytes); }
    Bytes array(const std::vector<uint64_t> &refs) const
    {
        Bytes out = header(0xA0, refs.size());
        for (uint64_t r : refs)
            append(out, bigEndian(r, refSize));
        return out;
    }
    Bytes dict(const std::vector<uint64_t> &keys, const std::vector<uint64_t> &values) const
    {
        Bytes out = header(0xD0, keys.size());
        for (uint64_t r : keys)
            append(out, bigEndian(r, refSize));
        for (uint64_t r : values)
            append(out, bigEndian(r, refSize));
        return out;
    }

    // The whole file; offsets are written with offsetSize bytes each.
    std::string build() const
    {
        Bytes file{'b', 'p', 'l', 'i', 's', 't', '0', '0'};
        std::vector<uint64_t> offsets;
        for (const Bytes &o : m_objects) {
            offsets.push_back(file.size());
            append(file, o);
        }
        const uint64_t tableOffset = file.size();
        for (uint64_t off : offsets)
            append(file, bigEndian(off, offsetSize));
        Bytes trailer(6, 0);
        trailer.push_back(offsetSize);
        trailer.push_back(refSize);
        append(trailer, bigEndian(m_objects.size(), 8));
        append(trailer, bigEndian(topObject, 8));
        append(trailer, bigEndian(tableOffset, 8));
        append(file, trailer);
        return std::string(file.begin(), file.end());
    }

    static void append(Bytes &to, const Bytes &from) { to.insert(to.end(), from.begin(), from.end()); }

private:
    static Bytes header(uint8_t type, uint64_t count)
    {
        if (count < 15)
            return Bytes{uint8_t(type | count)};
        Bytes out{uint8_t(type | 0x0F)};
        append(out, integer(count, count < 256 ? 0 : count < 65536 ? 1 : 2));
        return out;
    }
    static Bytes withCount(uint8_t type, uint64_t count, const std::string &content)
    {
        Bytes out = header(type, count);
        out.insert(out.end(), content.begin(), content.end());
        return out;
    }

    std::vector<Bytes> m_objects;
};
