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
    // True from a stop until the stopped converter's last report has been
    // handled, which removes its partial file, and the stop has returned.
    // The stop announces the end of the run (emitIsStartConverter(false))
    // only after its own calls have returned, so a receiver that lets the
    // converter go then (deleteLater) does not pull it from under the stop.
    bool isStopPending() const { return m_stopPending; }
    // Why the last item failed (empty after a success or a cancel).
    QString failureText() const { return m_failureText; }

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
    void sendOutputWritten(const QString &path, const QString &cutReport);

public slots:
    void OnCancelConvert();
    void UpdataConverPro(uint nPro, convertState state);
    void converterFinishCount(bool ok);

private:
    void convertItem(VoVideoConvertItem *item, bool first);
    void stopAll();
    void reportFailure(const QString &reason);
    // Converters are never deleted while one of their calls is on the stack:
    // their waits dispatch events, and a cancel or a late report may arrive
    // in the middle. retire() parks one; reap() deletes the parked ones once
    // no call is in progress.
    void retire(std::unique_ptr<CAVConverter> &converter);
    void reap();
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
    std::unique_ptr<CAVConverter> m_merger;
    std::unique_ptr<CAVConverter> m_converter;
    std::vector<std::unique_ptr<CAVConverter>> m_retired;
    int m_callDepth = 0; // calls into converters in progress on this thread
    bool m_reaping = false; // a converter's destructor is running inside reap()
    QPointer<VoVideoConvertItem> m_current;
    int m_index = 0;
    QString m_failureText;
    bool m_stopPending = false;
    int m_cancelDepth = 0;       // OnCancelConvert is on the stack
    bool m_stopReported = false; // the stopped item's report was handled inside the stop
    OutputNamer m_namer;
    bool m_powerOffAllowed = true;
};
