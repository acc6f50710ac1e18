#pragma once
// A combo box made of a state-image body and a pop-up menu with one action
// per row. Picking the row that is already current changes nothing and
// reports nothing.
#include "QCustomImageWidget.h"

#include <QVariant>
#include <QVector>

class QAction;
class QMenu;

class QCustomComboBox : public QCustomImageWidget {
    Q_OBJECT
public:
    explicit QCustomComboBox(QWidget *parent = nullptr);

    void addItem(const QString &text);
    void setItemValue(int index, const QVariant &value);
    void setItemText(int index, const QString &text);
    // An index out of range removes the last row.
    void removeItem(int index);
    void clear();
    int count() const { return m_rows.size(); }
    int currentIndex() const { return m_current; }
    // An index out of range is ignored.
    void setCurrentIndex(int index);
    QString currentText() const { return m_text; }
    QString itemText(int index) const;
    QVariant itemValue(int index) const;

    void setMenuStyleSheet(const QString &styleSheet);
    void setMenuOffset(int offset) { m_menuOffset = offset; }
    void setMinRowWidth(int width);
    void setItemPointSize(int pointSize);
    // Item-size mode sizes the menu rows to the widest text seen (default on).
    void setItemSizeMode(bool on) { m_itemSizeMode = on; }
    void setTextColor(const QColor &color) { m_textColor = color; update(); }

    QMenu *menu() const { return m_menu; }
    QAction *itemAction(int index) const;

signals:
    void activated(int index);
    void currentIndexChanged(int index);
    void emitShowItemMenu();

public slots:
    void OnAction();
    void ShowItemMenu();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void applyMenuStyle();

    struct Row {
        QString text;
        QVariant value;
        QAction *action = nullptr;
    };
    QVector<Row> m_rows;
    QMenu *m_menu = nullptr;
    int m_current = -1;
    QString m_text;
    int m_menuOffset = 0;
    int m_minRowWidth = 0;
    int m_itemPointSize = 8;
    bool m_itemSizeMode = true;
    int m_widestText = 0;
    int m_rowHeight = 0;
    QString m_extraStyle;
    QColor m_textColor = QColor(228, 228, 228);
};
