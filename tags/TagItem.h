#pragma once
// The item model shared by the facade and every tag block: one value of one
// kind, held by one block. Text values are UTF-16LE byte strings.
#include <cstdint>
#include <string>
#include <vector>

enum TagKind {
    KindTitle = 0,
    KindArtist = 1,
    KindAlbum = 2,
    KindGenre = 3,
    KindYear = 4,
    KindTrack = 5,
    KindComment = 6,
    KindCopyright = 7,
    KindLyrics = 8,
    KindCover = 9,
    KindAlbumArtist = 10,
    KindComposer = 11,
    KindGrouping = 12,
    KindDisc = 13,
    KindCount = 14
};

enum TagSlot {
    SlotId3v1 = 0,
    SlotId3v2 = 1,
    SlotRiffInfo = 2,
    SlotAsf = 3,
    SlotMp4 = 4,
    SlotOggVorbis = 5,
    SlotApe = 6,
    SlotFlac = 7,
    SlotCount = 8
};

enum TagFileType {
    TypeNone = -1,
    Wav = 0,
    Wma = 1,
    Mp3 = 2,
    Aac = 3,
    M4a = 4,
    Ogg = 5,
    Ape = 6,
    Flac = 7
};

enum TagValueType { ValueText = 0, ValueBinary = 1 };

struct TagItem {
    int slot = -1;
    int kind = -1;
    int valueType = -1;
    int length = 0;
    // length bytes of value followed by three zero bytes, so a text value is
    // always terminated whatever length the caller passed.
    std::vector<uint8_t> data;

    const uint8_t *bytes() const { return data.empty() ? nullptr : data.data(); }
    // The text of a text item (valueType 0) as UTF-16 units.
    std::u16string text() const;
};

class TagItemList {
public:
    TagItemList() { m_items.reserve(20); }

    // Stores a copy of `length` bytes. A text value is measured again up to
    // its first zero unit; a genre is stored with its references expanded.
    // Fails (false) for a negative length or missing data.
    bool add(int slot, int kind, int valueType, int length, const void *data);
    bool set(int index, int kind, int valueType, int length, const void *data);
    bool remove(int index);
    void clear() { m_items.clear(); }

    int count() const { return static_cast<int>(m_items.size()); }
    const TagItem &at(int index) const { return m_items[static_cast<size_t>(index)]; }
    TagItem &at(int index) { return m_items[static_cast<size_t>(index)]; }
    bool hasKind(int kind) const;

private:
    static bool fill(TagItem &item, int kind, int valueType, int length, const void *data);
    std::vector<TagItem> m_items;
};
