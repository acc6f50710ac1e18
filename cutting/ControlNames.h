#pragma once
// Names of the compound controls for screen readers and test tools, set by
// the panels that own them whenever their language changes.
#include <QString>

class QCustomTimeEdit;

// The field and its editor take the name; the step buttons say which way
// they move the time.
void nameTimeEdit(QCustomTimeEdit *edit, const QString &name);
