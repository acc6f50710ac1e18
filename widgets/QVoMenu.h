#pragma once
// A popup menu drawn by its own QVoMenuStyle in flat colours.
#include "QVoMenuStyle.h"

#include <QMenu>

class QVoMenu : public QMenu {
    Q_OBJECT
public:
    explicit QVoMenu(QWidget *parent = nullptr);
    explicit QVoMenu(const QString &title, QWidget *parent = nullptr);

    void setPanelWidth(int width);
    void setPanelColor(const QColor &color);
    void setEmptyAreaColor(const QColor &color);
    void setThirdColor(const QColor &color);
    void setTextColor(const QColor &color);
    void setSelectedBackgroundColor(const QColor &color);
    void setSelectedTextColor(const QColor &color);
    void setDisabledOverlayColor(const QColor &color);
    void setDisabledTextColor(const QColor &color);
    void setSeparatorColor(const QColor &color);

    QVoMenuStyle *menuStyle() const { return m_style; }
    bool noSystemShadow() const { return m_noSystemShadow; }

private:
    void init();
    void restyle();

    QVoMenuStyle *m_style = nullptr;
    // The drop shadow under menus belongs to the window manager here; the
    // flag is kept so owners state their wish the same way everywhere.
    bool m_noSystemShadow = true;
};
