#pragma once
// The orange counter badge of the buttons that count new items.
#include <QPixmap>
#include <QRect>

class QPainter;

namespace countbadge {
// Badge picture, relative to the application folder.
QString picturePath();
// Text shown for a count: the number, or "99+" from 100 on.
QString text(int count);
// Where the 20 x 20 badge goes in a widget of the given rectangle.
QRect rect(const QRect &widget);
// Draws the badge and its text when count >= 1.
void draw(QPainter &painter, const QRect &widget, const QPixmap &badge, int count);
} // namespace countbadge
