// The engine's sources may include and call the media library.
#include <orlcodec.h>
#include "Wrapper.h"

int startWrapped(long h)
{
    return Conv_Start(h);
}
