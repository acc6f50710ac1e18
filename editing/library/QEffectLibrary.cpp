#include "QEffectLibrary.h"

#include "EffectConfigParser.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace {

// Deep enough for any sensible layout, shallow enough that a link loop or a
// pathological tree cannot hold the dialog up.
constexpr int kMaxDepth = 6;

void walk(const QString &folder, bool foldersFirst, int depth, QStringList &out)
{
    if (depth > kMaxDepth || out.size() > effectconfig::kMaxEntries)
        return;
    const QDir dir(folder);
    const QDir::SortFlags sort = QDir::Name | (foldersFirst ? QDir::DirsFirst : QDir::NoSort);
    const QFileInfoList items = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::NoSymLinks, sort);
    for (const QFileInfo &item : items) {
        if (item.isDir())
            walk(item.absoluteFilePath(), foldersFirst, depth + 1, out);
        else if (item.absoluteFilePath().contains(QLatin1String("config.xml")))
            out << item.absoluteFilePath();
        if (out.size() > effectconfig::kMaxEntries)
            return;
    }
}

} // namespace

QEffectLibrary::QEffectLibrary(const QString &folder, QObject *parent) : QObject(parent), m_folder(folder) {}

const EffectEntry *QEffectLibrary::entryAt(int index) const
{
    if (index < 0 || index >= m_entries.size())
        return nullptr;
    return &m_entries[index];
}

QString QEffectLibrary::thumbnailPath(const EffectEntry &entry)
{
    return QString("%1/%2").arg(entry.folder, entry.thumbnail);
}

QStringList QEffectLibrary::configFiles(const QString &folder, bool foldersFirst)
{
    QStringList files;
    if (!QFileInfo(folder).isDir())
        return files;
    walk(folder, foldersFirst, 0, files);
    return files;
}

void QEffectLibrary::load(const QStringList &files, bool checkPictures)
{
    for (const QString &file : files) {
        if (m_entries.size() >= effectconfig::kMaxEntries) {
            qWarning().noquote() << "effects:" << m_folder << "holds more than" << effectconfig::kMaxEntries
                                 << "entries; the rest are left out";
            return;
        }
        std::optional<EffectEntry> entry = effectconfig::parse(file);
        if (!entry)
            continue;
        if (checkPictures && !effectconfig::keepShowablePictures(*entry, file))
            continue;
        QString path = file;
        path.replace('\\', '/');
        entry->folder = path.left(path.lastIndexOf('/'));
        m_entries << *entry;
    }
}
