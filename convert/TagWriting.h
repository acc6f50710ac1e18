#pragma once
#include "VEAudioTagInfo.h"

#include <string>

// Writes an item's tags into a finished output file, in the tag format of
// the file's type (named by typeName when the file is still under a
// temporary name); files of other types are left alone. False only when
// the file is of an audio type and its tags could not be written.
bool writeFinishedFileTags(const std::string &path, const VEAudioTagInfo &tags,
                           const std::string &typeName = std::string());
