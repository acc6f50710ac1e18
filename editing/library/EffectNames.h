#pragma once
// The names of library entries as shown: the installed entries' English
// names are translated; names of other content are shown as written.
#include <QString>

QString effectDisplayName(const QString &name);
