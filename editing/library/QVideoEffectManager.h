#pragma once
// The library of video effects: animated overlays drawn over the whole picture, one entry per
// "config.xml" below the application folder's "/VideoEffects/".
#include "QEffectLibrary.h"

class QVideoEffectManager : public QEffectLibrary {
    Q_OBJECT
public:
    explicit QVideoEffectManager(QObject *parent = nullptr);
    // The library of another folder (content beside the installed one).
    explicit QVideoEffectManager(const QString &folder, QObject *parent = nullptr);
    static QString defaultFolder();
};
