#include "EngineHandle.h"

#include "orlcodec.h"

namespace {

void releaseParams(MediaHandle p)
{
    Param_Release(p);
}

void destroyTrack(MediaHandle t)
{
    Track_Destroy(t);
}

void closeMerger(MediaHandle m)
{
    Merge_Close(m);
    Merge_Destroy(m);
}

void closeConverter(MediaHandle c)
{
    Conv_Close(c);
    Conv_Destroy(c);
}

} // namespace

EngineHandle EngineHandle::params(MediaHandle h)
{
    return EngineHandle(h, &releaseParams);
}

EngineHandle EngineHandle::track(MediaHandle h)
{
    return EngineHandle(h, &destroyTrack);
}

EngineHandle EngineHandle::merger(MediaHandle h)
{
    return EngineHandle(h, &closeMerger);
}

EngineHandle EngineHandle::converter(MediaHandle h)
{
    return EngineHandle(h, &closeConverter);
}
