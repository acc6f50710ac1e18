// The exported information, frame-grabber and buffer families. Every entry
// point catches everything: no exception crosses into C callers.
#include "Engine.h"
#include "Handles.h"
#include "MediaSource.h"
#include "orlcodec.h"

#include <vector>

using namespace orl;

namespace {

class BufferObject final : public EngineObject {
public:
    explicit BufferObject(std::shared_ptr<const std::vector<uint8_t>> b)
        : EngineObject(HandleKind::Buffer), bytes(std::move(b))
    {
    }
    const std::shared_ptr<const std::vector<uint8_t>> bytes; // immutable after creation
};

// Runs f on the handle's source under its lock; fail when the handle is
// unknown or anything throws.
template <class R, class F>
R withSource(ORL_HANDLE h, R fail, F &&f)
{
    return guardBoundary(h, fail, [&]() -> R {
        std::shared_ptr<MediaSource> src = findHandleAs<MediaSource>(h);
        if (!src)
            return fail;
        std::lock_guard<std::mutex> lock(src->mutex());
        return f(*src);
    });
}

ORL_HANDLE createSource(HandleKind kind)
{
    try {
        return registerHandle(std::make_shared<MediaSource>(kind));
    } catch (...) {
        return 0;
    }
}

void closeSource(ORL_HANDLE h)
{
    try {
        std::shared_ptr<MediaSource> src = findHandleAs<MediaSource>(h);
        if (!src)
            return;
        src->requestStop(); // a call blocked in a read returns and frees the lock
        std::lock_guard<std::mutex> lock(src->mutex());
        src->close();
    } catch (...) {
    }
}

void destroySource(ORL_HANDLE h)
{
    try {
        std::shared_ptr<MediaSource> src = findHandleAs<MediaSource>(h);
        if (!src)
            return;
        closeSource(h);
        unregisterHandle(h);
    } catch (...) {
    }
}

const char *textOrNull(const std::string *s)
{
    return s ? s->c_str() : nullptr;
}

} // namespace

extern "C" {

/* ---- Buffer ---- */

ORL_HANDLE Buffer_Create(const void *data, size_t size)
{
    if (!data || size == 0)
        return 0;
    try {
        const auto *p = static_cast<const uint8_t *>(data);
        auto bytes = std::make_shared<const std::vector<uint8_t>>(p, p + size);
        return registerHandle(std::make_shared<BufferObject>(std::move(bytes)));
    } catch (...) {
        return 0;
    }
}

void Buffer_Destroy(ORL_HANDLE buffer)
{
    try {
        if (std::dynamic_pointer_cast<BufferObject>(findHandle(buffer)))
            unregisterHandle(buffer);
    } catch (...) {
    }
}

/* ---- Info ---- */

ORL_HANDLE Info_Create(int option)
{
    const ORL_HANDLE h = createSource(HandleKind::Info);
    if (h && option == ORL_INFO_HEADERS)
        withSource(h, 0, [](MediaSource &s) {
            s.setHeadersOnly(true);
            return 1;
        });
    return h;
}

int Info_Open(ORL_HANDLE h, const char *path_utf8)
{
    if (!path_utf8)
        return 0;
    return withSource(h, 0, [&](MediaSource &s) { return s.openFile(path_utf8) ? 1 : 0; });
}

int Info_OpenMemory(ORL_HANDLE h, ORL_HANDLE buffer)
{
    std::shared_ptr<BufferObject> buf;
    try {
        buf = std::dynamic_pointer_cast<BufferObject>(findHandle(buffer));
    } catch (...) {
        return 0;
    }
    return withSource(h, 0, [&](MediaSource &s) {
        if (!buf) {
            s.setError("unknown buffer handle");
            return 0;
        }
        // The source keeps its own reference to the bytes, so the buffer
        // handle may go before the information handle does.
        return s.openMemory(buf->bytes) ? 1 : 0;
    });
}

int Info_OpenDisc(ORL_HANDLE h, const char *)
{
    return withSource(h, 0, [](MediaSource &s) {
        s.setError("disc structures are not supported");
        return 0;
    });
}

void Info_Close(ORL_HANDLE h)
{
    closeSource(h);
}

void Info_Destroy(ORL_HANDLE h)
{
    destroySource(h);
}

int Info_GetTitleCount(ORL_HANDLE h)
{
    return withSource(h, 0, [](MediaSource &s) { return s.titleCount(); });
}

int Info_SelectTitle(ORL_HANDLE h, int title)
{
    return withSource(h, 0, [&](MediaSource &s) { return s.selectTitle(title) ? 1 : 0; });
}

int Info_GetSelectedTitle(ORL_HANDLE h)
{
    return withSource(h, -1, [](MediaSource &s) { return s.selectedTitle(); });
}

const char *Info_GetTitleName(ORL_HANDLE h, int title)
{
    return withSource(h, static_cast<const char *>(nullptr),
                      [&](MediaSource &s) { return textOrNull(s.titleName(title)); });
}

int Info_HasVideo(ORL_HANDLE h)
{
    return withSource(h, 0, [](MediaSource &s) { return s.streamCount(ORL_STREAM_VIDEO) > 0 ? 1 : 0; });
}

int Info_HasAudio(ORL_HANDLE h)
{
    return withSource(h, 0, [](MediaSource &s) { return s.streamCount(ORL_STREAM_AUDIO) > 0 ? 1 : 0; });
}

int Info_GetStreamCount(ORL_HANDLE h, int kind)
{
    return withSource(h, 0, [&](MediaSource &s) { return s.streamCount(kind); });
}

int Info_SelectStream(ORL_HANDLE h, int kind, int number)
{
    return withSource(h, 0, [&](MediaSource &s) { return s.selectStream(kind, number) ? 1 : 0; });
}

int Info_GetSelectedStream(ORL_HANDLE h, int kind)
{
    return withSource(h, -1, [&](MediaSource &s) { return s.selectedStream(kind); });
}

int Info_GetStreamInfo(ORL_HANDLE h, int kind, int number, orl_stream_info *info)
{
    return withSource(h, 0, [&](MediaSource &s) { return s.streamInfo(kind, number, info) ? 1 : 0; });
}

int Info_GetVideoLook(ORL_HANDLE h, int number, orl_video_look *look)
{
    if (!look)
        return 0;
    return withSource(h, 0, [&](MediaSource &s) { return s.videoLook(number, look) ? 1 : 0; });
}

const char *Info_GetFormatName(ORL_HANDLE h)
{
    return withSource(h, static_cast<const char *>(nullptr), [](MediaSource &s) { return s.formatName(); });
}

const char *Info_GetMetadata(ORL_HANDLE h, const char *key)
{
    if (!key)
        return nullptr;
    return withSource(h, static_cast<const char *>(nullptr), [&](MediaSource &s) { return s.metadata(key); });
}

const uint8_t *Info_GetMetadataBlob(ORL_HANDLE h, const char *key, int *size)
{
    if (size)
        *size = 0;
    if (!key)
        return nullptr;
    return withSource(h, static_cast<const uint8_t *>(nullptr),
                      [&](MediaSource &s) { return s.blob(key, size); });
}

uint64_t Info_GetDuration(ORL_HANDLE h)
{
    return withSource(h, uint64_t(0), [](MediaSource &s) { return s.duration(); });
}

uint64_t Info_GetReadableEnd(ORL_HANDLE h)
{
    return withSource(h, uint64_t(0), [](MediaSource &s) { return s.readableEnd(); });
}

int Info_GetWidth(ORL_HANDLE h)
{
    return withSource(h, 0, [](MediaSource &s) { return s.width(); });
}

int Info_GetHeight(ORL_HANDLE h)
{
    return withSource(h, 0, [](MediaSource &s) { return s.height(); });
}

int Info_GetDisplayAspect(ORL_HANDLE h, int *num, int *den)
{
    return withSource(h, 0, [&](MediaSource &s) { return s.displayAspect(num, den) ? 1 : 0; });
}

int Info_CanSeek(ORL_HANDLE h)
{
    return withSource(h, 0, [](MediaSource &s) { return s.canSeek() ? 1 : 0; });
}

int Info_GetChapterCount(ORL_HANDLE h)
{
    return withSource(h, 0, [](MediaSource &s) { return s.chapterCount(); });
}

uint64_t Info_GetChapterStart(ORL_HANDLE h, int chapter)
{
    return withSource(h, uint64_t(0), [&](MediaSource &s) { return s.chapterStart(chapter); });
}

uint64_t Info_GetChapterDuration(ORL_HANDLE h, int chapter)
{
    return withSource(h, uint64_t(0), [&](MediaSource &s) { return s.chapterDuration(chapter); });
}

const char *Info_GetChapterTitle(ORL_HANDLE h, int chapter)
{
    return withSource(h, static_cast<const char *>(nullptr),
                      [&](MediaSource &s) { return s.chapterTitle(chapter); });
}

const orl_picture *Info_GrabFrame(ORL_HANDLE h, uint64_t time_us, int width, int height, int format)
{
    return withSource(h, static_cast<const orl_picture *>(nullptr),
                      [&](MediaSource &s) { return s.grabFrame(time_us, width, height, format); });
}

void Info_ReleaseFrame(ORL_HANDLE h, const orl_picture *picture)
{
    withSource(h, 0, [&](MediaSource &s) {
        s.releaseFrame(picture);
        return 0;
    });
}

int Info_GetKeyFrames(ORL_HANDLE h, const uint64_t **times)
{
    if (times)
        *times = nullptr;
    try {
        std::shared_ptr<MediaSource> src = findHandleAs<MediaSource>(h);
        if (!src || !times)
            return 0;
        KeyFrameQuery query;
        {
            std::lock_guard<std::mutex> lock(src->mutex());
            if (!src->keyFrameQuery(query)) {
                src->setError("no video stream in a file");
                return 0;
            }
        }
        // The search runs without the handle's lock, so a cancel or a
        // close from another thread is not kept waiting behind it.
        std::vector<uint64_t> list;
        std::string error;
        const bool ok = findKeyFrames(query, src->keyFrameCancel(), list, error);
        std::lock_guard<std::mutex> lock(src->mutex());
        if (!ok) {
            src->setError(error);
            return 0;
        }
        src->keyFrames() = std::move(list);
        *times = src->keyFrames().data();
        return static_cast<int>(src->keyFrames().size());
    } catch (...) {
        return 0;
    }
}

void Info_CancelKeyFrames(ORL_HANDLE h)
{
    try {
        if (std::shared_ptr<MediaSource> src = findHandleAs<MediaSource>(h))
            src->cancelKeyFrames();
    } catch (...) {
    }
}

void Info_Cancel(ORL_HANDLE h)
{
    try {
        if (std::shared_ptr<MediaSource> src = findHandleAs<MediaSource>(h))
            src->cancelAll();
    } catch (...) {
    }
}

/* ---- Grabber ---- */

ORL_HANDLE Grabber_Create(void)
{
    return createSource(HandleKind::Grabber);
}

int Grabber_Open(ORL_HANDLE g, const char *path_utf8)
{
    if (!path_utf8)
        return 0;
    return withSource(g, 0, [&](MediaSource &s) {
        if (!s.openFile(path_utf8))
            return 0;
        if (!s.selectFirstVideoTitle()) {
            s.close();
            s.setError("no video stream");
            return 0;
        }
        return 1;
    });
}

void Grabber_Close(ORL_HANDLE g)
{
    closeSource(g);
}

void Grabber_Destroy(ORL_HANDLE g)
{
    destroySource(g);
}

int Grabber_GetWidth(ORL_HANDLE g)
{
    return Info_GetWidth(g);
}

int Grabber_GetHeight(ORL_HANDLE g)
{
    return Info_GetHeight(g);
}

int Grabber_GetDisplayAspect(ORL_HANDLE g, int *num, int *den)
{
    return Info_GetDisplayAspect(g, num, den);
}

uint64_t Grabber_GetDuration(ORL_HANDLE g)
{
    return Info_GetDuration(g);
}

int Grabber_CanSeek(ORL_HANDLE g)
{
    return Info_CanSeek(g);
}

const orl_picture *Grabber_GrabFrame(ORL_HANDLE g, uint64_t time_us, int width, int height, int format)
{
    return Info_GrabFrame(g, time_us, width, height, format);
}

void Grabber_ReleaseFrame(ORL_HANDLE g, const orl_picture *picture)
{
    Info_ReleaseFrame(g, picture);
}

} // extern "C"
