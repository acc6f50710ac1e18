#include "TagBlock.h"

#include "TagText.h"

#include <climits>

void TagBlock::prune(uint32_t storableKinds)
{
    uint32_t seen = 0;
    for (int i = 0; i < m_items.count();) {
        const TagItem &item = m_items.at(i);
        bool drop = item.kind < 0 || item.kind >= KindCount || !(storableKinds & (1u << item.kind))
            || item.length <= 0 || (seen & (1u << item.kind));
        if (!drop && item.kind == KindCover)
            drop = item.length < 4
                || tagtext::pictureFormat(item.bytes(), size_t(item.length)) == tagtext::PictureUnknown;
        if (drop) {
            m_items.remove(i);
            continue;
        }
        seen |= 1u << item.kind;
        ++i;
    }
}

void TagBlock::addText(int kind, const std::u16string &text)
{
    if (text.empty() || text.size() > size_t(INT_MAX / 2 - 2))
        return;
    const std::vector<uint8_t> bytes = tagtext::utf16leBytes(text);
    m_items.add(m_slot, kind, ValueText, int(bytes.size()), bytes.data());
}

void TagBlock::addBinary(int kind, const uint8_t *data, size_t n)
{
    if (n == 0 || n > size_t(INT_MAX - 4))
        return;
    m_items.add(m_slot, kind, ValueBinary, int(n), data);
}
