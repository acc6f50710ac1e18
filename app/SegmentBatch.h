#pragma once
// The current file's segments applied to other files: each file is opened
// off the interface thread, the segments are fitted to its length and the
// window's converter writes them under the window's naming rule, one file
// after another. Stop ends the file being converted and leaves nothing
// half-written. The output parameters and folder are taken when the batch
// is made; each file becomes a run description of its own, so the window's
// settings are neither read later nor changed.
#include "OutputFormatParams.h"
#include "VEEditConfig.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>
#include <cstdint>
#include <memory>

class QConverterObject;
class VoVideoConvertItem;

class SegmentBatch : public QObject {
    Q_OBJECT
public:
    // What one segment of the current file carries to the others.
    struct Segment {
        uint64_t start_us = 0;
        uint64_t end_us = 0; // 0: to the end
        VEEditConfig edits;
        QString partChapter;
    };
    // How one file went.
    struct Result {
        QString path;
        bool ok = false;
        bool stopped = false;
        int outputs = 0;
        QStringList written; // the outputs' paths, failed or not
        QStringList notes; // clipped segments, sources ending early
        QString reason;    // why it failed
    };

    // root: the output folder, ending with '/'.
    SegmentBatch(QList<Segment> segments, bool merge, const OutputFormatParams &params, const QString &root,
                 QObject *parent = nullptr);
    ~SegmentBatch() override;

    void start(const QStringList &files);
    void stop();
    bool isRunning() const { return m_running; }
    const QList<Result> &results() const { return m_results; }

signals:
    // index from 0.
    void fileStarted(int index, int count, const QString &path);
    // The whole run in percent.
    void progressChanged(int percent);
    void fileDone(int index, const SegmentBatch::Result &result);
    void finished(bool stopped);

private:
    void openNext();
    void opened(VoVideoConvertItem *source, const QString &reason);
    void convert(VoVideoConvertItem *source);
    void makeConverter();
    void converterEnded();
    void finishFile();
    void finishRun();

    QList<Segment> m_segments;
    bool m_merge = false;
    OutputFormatParams m_params;
    QString m_root;
    QStringList m_files;
    int m_index = -1;
    bool m_running = false;
    bool m_stopping = false;
    QList<Result> m_results;
    Result m_current;
    QThread *m_opener = nullptr;
    std::unique_ptr<VoVideoConvertItem> m_source;
    // One converter for the whole run, deleted only with the run (never in
    // answer to one of its own signals, which it emits from its slots).
    std::unique_ptr<QConverterObject> m_converter;
    bool m_converting = false; // a file's segments are with the converter
    bool m_failed = false; // the current file's conversion reported a failure
};

Q_DECLARE_METATYPE(SegmentBatch::Result)
