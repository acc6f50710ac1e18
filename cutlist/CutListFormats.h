#pragma once
// One reader and one writer per format. Readers take decoded UTF-8 text;
// every error they report carries its line.
#include "CutList.h"

#include <string_view>

namespace cutlist::formats {

ReadResult readDelimited(std::string_view text, char separator, const ReadOptions &options);
WriteResult writeDelimited(const SegmentList &segments, char separator);

ReadResult readChapterText(std::string_view text, const ReadOptions &options);
WriteResult writeChapterText(const SegmentList &segments, const WriteOptions &options);

ReadResult readEdl(std::string_view text, const ReadOptions &options);
WriteResult writeEdl(const SegmentList &segments, const WriteOptions &options);

ReadResult readCue(std::string_view text, const ReadOptions &options);
WriteResult writeCue(const SegmentList &segments, const WriteOptions &options);

// Shorthands for the results of a fault.
ReadResult readFault(ErrorKind kind, std::size_t where, std::string_view text = {});
WriteResult writeFault(ErrorKind kind, std::size_t where, std::string_view text = {});

} // namespace cutlist::formats
