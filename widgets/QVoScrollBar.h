#pragma once
// A scroll bar drawn by its own QVoScrollBarStyle. The owner reads the style
// parameters, changes its copy and sets it back whole.
#include "QVoScrollBarStyle.h"

#include <QScrollBar>

class QVoScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit QVoScrollBar(QWidget *parent = nullptr);
    // With an orientation the bar is fixed 10 pixels thick.
    explicit QVoScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);

    ScrollBarStyleParams styleParams() const { return m_style->params(); }
    void setStyleParams(const ScrollBarStyleParams &params);
    QVoScrollBarStyle *barStyle() const { return m_style; }

private:
    void init();

    QVoScrollBarStyle *m_style = nullptr;
};
