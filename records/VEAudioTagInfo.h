#pragma once
// Metadata tags of one media item, written into finished audio files.
// Plain value type without Qt, shared by the editing side and the tag
// writer. Strings are UTF-8 byte strings; coverData holds the raw bytes of
// the cover picture file.
#include <string>

struct VEAudioTagInfo {
    std::string title;
    std::string artist;
    std::string albumArtist;
    std::string composer;
    std::string album;
    std::string genre;
    std::string track;     // "n" or "n/total"
    std::string year;
    std::string date;
    std::string grouping;
    std::string comment;
    std::string disc;      // "n" or "n/total"
    std::string copyright;
    std::string coverData; // raw picture bytes
    int coverSize = 0;     // byte length of coverData, 0 = no cover
    bool tagFlag = false;

    // The fourteen strings by their index in the stored order (0 title ..
    // 13 coverData); nullptr outside that range.
    std::string *field(int index);
    const std::string *field(int index) const;
    static constexpr int kFieldCount = 14;
    // The metadata key each string is read with from a source file.
    static const char *metadataKey(int index);

    bool operator==(const VEAudioTagInfo &o) const;
    bool operator!=(const VEAudioTagInfo &o) const { return !(*this == o); }
};

inline std::string *VEAudioTagInfo::field(int index)
{
    return const_cast<std::string *>(static_cast<const VEAudioTagInfo *>(this)->field(index));
}

inline const std::string *VEAudioTagInfo::field(int index) const
{
    switch (index) {
    case 0: return &title;
    case 1: return &artist;
    case 2: return &albumArtist;
    case 3: return &composer;
    case 4: return &album;
    case 5: return &genre;
    case 6: return &track;
    case 7: return &year;
    case 8: return &date;
    case 9: return &grouping;
    case 10: return &comment;
    case 11: return &disc;
    case 12: return &copyright;
    case 13: return &coverData;
    default: return nullptr;
    }
}

inline const char *VEAudioTagInfo::metadataKey(int index)
{
    static const char *const keys[kFieldCount] = {
        "title", "artist", "album_artist", "composer", "album", "genre", "track",
        "year", "date", "grouping", "comment", "disc", "copyright", "cover_image"};
    return index >= 0 && index < kFieldCount ? keys[index] : nullptr;
}

inline bool VEAudioTagInfo::operator==(const VEAudioTagInfo &o) const
{
    for (int i = 0; i < kFieldCount; ++i)
        if (*field(i) != *o.field(i))
            return false;
    return coverSize == o.coverSize && tagFlag == o.tagFlag;
}
