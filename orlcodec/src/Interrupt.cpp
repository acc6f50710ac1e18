#include "Interrupt.h"

#include "Engine.h"

namespace orl {

InterruptCheck engineInterrupt()
{
    return [] { return globalInterrupt(); };
}

int interruptFlagsCallback(void *opaque)
{
    return static_cast<const InterruptFlags *>(opaque)->check() ? 1 : 0;
}

} // namespace orl
