#include "AudioTags.h"

#include "AudioTagFile.h"
#include "TagText.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Every kind in order with the record field that fills it; kinds 8 and 10
// to 13 are never filled.
const std::string *fieldOfKind(const VEAudioTagInfo &t, int kind)
{
    switch (kind) {
    case KindTitle: return &t.title;
    case KindArtist: return &t.artist;
    case KindAlbum: return &t.album;
    case KindGenre: return &t.genre;
    case KindYear: return &t.year;
    case KindTrack: return &t.track;
    case KindComment: return &t.comment;
    case KindCopyright: return &t.copyright;
    default: return nullptr;
    }
}

bool copyContents(int from, int to)
{
    off_t in = 0;
    for (;;) {
        const ssize_t n = copy_file_range(from, &in, to, nullptr, 1 << 30, 0);
        if (n == 0)
            return true;
        if (n > 0)
            continue;
        if (errno == EINTR)
            continue;
        break;
    }
    // Not supported between these files: plain copy from where it stopped.
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = pread(from, buffer, sizeof buffer, in);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = write(to, buffer + done, size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return false;
            done += w;
        }
        in += n;
    }
}

} // namespace

void addAudioTagItems(AudioTagFile &file, const VEAudioTagInfo &tags)
{
    for (int kind = 0; kind < KindCount; ++kind) {
        if (kind == KindCover) {
            const size_t size = tags.coverSize > 0 ? std::min(size_t(tags.coverSize), tags.coverData.size()) : 0;
            if (!tags.coverData.empty() && size > 0 && size <= size_t(INT_MAX))
                file.addItem(-1, KindCover, ValueBinary, int(size), tags.coverData.data());
            continue;
        }
        const std::string *field = fieldOfKind(tags, kind);
        if (!field || field->empty())
            continue;
        std::u16string text;
        if (!tagtext::utf8ToUtf16(*field, text) || text.size() > size_t(INT_MAX / 2 - 1))
            continue; // a text that cannot be converted is skipped
        text.push_back(u'\0');
        const std::vector<uint8_t> bytes = tagtext::utf16leBytes(text);
        file.addItem(-1, kind, ValueText, int(bytes.size()), bytes.data());
    }
}

bool writeAudioTags(const std::string &path, const VEAudioTagInfo &tags)
{
    return writeAudioTagsChecked(path, tags) == TagWriteResult::Written;
}

TagWriteResult writeAudioTagsChecked(const std::string &path, const VEAudioTagInfo &tags, const std::string &typeName)
{
    return tagdetail::writeAudioTagsCheckedThrough(path, tags, nullptr, typeName);
}

bool tagdetail::writeAudioTagsThrough(const std::string &path, const VEAudioTagInfo &tags, const StreamWrapper &wrap)
{
    return writeAudioTagsCheckedThrough(path, tags, wrap) == TagWriteResult::Written;
}

TagWriteResult tagdetail::writeAudioTagsCheckedThrough(const std::string &path, const VEAudioTagInfo &tags,
                                                       const StreamWrapper &wrap, const std::string &typeName)
{
    using R = TagWriteResult;
    const std::string &named = typeName.empty() ? path : typeName;
    std::u16string path16; // what the file's type is told by
    if (!tagtext::utf8ToUtf16(named, path16))
        path16.assign(named.begin(), named.end());
    // Work on the file a link points to, so the link itself survives.
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved))
        return R::Failed;
    const std::string target = resolved;

    // A dry run on the original (nothing is saved) tells whether any block
    // would change: files no block accepts, read-only files and files with
    // nothing to write are never copied.
    auto original = FileTagStream::open(target);
    if (!original)
        return R::Failed;
    struct stat st {};
    if (fstat(original->fd(), &st) != 0)
        return R::Failed;
    {
        AudioTagFile probe;
        // A file no block takes is not an audio file the writer knows,
        // unless its name says it is one.
        if (probe.openStream(std::move(original), path16) != 0)
            return AudioTagFile::typeOfPath(path16) < 0 ? R::NothingToDo : R::Failed;
        const int before = probe.itemCount();
        probe.clearAll();
        addAudioTagItems(probe, tags);
        if (before == 0 && probe.itemCount() == 0)
            return R::NothingToDo;
    }

    const size_t slash = target.rfind('/');
    const std::string folder = target.substr(0, slash + 1);
    std::string tempPath = folder + "." + target.substr(slash + 1) + ".tags-XXXXXX";
    const int tempFd = mkstemp(tempPath.data());
    if (tempFd < 0)
        return R::Failed;
    bool keep = false;
    bool unchanged = false; // saved without a failure, and without a byte to change
    {
        const int sourceFd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
        if (sourceFd < 0 || !copyContents(sourceFd, tempFd)) {
            if (sourceFd >= 0)
                ::close(sourceFd);
            ::close(tempFd);
            unlink(tempPath.c_str());
            return R::Failed;
        }
        ::close(sourceFd);
        auto stream = std::make_unique<FileTagStream>(tempFd);
        FileTagStream *raw = stream.get();
        AudioTagFile file;
        std::unique_ptr<TagStream> edited = std::move(stream);
        if (wrap)
            edited = wrap(std::move(edited));
        if (file.openStream(std::move(edited), path16) == 0) {
            file.clearAll();
            addAudioTagItems(file, tags);
            file.save();
            keep = !file.lastSaveFailed() && file.lastSaveWrote() && raw->sync();
            unchanged = !file.lastSaveFailed() && !file.lastSaveWrote();
            if (keep) {
                fchmod(raw->fd(), st.st_mode & 07777);
                if (fchown(raw->fd(), st.st_uid, st.st_gid) != 0) {
                    // Another owner cannot be kept by an ordinary user; the
                    // tagged file then belongs to us, which is acceptable.
                }
            }
        }
        file.close();
    }
    if (!keep || rename(tempPath.c_str(), target.c_str()) != 0) {
        unlink(tempPath.c_str());
        return unchanged ? R::NothingToDo : R::Failed;
    }
    const int dirFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        ::close(dirFd);
    }
    return R::Written;
}
