#pragma once
// The row of category tabs above a format grid.
#include <QWidget>

class QHBoxLayout;

class CategoriesBtnWgt : public QWidget {
    Q_OBJECT
public:
    explicit CategoriesBtnWgt(QWidget *parent = nullptr);
    void addButton(QWidget *button);
    QHBoxLayout *boxLayout() const { return m_layout; }

private:
    QHBoxLayout *m_layout = nullptr;
};
