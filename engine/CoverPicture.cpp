#include "CoverPicture.h"

namespace {

unsigned byteAt(const QByteArray &b, int i)
{
    return static_cast<unsigned char>(b.at(i));
}

unsigned be16(const QByteArray &b, int i)
{
    return byteAt(b, i) << 8 | byteAt(b, i + 1);
}

unsigned be32(const QByteArray &b, int i)
{
    return be16(b, i) << 16 | be16(b, i + 2);
}

QSize pngSize(const QByteArray &b)
{
    // Signature, then the IHDR chunk: length, "IHDR", width, height.
    if (b.size() < 24 || !b.startsWith("\x89PNG\r\n\x1a\n") || b.mid(12, 4) != "IHDR")
        return {};
    const unsigned w = be32(b, 16), h = be32(b, 20);
    if (w == 0 || h == 0 || w > 0x7fffffff || h > 0x7fffffff)
        return {};
    return QSize(int(w), int(h));
}

QSize jpegSize(const QByteArray &b)
{
    if (b.size() < 4 || byteAt(b, 0) != 0xFF || byteAt(b, 1) != 0xD8)
        return {};
    // Walk the marker segments up to the first start of frame (SOF0..SOF15
    // without DHT C4, JPG C8 and DAC CC), which names the picture's size.
    int i = 2;
    while (i + 4 <= b.size()) {
        if (byteAt(b, i) != 0xFF)
            return {};
        const unsigned marker = byteAt(b, i + 1);
        if (marker == 0xFF) { // fill byte
            ++i;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            i += 2; // no length follows
            continue;
        }
        const int length = int(be16(b, i + 2));
        if (length < 2)
            return {};
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (i + 9 > b.size())
                return {};
            const int h = int(be16(b, i + 5)), w = int(be16(b, i + 7));
            return w > 0 && h > 0 ? QSize(w, h) : QSize();
        }
        if (marker == 0xDA || marker == 0xD9)
            return {}; // scan data before any frame header
        i += 2 + length;
    }
    return {};
}

} // namespace

CoverPicture::CoverPicture(const QByteArray &encoded)
    : m_size(encodedSize(encoded))
{
    if (!m_size.isEmpty())
        m_encoded = encoded;
}

QSize CoverPicture::encodedSize(const QByteArray &encoded)
{
    const QSize png = pngSize(encoded);
    return png.isEmpty() ? jpegSize(encoded) : png;
}

bool CoverPicture::operator==(const CoverPicture &other) const
{
    if (m_size != other.m_size)
        return false;
    if (!m_encoded.isEmpty() || !other.m_encoded.isEmpty())
        return m_encoded == other.m_encoded;
    // Two images handed over by the interface: the same one or none.
    return m_image == other.m_image;
}
