#pragma once
// An edit record in JSON for the command line: keys are the record's field
// names, nested records by their own field names, rectangles as
// [x, y, width, height], colours as numbers. Absent keys keep what the
// record holds.
#include "VEEditConfig.h"

#include <QByteArray>
#include <QString>

// Applies json to config; false with error set when the text is not a
// JSON object or a value has the wrong type.
bool applyEditsJson(const QByteArray &json, VEEditConfig &config, QString *error);
