#pragma once
// The library of frames: borders drawn over the whole picture, one entry per
// "config.xml" below the application folder's "/VideoFrames/".
#include "QEffectLibrary.h"

class QFrameChunkManager : public QEffectLibrary {
    Q_OBJECT
public:
    explicit QFrameChunkManager(QObject *parent = nullptr);
    // The library of another folder (content beside the installed one).
    explicit QFrameChunkManager(const QString &folder, QObject *parent = nullptr);
    static QString defaultFolder();
};
