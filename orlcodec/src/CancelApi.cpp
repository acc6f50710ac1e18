// The exported cancel-token family. No exception crosses into C callers.
#include "CancelToken.h"
#include "orlcodec.h"

using namespace orl;

std::shared_ptr<std::atomic<bool>> orl::findCancelFlag(ORL_HANDLE token)
{
    const std::shared_ptr<CancelObject> c = findHandleAs<CancelObject>(token);
    return c ? c->flag : nullptr;
}

extern "C" {

ORL_HANDLE Cancel_Create(void)
{
    try {
        return registerHandle(std::make_shared<CancelObject>());
    } catch (...) {
        return 0;
    }
}

void Cancel_Trigger(ORL_HANDLE token)
{
    try {
        if (const std::shared_ptr<std::atomic<bool>> flag = findCancelFlag(token))
            flag->store(true);
    } catch (...) {
    }
}

int Cancel_IsTriggered(ORL_HANDLE token)
{
    try {
        const std::shared_ptr<std::atomic<bool>> flag = findCancelFlag(token);
        return flag && flag->load() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

void Cancel_Destroy(ORL_HANDLE token)
{
    try {
        unregisterHandle(token);
    } catch (...) {
    }
}

} // extern "C"
