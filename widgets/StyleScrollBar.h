#pragma once
// The thin vertical scroll bar of the drawn scroll areas: an 8-pixel bar on a
// transparent ground with a rounded handle and picture arrows.
#include <QScrollBar>

class StyleScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit StyleScrollBar(QWidget *parent = nullptr);

    static QString baseStyleSheet();
    // Each empty path is skipped; the others are appended as arrow clauses.
    void setUpArrowImages(const QString &normal, const QString &hover);
    void setDownArrowImages(const QString &normal, const QString &hover);
    // The pictures every window uses, from the application folder.
    void setStandardArrows();
};
