// The command line's --edits JSON: any bytes end in an edited record or a
// message, never a crash, and what one application set, applying the same
// text again leaves as it is.
#include "EditsJson.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray json(reinterpret_cast<const char *>(data), int(size));
    VEEditConfig config;
    QString error;
    if (!applyEditsJson(json, config, &error)) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    VEEditConfig again = config;
    if (!applyEditsJson(json, again, &error) || !(again == config))
        std::abort();
    return 0;
}
