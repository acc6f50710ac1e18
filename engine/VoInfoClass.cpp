#include "VoInfoClass.h"

#include "orlcodec.h"

static_assert(int(MediaStream::Video) == ORL_STREAM_VIDEO && int(MediaStream::Audio) == ORL_STREAM_AUDIO &&
                  int(MediaStream::Subtitle) == ORL_STREAM_SUBTITLE,
              "the engine's stream kinds are the library's");
static_assert(int(MediaPicture::Jpeg) == ORL_PICTURE_JPEG && int(MediaPicture::Png) == ORL_PICTURE_PNG &&
                  int(MediaPicture::KeyFrame) == ORL_PICTURE_KEY_FRAME,
              "the engine's picture formats are the library's");

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

bool VoInfoClass::videoLookOf(int streamIndex, VoVideoLook *look) const
{
    for (int n = 0; n < streamCount(ORL_STREAM_VIDEO); ++n) {
        orl_stream_info stream{};
        if (Info_GetStreamInfo(m_handle, ORL_STREAM_VIDEO, n, &stream) != 1 || stream.index != streamIndex)
            continue;
        orl_video_look l{};
        if (Info_GetVideoLook(m_handle, n, &l) != 1)
            return false;
        look->primaries = fromEngine(l.primaries);
        look->transfer = fromEngine(l.transfer);
        look->matrix = fromEngine(l.matrix);
        look->range = fromEngine(l.range);
        look->pixelFormat = fromEngine(l.pixel_format);
        look->fieldOrder = fromEngine(l.field_order);
        look->hdr = fromEngine(l.hdr);
        look->bitDepth = l.bit_depth;
        look->rotation = l.rotation;
        look->hasMasteringDisplay = l.has_mastering_display != 0;
        look->maxLuminance = l.max_luminance;
        look->minLuminance = l.min_luminance;
        for (int i = 0; i < 4; ++i) {
            look->displayPrimaries[i][0] = l.display_primaries[i][0];
            look->displayPrimaries[i][1] = l.display_primaries[i][1];
        }
        look->hasContentLight = l.has_content_light != 0;
        look->maxCll = l.max_cll;
        look->maxFall = l.max_fall;
        return true;
    }
    return false;
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
