// The image side of CoverPicture: built into the display library, so
// that only programs with a screen load the picture library.
#include "CoverPicture.h"

#include <QImage>

CoverPicture::CoverPicture(const QImage &image)
    : m_size(image.isNull() ? QSize() : image.size())
    , m_image(image.isNull() ? nullptr : std::make_shared<const QImage>(image))
{
}

const QImage &CoverPicture::image() const
{
    if (!m_image) {
        auto decoded = std::make_shared<QImage>();
        if (!m_encoded.isEmpty())
            decoded->loadFromData(m_encoded);
        m_image = std::move(decoded);
    }
    return *m_image;
}
