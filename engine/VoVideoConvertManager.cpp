#include "VoVideoConvertManager.h"

#include "VoVideoConvertItem.h"

VoVideoConvertManager *VoVideoConvertManager::instance()
{
    static VoVideoConvertManager manager;
    return &manager;
}

VoVideoConvertManager::~VoVideoConvertManager()
{
    clear();
}

VoVideoConvertItem *VoVideoConvertManager::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

int VoVideoConvertManager::insert(VoVideoConvertItem *item, int index)
{
    if (!item)
        return -1;
    if (index >= 0 && index < m_items.size()) {
        m_items.insert(index, item);
        renumberFrom(index);
        return index;
    }
    item->setIndex(m_items.size());
    m_items.append(item);
    return m_items.size() - 1;
}

void VoVideoConvertManager::removeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    delete m_items.takeAt(index);
    renumberFrom(index);
}

void VoVideoConvertManager::clear()
{
    const QList<VoVideoConvertItem *> items = m_items;
    m_items.clear();
    qDeleteAll(items);
}

bool VoVideoConvertManager::swap(int a, int b)
{
    if (a < 0 || b < 0 || a >= m_items.size() || b >= m_items.size())
        return false;
    m_items.swapItemsAt(a, b);
    return true;
}

void VoVideoConvertManager::renumberFrom(int index)
{
    for (int i = index; i < m_items.size(); ++i)
        m_items[i]->setIndex(i);
}
