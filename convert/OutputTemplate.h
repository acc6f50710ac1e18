#pragma once
// Output file names from a template the user writes, such as
// "{name}_{n}.{ext}" (today's names, the default) or
// "{n:02} {label} {start}.{ext}". Names are made to survive any file
// system the user copies them to, not only ours.
#include <QDate>
#include <QString>

#include <cstdint>
#include <functional>

// What a template can name for one output file.
struct OutputNameFields {
    QString name;  // the source's name without its suffix
    QString ext;   // the output's extension, without the dot
    int n = 1;     // the segment's number, from 1
    QString label; // the segment's label; may be empty
    uint64_t start_us = 0;
    uint64_t end_us = 0;
    QDate date;
};

// Segment files and merged files: "{name}_{n}.{ext}".
QString defaultOutputTemplate();

// The placeholder a template names but we do not know ("{nn}"), or an
// empty string when every one is known.
QString unknownPlaceholder(const QString &pattern);

// The file name for the fields: placeholders filled in ({name} {ext} {n}
// {n:02} {label} {start} {end} as hh.mm.ss.fff, {date} as yyyy-MM-dd),
// characters other file systems refuse replaced by '_', and the output's
// extension added when the template leaves it out. An empty result falls
// back to the source's name. Unknown placeholders stay as written.
QString expandOutputName(const QString &pattern, const OutputNameFields &fields);

// A name in folder that exists for no file yet, never an existing one:
// with {n} in the template the number counts on from the segment's, as
// the program always did; without it "(1)", "(2)"... go before the
// extension, as output folders get them.
QString freeOutputPath(const QString &folder, const QString &pattern, OutputNameFields fields,
                       const std::function<bool(const QString &)> &exists);
