#include "TagWriting.h"

#include "AudioTags.h"

bool writeFinishedFileTags(const std::string &path, const VEAudioTagInfo &tags, const std::string &typeName)
{
    return writeAudioTagsChecked(path, tags, typeName) != TagWriteResult::Failed;
}
