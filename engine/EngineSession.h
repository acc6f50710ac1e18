#pragma once
// The media library's process-wide switches, for the shell: it starts the
// library once and interrupts file opens that are still loading.
#include <QString>

namespace EngineSession {

// Starts the library (network protocols on) and points its working files
// at the settings folder.
void start(const QString &workFolder);

// While set, every open that is still probing a file gives up at once;
// cleared again once the interrupted work has wound down.
void setAbortLoading(bool abort);

// Why a cut into container format (or extension) of video in codec could
// not be frame-exact, before any file is read.
enum class FrameExactObstacle { None, NoVideo, Container, Codec };
FrameExactObstacle frameExactObstacle(const QString &format, const QString &extension, const QString &codec);

} // namespace EngineSession
