#include "TagWriting.h"

#include "AudioTags.h"

void writeFinishedFileTags(const std::string &path, const VEAudioTagInfo &tags)
{
    // Files of other types are left alone by the writer itself; whether a
    // file changed is of no further interest to the conversion.
    writeAudioTags(path, tags);
}
