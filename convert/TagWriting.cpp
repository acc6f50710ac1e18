#include "TagWriting.h"

#include "AudioTags.h"

bool writeFinishedFileTags(const std::string &path, const VEAudioTagInfo &tags)
{
    return writeAudioTagsChecked(path, tags) != TagWriteResult::Failed;
}
