#include "VoInfoClass.h"

namespace {

QString fromEngine(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace

VoInfoClass::VoInfoClass(int option) : m_handle(Info_Create(option)) {}

VoInfoClass::~VoInfoClass()
{
    close();
    Info_Destroy(m_handle);
}

bool VoInfoClass::open(const QString &path)
{
    return m_handle && Info_Open(m_handle, path.toUtf8().constData()) == 1;
}

bool VoInfoClass::openDisc(const QString &path)
{
    return m_handle && Info_OpenDisc(m_handle, path.toUtf8().constData()) == 1;
}

bool VoInfoClass::openMemory(const QByteArray &bytes)
{
    if (!m_handle || bytes.isEmpty())
        return false;
    close();
    m_buffer = Buffer_Create(bytes.constData(), static_cast<size_t>(bytes.size()));
    return m_buffer && Info_OpenMemory(m_handle, m_buffer) == 1;
}

void VoInfoClass::close()
{
    if (m_handle)
        Info_Close(m_handle);
    if (m_buffer) {
        Buffer_Destroy(m_buffer);
        m_buffer = 0;
    }
}

int VoInfoClass::titleCount() const
{
    return Info_GetTitleCount(m_handle);
}

bool VoInfoClass::selectTitle(int title)
{
    return Info_SelectTitle(m_handle, title) == 1;
}

QString VoInfoClass::titleName(int title) const
{
    return fromEngine(Info_GetTitleName(m_handle, title));
}

bool VoInfoClass::hasVideo() const
{
    return Info_HasVideo(m_handle) != 0;
}

bool VoInfoClass::hasAudio() const
{
    return Info_HasAudio(m_handle) != 0;
}

int VoInfoClass::streamCount(int kind) const
{
    return Info_GetStreamCount(m_handle, kind);
}

bool VoInfoClass::selectStream(int kind, int number)
{
    return Info_SelectStream(m_handle, kind, number) == 1;
}

bool VoInfoClass::streamInfo(int kind, int number, orl_stream_info *info) const
{
    return Info_GetStreamInfo(m_handle, kind, number, info) == 1;
}

bool VoInfoClass::videoLook(int number, orl_video_look *look) const
{
    return Info_GetVideoLook(m_handle, number, look) == 1;
}

QString VoInfoClass::formatName() const
{
    return fromEngine(Info_GetFormatName(m_handle));
}

QString VoInfoClass::metadata(const char *key) const
{
    return fromEngine(Info_GetMetadata(m_handle, key));
}

QByteArray VoInfoClass::metadataBlob(const char *key) const
{
    int size = 0;
    const uint8_t *data = Info_GetMetadataBlob(m_handle, key, &size);
    return data && size > 0 ? QByteArray(reinterpret_cast<const char *>(data), size) : QByteArray();
}

uint64_t VoInfoClass::duration() const
{
    return Info_GetDuration(m_handle);
}

uint64_t VoInfoClass::readableEnd() const
{
    return Info_GetReadableEnd(m_handle);
}

int VoInfoClass::width() const
{
    return Info_GetWidth(m_handle);
}

int VoInfoClass::height() const
{
    return Info_GetHeight(m_handle);
}

int VoInfoClass::chapterCount() const
{
    return Info_GetChapterCount(m_handle);
}

uint64_t VoInfoClass::chapterStart(int chapter) const
{
    return Info_GetChapterStart(m_handle, chapter);
}

uint64_t VoInfoClass::chapterDuration(int chapter) const
{
    return Info_GetChapterDuration(m_handle, chapter);
}

QString VoInfoClass::chapterTitle(int chapter) const
{
    return fromEngine(Info_GetChapterTitle(m_handle, chapter));
}

int VoInfoClass::keyFrameCount() const
{
    const uint64_t *times = nullptr;
    return Info_GetKeyFrames(m_handle, &times);
}

QByteArray VoInfoClass::grabFrame(uint64_t time_us, int width, int height, int format)
{
    const orl_picture *pic = Info_GrabFrame(m_handle, time_us, width, height, format);
    if (!pic)
        return QByteArray();
    QByteArray bytes(reinterpret_cast<const char *>(pic->data), pic->size);
    Info_ReleaseFrame(m_handle, pic);
    return bytes;
}

QString VoInfoClass::lastError() const
{
    return fromEngine(Engine_GetLastError(m_handle));
}
