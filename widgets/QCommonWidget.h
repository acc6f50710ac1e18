#pragma once
// Base of the drawn text controls: the text font and the enabled and
// disabled text colours they paint with.
#include <QColor>
#include <QFont>
#include <QWidget>

class QCommonWidget : public QWidget {
    Q_OBJECT
public:
    explicit QCommonWidget(QWidget *parent = nullptr);

    void setTextFont(const QString &family, bool bold, int pixelSize);
    // A complete font, used instead of family/bold/size while set.
    void setExplicitFont(const QFont &font);
    void setTextColors(const QColor &enabled, const QColor &disabled);
    // The font and colour the control paints its text with.
    QFont textFont() const;
    QColor currentTextColor() const { return isEnabled() ? m_textColor : m_disabledTextColor; }

protected:
    QString m_family = QStringLiteral("Tahoma");
    bool m_bold = false;
    int m_pixelSize = 12;
    QColor m_textColor = Qt::black;
    QColor m_disabledTextColor = Qt::black;
    bool m_hasExplicitFont = false;
    QFont m_explicitFont;
};
