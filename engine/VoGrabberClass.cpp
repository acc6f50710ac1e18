#include "VoGrabberClass.h"

#include "orlcodec.h"

VoGrabberClass::~VoGrabberClass()
{
    close();
    if (m_handle)
        Grabber_Destroy(m_handle);
}

bool VoGrabberClass::open(const QString &path)
{
    close();
    if (!m_handle)
        m_handle = Grabber_Create();
    if (!m_handle || path.isEmpty())
        return false;
    m_open = Grabber_Open(m_handle, path.toUtf8().constData()) == 1;
    return m_open;
}

void VoGrabberClass::close()
{
    if (m_open)
        Grabber_Close(m_handle);
    m_open = false;
}

int VoGrabberClass::width() const
{
    return m_open ? Grabber_GetWidth(m_handle) : 0;
}

int VoGrabberClass::height() const
{
    return m_open ? Grabber_GetHeight(m_handle) : 0;
}

uint64_t VoGrabberClass::duration() const
{
    return m_open ? Grabber_GetDuration(m_handle) : 0;
}

bool VoGrabberClass::canSeek() const
{
    return m_open && Grabber_CanSeek(m_handle) != 0;
}

bool VoGrabberClass::displayAspect(int *num, int *den) const
{
    return m_open && Grabber_GetDisplayAspect(m_handle, num, den) == 1;
}

QImage VoGrabberClass::grabImage(uint64_t time_us, int width, int height, int format)
{
    if (!m_open)
        return QImage();
    const orl_picture *pic = Grabber_GrabFrame(m_handle, canSeek() ? time_us : 0, width, height, format);
    if (!pic)
        return QImage();
    QImage image;
    image.loadFromData(pic->data, static_cast<int>(pic->size));
    Grabber_ReleaseFrame(m_handle, pic);
    return image;
}
