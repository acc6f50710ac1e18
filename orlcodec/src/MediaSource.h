#pragma once
// One opened media source: the object behind an information handle and a
// frame-grabber handle. Titles, streams, metadata and chapters are read at
// open; pictures are decoded on request.
#include "FFmpegPtr.h"
#include "Handles.h"
#include "Input.h"
#include "KeyFrames.h"
#include "Picture.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct AVFormatContext;
struct AVCodecContext;
struct AVStream;

namespace orl {

// Clockwise display rotation (0, 90, 180, 270) from a stream's display matrix.
int streamRotation(const AVStream *st);

class MediaSource final : public EngineObject {
public:
    explicit MediaSource(HandleKind kind);
    ~MediaSource() override;

    // Serialises calls on the handle; close() from another thread first asks
    // the running call to stop (requestStop) and then waits here.
    std::mutex &mutex() { return m_mutex; }
    // Makes blocking reads return early; any thread.
    void requestStop()
    {
        m_stop.store(true);
        m_keyStop.store(true);
    }
    // Stops a key-frame search under way (any thread); the next search runs again.
    void cancelKeyFrames() { m_keyStop.store(true); }
    // Stops an open or a search under way, and every later one (any thread):
    // for a handle about to be given up.
    void cancelAll()
    {
        m_cancelled.store(true);
        m_stop.store(true);
        m_keyStop.store(true);
    }

    // Information from the container's headers alone when they suffice
    // (no picture decoded to complete it); set before opening.
    void setHeadersOnly(bool headersOnly) { m_headersOnly = headersOnly; }
    bool openFile(const std::string &path);
    bool openMemory(std::shared_ptr<const std::vector<uint8_t>> bytes);
    void close();
    bool isOpen() const { return m_fmt != nullptr; }

    int titleCount() const { return static_cast<int>(m_titles.size()); }
    bool selectTitle(int title);
    int selectedTitle() const { return m_title; }
    const std::string *titleName(int title) const;
    // Selects the first title with a video stream; false when none.
    bool selectFirstVideoTitle();

    int streamCount(int kind) const;
    bool selectStream(int kind, int number);
    int selectedStream(int kind) const;
    bool streamInfo(int kind, int number, orl_stream_info *info) const;
    // Decodes the stream's first picture to complete what the container
    // leaves out.
    bool videoLook(int number, orl_video_look *look);

    const char *formatName() const;
    const char *metadata(const std::string &key);
    const uint8_t *blob(const std::string &key, int *size) const;
    uint64_t duration() const;
    // Where the file's data ends (ReadableEnd.h); the duration when the file
    // holds what it declares. Found on first request, then kept.
    uint64_t readableEnd();
    int width() const;
    int height() const;
    bool displayAspect(int *num, int *den) const;
    bool canSeek() const;

    int chapterCount() const;
    uint64_t chapterStart(int chapter) const;
    uint64_t chapterDuration(int chapter) const;
    const char *chapterTitle(int chapter);

    // What the key-frame search needs of the selected video stream; false
    // without one. Clears an earlier cancel.
    bool keyFrameQuery(KeyFrameQuery &query);
    const std::atomic<bool> &keyFrameCancel() const { return m_keyStop; }
    std::vector<uint64_t> &keyFrames() { return m_keyFrames; }

    const orl_picture *grabFrame(uint64_t timeUs, int width, int height, int format);
    void releaseFrame(const orl_picture *picture);

private:
    struct StreamRecord {
        int kind = 0;
        orl_stream_info info{};
        std::string name;
        std::string codecName;
        std::string language;
    };
    struct Title {
        std::string name;
        std::vector<int> streams[3]; // container stream indexes: video, audio, subtitle
        int programIndex = -1;       // -1: the whole file
    };

    static int interruptCallback(void *opaque);
    bool openInput(std::unique_ptr<Input> input, const std::string &probeName);
    void readStreams();
    void readTitles();
    const std::vector<int> *kindList(int kind) const;
    const AVStream *videoStream() const;
    bool prepareDecoder(int streamIndex);
    bool decodeAt(uint64_t timeUs, struct AVFrame *out, bool keyFrame = false);

    std::mutex m_mutex;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_opening{false};
    std::atomic<bool> m_keyStop{false};
    std::atomic<bool> m_cancelled{false}; // sticky: cancelAll()

    // The rest is guarded by m_mutex.
    std::unique_ptr<Input> m_input;
    bool m_headersOnly = false;
    std::string m_path;                  // empty for memory sources
    std::vector<uint64_t> m_keyFrames;   // last key-frame list handed out
    InputContextPtr m_fmt;
    std::vector<StreamRecord> m_streams; // by container index
    std::vector<Title> m_titles;
    int m_title = -1;
    int m_selected[3] = {-1, -1, -1}; // per kind, number within the title
    std::string m_text;               // last returned text
    int64_t m_readableEnd = -1;       // -1 until first asked
    CodecContextPtr m_decoder;
    int m_decoderStream = -1;
    std::map<const orl_picture *, std::unique_ptr<EncodedPicture>> m_pictures;
};

} // namespace orl
