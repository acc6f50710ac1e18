#include "VoCancelToken.h"

#include "orlcodec.h"

VoCancelToken::VoCancelToken() : m_handle(Cancel_Create()) {}

VoCancelToken::~VoCancelToken()
{
    Cancel_Destroy(m_handle);
}

void VoCancelToken::trigger()
{
    Cancel_Trigger(m_handle);
}

bool VoCancelToken::isTriggered() const
{
    return Cancel_IsTriggered(m_handle) == 1;
}
