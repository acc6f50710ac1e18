#pragma once
// Owner of one information handle of the media library. The handle is
// created with the object and closed and destroyed with it; every query
// copies the library's strings and blobs at once.
#include "MediaTypes.h"

#include <QByteArray>
#include <QString>

class VoInfoClass {
public:
    explicit VoInfoClass(int option = -1);
    ~VoInfoClass();
    VoInfoClass(const VoInfoClass &) = delete;
    VoInfoClass &operator=(const VoInfoClass &) = delete;

    bool isValid() const { return m_handle != 0; }
    MediaHandle handle() const { return m_handle; }

    bool open(const QString &path);
    bool openDisc(const QString &path);
    // Opens bytes in memory as media.
    bool openMemory(const QByteArray &bytes);
    void close();

    int titleCount() const;
    bool selectTitle(int title);
    QString titleName(int title) const;
    bool hasVideo() const;
    bool hasAudio() const;
    // kind: a MediaStream::Kind.
    int streamCount(int kind) const;
    bool selectStream(int kind, int number);
    // How the video stream at index streamIndex of the container is meant
    // to be shown; false when no video stream has that index or nothing
    // could be read. Decodes the stream's first picture: a worker's call,
    // not the window's. (The media items read the streams themselves.)
    bool videoLookOf(int streamIndex, VoVideoLook *look) const;

    QString formatName() const;
    // Null QString when the key is absent.
    QString metadata(const char *key) const;
    QByteArray metadataBlob(const char *key) const;
    uint64_t duration() const;
    // Where the file's data ends; below duration() for a partial file.
    uint64_t readableEnd() const;
    int width() const;
    int height() const;

    int chapterCount() const;
    uint64_t chapterStart(int chapter) const;
    uint64_t chapterDuration(int chapter) const;
    QString chapterTitle(int chapter) const;
    // The video's key frames; reads the whole file when it has no index.
    int keyFrameCount() const;

    // Encoded picture (JPEG unless asked otherwise); empty on failure.
    QByteArray grabFrame(uint64_t time_us, int width = 0, int height = 0,
                         int format = MediaPicture::Jpeg);
    QString lastError() const;

private:
    MediaHandle m_handle = 0;
    MediaHandle m_buffer = 0; // bytes of openMemory, kept while open
};
