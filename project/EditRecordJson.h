#pragma once
// The editing record and the output parameters as JSON objects, both ways.
// Reading is strict about types and lenient about absence: a key that is
// missing keeps the record's default (older files lack newer keys), a key
// of the wrong type is an error naming where it is, e.g.
// "segments[2].edit.crop.rotation".
#include "OutputFormatParams.h"
#include "VEEditConfig.h"

#include <QJsonObject>
#include <QString>

namespace projectjson {

QJsonObject editToJson(const VEEditConfig &edit);
// False with *error set when a value has the wrong type; edit is then
// partly filled and must be dropped.
bool editFromJson(const QJsonObject &json, const QString &where, VEEditConfig &edit, QString *error);

QJsonObject paramsToJson(const OutputFormatParams &params);
bool paramsFromJson(const QJsonObject &json, const QString &where, OutputFormatParams &params, QString *error);

// Writes fresh over stored: keys of stored that fresh lacks are kept, at
// every depth of nested objects; arrays and plain values come from fresh.
QJsonObject overlay(const QJsonObject &stored, const QJsonObject &fresh);

} // namespace projectjson
