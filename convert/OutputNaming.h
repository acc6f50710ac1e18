#pragma once
// Output names: every source gets a folder of its own under the output
// root (shortened so that paths stay short enough for every file system
// the user may copy them to), and its segments become base_1.ext,
// base_2.ext, ... in it.
#include <QString>

// Remembers the source and computes its shortened name and output folder.
void setAdjustFileName(const QString &suffix, const QString &name);
// Runs setAdjustFileName again with the stored source (after the output
// root changed).
void readjustFileName();
// The next free output path of the current source; creates its folder.
QString getConvertPath();
// The output extension for the current output parameters and a source suffix.
QString outputExtension(const QString &sourceSuffix);
