#pragma once
// Media information for the editing dialog: tags, the chapter list and the
// cover picture of one file.
#include "VEAudioTagInfo.h"
#include "VEEditConfig.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class VoInfoClass;

class VoInfoManager : public QObject {
    Q_OBJECT
public:
    explicit VoInfoManager(QObject *parent = nullptr);
    ~VoInfoManager() override;

    bool open(const QString &path, bool isDisc, int titleIndex);
    VEAudioTagInfo tags() const;
    std::vector<ChapterEntry> chapters() const;
    // The cover picture, else a frame at 0 for video; scaled to size.
    QImage cover(int size) const;

    // "%1:%2:%3" of a time in microseconds.
    static QString formatTime(uint64_t us);
    // The cover scaling: shorter side down to size, in two steps when the
    // picture is far larger.
    static QImage scaleCover(const QImage &image, int size);

private:
    QString m_path;
    std::unique_ptr<VoInfoClass> m_info; // created on demand
};
