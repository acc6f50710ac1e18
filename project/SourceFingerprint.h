#pragma once
// What identifies a project's source file when it is no longer where it
// was: its size and SHA-256 digests of its first and last MiB. Reading
// them touches 2 MiB at most, whatever the file's size.
#include <QString>
#include <QStringList>

struct SourceFingerprint {
    QString path;        // absolute path when the project was saved
    qint64 size = -1;    // bytes; -1 when unknown
    QString headSha256;  // hex digest of the first min(size, 1 MiB) bytes
    QString tailSha256;  // hex digest of the last min(size, 1 MiB) bytes

    static constexpr qint64 kChunk = 1024 * 1024;

    // The fingerprint of the file at path; size -1 when it cannot be read.
    static SourceFingerprint of(const QString &path);
    // The file at path has this fingerprint's size and digests.
    bool matches(const QString &path) const;
    // Where the source is now: the saved path when it still matches, else
    // a file with the same size and digests among the candidates' folders
    // (the project's own folder first), else empty. A file at the saved
    // path that no longer matches is not taken. Without digests (size -1):
    // the saved path, else a file of the same name in the folders.
    QString locate(const QStringList &folders) const;
};
