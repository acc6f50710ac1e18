#pragma once
// One media item: an input file, or one segment cut from it. Holds what the
// media library found in the file, the range to convert, and the stream
// choice and edits that go into the output.
#include "CoverPicture.h"
#include "VEEditConfig.h"
#include "VEStreamInfo.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

struct OutputFormatParams;
struct ConvertJob;
class VoInfoClass;

// How an item is to be split into segments (setSplitInfo).
struct Split_Info {
    int32_t mode = 0;      // 0 none, 1 by interval, 2 equal parts, 3 by chapters
    int32_t interval = 1;  // interval count for mode 1
    int32_t inMinutes = 0; // non-zero: interval in minutes, else hours
    int32_t parts = 1;     // number of parts for mode 2
    int32_t reserved = 0;
};

struct SplitSegment {
    uint64_t start = 0;
    uint64_t end = 0; // 0 = to the end
    bool operator==(const SplitSegment &o) const { return start == o.start && end == o.end; }
};

// A chapter of the source as the file gives it; end 0 when it gives none.
struct ChapterMark {
    uint64_t start = 0;
    uint64_t end = 0;
    QString title;
};

class VoVideoConvertItem : public QObject {
    Q_OBJECT
public:
    explicit VoVideoConvertItem(QObject *parent = nullptr);
    ~VoVideoConvertItem() override;

    // Reads everything from the file. False leaves the item unusable, with
    // the reason in openError().
    // How much an open reads. Full: everything the window shows. NoCover:
    // no picture for the segment rows (grabbing one decodes video).
    // ForConversion: no cover, and stream details from the container's
    // headers where they suffice, for an item that is only converted (the
    // converter reads the file again anyway).
    enum class OpenMode { Full, NoCover, ForConversion };
    bool open(const QString &path, int titleIndex = -1, bool isDisc = false, OpenMode mode = OpenMode::Full);
    // Why the last open failed, for the user: the media library's reason or
    // what the item itself refused.
    QString openError() const { return m_openError; }
    // The file holds noticeably less than its header declares (a partial
    // download): m_duration is then where its data ends, below
    // m_declaredDuration.
    bool endsEarly() const { return m_declaredDuration > m_duration; }
    // The gap between the declared duration and the readable end below
    // which a file counts as whole: the last packets of the streams end a
    // little apart, and a declared length is rounded.
    static bool endsNoticeablyEarly(uint64_t declared, uint64_t readable);

    // A copy for a new segment: same file, information and edits; it starts
    // with the current mark set and outside the item list (m_index -1).
    VoVideoConvertItem *clone(QObject *parent = nullptr) const;

    // Fills a conversion job from the item and the output parameters; built
    // together with the converter.
    ConvertJob *assembleConvertJob(const OutputFormatParams &params) const;

    // Output-mode hooks, in the order the segment rows call them.
    void setLossless(bool lossless);
    void setFileFormat(const OutputFormatParams &params);
    // All three hooks with the given parameters.
    void applyOutputFormat(const OutputFormatParams &params);

    // Engine indexes of the stream choice: first selected entry or -1.
    int audioIndex() const;
    int subtitleIndex() const;
    uint64_t losslessAudioMask() const;
    uint64_t losslessSubtitleMask() const;

    int index() const { return m_index; }
    void setIndex(int index) { m_index = index; }

    // The cover as its encoded bytes (empty when none).
    const QByteArray &coverData() const { return m_coverData; }

public slots:
    void resetTrackData();
    void setSplitInfo(Split_Info info);

public:
    QString m_sourceFormat;
    QString m_fileSuffix;
    QString m_videoPath;
    QString m_videoName;
    int32_t m_width = 0;
    int32_t m_height = 0;
    bool m_hasVideo = true;
    bool m_hasAudio = true;
    CoverPicture m_cover;      // null when none
    QByteArray m_coverData;    // the cover's encoded bytes
    int32_t m_coverSize = 0;
    bool m_isDisc = false;
    int32_t m_titleIndex = 0;
    uint64_t m_TrimStartTime = 0;
    uint64_t m_TrimEndTime = 0;
    // The user's name for the segment (a chapter title, a part of output
    // names); empty when it has none. One line, trimmed. A clone starts
    // without one: it is a new segment.
    QString m_label;
    uint64_t m_duration = 0;
    uint64_t m_declaredDuration = 0; // what the header declares; m_duration when whole
    bool m_isCurrent = false;
    QList<QPair<QByteArray, QByteArray>> m_subtitleChoices; // UTF-8 text, path
    QStringList m_audioTrackNames;
    QList<SplitSegment> m_splitSegments;
    int32_t m_splitMode = 0;
    int32_t m_splitInterval = 1;
    bool m_splitInMinutes = false;
    int32_t m_splitParts = 1;
    int32_t m_chapterCount = 0;
    QList<ChapterMark> m_chapters; // read with the file, in the file's order
    QList<SubtitleStreamInfo> m_subtitleStreams;
    QList<AudioStreamInfo> m_audioStreams;
    QList<VideoStreamInfo> m_videoStreams;
    VEEditConfig m_editConfig;
    int32_t m_index = -1;
    // The segment's id in the work model; 0 until the model first sees it.
    // A clone is a new segment and starts without one.
    quint64 m_segmentId = 0;
    // Merged losslessly with one chapter per part: this part's title; empty
    // keeps the source's chapters.
    QString m_partChapter;

private:
    QString m_openError;
    bool readFile(VoInfoClass &info, const QString &path, int titleIndex, bool isDisc, bool withCover, bool withLook);
    void readCover(VoInfoClass &info);
    void readStreams(VoInfoClass &info, bool withLook);
    void findSubtitleFiles();
    bool setCover(const QByteArray &bytes);
};
