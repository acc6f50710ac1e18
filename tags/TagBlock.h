#pragma once
// Base of the eight tag blocks. A block parses its part of the stream when
// it is made (valid() tells whether the stream is of its kind), keeps the
// items it found and writes its items back in place.
#include "TagItem.h"
#include "TagStream.h"

#include <cstdint>

class TagBlock {
public:
    TagBlock(TagStream &stream, int slot) : m_stream(stream), m_slot(slot) {}
    virtual ~TagBlock() = default;
    TagBlock(const TagBlock &) = delete;
    TagBlock &operator=(const TagBlock &) = delete;

    // Drops the items and parses the stream again; negative on failure.
    virtual int reload() = 0;
    // Writes the items into the stream: 0 written, 1 nothing to do,
    // negative on failure.
    virtual int save() = 0;
    TagItemList &items() { return m_items; }
    const TagItemList &items() const { return m_items; }

    bool valid() const { return m_valid; }
    int slot() const { return m_slot; }

protected:
    // Bit mask of kinds from a list, for prune().
    static constexpr uint32_t kindRange(int first, int last)
    {
        return ((last >= 31 ? 0xFFFFFFFFu : ((1u << (last + 1)) - 1)) & ~((1u << first) - 1));
    }
    // Removes items the block cannot store, empty values, unrecognised
    // covers and every later item of a kind already seen.
    void prune(uint32_t storableKinds);
    // Adds an item found in the stream; empty values are ignored.
    void addText(int kind, const std::u16string &text);
    void addBinary(int kind, const uint8_t *data, size_t n);

    TagStream &m_stream;
    TagItemList m_items;
    bool m_valid = false;
    int m_slot;
};
