#pragma once
// Holder of the player of the file being worked on. The player panel
// borrows the handle and never releases it; deleting the holder does.
#include "VoPlayerClass.h"

#include <QObject>

class QPlayObject : public QObject {
    Q_OBJECT
public:
    explicit QPlayObject(QObject *parent = nullptr);

    // Releases any previous player, creates a new one and opens path.
    bool open(const QString &path);
    ORL_HANDLE playerHandle() const { return m_player.handle(); }
    // The path of the last successful open.
    QString path() const { return m_path; }
    // True when the file plays on the wall clock because no audio
    // device opened.
    bool audioOutputFailed() const { return m_player.audioOutputFailed(); }
    // Why the last open failed.
    QString lastError() const { return m_player.lastError(); }

private:
    VoPlayerClass m_player;
    QString m_path;
};
