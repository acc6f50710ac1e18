#include "AudioTagFile.h"

#include "ApeBlock.h"
#include "AsfBlock.h"
#include "FlacBlock.h"
#include "Id3v1Block.h"
#include "Id3v2Block.h"
#include "Mp4Block.h"
#include "OggVorbisBlock.h"
#include "RiffInfoBlock.h"
#include "TagIo.h"
#include "TagText.h"

#include <cstring>

namespace {

const int kMainSlot[8] = {SlotRiffInfo, SlotAsf, SlotApe, SlotApe, SlotMp4, SlotOggVorbis, SlotApe, SlotFlac};

bool hasId3Blocks(int type)
{
    return type == Mp3 || type == Aac || type == Ape || type == Flac;
}

struct MpegHeader {
    int version = 0; // bits of the version field
    int layer = 0;
    int sampleRate = 0;
    int channelMode = 0;
    int length = 0;
};

bool parseMpegHeader(const uint8_t *h, MpegHeader &out)
{
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0)
        return false;
    const int version = (h[1] >> 3) & 3; // 0 = 2.5, 2 = 2, 3 = 1
    const int layerBits = (h[1] >> 1) & 3;
    const int bitrateIndex = h[2] >> 4;
    const int rateIndex = (h[2] >> 2) & 3;
    if (version == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return false;
    const int layer = 4 - layerBits;
    static const int bitrates[2][3][15] = {
        {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
         {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
         {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
        {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
         {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
         {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}};
    static const int rates[3] = {44100, 48000, 32000};
    const int bitrate = bitrates[version == 3 ? 0 : 1][layer - 1][bitrateIndex] * 1000;
    int sampleRate = rates[rateIndex];
    if (version == 2)
        sampleRate /= 2;
    else if (version == 0)
        sampleRate /= 4;
    const int padding = (h[2] >> 1) & 1;
    int length;
    if (layer == 1)
        length = (12 * bitrate / sampleRate + padding) * 4;
    else if (layer == 3 && version != 3)
        length = 72 * bitrate / sampleRate + padding;
    else
        length = 144 * bitrate / sampleRate + padding;
    if (length < 4)
        return false;
    out.version = version;
    out.layer = layer;
    out.sampleRate = sampleRate;
    out.channelMode = h[3] >> 6;
    out.length = length;
    return true;
}

bool parseAdtsHeader(const uint8_t *h, MpegHeader &out)
{
    if (h[0] != 0xFF || (h[1] & 0xF0) != 0xF0 || (h[1] & 0x06) != 0)
        return false;
    const int rateIndex = (h[2] >> 2) & 0xF;
    if (rateIndex > 12)
        return false;
    const int length = ((h[3] & 3) << 11) | (h[4] << 3) | (h[5] >> 5);
    if (length < 7)
        return false;
    out.version = (h[1] >> 3) & 1;
    out.layer = 0;
    out.sampleRate = rateIndex;
    out.channelMode = ((h[2] & 1) << 2) | (h[3] >> 6);
    out.length = length;
    return true;
}

// Frame sync shared by the MP3 and AAC checks: a header at some offset,
// a matching one a frame later, and after that an end tag or a third
// matching header.
bool frameCheck(TagStream &stream, int offsets, size_t headerSize, bool adts)
{
    const int64_t start = Id3v2Block::leadingTagLength(stream);
    const int64_t size = stream.size();
    if (size < 0 || start >= size)
        return false;
    tagio::ReadAhead reader(stream);
    auto header = [&](int64_t at, MpegHeader &h) {
        uint8_t b[8];
        return at <= size - int64_t(headerSize) && reader.readAt(at, b, headerSize)
            && (adts ? parseAdtsHeader(b, h) : parseMpegHeader(b, h));
    };
    for (int offset = 0; offset < offsets; ++offset) {
        MpegHeader first, second, third;
        const int64_t at = start + offset;
        if (!header(at, first))
            continue;
        const int64_t secondAt = at + first.length;
        if (!header(secondAt, second) || second.version != first.version || second.layer != first.layer
            || second.sampleRate != first.sampleRate)
            continue;
        const int64_t thirdAt = secondAt + second.length;
        uint8_t tail[8] = {};
        if (thirdAt <= size - 3 && reader.readAt(thirdAt, tail, 3) && std::memcmp(tail, "TAG", 3) == 0)
            return true;
        const size_t apeLength = adts ? 8 : 4;
        if (thirdAt <= size - int64_t(apeLength) && reader.readAt(thirdAt, tail, apeLength)
            && std::memcmp(tail, "APETAGEX", apeLength) == 0)
            return true;
        if (header(thirdAt, third) && third.version == first.version && third.layer == first.layer
            && third.sampleRate == first.sampleRate && third.channelMode == first.channelMode)
            return true;
    }
    return false;
}

char16_t lower(char16_t c)
{
    return (c >= 'A' && c <= 'Z') ? char16_t(c + 32) : c;
}

} // namespace

AudioTagFile::~AudioTagFile()
{
    close();
}

int AudioTagFile::typeOfPath(const std::u16string &path)
{
    const size_t dot = path.rfind(u'.');
    const size_t slash = path.find_last_of(u"/\\");
    if (dot == std::u16string::npos || (slash != std::u16string::npos && slash > dot))
        return TypeNone;
    std::u16string ext;
    for (size_t i = dot; i < path.size(); ++i)
        ext.push_back(lower(path[i]));
    static const char16_t *const names[8] = {u".wav", u".wma", u".mp3", u".aac", u".m4a", u".ogg", u".ape", u".flac"};
    for (int t = 0; t < 8; ++t)
        if (ext == names[t])
            return t;
    return TypeNone;
}

bool AudioTagFile::looksLikeMp3(TagStream &stream)
{
    return frameCheck(stream, 1450, 4, false);
}

bool AudioTagFile::looksLikeAac(TagStream &stream)
{
    return frameCheck(stream, 1552, 7, true);
}

bool AudioTagFile::looksLikeApe(TagStream &stream)
{
    const int64_t start = Id3v2Block::leadingTagLength(stream);
    std::vector<uint8_t> window(4096 + 3);
    const int64_t size = stream.size();
    if (start < 0 || size < 0 || start >= size || stream.seek(start) != start)
        return false;
    const int64_t got = stream.read(window.data(), int64_t(window.size()));
    for (int64_t i = 0; i + 4 <= got; ++i)
        if (std::memcmp(window.data() + i, "MAC ", 4) == 0)
            return true;
    return false;
}

int AudioTagFile::open(const std::u16string &path)
{
    close();
    auto stream = FileTagStream::open(tagtext::utf16ToUtf8(path));
    if (!stream)
        return -1;
    return openStream(std::move(stream), path);
}

int AudioTagFile::openStream(std::unique_ptr<TagStream> stream, const std::u16string &nameForType)
{
    close();
    if (!stream)
        return -1;
    m_requestedType = typeOfPath(nameForType);
    const int r = load(*stream);
    m_requestedType = TypeNone;
    if (r == 0)
        m_stream = std::move(stream);
    else
        close();
    return r;
}

bool AudioTagFile::createMainBlock(TagStream &stream, int type)
{
    std::unique_ptr<TagBlock> block;
    switch (type) {
    case Wav: block = std::make_unique<RiffInfoBlock>(stream); break;
    case Wma: block = std::make_unique<AsfBlock>(stream); break;
    case M4a: block = std::make_unique<Mp4Block>(stream); break;
    case Ogg: block = std::make_unique<OggVorbisBlock>(stream); break;
    case Flac: block = std::make_unique<FlacBlock>(stream); break;
    case Mp3:
        if (looksLikeMp3(stream))
            block = std::make_unique<ApeBlock>(stream);
        break;
    case Aac:
        if (looksLikeAac(stream))
            block = std::make_unique<ApeBlock>(stream);
        break;
    case Ape:
        if (looksLikeApe(stream))
            block = std::make_unique<ApeBlock>(stream);
        break;
    default: break;
    }
    if (!block || !block->valid())
        return false;
    m_blocks[kMainSlot[type]] = std::move(block);
    m_currentType = type;
    return true;
}

int AudioTagFile::load(TagStream &stream)
{
    for (auto &b : m_blocks)
        b.reset();
    m_currentType = TypeNone;
    bool found = m_requestedType != TypeNone && createMainBlock(stream, m_requestedType);
    if (!found) {
        static const int order[8] = {Wav, Wma, M4a, Ogg, Ape, Flac, Mp3, Aac};
        for (int type : order) {
            if (type == m_requestedType)
                continue;
            if (createMainBlock(stream, type)) {
                found = true;
                break;
            }
        }
    }
    if (!found)
        return -1;
    if (hasId3Blocks(m_currentType)) {
        m_blocks[SlotId3v1] = std::make_unique<Id3v1Block>(stream);
        m_blocks[SlotId3v2] = std::make_unique<Id3v2Block>(stream);
    }
    for (bool &d : m_dirty)
        d = false;
    return 0;
}

int AudioTagFile::close()
{
    for (auto &b : m_blocks)
        b.reset();
    for (bool &d : m_dirty)
        d = false;
    m_stream.reset();
    m_currentType = TypeNone;
    return 0;
}

int AudioTagFile::save()
{
    m_lastSaveFailed = false;
    m_lastSaveWrote = false;
    if (m_currentType == TypeNone)
        return -1;
    static const int order[] = {SlotId3v1, SlotApe, SlotRiffInfo, SlotAsf, SlotMp4, SlotOggVorbis, SlotFlac, SlotId3v2};
    for (int slot : order) {
        if (!m_dirty[slot] || !m_blocks[slot])
            continue;
        const int r = m_blocks[slot]->save();
        if (r < 0)
            m_lastSaveFailed = true;
        if (r == 0)
            m_lastSaveWrote = true;
        // The tag at the start moved everything behind it.
        if (slot == SlotId3v2 && r == 0) {
            for (int other = 0; other < SlotCount; ++other) {
                if (other == SlotId3v2 || !m_blocks[other])
                    continue;
                if (m_blocks[other]->reload() < 0)
                    m_blocks[other].reset();
            }
        }
    }
    for (bool &d : m_dirty)
        d = false;
    return 0;
}

int AudioTagFile::orderedSlots(int *slots) const
{
    int n = 0;
    if (m_currentType == Mp3 || m_currentType == Aac) {
        for (int s : {SlotId3v2, SlotApe, SlotId3v1})
            if (m_blocks[s])
                slots[n++] = s;
        return n;
    }
    for (int s : {SlotRiffInfo, SlotAsf, SlotMp4, SlotOggVorbis, SlotApe, SlotFlac, SlotId3v2, SlotId3v1})
        if (m_blocks[s])
            slots[n++] = s;
    return n;
}

bool AudioTagFile::locate(int index, int &slot, int &local) const
{
    if (index < 0)
        return false;
    int slots[SlotCount];
    const int n = orderedSlots(slots);
    for (int i = 0; i < n; ++i) {
        const int count = m_blocks[slots[i]]->items().count();
        if (index < count) {
            slot = slots[i];
            local = index;
            return true;
        }
        index -= count;
    }
    return false;
}

int AudioTagFile::defaultSlot() const
{
    int slots[SlotCount];
    const int n = orderedSlots(slots);
    if (m_currentType == Mp3 || m_currentType == Aac)
        return n > 0 ? slots[0] : -1;
    return m_currentType == TypeNone ? -1 : kMainSlot[m_currentType];
}

int AudioTagFile::itemCount() const
{
    int n = 0;
    for (const auto &b : m_blocks)
        if (b)
            n += b->items().count();
    return n;
}

TagItem AudioTagFile::item(int index) const
{
    int slot, local;
    if (!locate(index, slot, local)) {
        TagItem none;
        none.slot = none.kind = none.valueType = -1;
        return none;
    }
    return m_blocks[slot]->items().at(local);
}

int AudioTagFile::setItem(int index, const TagItem &item)
{
    int slot, local;
    if (!locate(index, slot, local) || (item.slot != -1 && item.slot != slot) || item.length <= 0)
        return -1;
    if (!m_blocks[slot]->items().set(local, item.kind, item.valueType, item.length, item.bytes()))
        return -1;
    m_dirty[slot] = true;
    return 0;
}

int AudioTagFile::setItemsOfKind(int kind, int slot, int newKind, int valueType, int length, const void *data)
{
    if (slot != -1 || length <= 0 || !data || m_currentType == TypeNone)
        return -1;
    for (int s = 0; s < SlotCount; ++s) {
        if (!m_blocks[s])
            continue;
        TagItemList &items = m_blocks[s]->items();
        for (int i = 0; i < items.count(); ++i) {
            if (items.at(i).kind == kind) {
                items.set(i, newKind, valueType, length, data);
                m_dirty[s] = true;
            }
        }
    }
    return 0;
}

int AudioTagFile::addItem(int slot, int kind, int valueType, int length, const void *data)
{
    if (slot == -1)
        slot = defaultSlot();
    if (slot < 0 || slot >= SlotCount || !m_blocks[slot] || length <= 0 || !data)
        return -1;
    if (!m_blocks[slot]->items().add(slot, kind, valueType, length, data))
        return -1;
    m_dirty[slot] = true;
    return 0;
}

int AudioTagFile::removeItem(int index)
{
    int slot, local;
    if (!locate(index, slot, local))
        return -1;
    m_blocks[slot]->items().remove(local);
    m_dirty[slot] = true;
    return 0;
}

int AudioTagFile::clearSlot(int slot)
{
    if (slot < 0 || slot >= SlotCount || !m_blocks[slot])
        return -1;
    if (m_blocks[slot]->items().count() > 0) {
        m_blocks[slot]->items().clear();
        m_dirty[slot] = true;
    }
    return 0;
}

int AudioTagFile::removeKind(int kind)
{
    if (m_currentType == TypeNone)
        return -1;
    for (int s = 0; s < SlotCount; ++s) {
        if (!m_blocks[s])
            continue;
        TagItemList &items = m_blocks[s]->items();
        for (int i = items.count() - 1; i >= 0; --i) {
            if (items.at(i).kind == kind) {
                items.remove(i);
                m_dirty[s] = true;
            }
        }
    }
    return 0;
}

int AudioTagFile::clearAll()
{
    if (m_currentType == TypeNone)
        return -1;
    for (int s = 0; s < SlotCount; ++s)
        clearSlot(s);
    return 0;
}
