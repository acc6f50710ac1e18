#include "SubtitleFile.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace subtitles {

SubtitleFile readSubtitleBytes(const std::string &bytes, Format format)
{
    SubtitleFile file;
    file.format = format;
    if (format == Format::Unknown) {
        file.error = FileError::UnknownFormat;
        return file;
    }
    if (bytes.size() > kMaxFileBytes) {
        file.error = FileError::TooLarge;
        return file;
    }
    if (!decodeText(bytes, file.text)) {
        file.error = FileError::NotText;
        return file;
    }
    file.parsed = parse(format, file.text.utf8);
    switch (file.parsed.error) {
    case ParseError::None:
        break;
    case ParseError::NoHeader:
        file.error = FileError::NoHeader;
        break;
    case ParseError::NoEvents:
        file.error = FileError::NoEvents;
        break;
    case ParseError::NoEntries:
        file.error = FileError::NoEntries;
        break;
    }
    return file;
}

SubtitleFile readSubtitleFile(const std::string &path)
{
    SubtitleFile file;
    file.format = formatFromFileName(path);
    if (file.format == Format::Unknown) {
        file.error = FileError::UnknownFormat;
        return file;
    }
    FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) {
        file.error = FileError::CannotOpen;
        return file;
    }
    std::string bytes;
    std::vector<char> buffer(64 * 1024);
    size_t n;
    bool tooLarge = false;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), f)) > 0) {
        bytes.append(buffer.data(), n);
        if (bytes.size() > kMaxFileBytes) {
            tooLarge = true;
            break;
        }
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        file.error = FileError::CannotOpen;
        return file;
    }
    if (tooLarge) {
        file.error = FileError::TooLarge;
        return file;
    }
    return readSubtitleBytes(bytes, file.format);
}

std::string writeUtf8Copy(const SubtitleFile &file, const std::string &sourcePath, const std::string &folder)
{
    const size_t slash = sourcePath.find_last_of('/');
    const size_t dot = sourcePath.find_last_of('.');
    std::string ext = (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        ? sourcePath.substr(dot)
        : std::string(".txt");
    // The burn filter picks its reader by extension; ".webvtt" is not one it knows.
    if (file.format == Format::WebVtt)
        ext = ".vtt";
    std::string pattern = (folder.empty() ? std::string("/tmp") : folder) + "/snipwell-subtitle-XXXXXX" + ext;
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemps(name.data(), static_cast<int>(ext.size()));
    if (fd < 0)
        return std::string();
    const std::string &text = file.text.utf8;
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t w = write(fd, text.data() + done, text.size() - done);
        if (w <= 0)
            break;
        done += static_cast<size_t>(w);
    }
    close(fd);
    if (done != text.size()) {
        unlink(name.data());
        return std::string();
    }
    return std::string(name.data());
}

} // namespace subtitles
