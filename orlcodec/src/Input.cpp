#include "Input.h"

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

namespace orl {

namespace {

constexpr int kBufferSize = 64 * 1024;
constexpr int kPollSliceMs = 20;

class FileInput final : public Input {
public:
    FileInput(int fd, bool regular, bool fifo, int64_t size, const AVIOInterruptCB &interrupt)
        : m_fd(fd), m_regular(regular), m_fifo(fifo), m_size(size), m_interrupt(interrupt)
    {
    }
    ~FileInput() override
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool init() { return createContext(m_regular); }

protected:
    int read(uint8_t *buf, int size) override
    {
        for (;;) {
            if (m_interrupt.callback && m_interrupt.callback(m_interrupt.opaque))
                return AVERROR_EXIT;
            const ssize_t n = ::read(m_fd, buf, static_cast<size_t>(size));
            if (n > 0)
                return static_cast<int>(n);
            if (n == 0 && m_fifo) {
                // A pipe reads empty both before its writer comes and after
                // it has gone; only the latter (a hang-up) is the end.
                pollfd p{m_fd, POLLIN, 0};
                const int ready = ::poll(&p, 1, kPollSliceMs);
                if (ready > 0 && (p.revents & POLLHUP) && !(p.revents & POLLIN))
                    return AVERROR_EOF;
                continue;
            }
            if (n == 0)
                return AVERROR_EOF;
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                pollfd p{m_fd, POLLIN, 0};
                ::poll(&p, 1, kPollSliceMs);
                continue;
            }
            return AVERROR(errno);
        }
    }

    int64_t seek(int64_t offset, int whence) override
    {
        if (whence & AVSEEK_SIZE) {
            if (!m_regular)
                return AVERROR(ENOSYS);
            struct stat st;
            if (::fstat(m_fd, &st) == 0)
                m_size = st.st_size;
            return m_size;
        }
        if (!m_regular)
            return AVERROR(ESPIPE);
        whence &= ~AVSEEK_FORCE;
        const off_t pos = ::lseek(m_fd, static_cast<off_t>(offset), whence);
        return pos < 0 ? AVERROR(errno) : static_cast<int64_t>(pos);
    }

private:
    int m_fd;
    bool m_regular;
    bool m_fifo;
    int64_t m_size;
    AVIOInterruptCB m_interrupt;
};

class MemoryInput final : public Input {
public:
    explicit MemoryInput(std::shared_ptr<const std::vector<uint8_t>> bytes)
        : m_bytes(std::move(bytes))
    {
    }
    bool init() { return createContext(true); }

protected:
    int read(uint8_t *buf, int size) override
    {
        const int64_t total = static_cast<int64_t>(m_bytes->size());
        if (m_pos >= total)
            return AVERROR_EOF;
        const int64_t n = std::min<int64_t>(size, total - m_pos);
        std::memcpy(buf, m_bytes->data() + m_pos, static_cast<size_t>(n));
        m_pos += n;
        return static_cast<int>(n);
    }

    int64_t seek(int64_t offset, int whence) override
    {
        const int64_t total = static_cast<int64_t>(m_bytes->size());
        if (whence & AVSEEK_SIZE)
            return total;
        int64_t base = 0;
        switch (whence & ~AVSEEK_FORCE) {
        case SEEK_SET: base = 0; break;
        case SEEK_CUR: base = m_pos; break;
        case SEEK_END: base = total; break;
        default: return AVERROR(EINVAL);
        }
        const int64_t target = base + offset;
        if (target < 0 || target > total)
            return AVERROR(EINVAL);
        m_pos = target;
        return m_pos;
    }

private:
    std::shared_ptr<const std::vector<uint8_t>> m_bytes;
    int64_t m_pos = 0;
};

} // namespace

Input::~Input()
{
    if (m_avio) {
        av_freep(&m_avio->buffer);
        avio_context_free(&m_avio);
    }
}

bool Input::createContext(bool seekable)
{
    auto *buffer = static_cast<unsigned char *>(av_malloc(kBufferSize));
    if (!buffer)
        return false;
    m_avio = avio_alloc_context(buffer, kBufferSize, 0, this, &Input::readThunk,
                                nullptr, seekable ? &Input::seekThunk : nullptr);
    if (!m_avio) {
        av_free(buffer);
        return false;
    }
    m_seekable = seekable;
    m_avio->seekable = seekable ? AVIO_SEEKABLE_NORMAL : 0;
    return true;
}

int Input::readThunk(void *opaque, uint8_t *buf, int size)
{
    return static_cast<Input *>(opaque)->read(buf, size);
}

int64_t Input::seekThunk(void *opaque, int64_t offset, int whence)
{
    return static_cast<Input *>(opaque)->seek(offset, whence);
}

std::unique_ptr<Input> openFileInput(const std::string &path, const AVIOInterruptCB &interrupt,
                                     std::string &error)
{
    if (path.empty()) {
        error = "empty path";
        return nullptr;
    }
    // O_NONBLOCK also keeps open(2) of a FIFO without writer from blocking.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        error = path + ": " + std::strerror(errno);
        return nullptr;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        error = path + ": " + std::strerror(errno);
        ::close(fd);
        return nullptr;
    }
    if (S_ISDIR(st.st_mode)) {
        error = path + ": is a folder";
        ::close(fd);
        return nullptr;
    }
    const bool regular = S_ISREG(st.st_mode);
    if (regular && st.st_size == 0) {
        error = path + ": file is empty";
        ::close(fd);
        return nullptr;
    }
    auto input = std::make_unique<FileInput>(fd, regular, S_ISFIFO(st.st_mode), regular ? st.st_size : -1, interrupt);
    if (!input->init()) {
        error = "out of memory";
        return nullptr;
    }
    return input;
}

std::unique_ptr<Input> openMemoryInput(std::shared_ptr<const std::vector<uint8_t>> bytes,
                                       std::string &error)
{
    if (!bytes || bytes->empty()) {
        error = "empty buffer";
        return nullptr;
    }
    auto input = std::make_unique<MemoryInput>(std::move(bytes));
    if (!input->init()) {
        error = "out of memory";
        return nullptr;
    }
    return input;
}

} // namespace orl
