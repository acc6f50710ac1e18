#pragma once
// Runs a conversion over every item of the item list, one after the
// other: one output file per item, or all items joined into one file.
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CAVConverter;
class VoVideoConvertItem;

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

    void startConvert(bool merge);
    // The same over items the caller owns instead of the window's item
    // list (segments applied to other files); they must outlive the run.
    void startConvert(bool merge, const QList<VoVideoConvertItem *> &items);
    // A merge writes one chapter per segment, titled with its label or
    // "Segment N", instead of the chapters of the sources.
    void setSegmentChapters(bool on) { m_segmentChapters = on; }
    // True from a stop until the stopped item's last report has been
    // handled (which removes its partial file). The stop ends there and
    // announces the end of the run then (emitIsStartConverter(false)),
    // from an event of its own, so a receiver may let this object go.
    bool isStopPending() const { return m_stopPending; }
    // Why the last item failed (empty after a success or a cancel).
    QString failureText() const { return m_failureText; }

    // The user's sentence for an engine error that says an output failed
    // its check (path: the output); empty for any other error.
    static QString checkFailureText(const QString &path, const QString &engineError);

    // "0:00:41.2": a source time as the notes show it.
    static QString noteTime(uint64_t us);

    // Names the output of the item at position (from 0) of the run, or of
    // the merged file (the first item); without one the window's rule
    // (a folder per source, base_N.ext) names them.
    using OutputNamer = std::function<QString(const VoVideoConvertItem &item, int position)>;
    void setOutputNamer(OutputNamer namer) { m_namer = std::move(namer); }
    // The window honours the user's "turn the computer off when done"; a
    // command run from a script must not.
    void setPowerOffAllowed(bool allowed) { m_powerOffAllowed = allowed; }

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

public slots:
    void OnCancelConvert();
    void UpdataConverPro(uint nPro, convertState state);
    void converterFinishCount(bool ok);

private:
    void convertItem(VoVideoConvertItem *item, bool first);
    void handleEnd(bool ok);
    void stopAll();
    void reportFailure(const QString &reason);
    static void progressCallback(int32_t percent, void *context, int32_t state);

    // Leaves out queued items that were deleted since the run began; how many.
    int dropRemovedItems();

    bool m_merge = false;
    bool m_segmentChapters = false;
    // The items still to convert, the one converting first. An item the
    // user removes meanwhile turns null here and is skipped; the one being
    // converted needs nothing of its item after the start.
    QList<QPointer<VoVideoConvertItem>> m_queue;
    int m_total = 0; // items the run began with, for the progress shares
    bool m_cancelled = false; // a cancel of this run; cleared when the next begins
    QString m_mergedPath;
    // Threads: everything here is the interface thread's. The converters'
    // workers reach this object only through seedConvertPro, which their
    // callback emits and a queued connection delivers.
    std::unique_ptr<CAVConverter> m_merger;
    std::unique_ptr<CAVConverter> m_converter;
    QPointer<VoVideoConvertItem> m_current;
    int m_index = 0;
    QString m_failureText;
    // An item's end (emitConvertedFinish) is on its way: its converter runs
    // or its failure was announced.
    bool m_itemInFlight = false;
    bool m_stopPending = false;
    OutputNamer m_namer;
    bool m_powerOffAllowed = true;
};
