#include "QVoScrollBar.h"

QVoScrollBar::QVoScrollBar(QWidget *parent)
    : QScrollBar(parent)
{
    init();
}

QVoScrollBar::QVoScrollBar(Qt::Orientation orientation, QWidget *parent)
    : QScrollBar(orientation, parent)
{
    init();
    if (orientation == Qt::Horizontal)
        setFixedHeight(10);
    else
        setFixedWidth(10);
}

void QVoScrollBar::init()
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    // The track and arrows appear under the mouse, so hovering repaints.
    setAttribute(Qt::WA_Hover);
    m_style = new QVoScrollBarStyle;
    m_style->setParent(this);
    setStyle(m_style);
}

void QVoScrollBar::setStyleParams(const ScrollBarStyleParams &params)
{
    m_style->setParams(params);
    updateGeometry();
    update();
}
