#include "TagItem.h"

#include "TagText.h"

#include <cstring>

std::u16string TagItem::text() const
{
    if (valueType != ValueText || data.empty())
        return {};
    return tagtext::utf16Decode(data.data(), size_t(length), false);
}

bool TagItemList::fill(TagItem &item, int kind, int valueType, int length, const void *data)
{
    if (length < 0 || (length > 0 && !data))
        return false;
    std::vector<uint8_t> bytes(size_t(length) + 3, 0);
    if (length)
        std::memcpy(bytes.data(), data, size_t(length));
    int stored = length;
    if (valueType == ValueText) {
        int units = 0;
        while (2 * units + 1 < length && (bytes[size_t(2 * units)] | bytes[size_t(2 * units + 1)]))
            ++units;
        stored = 2 * units;
        if (kind == KindGenre) {
            const std::u16string expanded =
                tagtext::expandGenreReferences(tagtext::utf16Decode(bytes.data(), size_t(stored), false));
            const std::vector<uint8_t> le = tagtext::utf16leBytes(expanded);
            bytes.assign(le.size() + 3, 0);
            if (!le.empty())
                std::memcpy(bytes.data(), le.data(), le.size());
            stored = int(le.size());
        }
    }
    item.kind = kind;
    item.valueType = valueType;
    item.length = stored;
    item.data = std::move(bytes);
    return true;
}

bool TagItemList::add(int slot, int kind, int valueType, int length, const void *data)
{
    TagItem item;
    item.slot = slot;
    if (!fill(item, kind, valueType, length, data))
        return false;
    m_items.push_back(std::move(item));
    return true;
}

bool TagItemList::set(int index, int kind, int valueType, int length, const void *data)
{
    if (index < 0 || index >= count())
        return false;
    return fill(m_items[size_t(index)], kind, valueType, length, data);
}

bool TagItemList::remove(int index)
{
    if (index < 0 || index >= count())
        return false;
    m_items.erase(m_items.begin() + index);
    return true;
}

bool TagItemList::hasKind(int kind) const
{
    for (const TagItem &item : m_items)
        if (item.kind == kind)
            return true;
    return false;
}
