#include "CutList.h"

#include "CutListFormats.h"
#include "CutListText.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numeric>

namespace cutlist {

namespace formats {

ReadResult readFault(ErrorKind kind, std::size_t where, std::string_view text)
{
    ReadResult result;
    result.error = Error{kind, where, std::string(text)};
    return result;
}

WriteResult writeFault(ErrorKind kind, std::size_t where, std::string_view text)
{
    WriteResult result;
    result.error = Error{kind, where, std::string(text)};
    return result;
}

} // namespace formats

std::optional<Format> formatForFileName(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    const std::size_t slash = fileName.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::nullopt;
    const std::string_view suffix = fileName.substr(dot + 1);
    for (const Format format : {Format::Csv, Format::Tsv, Format::ChapterText, Format::Edl, Format::Cue}) {
        const std::string_view known = suffixOf(format);
        if (suffix.size() == known.size() && text::startsWithNoCase(suffix, known))
            return format;
    }
    return std::nullopt;
}

const char *suffixOf(Format format)
{
    switch (format) {
    case Format::Csv:
        return "csv";
    case Format::Tsv:
        return "tsv";
    case Format::ChapterText:
        return "txt";
    case Format::Edl:
        return "edl";
    case Format::Cue:
        return "cue";
    }
    return "";
}

std::string describe(const Error &error)
{
    const char *what = "";
    switch (error.kind) {
    case ErrorKind::None:
        return "no error";
    case ErrorKind::NotText:
        what = "not a text file";
        break;
    case ErrorKind::Empty:
        what = "no segments";
        break;
    case ErrorKind::BadTime:
        what = "not a time";
        break;
    case ErrorKind::NegativeTime:
        what = "a negative time";
        break;
    case ErrorKind::TimeTooLarge:
        what = "a time too large";
        break;
    case ErrorKind::EndNotAfterStart:
        what = "the end is not after the start";
        break;
    case ErrorKind::MissingStart:
        what = "no start time";
        break;
    case ErrorKind::TooManyFields:
        what = "more than start, end and label";
        break;
    case ErrorKind::BadQuote:
        what = "an unclosed quote or text after a closing quote";
        break;
    case ErrorKind::NotInOrder:
        what = "not after the one before";
        break;
    case ErrorKind::PastEnd:
        what = "starts at or after the end of the file";
        break;
    case ErrorKind::Unrecognised:
        what = "not understood";
        break;
    case ErrorKind::BadTimecode:
        what = "not a timecode at this frame rate";
        break;
    case ErrorKind::BadFrameRate:
        what = "the frame rate cannot count these timecodes";
        break;
    case ErrorKind::MissingIndex:
        what = "a track without INDEX 01";
        break;
    case ErrorKind::SecondFile:
        what = "a second FILE";
        break;
    case ErrorKind::FirstNotAtZero:
        what = "the first chapter must start at 0:00";
        break;
    case ErrorKind::Gap:
        what = "a gap before the next segment";
        break;
    case ErrorKind::LastNotAtEnd:
        what = "the last segment ends before the end of the file";
        break;
    case ErrorKind::LineBreakInLabel:
        what = "a line break in a label";
        break;
    case ErrorKind::OpenEnd:
        what = "open to the end of a file of unknown duration";
        break;
    case ErrorKind::TooMany:
        what = "more segments than the format numbers";
        break;
    case ErrorKind::CannotOpen:
        what = "cannot open the file";
        break;
    case ErrorKind::CannotWrite:
        what = "cannot write the file";
        break;
    case ErrorKind::TooLarge:
        what = "the file is too large for a cut list";
        break;
    }
    std::string out = error.where ? "at " + std::to_string(error.where) + ": " : std::string();
    out += what;
    if (!error.text.empty())
        out += " (" + error.text + ")";
    return out;
}

ReadResult read(Format format, std::string_view bytes, const ReadOptions &options)
{
    if (bytes.size() > kMaxFileBytes)
        return formats::readFault(ErrorKind::TooLarge, 0);
    std::string utf8;
    if (!text::decode(bytes, utf8))
        return formats::readFault(ErrorKind::NotText, 0);
    switch (format) {
    case Format::Csv:
        return formats::readDelimited(utf8, ',', options);
    case Format::Tsv:
        return formats::readDelimited(utf8, '\t', options);
    case Format::ChapterText:
        return formats::readChapterText(utf8, options);
    case Format::Edl:
        return formats::readEdl(utf8, options);
    case Format::Cue:
        return formats::readCue(utf8, options);
    }
    return formats::readFault(ErrorKind::Unrecognised, 0);
}

WriteResult write(Format format, const SegmentList &segments, const WriteOptions &options)
{
    switch (format) {
    case Format::Csv:
        return formats::writeDelimited(segments, ',');
    case Format::Tsv:
        return formats::writeDelimited(segments, '\t');
    case Format::ChapterText:
        return formats::writeChapterText(segments, options);
    case Format::Edl:
        return formats::writeEdl(segments, options);
    case Format::Cue:
        return formats::writeCue(segments, options);
    }
    return formats::writeFault(ErrorKind::Unrecognised, 0);
}

ReadResult readFile(const std::string &path, const ReadOptions &options)
{
    const std::optional<Format> format = formatForFileName(path);
    if (!format)
        return formats::readFault(ErrorKind::Unrecognised, 0, path);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return formats::readFault(ErrorKind::CannotOpen, 0, path);
    std::string bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kMaxFileBytes)
            return formats::readFault(ErrorKind::TooLarge, 0, path);
    }
    if (in.bad())
        return formats::readFault(ErrorKind::CannotOpen, 0, path);
    return read(*format, bytes, options);
}

Error writeFile(const std::string &path, const SegmentList &segments, const WriteOptions &options)
{
    const std::optional<Format> format = formatForFileName(path);
    if (!format)
        return Error{ErrorKind::Unrecognised, 0, path};
    const WriteResult result = write(*format, segments, options);
    if (!result.ok())
        return result.error;
    const std::string partial = path + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(result.text.data(), static_cast<std::streamsize>(result.text.size()));
        out.close();
        if (!out) {
            std::remove(partial.c_str());
            return Error{ErrorKind::CannotWrite, 0, path};
        }
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        return Error{ErrorKind::CannotWrite, 0, path};
    }
    return {};
}

ReadResult segmentsFromChapters(const std::vector<SourceChapter> &chapters, std::uint64_t duration_us)
{
    if (chapters.empty())
        return formats::readFault(ErrorKind::Empty, 0);
    std::vector<std::size_t> order(chapters.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return chapters[a].start_us < chapters[b].start_us;
    });
    ReadResult result;
    for (std::size_t k = 0; k < order.size(); ++k) {
        const SourceChapter &chapter = chapters[order[k]];
        if (duration_us && chapter.start_us >= duration_us)
            return formats::readFault(ErrorKind::PastEnd, order[k] + 1, chapter.title);
        Segment segment;
        segment.start_us = chapter.start_us;
        segment.label = chapter.title;
        segment.end_us = chapter.end_us;
        if (segment.end_us <= segment.start_us) {
            segment.end_us = duration_us;
            for (std::size_t next = k + 1; next < order.size(); ++next) {
                if (chapters[order[next]].start_us > chapter.start_us) {
                    segment.end_us = chapters[order[next]].start_us;
                    break;
                }
            }
        }
        if (duration_us && segment.end_us > duration_us)
            segment.end_us = duration_us;
        result.segments.push_back(std::move(segment));
    }
    return result;
}

Fit fitToDuration(const SegmentList &segments, std::uint64_t duration_us)
{
    Fit fit;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        Segment segment = segments[i];
        if (duration_us && segment.start_us >= duration_us) {
            fit.outside.push_back(i);
            continue;
        }
        if (duration_us && segment.end_us > duration_us) {
            segment.end_us = duration_us;
            fit.clipped.push_back(i);
        }
        fit.segments.push_back(std::move(segment));
    }
    return fit;
}

} // namespace cutlist
