#pragma once
// Where the command line speaks: its own copies of standard output and
// standard error. The libraries below print debugging lines to the
// process's streams; those go nowhere unless SNIPWELL_DEBUG is set, so
// that standard output holds only what the command promises (one JSON
// object a line with --json) and standard error only its messages.
#include <QJsonObject>
#include <QString>

namespace cli {

// Takes the two streams over; once, before anything is printed.
void captureStandardStreams();

// Text and JSON lines; each call writes whole lines and flushes.
void printOut(const QString &text);
void printErr(const QString &text);
void printJson(const QJsonObject &object);

// Messages about a file (or about the run when file is empty), as text on
// standard error ("snipwell-cli: FILE: reason") or, with json, as an object
// on standard output: {"type": "error"|"note", "file": ..., "message": ...}.
void reportError(bool json, const QString &file, const QString &message);
void reportNote(bool json, const QString &file, const QString &message);

// A usage error: the message and a pointer to --help; returns 2.
int usageError(const QString &message);

} // namespace cli
