#include "EngineSession.h"

#include "orlcodec.h"

namespace EngineSession {

void start(const QString &workFolder)
{
    Engine_Startup(1, 1);
    Engine_SetWorkFolder(workFolder.toUtf8().constData());
}

void setAbortLoading(bool abort)
{
    Engine_SetAbortLoading(abort ? 1 : 0);
}

FrameExactObstacle frameExactObstacle(const QString &format, const QString &extension, const QString &codec)
{
    switch (Conv_FrameExactObstacle(format.toUtf8().constData(), extension.toUtf8().constData(),
                                    codec.toUtf8().constData())) {
    case ORL_EXACT_POSSIBLE:
        return FrameExactObstacle::None;
    case ORL_EXACT_NO_VIDEO:
        return FrameExactObstacle::NoVideo;
    case ORL_EXACT_CONTAINER:
        return FrameExactObstacle::Container;
    case ORL_EXACT_CODEC:
        return FrameExactObstacle::Codec;
    default:
        return FrameExactObstacle::NoVideo;
    }
}

} // namespace EngineSession
