#pragma once
// The library of sound effects: equaliser curves and playback rates, one entry per
// "config.xml" below the application folder's "/AudioEffects/".
#include "QEffectLibrary.h"

class QAudioEffectManager : public QEffectLibrary {
    Q_OBJECT
public:
    explicit QAudioEffectManager(QObject *parent = nullptr);
    // The library of another folder (content beside the installed one).
    explicit QAudioEffectManager(const QString &folder, QObject *parent = nullptr);
    static QString defaultFolder();
    // The "config.xml" files found, in the order they were read.
    const QStringList &configPaths() const { return m_configPaths; }

private:
    QStringList m_configPaths;
};
