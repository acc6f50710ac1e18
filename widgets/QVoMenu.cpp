#include "QVoMenu.h"

QVoMenu::QVoMenu(QWidget *parent)
    : QMenu(parent)
{
    init();
}

QVoMenu::QVoMenu(const QString &title, QWidget *parent)
    : QMenu(title, parent)
{
    init();
}

void QVoMenu::init()
{
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    m_style = new QVoMenuStyle;
    m_style->setParent(this);
    setStyle(m_style);
}

void QVoMenu::restyle()
{
    // Metrics (the panel width) are cached by the menu; re-apply the style.
    setStyle(m_style);
    update();
}

void QVoMenu::setPanelWidth(int width)
{
    m_style->params().panelWidth = width;
    restyle();
}

void QVoMenu::setPanelColor(const QColor &color) { m_style->params().panel = color; update(); }
void QVoMenu::setEmptyAreaColor(const QColor &color) { m_style->params().emptyArea = color; update(); }
void QVoMenu::setThirdColor(const QColor &color) { m_style->params().third = color; update(); }
void QVoMenu::setTextColor(const QColor &color) { m_style->params().text = color; update(); }
void QVoMenu::setSelectedBackgroundColor(const QColor &color) { m_style->params().selectedBackground = color; update(); }
void QVoMenu::setSelectedTextColor(const QColor &color) { m_style->params().selectedText = color; update(); }
void QVoMenu::setDisabledOverlayColor(const QColor &color) { m_style->params().disabledOverlay = color; update(); }
void QVoMenu::setDisabledTextColor(const QColor &color) { m_style->params().disabledText = color; update(); }
void QVoMenu::setSeparatorColor(const QColor &color) { m_style->params().separator = color; update(); }
