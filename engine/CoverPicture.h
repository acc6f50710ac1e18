#pragma once
// A media item's cover: its encoded bytes and size, and the decoded image
// once the interface asks for it. Items are read and copied by programs
// that show no picture (the command line); they never load the picture
// library, which only the image side below (CoverPictureImage.cpp, in the
// engine's display library) needs.
#include <QByteArray>
#include <QSize>

#include <memory>

class QImage;

class CoverPicture {
public:
    CoverPicture() = default;
    // A JPEG or PNG picture; a null cover when its header names no size.
    explicit CoverPicture(const QByteArray &encoded);
    // An image the interface already holds (a thumbnail of the segment).
    CoverPicture(const QImage &image);

    bool isNull() const { return m_size.isEmpty(); }
    QSize size() const { return m_size; }
    const QByteArray &encoded() const { return m_encoded; }
    // Decoded on first use, on the interface thread; a null image when the
    // bytes do not decode after all.
    const QImage &image() const;
    operator const QImage &() const { return image(); }

    bool operator==(const CoverPicture &other) const;
    bool operator!=(const CoverPicture &other) const { return !(*this == other); }

    // Width and height from a JPEG or PNG header; empty when neither.
    static QSize encodedSize(const QByteArray &encoded);

private:
    QByteArray m_encoded;
    QSize m_size;
    mutable std::shared_ptr<const QImage> m_image;
};
