// Ending an MP4/MOV file's presentation by shortening its edit lists. The
// input is the file. Whatever it holds, the trim never changes the file's
// size, a refused file is left as it was, and trimming a trimmed file to
// the same length changes nothing more.
#include "MovEditTrim.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

// A broken promise names itself before the abort that ends the run.
#define require(condition) \
    do { \
        if (!(condition)) { \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition); \
            std::abort(); \
        } \
    } while (0)

// The file lives in memory: a file descriptor with a path of its own.
struct MemoryFile {
    int fd = memfd_create("fuzz-mov", 0);
    std::string path = "/proc/self/fd/" + std::to_string(fd);
    ~MemoryFile() { close(fd); }

    void write(const std::vector<uint8_t> &bytes)
    {
        require(ftruncate(fd, 0) == 0);
        require(pwrite(fd, bytes.data(), bytes.size(), 0) == ssize_t(bytes.size()));
    }
    std::vector<uint8_t> read()
    {
        std::vector<uint8_t> bytes(size_t(lseek(fd, 0, SEEK_END)));
        require(pread(fd, bytes.data(), bytes.size(), 0) == ssize_t(bytes.size()));
        return bytes;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static MemoryFile file;
    require(file.fd >= 0);
    const std::vector<uint8_t> input(data, data + size);
    for (uint64_t length_us : {uint64_t(0), uint64_t(1000000), uint64_t(3600) * 1000000, ~uint64_t(0) / 1000000}) {
        file.write(input);
        std::string error;
        const bool trimmed = orl::trimMovPresentation(file.path, length_us, error);
        const std::vector<uint8_t> once = file.read();
        require(once.size() == input.size());
        if (!trimmed) {
            require(once == input && !error.empty());
            continue;
        }
        require(orl::trimMovPresentation(file.path, length_us, error));
        require(file.read() == once);
    }
    return 0;
}
