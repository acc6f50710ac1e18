#include "SourceContainer.h"

std::string sourceContainerName(const std::string &formatName, const std::string &brand)
{
    if (formatName == "mov,mp4,m4a,3gp,3g2,mj2") {
        if (brand == "qt  ")
            return "mov";
        if (brand == "f4v ")
            return "f4v";
        const std::string head = brand.substr(0, 3);
        if (head == "3gp")
            return "3gp";
        if (head == "3g2")
            return "3g2";
        return "mp4";
    }
    if (formatName == "matroska,webm") {
        if (brand == "matroska")
            return "matroska";
        if (brand == "webm")
            return "webm";
        // Without a brand the item's copies go into MP4, which takes the
        // codecs Matroska files usually carry.
        return "mp4";
    }
    if (formatName == "DVD")
        return "vob";
    if (formatName == "Bluray")
        return "mpegts";
    if (formatName == "ACD")
        return "wav";
    return formatName;
}
