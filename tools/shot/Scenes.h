#pragma once
// The scenes the screenshot tool can render. Each returns a top-level widget
// ready to be shown; later windows add their own scene here.
#include <QString>
#include <QStringList>

class QWidget;

namespace scenes {
QStringList names();
// Null for an unknown name.
QWidget *create(const QString &name);
} // namespace scenes
