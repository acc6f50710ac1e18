#pragma once
// Box-drawing helper of the image check box and radio button: a box picture
// for unchecked, checked and disabled, then the text. Controls without
// pictures paint as the standard ones.
#include <QPixmap>

class QAbstractButton;
class QPainter;

class QVoBoxDraw {
public:
    virtual ~QVoBoxDraw() = default;
    // The disabled picture may be empty: disabled boxes then use the
    // unchecked or checked picture, dimmed.
    bool setBoxPictures(const QString &unchecked, const QString &checked, const QString &disabled = QString());
    bool hasBoxPictures() const { return !m_unchecked.isNull() && !m_checked.isNull(); }
    void setBoxSpacing(int spacing) { m_spacing = spacing; }

    // The picture used for the button's current state.
    const QPixmap &boxPicture(const QAbstractButton &button) const;
    QRect boxRect(const QAbstractButton &button) const;
    void paintBox(QPainter &painter, const QAbstractButton &button) const;

private:
    QPixmap m_unchecked;
    QPixmap m_checked;
    QPixmap m_disabled;
    int m_spacing = 6;
};
