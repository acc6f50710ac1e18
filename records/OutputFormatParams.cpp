#include "OutputFormatParams.h"

OutputFormatParams &OutputFormatParams::instance()
{
    // Never freed: readers may run during static destruction of other parts.
    static OutputFormatParams *params = new OutputFormatParams();
    return *params;
}
