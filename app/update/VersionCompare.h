#pragma once
// Ordering of dotted version strings as people read them: "2.2.10" is newer
// than "2.2.9", "2.2.1" equals "2.2.1.0". Numbers of any length compare by
// value without overflow; a part with letters ("3b") compares by its
// leading number, then by the rest as text.
#include <QString>

// Negative when a is older than b, 0 when equal, positive when newer.
int compareVersions(const QString &a, const QString &b);
