#include "PartialOutput.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kSuffix[] = ".partial";
constexpr size_t kSuffixLength = sizeof kSuffix - 1;

std::mutex &inUseMutex()
{
    static std::mutex mutex;
    return mutex;
}

// Temporaries this process is writing; guarded by inUseMutex().
std::multiset<std::string> &inUse()
{
    static std::multiset<std::string> paths;
    return paths;
}

std::string folderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : slash == 0 ? std::string("/") : path.substr(0, slash);
}

// One spelling per file, whatever the path it was named by ("a//b",
// links, relative folders): the resolved folder and the name.
std::string canonical(const std::string &path)
{
    char resolved[PATH_MAX];
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (!::realpath(folderOf(path).c_str(), resolved))
        return path;
    return std::string(resolved) + "/" + name;
}

// Creates the temporary (empty) when it is not there yet and locks it; the
// media library later opens the same file, which keeps the lock. -1 when
// it cannot be made (the conversion then reports why it cannot write).
int lockPartial(const std::string &path)
{
    // Another process's sweep may remove the file between our open and our
    // lock: the lock counts only on the file that still has the name.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return -1;
        struct stat held, named;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0
            && held.st_ino == named.st_ino && held.st_dev == named.st_dev)
            return fd;
        ::close(fd);
    }
    return -1;
}

// Whether another process holds the temporary: removing it would pull the
// file from under a conversion that is still running.
bool isLockedElsewhere(const std::string &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd); // releases the lock taken just now, if any
    return locked;
}

bool isInUse(const std::string &path)
{
    const std::string key = canonical(path);
    std::lock_guard<std::mutex> lock(inUseMutex());
    return inUse().count(key) > 0;
}

// Flushes a file's data, or a folder's entries, to the disk.
bool syncPath(const std::string &path, bool folder)
{
    const int fd = ::open(path.c_str(), (folder ? O_RDONLY | O_DIRECTORY : O_RDONLY) | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = (folder ? ::fsync(fd) : ::fdatasync(fd)) == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
}

// "name(n).ext" for n = 1, 2, ...
std::string numbered(const std::string &path, int n)
{
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    const std::string stem = hasExtension ? path.substr(0, dot) : path;
    const std::string extension = hasExtension ? path.substr(dot) : std::string();
    return stem + "(" + std::to_string(n) + ")" + extension;
}

// rename() that fails with EEXIST instead of replacing a file.
int renameNoReplace(const std::string &from, const std::string &to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    // A file system without the flag: a hard link cannot replace either.
    if (::link(from.c_str(), to.c_str()) != 0)
        return -1;
    ::unlink(from.c_str());
    return 0;
}

} // namespace

std::string partialPathFor(const std::string &finalPath)
{
    const size_t slash = finalPath.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : finalPath.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? finalPath : finalPath.substr(slash + 1);
    return folder + "." + name + kSuffix;
}

bool isPartialName(const std::string &fileName)
{
    return fileName.size() > 1 + kSuffixLength && fileName[0] == '.'
        && fileName.compare(fileName.size() - kSuffixLength, kSuffixLength, kSuffix) == 0;
}

bool publishPartial(const std::string &partialPath, std::string &finalPath, std::string &error)
{
    // The data reaches the disk before the name does: after a power loss
    // the final name holds the whole file or does not exist.
    if (!syncPath(partialPath, false)) {
        error = std::string("the finished file could not be written to the disk: ") + std::strerror(errno);
        discardPartial(partialPath);
        return false;
    }
    std::string target = finalPath;
    for (int n = 1; renameNoReplace(partialPath, target) != 0; ++n) {
        if (errno != EEXIST || n > 1000) {
            error = "the finished file could not be given its name " + target + ": " + std::strerror(errno);
            discardPartial(partialPath);
            return false;
        }
        target = numbered(finalPath, n);
    }
    syncPath(folderOf(target), true);
    finalPath = target;
    return true;
}

void discardPartial(const std::string &partialPath)
{
    struct stat st;
    if (!partialPath.empty() && ::lstat(partialPath.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        ::unlink(partialPath.c_str());
}

PartialInUse::PartialInUse(const std::string &partialPath)
{
    reset(partialPath);
}

PartialInUse::~PartialInUse()
{
    reset();
}

void PartialInUse::reset(const std::string &partialPath)
{
    const std::string key = partialPath.empty() ? std::string() : canonical(partialPath);
    std::lock_guard<std::mutex> lock(inUseMutex());
    if (!m_path.empty()) {
        auto it = inUse().find(m_path);
        if (it != inUse().end())
            inUse().erase(it);
    }
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
    }
    m_path = key;
    if (!m_path.empty()) {
        inUse().insert(m_path);
        m_lockFd = lockPartial(partialPath);
    }
}

PartialWriteback::PartialWriteback(const std::string &partialPath)
    : m_fd(partialPath.empty() ? -1 : ::open(partialPath.c_str(), O_RDONLY | O_CLOEXEC))
{
}

PartialWriteback::~PartialWriteback()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void PartialWriteback::push()
{
    if (m_fd >= 0)
        ::sync_file_range(m_fd, 0, 0, SYNC_FILE_RANGE_WRITE);
}

int removeStalePartials(const std::string &folder)
{
    int removed = 0;
    const auto sweep = [&](const std::string &dir, bool descend, const auto &self) -> void {
        DIR *d = ::opendir(dir.c_str());
        if (!d)
            return;
        while (const dirent *entry = ::readdir(d)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            const std::string path = dir + "/" + name;
            struct stat st;
            if (::lstat(path.c_str(), &st) != 0)
                continue;
            if (S_ISDIR(st.st_mode)) {
                if (descend && name[0] != '.')
                    self(path, false, self);
                continue;
            }
            if (S_ISREG(st.st_mode) && isPartialName(name) && !isInUse(path) && !isLockedElsewhere(path)
                && ::unlink(path.c_str()) == 0)
                ++removed;
        }
        ::closedir(d);
    };
    std::string root = folder;
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    if (!root.empty())
        sweep(root, true, sweep);
    return removed;
}
