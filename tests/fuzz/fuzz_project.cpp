// Project files as users' disks hold them: any bytes end in a project or
// a message, and a project that was read is written and read back to the
// same document (what is written once is written the same way again).
#include "ProjectFile.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    Project project;
    QString error;
    if (!ProjectFile::parse(bytes, &project, &error)) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    const QByteArray written = ProjectFile::serialize(project);
    Project again;
    if (!ProjectFile::parse(written, &again, &error))
        std::abort();
    if (ProjectFile::serialize(again) != written)
        std::abort();
    return 0;
}
