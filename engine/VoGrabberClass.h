#pragma once
// Owner of one picture grabber handle of the media library: created on the
// first open, closed and destroyed with the owner. Pictures come back as
// copies, so no picture of the library outlives the call.
#include "MediaTypes.h"

#include <QImage>
#include <QString>

class VoGrabberClass {
public:
    VoGrabberClass() = default;
    ~VoGrabberClass();
    VoGrabberClass(const VoGrabberClass &) = delete;
    VoGrabberClass &operator=(const VoGrabberClass &) = delete;

    // Opens path, closing any file open before; false when the file does
    // not open or no handle could be made.
    bool open(const QString &path);
    void close();
    bool isOpen() const { return m_open; }

    int width() const;
    int height() const;
    uint64_t duration() const;
    bool canSeek() const;
    // The shown aspect of the picture; false when the file does not say.
    bool displayAspect(int *num, int *den) const;

    // The picture at time_us (the nearest key frame before it with
    // MediaPicture::KeyFrame in format), width × height pixels; a null
    // image when none could be grabbed. Files that cannot seek give their
    // first picture.
    QImage grabImage(uint64_t time_us, int width, int height, int format = MediaPicture::Jpeg);

private:
    MediaHandle m_handle = 0;
    bool m_open = false;
};
