#include "TagStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::unique_ptr<FileTagStream> FileTagStream::open(const std::string &utf8Path)
{
    const int fd = ::open(utf8Path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<FileTagStream>(fd);
}

FileTagStream::~FileTagStream()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int64_t FileTagStream::read(void *buffer, int64_t n)
{
    int64_t done = 0;
    auto *p = static_cast<char *>(buffer);
    while (done < n) {
        const ssize_t r = ::pread(m_fd, p + done, size_t(n - done), m_position);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        done += r;
        m_position += r;
    }
    return done;
}

int64_t FileTagStream::write(const void *buffer, int64_t n)
{
    int64_t done = 0;
    const auto *p = static_cast<const char *>(buffer);
    while (done < n) {
        const ssize_t r = ::pwrite(m_fd, p + done, size_t(n - done), m_position);
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            break;
        done += r;
        m_position += r;
    }
    return done;
}

int64_t FileTagStream::size()
{
    struct stat st {};
    if (fstat(m_fd, &st) != 0)
        return -1;
    return int64_t(st.st_size);
}

bool FileTagStream::resize(int64_t n)
{
    return n >= 0 && ftruncate(m_fd, off_t(n)) == 0;
}

int64_t FileTagStream::seek(int64_t position)
{
    if (position < 0)
        return m_position;
    m_position = position;
    return m_position;
}

bool FileTagStream::sync()
{
    return fsync(m_fd) == 0;
}

int64_t MemoryTagStream::read(void *buffer, int64_t n)
{
    if (n <= 0 || m_position >= int64_t(m_data.size()))
        return 0;
    const int64_t count = std::min<int64_t>(n, int64_t(m_data.size()) - m_position);
    std::memcpy(buffer, m_data.data() + m_position, size_t(count));
    m_position += count;
    return count;
}

int64_t MemoryTagStream::write(const void *buffer, int64_t n)
{
    if (n <= 0)
        return 0;
    if (m_position + n > m_maxSize)
        return 0;
    if (m_position + n > int64_t(m_data.size()))
        m_data.resize(size_t(m_position + n));
    std::memcpy(m_data.data() + m_position, buffer, size_t(n));
    m_position += n;
    return n;
}

bool MemoryTagStream::resize(int64_t n)
{
    if (n < 0 || n > m_maxSize)
        return false;
    m_data.resize(size_t(n));
    return true;
}

int64_t MemoryTagStream::seek(int64_t position)
{
    if (position < 0 || position > m_maxSize)
        return m_position;
    m_position = position;
    return m_position;
}
