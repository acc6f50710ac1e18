#pragma once
// The process-wide ordered list of media items; index i is segment row i.
// Owns its items. Interface thread only.
#include <QList>
#include <QObject>

class VoVideoConvertItem;

class VoVideoConvertManager : public QObject {
    Q_OBJECT
public:
    // The one instance, created on first use.
    static VoVideoConvertManager *instance();
    ~VoVideoConvertManager() override;

    int count() const { return m_items.size(); }
    VoVideoConvertItem *itemAt(int index) const;
    // Inserts at index when it lies within the list, else appends; takes
    // ownership and returns the position.
    int insert(VoVideoConvertItem *item, int index);
    void removeAt(int index);
    void clear();
    // Exchanges two items; their m_index values stay as they were.
    bool swap(int a, int b);

private:
    VoVideoConvertManager() = default;
    void renumberFrom(int index);

    QList<VoVideoConvertItem *> m_items;
};
