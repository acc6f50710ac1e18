#pragma once
#include "VEAudioTagInfo.h"

#include <string>

// Writes an item's tags into a finished output file, in the tag format of
// the file's type; files of other types are left alone.
void writeFinishedFileTags(const std::string &path, const VEAudioTagInfo &tags);
