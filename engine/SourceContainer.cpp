#include "SourceContainer.h"

#include <algorithm>
#include <cctype>
#include <cstring>

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
        // Without a readable document type: Matroska holds whatever the
        // file holds, WebM is a subset of it.
        return "matroska";
    }
    if (formatName == "DVD")
        return "vob";
    if (formatName == "Bluray")
        return "mpegts";
    if (formatName == "ACD")
        return "wav";
    return formatName;
}

std::string matroskaDocType(const std::string &head)
{
    // EBML element 0x4282 (DocType): a variable-length size, then the text.
    for (size_t i = 4; i + 3 < head.size(); ++i) {
        if (static_cast<unsigned char>(head[i]) != 0x42 || static_cast<unsigned char>(head[i + 1]) != 0x82)
            continue;
        const unsigned char first = static_cast<unsigned char>(head[i + 2]);
        int width = 1;
        while (width <= 8 && !(first & (0x80 >> (width - 1))))
            ++width;
        if (width > 8 || i + 2 + width > head.size())
            return std::string();
        uint64_t size = first & (0xFF >> width);
        for (int k = 1; k < width; ++k)
            size = (size << 8) | static_cast<unsigned char>(head[i + 2 + k]);
        const size_t start = i + 2 + width;
        if (size == 0 || size > 32 || start + size > head.size())
            return std::string();
        std::string type = head.substr(start, size);
        type.erase(std::find(type.begin(), type.end(), '\0'), type.end());
        return type;
    }
    return std::string();
}

namespace {

struct ContainerSuffixes {
    const char *container;
    const char *suffixes; // the first is the usual one
};

const ContainerSuffixes kSuffixes[] = {
    {"mp4", "mp4 m4v m4a m4b m4p"},
    {"mov", "mov qt"},
    {"3gp", "3gp"},
    {"3g2", "3g2"},
    {"f4v", "f4v"},
    {"matroska", "mkv mka mk3d"},
    {"webm", "webm"},
    {"mpegts", "ts m2ts mts m2t tp trp"},
    {"mpeg", "mpg mpeg vob m2p dat"},
    {"vob", "vob"},
    {"avi", "avi"},
    {"flv", "flv"},
    {"asf", "wmv wma asf dvr-ms"},
    {"mp3", "mp3"},
    {"wav", "wav"},
    {"flac", "flac"},
    {"ogg", "ogg oga ogv"},
    {"aac", "aac"},
    {"ac3", "ac3"},
    {"dv", "dv"},
};

std::string lower(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

std::string suffixForContainer(const std::string &container, const std::string &suffix)
{
    const std::string wanted = lower(suffix);
    for (const ContainerSuffixes &entry : kSuffixes) {
        if (container != entry.container)
            continue;
        const std::string list = std::string(" ") + entry.suffixes + " ";
        if (!wanted.empty() && list.find(" " + wanted + " ") != std::string::npos)
            return suffix;
        const char *space = std::strchr(entry.suffixes, ' ');
        return space ? std::string(entry.suffixes, space) : std::string(entry.suffixes);
    }
    return suffix;
}
