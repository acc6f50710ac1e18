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

} // namespace EngineSession
