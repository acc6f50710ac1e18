#pragma once
// Facade over the tag blocks of one audio file: detects the file's format,
// exposes the items of all its blocks under one index and saves the blocks
// that changed.
#include "TagBlock.h"
#include "TagItem.h"
#include "TagStream.h"

#include <memory>
#include <string>

class AudioTagFile {
public:
    AudioTagFile() = default;
    ~AudioTagFile();
    AudioTagFile(const AudioTagFile &) = delete;
    AudioTagFile &operator=(const AudioTagFile &) = delete;

    int open(const std::u16string &path);
    // Loads from a stream the facade takes over; the requested type is
    // that of `nameForType` (a path or file name).
    int openStream(std::unique_ptr<TagStream> stream, const std::u16string &nameForType);
    int load(TagStream &stream);
    int close();
    int fileType() const { return m_currentType; }
    int save();
    int itemCount() const;
    TagItem item(int index) const;
    int setItem(int index, const TagItem &item);
    int setItemsOfKind(int kind, int slot, int newKind, int valueType, int length, const void *data);
    int addItem(int slot, int kind, int valueType, int length, const void *data);
    int removeItem(int index);
    int clearSlot(int slot);
    int removeKind(int kind);
    int clearAll();

    // Outcome of the last save: a block failed, and whether any bytes of
    // the stream were changed.
    bool lastSaveFailed() const { return m_lastSaveFailed; }
    bool lastSaveWrote() const { return m_lastSaveWrote; }
    TagStream *stream() { return m_stream.get(); }

    static int typeOfPath(const std::u16string &path);
    // The stream checks of the types that have no container of their own.
    static bool looksLikeMp3(TagStream &stream);
    static bool looksLikeAac(TagStream &stream);
    static bool looksLikeApe(TagStream &stream);

private:
    bool createMainBlock(TagStream &stream, int type);
    // The blocks in global index order; count written to n.
    int orderedSlots(int *slots) const;
    // Block and local index of a global index; false when out of range.
    bool locate(int index, int &slot, int &local) const;
    int defaultSlot() const;

    std::unique_ptr<TagStream> m_stream;
    std::unique_ptr<TagBlock> m_blocks[SlotCount];
    bool m_dirty[SlotCount] = {};
    int m_currentType = TypeNone;
    int m_requestedType = TypeNone;
    bool m_lastSaveFailed = false;
    bool m_lastSaveWrote = false;
};
