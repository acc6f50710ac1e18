#pragma once
// Owner of one subtitle-file handle of the media library: a subtitle stream
// of a source written to a file of its own (SRT or ASS for text, SUP for
// PGS, Matroska subtitles for other pictures). write() blocks while the
// source is read and belongs on a worker; cancel() may come from any thread.
#include "MediaTypes.h"

#include <QString>
#include <QVector>
#include <cstdint>

class VoSubtitleFiles {
public:
    // The library's values (VoSubtitleFiles.cpp checks them).
    enum Kind { None = 0, Srt = 1, Ass = 2, Sup = 3, Mks = 4 };
    struct Range {
        uint64_t start_us = 0;
        uint64_t end_us = 0;
    };

    VoSubtitleFiles();
    ~VoSubtitleFiles();
    VoSubtitleFiles(const VoSubtitleFiles &) = delete;
    VoSubtitleFiles &operator=(const VoSubtitleFiles &) = delete;

    struct Stream {
        int index = 0;    // in the source
        int kind = None;  // written as by default; None: it cannot be
        QString language; // the source's tag ("eng"); empty when none
        QString codec;
    };
    // The subtitle streams of source; false when it cannot be read.
    bool streams(const QString &source, QVector<Stream> &out);
    // Writes stream into out as kind (None: its default), only the ranges
    // when any are given, placed as a cut of them joined in order.
    bool write(const QString &source, int stream, int kind, const QVector<Range> &ranges, const QString &out);
    void cancel();
    QString errorText() const { return m_error; }

    // "srt", "ass", "sup" or "mks".
    static QString extension(int kind);

private:
    MediaHandle m_handle = 0;
    QString m_error;
};
