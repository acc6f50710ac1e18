#pragma once
// The window's naming state: every source gets a folder of its own under
// the output root (shortened so that paths stay short enough for every file
// system the user may copy them to), and its segments become base_1.ext,
// base_2.ext, ... in it, or names from the user's template. The window keeps
// it in its configuration state when a file comes in; a run takes what it
// needs of it as values when it starts (currentWorkRun) and reads none of it
// afterwards. Interface thread only.
#include "ConversionRun.h"

#include <QString>

// Remembers the source and computes its shortened name and output folder.
void setAdjustFileName(const QString &suffix, const QString &name);
// Runs setAdjustFileName again with the stored source (after the output
// root changed).
void readjustFileName();
// The output extension for the current output parameters and a source suffix.
QString outputExtension(const QString &sourceSuffix);

// The user's templates for the names of segment files and merged files
// (see OutputTemplate.h); the default gives the names of old.
QString segmentNameTemplate();
QString mergedNameTemplate();

// How the window names the outputs of the current source now: its folder,
// its base name, the current format's extension and the user's template
// (empty, the folder rule, while the template is the default or unreadable).
OutputNamingPlan currentNamingPlan(bool merge);

// The window's current work as a run: every item of the item list, with the
// current output parameters and the naming plan above; the segments of the
// plan's source keep the streams of the work's track plan.
ConversionRun currentWorkRun(bool merge, bool segmentChapters = false, const TrackPlan &plan = TrackPlan());

// Turns the computer off when the user asked for it after conversions.
void powerOffIfChosen();
