/* Compiled as C: the library's header must stay usable from plain C. */
#include "orlcodec.h"

int orl_plain_c_roundtrip(void);

int orl_plain_c_roundtrip(void)
{
    orl_stream_info info = {0};
    ORL_HANDLE h = Info_Create(-1);
    int ok = h != 0 && Info_GetStreamInfo(h, ORL_STREAM_VIDEO, 0, &info) == 0;
    Info_Destroy(h);
    return ok;
}
