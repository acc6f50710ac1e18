#pragma once
// A content library: every "config.xml" below one folder of the
// application folder, read once at construction and kept until the
// library is destroyed.
#include "EffectEntry.h"

#include <QObject>
#include <QStringList>

class QEffectLibrary : public QObject {
    Q_OBJECT
public:
    const QList<EffectEntry> &entries() const { return m_entries; }
    int count() const { return m_entries.size(); }
    // Null when index is negative or past the end.
    const EffectEntry *entryAt(int index) const;
    // "%1/%2" of the entry's folder and thumbnail.
    static QString thumbnailPath(const EffectEntry &entry);
    QString folder() const { return m_folder; }

protected:
    QEffectLibrary(const QString &folder, QObject *parent);
    // Walks folder in name order (entries keep their place from one run and
    // one file system to the next); foldersFirst lists a folder's
    // sub-folders before its files.
    static QStringList configFiles(const QString &folder, bool foldersFirst);
    // Parses files in order into entries; checkPictures leaves out entries
    // whose pictures cannot be shown.
    void load(const QStringList &files, bool checkPictures);

private:
    QString m_folder;
    QList<EffectEntry> m_entries;
};
