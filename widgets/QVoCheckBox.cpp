#include "QVoCheckBox.h"

#include "SkinImage.h"

#include <QPainter>

QVoCheckBox::QVoCheckBox(QWidget *parent)
    : QCheckBox(parent)
{
}

QVoCheckBox::QVoCheckBox(const QString &text, QWidget *parent)
    : QCheckBox(text, parent)
{
}

QSize QVoCheckBox::sizeHint() const
{
    if (!hasBoxPictures())
        return QCheckBox::sizeHint();
    const QSize box = skin::logicalSize(boxPicture(*this));
    return QSize(box.width() + 6 + fontMetrics().horizontalAdvance(text()) + 2, qMax(box.height(), fontMetrics().height()));
}

void QVoCheckBox::paintEvent(QPaintEvent *event)
{
    if (!hasBoxPictures()) {
        QCheckBox::paintEvent(event);
        return;
    }
    QPainter p(this);
    paintBox(p, *this);
}

// The whole control answers clicks, not only the style's indicator area.
bool QVoCheckBox::hitButton(const QPoint &pos) const
{
    return hasBoxPictures() ? rect().contains(pos) : QCheckBox::hitButton(pos);
}
