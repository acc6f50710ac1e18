#pragma once
// A cancel that belongs to the caller of a long call: made before the call,
// triggered from any thread, never cleared by the library, so a cancel that
// comes before the work begins is not lost.
#include "Handles.h"

#include <atomic>
#include <memory>

namespace orl {

class CancelObject final : public EngineObject {
public:
    CancelObject() : EngineObject(HandleKind::Cancel), flag(std::make_shared<std::atomic<bool>>(false)) {}

    // Shared with every run that watches it, so a token destroyed while a
    // run still looks at it stays readable. The pointer is immutable; the
    // flag is atomic and only ever set.
    const std::shared_ptr<std::atomic<bool>> flag;
};

// The flag of a token handle; null for 0 or a handle that is no token.
std::shared_ptr<std::atomic<bool>> findCancelFlag(ORL_HANDLE token);

} // namespace orl
