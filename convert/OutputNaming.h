#pragma once
// Output names: every source gets a folder of its own under the output
// root (shortened so that paths stay short enough for every file system
// the user may copy them to), and its segments become base_1.ext,
// base_2.ext, ... in it.
#include <QString>

#include <functional>

class VoVideoConvertItem;

// Remembers the source and computes its shortened name and output folder.
void setAdjustFileName(const QString &suffix, const QString &name);
// Runs setAdjustFileName again with the stored source (after the output
// root changed).
void readjustFileName();
// The next free output path of the current source; creates its folder.
QString getConvertPath();
// The output extension for the current output parameters and a source suffix.
QString outputExtension(const QString &sourceSuffix);

// The user's templates for the names of segment files and merged files
// (see OutputTemplate.h); the default gives the names of old.
QString segmentNameTemplate();
QString mergedNameTemplate();
// Names the output of item (position from 0 in the run; a merged file is
// named at its first item) in the current source's folder, by the user's
// template. An empty function while the template is the default: the
// folder rule of getConvertPath() names them then.
std::function<QString(const VoVideoConvertItem &item, int position)> templateOutputNamer(bool merge);
