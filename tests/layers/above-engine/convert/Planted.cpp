#include <orlcodec.h>
#include "Wrapper.h"

int startIt(long h)
{
    return Conv_Start(h);
}

int (*const starter)(long) = Conv_Start;

int kind = ORL_STREAM_VIDEO;
