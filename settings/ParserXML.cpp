#include "ParserXML.h"

#include "AppPaths.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QSaveFile>
#include <QTextStream>

#include <sys/stat.h>

namespace {
const QString kRootName = QStringLiteral("ROOTITEM");

// What tells the file we last read or wrote from one another program (or
// the user) put in its place since: a rename gives a new inode, an edit in
// place a new modification time or size.
struct FileStamp {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    bool operator==(const FileStamp &o) const
    {
        return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
               modifiedNs == o.modifiedNs;
    }
};

FileStamp stampOf(const QString &path)
{
    FileStamp stamp;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = quint64(st.st_dev);
    stamp.inode = quint64(st.st_ino);
    stamp.size = qint64(st.st_size);
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000LL + qint64(st.st_mtim.tv_nsec);
    return stamp;
}

// One settings file as parsed, with the stamp of the file it came from.
struct KeptDocument {
    QDomDocument doc;
    FileStamp stamp;
};

// Guards keptDocuments(). Settings are read on the interface thread and,
// by the converter's naming, on workers.
QMutex &keptMutex()
{
    static QMutex mutex;
    return mutex;
}

// Guards resetNotices(); taken inside keptMutex() when a kept document is
// read again and found damaged, never the other way round.
QMutex &noticeMutex()
{
    static QMutex mutex;
    return mutex;
}

QHash<QString, KeptDocument> &keptDocuments()
{
    static QHash<QString, KeptDocument> documents;
    return documents;
}

QStringList &resetNotices()
{
    static QStringList notices;
    return notices;
}

bool parseFile(const QString &path, QDomDocument &doc, QString *error, bool *opened)
{
    QFile file(path);
    *opened = file.open(QIODevice::ReadOnly | QIODevice::Text);
    if (!*opened)
        return false;
    return doc.setContent(&file, error);
}

// A name beside `path` that says when the unreadable file was put aside,
// e.g. "VideoDefaultSetting-unreadable-20261210-154502.xml".
QString asideName(const QString &path)
{
    const QFileInfo info(path);
    const QString stem = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("-unreadable-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    QString candidate = stem + suffix;
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = stem + QStringLiteral("-%1").arg(n) + suffix;
    return candidate;
}

// Finds the kept document of path, reading the file again when it is new
// to us or was replaced. Null when the file exists but cannot be read.
// Caller holds keptMutex().
KeptDocument *documentFor(const QString &path)
{
    QHash<QString, KeptDocument> &kept = keptDocuments();
    const FileStamp now = stampOf(path);
    auto it = kept.find(path);
    if (it != kept.end() && it->stamp == now)
        return &*it;
    KeptDocument fresh;
    if (now.exists && now.size > 0) {
        if (!ParserXML::loadDocument(path, fresh.doc))
            return nullptr;
    }
    if (fresh.doc.documentElement().isNull()) {
        fresh.doc = QDomDocument();
        fresh.doc.appendChild(fresh.doc.createElement(kRootName));
    }
    fresh.stamp = stampOf(path);
    return &*kept.insert(path, fresh);
}

// Writes the kept document of path. A failed save forgets it, so what the
// program reads next is what the file holds, not the change that was lost.
// Caller holds keptMutex().
void saveKept(const QString &path, KeptDocument *kept)
{
    if (ParserXML::writeOperateXml(path, kept->doc))
        kept->stamp = stampOf(path);
    else
        keptDocuments().remove(path);
}
} // namespace

QString ParserXML::defaultSettingFile()
{
    return settingsFolder() + "/" + QStringLiteral("VideoDefaultSetting.xml");
}

QString ParserXML::formatSettingFile()
{
    return settingsFolder() + "/" + QStringLiteral("VideoDefaultFormatSetting.xml");
}

QDomDocument ParserXML::newDocument()
{
    QDomDocument doc;
    doc.appendChild(doc.createElement(kRootName));
    return doc;
}

bool ParserXML::loadDocument(const QString &path, QDomDocument &doc)
{
    QString error;
    bool opened = false;
    if (parseFile(path, doc, &error, &opened))
        return true;
    if (!opened)
        return false;
    // A hand-edited or damaged file: the user's settings are in it, so it is
    // put aside under a dated name rather than deleted, and the program
    // starts over from the defaults and says so once.
    const QString aside = asideName(path);
    if (QFile::rename(path, aside)) {
        qWarning() << "ParserXML: unreadable settings file kept as" << aside << ":" << error;
        QMutexLocker lock(&noticeMutex());
        resetNotices().append(aside);
    } else {
        qWarning() << "ParserXML: unreadable settings file could not be moved aside:" << path << error;
    }
    doc = newDocument();
    return true;
}

QStringList ParserXML::takeResetNotices()
{
    QMutexLocker lock(&noticeMutex());
    QStringList notices;
    notices.swap(resetNotices());
    return notices;
}

void ParserXML::forgetCachedDocuments()
{
    QMutexLocker lock(&keptMutex());
    keptDocuments().clear();
}

bool ParserXML::writeOperateXml(const QString &path, const QDomDocument &doc)
{
    // Write to a temporary file and rename it over the old one: a crash or a
    // full disk in the middle of a save must not destroy the settings.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qWarning("error::ParserXML->writeOperateXml->file.open\n");
        return false;
    }
    QTextStream out(&file);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    out.setCodec("utf-8");
#endif
    doc.save(out, 4);
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit()) {
        qWarning() << "ParserXML: saving failed, previous file kept:" << path << file.errorString();
        return false;
    }
    return true;
}

QString ParserXML::readItemValue(const QString &item, const QString &attribute,
                                 const QString &defaultValue)
{
    const QString path = defaultSettingFile();
    QMutexLocker lock(&keptMutex());
    KeptDocument *kept = documentFor(path);
    if (!kept)
        return defaultValue;
    QDomElement root = kept->doc.documentElement();
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == item) {
            const QString stored = e.attribute(attribute);
            return stored.isEmpty() ? defaultValue : stored;
        }
    }
    QDomElement e = kept->doc.createElement(item);
    e.setAttribute(attribute, defaultValue);
    root.appendChild(e);
    return defaultValue;
}

void ParserXML::writeItemValue(const QString &item, const QString &attribute, const QString &value)
{
    const QString path = defaultSettingFile();
    QMutexLocker lock(&keptMutex());
    KeptDocument *kept = documentFor(path);
    if (!kept)
        return;
    bool changed = false;
    QDomElement root = kept->doc.documentElement();
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == item && !(e.hasAttribute(attribute) && e.attribute(attribute) == value)) {
            e.setAttribute(attribute, value);
            changed = true;
        }
    }
    if (changed)
        saveKept(path, kept);
}

std::optional<CustomFormatRecord> ParserXML::readCustomRecord(const QString &formatId)
{
    const QString path = formatSettingFile();
    QMutexLocker lock(&keptMutex());
    const KeptDocument *kept = documentFor(path);
    if (!kept)
        return std::nullopt;
    const QDomElement root = kept->doc.documentElement();
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.attribute("Format_ID") != formatId)
            continue;
        const QDomElement custom = e.firstChildElement();
        if (custom.isNull())
            return std::nullopt;
        CustomFormatRecord r;
        r.onlyAudio = custom.attribute("OnlyAudio") == QLatin1String("Y");
        if (!r.onlyAudio) {
            r.videoEncoder = custom.attribute("V_Encoder").trimmed();
            r.videoResolution = custom.attribute("V_Resolution").trimmed();
            r.videoFrameRate = custom.attribute("V_FrameRate").trimmed();
            r.videoBitrate = custom.attribute("V_BitRate").trimmed();
        }
        r.audioEncoder = custom.attribute("A_Encoder").trimmed();
        r.audioChannel = custom.attribute("A_Channel").trimmed();
        r.audioSampleRate = custom.attribute("A_SampleRate").trimmed();
        r.audioBitrate = custom.attribute("A_BitRate").trimmed();
        bool ok = false;
        const uint q = custom.attribute("V_A_Quality").toUInt(&ok);
        r.quality = ok ? q : 0;
        return r;
    }
    return std::nullopt;
}

void ParserXML::writeCustomRecord(const QString &formatId, const CustomFormatRecord &record)
{
    const QString path = formatSettingFile();
    QMutexLocker lock(&keptMutex());
    KeptDocument *kept = documentFor(path);
    if (!kept)
        return;
    QDomDocument &doc = kept->doc;
    QDomElement root = doc.documentElement();

    QDomElement format;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.attribute("Format_ID") == formatId) {
            format = e;
            break;
        }
    }
    if (format.isNull()) {
        format = doc.createElement("FORMAT_");
        format.setAttribute("Format_ID", formatId);
        root.appendChild(format);
    }
    QDomElement custom = format.firstChildElement();
    if (custom.isNull()) {
        custom = doc.createElement("Format_Custom");
        format.appendChild(custom);
    }
    const QList<QPair<QString, QString>> values = {
        {QStringLiteral("OnlyAudio"), QString::fromLatin1(record.onlyAudio ? "Y" : "N")},
        {QStringLiteral("V_Encoder"), record.videoEncoder},
        {QStringLiteral("V_Resolution"), record.videoResolution},
        {QStringLiteral("V_FrameRate"), record.videoFrameRate},
        {QStringLiteral("V_BitRate"), record.videoBitrate},
        {QStringLiteral("A_Encoder"), record.audioEncoder},
        {QStringLiteral("A_Channel"), record.audioChannel},
        {QStringLiteral("A_SampleRate"), record.audioSampleRate},
        {QStringLiteral("A_BitRate"), record.audioBitrate},
        {QStringLiteral("V_A_Quality"), QString::number(record.quality)},
    };
    bool changed = false;
    for (const auto &value : values) {
        if (custom.hasAttribute(value.first) && custom.attribute(value.first) == value.second)
            continue;
        custom.setAttribute(value.first, value.second);
        changed = true;
    }
    if (changed)
        saveKept(path, kept);
}

QPair<QString, QString> ParserXML::readLanguageEntry(const QString &path, const QString &name)
{
    QPair<QString, QString> entry;
    QDomDocument doc;
    QString error;
    bool opened = false;
    if (!parseFile(path, doc, &error, &opened))
        return entry;
    const QDomElement root = doc.documentElement();
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.attribute("Language_Name") == name)
            entry = qMakePair(e.attribute("Language_File"), e.attribute("Language_Type"));
    }
    return entry;
}

QStringList ParserXML::listLanguageNames(const QString &path)
{
    QStringList names;
    QDomDocument doc;
    QString error;
    bool opened = false;
    if (!parseFile(path, doc, &error, &opened))
        return names;
    const QDomElement root = doc.documentElement();
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        names << e.attribute("Language_Name");
    return names;
}
