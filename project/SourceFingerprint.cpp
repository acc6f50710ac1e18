#include "SourceFingerprint.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
QString digest(QFile &file, qint64 offset, qint64 length)
{
    if (!file.seek(offset))
        return QString();
    const QByteArray data = file.read(length);
    if (data.size() != length)
        return QString();
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
}
} // namespace

SourceFingerprint SourceFingerprint::of(const QString &path)
{
    SourceFingerprint fp;
    fp.path = QFileInfo(path).absoluteFilePath();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fp;
    const qint64 size = file.size();
    const qint64 chunk = qMin(size, kChunk);
    fp.headSha256 = digest(file, 0, chunk);
    fp.tailSha256 = digest(file, size - chunk, chunk);
    if (!fp.headSha256.isEmpty() && !fp.tailSha256.isEmpty())
        fp.size = size;
    return fp;
}

bool SourceFingerprint::matches(const QString &candidate) const
{
    const QFileInfo info(candidate);
    if (!info.isFile() || info.size() != size)
        return false;
    const SourceFingerprint other = of(candidate);
    return other.size == size && other.headSha256 == headSha256 && other.tailSha256 == tailSha256;
}

QString SourceFingerprint::locate(const QStringList &folders) const
{
    const QString name = QFileInfo(path).fileName();
    if (size < 0) {
        // Nothing to compare: the file of that name, where it was or in
        // one of the folders.
        if (QFileInfo(path).isFile())
            return path;
        for (const QString &folder : folders) {
            const QString same = QDir(folder).filePath(name);
            if (QFileInfo(same).isFile())
                return QFileInfo(same).absoluteFilePath();
        }
        return QString();
    }
    if (matches(path))
        return QFileInfo(path).absoluteFilePath();
    // The same name first (a folder moved as a whole), then any file of the
    // same size (the source renamed as well).
    for (const QString &folder : folders) {
        const QString same = QDir(folder).filePath(name);
        if (same != path && matches(same))
            return QFileInfo(same).absoluteFilePath();
    }
    for (const QString &folder : folders) {
        const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files | QDir::Readable);
        for (const QFileInfo &file : files) {
            if (file.size() == size && file.absoluteFilePath() != path && matches(file.absoluteFilePath()))
                return file.absoluteFilePath();
        }
    }
    return QString();
}
