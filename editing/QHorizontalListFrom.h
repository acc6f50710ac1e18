#pragma once
// A horizontally scrolling row of thumbnails with at most one highlighted.
// A plain press on an item that is not highlighted highlights it and
// reports its index; pressing the highlighted one does nothing.
#include <QList>
#include <QWidget>

class QHBoxLayout;
class QHorizontalListItem;
class QScrollArea;

class QHorizontalListFrom : public QWidget {
    Q_OBJECT
public:
    explicit QHorizontalListFrom(QWidget *parent = nullptr);

    void clear();
    // Appends an item showing picture (the placeholder while it has none)
    // and title; returns it.
    QHorizontalListItem *addItem(const QString &picture, const QString &title);
    int count() const { return m_items.size(); }
    QHorizontalListItem *item(int index) const { return m_items.value(index); }
    int currentIndex() const { return m_current; }
    // Highlights index (none when out of range) without reporting it.
    void setCurrentIndex(int index);
    void clearHighlight() { setCurrentIndex(-1); }
    QScrollArea *scrollArea() const { return m_scroll; }

signals:
    void currentIndexChanged(int index);

public slots:
    void itemMousePress();
    void itemMouseShiftPress();
    void itemMouseCtrlPress();
    void itemShowTreeMenu();

private:
    QScrollArea *m_scroll = nullptr;
    QWidget *m_row = nullptr;
    QHBoxLayout *m_rowLayout = nullptr;
    QList<QHorizontalListItem *> m_items;
    int m_current = -1;
};
