#pragma once
// One row of a drawn combo box's popup: a widget laid over its list item
// that paints the row background, separators, icon, text and bottom line.
#include "QVoBaseRectImageDraw.h"

#include <QPointer>
#include <QWidget>

class QListWidget;
class QListWidgetItem;

// What every row of one combo shares; each row keeps its own copy.
struct ComboRowTemplate {
    QColor normalBackground{255, 255, 255};
    QColor hoverBackground{229, 243, 255};
    QColor selectedBackground{205, 232, 255};
    int separatorWidth = 0;
    QColor separatorColor{0, 0, 0};
    Qt::Alignment textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool markCurrentRow = false;
    int attachedX = -1; // -1: 2 pixels from the left
    int attachedY = -1; // -1: vertically centred
    QColor bottomLineColor{0, 0, 0};
};

class QVoComboBoxItem : public QWidget, public QVoBaseRectImageDraw {
    Q_OBJECT
public:
    QVoComboBoxItem(QListWidget *list, QListWidgetItem *item, QWidget *parent = nullptr);

    QListWidgetItem *listItem() const { return m_item; }
    void setRowTemplate(const ComboRowTemplate &rowTemplate);
    const ComboRowTemplate &rowTemplate() const { return m_template; }
    bool isHovered() const { return m_hovered; }
    void setAttachedWidget(QWidget *widget);
    QWidget *attachedWidget() const { return m_attached; }
    void setBottomLine(int height);
    int bottomLine() const { return m_bottomLine; }
    void placeAttachedWidget();

    // Band heights of the separator above and below this row.
    int separatorAbove() const;
    int separatorBelow() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    int rowIndex() const;
    bool isLastRow() const;

    QListWidget *m_list;
    QListWidgetItem *m_item;
    ComboRowTemplate m_template;
    Qt::Alignment m_appliedAlignment;
    bool m_hovered = false;
    // The owner may delete the attached box before the row goes.
    QPointer<QWidget> m_attached;
    int m_bottomLine = 0;
};
