#pragma once
// Entry point of the tag writer for the converter: called once a
// conversion has finished and the output file is closed.
#include "VEAudioTagInfo.h"

#include <functional>
#include <memory>
#include <string>

// Writes the tags into the audio file at `path` (UTF-8) in the tag format
// of its type. The file is edited in a temporary copy beside it that
// replaces the original only when every block was written, so a failure or
// an interruption leaves the original file as it was. Returns true when
// the file was changed; false when it was left untouched (nothing to do,
// not a format we know, not writable, or a failure).
bool writeAudioTags(const std::string &path, const VEAudioTagInfo &tags);

// What writing the tags came to: the file was changed; there was nothing to
// do (not an audio type the writer knows, or no tags to write and none
// present); or an audio file's tags could not be written (it is unchanged).
// typeName names the file's type when its path does not (a file still under
// a temporary name); empty: the path does.
enum class TagWriteResult { Written, NothingToDo, Failed };
TagWriteResult writeAudioTagsChecked(const std::string &path, const VEAudioTagInfo &tags,
                                     const std::string &typeName = std::string());

class TagStream;
namespace tagdetail {
// writeAudioTags with the stream of the temporary copy passed through
// `wrap` first; the tests use it to make writes fail part-way.
using StreamWrapper = std::function<std::unique_ptr<TagStream>(std::unique_ptr<TagStream>)>;
bool writeAudioTagsThrough(const std::string &path, const VEAudioTagInfo &tags, const StreamWrapper &wrap);
TagWriteResult writeAudioTagsCheckedThrough(const std::string &path, const VEAudioTagInfo &tags,
                                            const StreamWrapper &wrap, const std::string &typeName = std::string());
} // namespace tagdetail

// Fills a facade with the record's items, as writeAudioTags does.
class AudioTagFile;
void addAudioTagItems(AudioTagFile &file, const VEAudioTagInfo &tags);
