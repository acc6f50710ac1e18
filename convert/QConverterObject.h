#pragma once
// Runs a conversion over the segments of a run description, one after the
// other: one output file per segment, or all segments joined into one file.
// The description is copied in at the start and is all the run reads: no
// item list, output parameters or settings are looked at until it ends.
#include "ConversionRun.h"
#include "MediaConversion.h"

#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class CAVConverter;

// States a converter reports.
enum convertState {
    convertCancelled = 1,
    convertFinished = 2,
    convertStarting = 3,
    convertOpenFailed = 4,
    convertProgress = 5,
};
Q_DECLARE_METATYPE(convertState)

class QConverterObject : public QObject {
    Q_OBJECT
public:
    explicit QConverterObject(QObject *parent = nullptr);
    ~QConverterObject() override;

    // Starts the run; nothing happens for a run without segments.
    void startConvert(ConversionRun run);
    // The run under way (or the last one).
    const ConversionRun &run() const { return m_run; }
    // True from a stop until the stopped item's last report has been
    // handled (which removes its partial file). The stop ends there and
    // announces the end of the run then (emitIsStartConverter(false)),
    // from an event of its own, so a receiver may let this object go.
    bool isStopPending() const { return m_stopPending; }
    // Why the last item failed (empty after a success or a cancel).
    QString failureText() const { return m_failureText; }
    // When the last failure was a lossless merge of files that do not join:
    // what differs ("b.mp4: audio 44.1 kHz, others 48 kHz"); empty otherwise.
    QString misfitReport() const { return m_misfitReport; }
    // The same file by file, with the kinds of stream that differ; empty
    // when the engine named no file.
    const std::vector<MediaMerge::Misfit> &misfits() const { return m_misfits; }
    // How each segment went into the merged file announced last by
    // sendOutputWritten, in order.
    const std::vector<MediaMerge::RangeWay> &mergedWays() const { return m_mergedWays; }

    // The user's sentence for an engine error that says an output failed
    // its check (path: the output); empty for any other error.
    static QString checkFailureText(const QString &path, const QString &engineError);

    // "0:00:41.2": a source time as the notes show it.
    static QString noteTime(uint64_t us);


signals:
    void emitIsStartConverter(bool bStart);
    void emitConvertedFinish(bool bSucceed);
    void seedConvertPro(uint pro, convertState state);
    void emitConvertProToCtrl(int pro);
    void emitConvertedFinishCount();
    // Why an item failed, for the failure message (sent before its
    // emitConvertedFinish (false); never for a cancel).
    void sendFailureReason(const QString &reason);
    // Something the user should know about a finished item ("The source
    // ends at 0:00:41.2; the segment was cut there.").
    void sendConvertNote(const QString &note);
    // A finished output under its final name, with how it was cut (the
    // frame-exact report; empty when nothing was asked).
    // check is its check's result: "passed" (or empty when none ran).
    void sendOutputWritten(const QString &path, const QString &cutReport, const QString &check);
    // An output that failed its check (and was not kept): the engine's
    // reason and the sentence the user reads. sendFailureReason follows.
    void sendOutputFailedCheck(const QString &path, const QString &check, const QString &text);
    // Every segment of the run was written and nothing was cancelled: the
    // moment the window turns the computer off when the user asked for it.
    void runCompleted();

public slots:
    void OnCancelConvert();
    void UpdataConverPro(uint nPro, convertState state);
    void converterFinishCount(bool ok);

private:
    void convertSegment(int position);
    void handleEnd(bool ok);
    void stopAll();
    void reportFailure(const QString &reason);
    static void progressCallback(int32_t percent, void *context, int32_t state);

    // The run's own copy of its work: nothing else is read while it goes.
    ConversionRun m_run;
    bool m_severalSources = false; // the run's segments come from more than one file
    bool m_merge = false;
    // The segment being converted; m_total once the run is over (or its
    // rest was dropped by a failure or a stop).
    int m_position = 0;
    int m_total = 0; // segments of the run, for the progress shares
    bool m_cancelled = false; // a cancel of this run; cleared when the next begins
    QString m_mergedPath;
    // Threads: everything here is the interface thread's. The converters'
    // workers reach this object only through seedConvertPro, which their
    // callback emits and a queued connection delivers.
    std::unique_ptr<CAVConverter> m_merger;
    std::unique_ptr<CAVConverter> m_converter;
    int m_index = 0;
    // The output written last (or about to be): a failure removes it.
    QString m_lastOutput;
    QString m_failureText;
    QString m_misfitReport;
    std::vector<MediaMerge::Misfit> m_misfits;
    std::vector<MediaMerge::RangeWay> m_mergedWays;
    // An item's end (emitConvertedFinish) is on its way: its converter runs
    // or its failure was announced.
    bool m_itemInFlight = false;
    bool m_stopPending = false;
};
