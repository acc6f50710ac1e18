#pragma once
// Runs a conversion over every item of the item list, one after the
// other: one output file per item, or all items joined into one file.
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>

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

signals:
    void emitIsStartConverter(bool bStart);
    void emitConvertedFinish(bool bSucceed);
    void seedConvertPro(uint pro, convertState state);
    void emitConvertProToCtrl(int pro);
    void emitConvertedFinishCount();

public slots:
    void OnCancelConvert();
    void UpdataConverPro(uint nPro, convertState state);
    void converterFinishCount(bool ok);

private:
    void convertItem(VoVideoConvertItem *item, bool first);
    void stopAll();
    static void progressCallback(int32_t percent, void *context, int32_t state);

    bool m_merge = false;
    QList<VoVideoConvertItem *> m_queue;
    bool m_cancelled = false;
    QString m_mergedPath;
    CAVConverter *m_merger = nullptr;
    CAVConverter *m_converter = nullptr;
    VoVideoConvertItem *m_current = nullptr;
    int m_index = 0;
};
