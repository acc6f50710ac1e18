#include "ParserXML.h"

#include "AppPaths.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QMutexLocker>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
const QString kRootName = QStringLiteral("ROOTITEM");

// How long the writer lets changes gather after the latest one before it
// saves them, and the longest a change waits in all: the three values a
// closing window writes, or a burst of choices, become one save.
constexpr std::chrono::milliseconds kSettle{40};
constexpr std::chrono::milliseconds kLongestWait{400};

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
    bool operator!=(const FileStamp &o) const { return !(*this == o); }
};

FileStamp stampOf(const QByteArray &nativePath)
{
    FileStamp stamp;
    struct stat st {};
    if (::stat(nativePath.constData(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = quint64(st.st_dev);
    stamp.inode = quint64(st.st_ino);
    stamp.size = qint64(st.st_size);
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000LL + qint64(st.st_mtim.tv_nsec);
    return stamp;
}

FileStamp stampOf(const QString &path)
{
    return stampOf(QFile::encodeName(path));
}

// One settings file as parsed, with the stamp of the file it came from.
struct KeptDocument {
    QDomDocument doc;
    FileStamp stamp;
    // Another number each time doc is read from the file afresh: a save
    // made from an earlier reading must not land over a newer one.
    quint64 reading = 0;
    // Changed since it was last handed to the writer.
    bool unsaved = false;
};

// Guards keptDocuments() and every field of the writer below. Settings are
// read and changed on the interface thread and, by the converter's naming,
// on workers; the writer saves on its own thread. Held only for lookups,
// changes in memory and the rename that ends a save, never across a file's
// writing and flushing.
std::mutex &keptMutex()
{
    static std::mutex mutex;
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

quint64 nextReading()
{
    static std::atomic<quint64> counter{0};
    return ++counter;
}

bool parseFile(const QString &path, QDomDocument &doc, QString *error, bool *opened)
{
    QFile file(path);
    *opened = file.open(QIODevice::ReadOnly | QIODevice::Text);
    if (!*opened)
        return false;
    return doc.setContent(&file, error);
}

// The bytes of a settings file: UTF-8, indent 4.
QByteArray serialise(const QDomDocument &doc, bool *ok)
{
    QByteArray bytes;
    QTextStream out(&bytes, QIODevice::WriteOnly);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    out.setCodec("utf-8");
#endif
    doc.save(out, 4);
    out.flush();
    *ok = out.status() == QTextStream::Ok;
    return bytes;
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
    // New to us, or another program (or the user) replaced the file: what
    // it holds now wins over changes of ours not saved yet, as it would
    // have had we saved them at once.
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
    fresh.reading = nextReading();
    return &*kept.insert(path, fresh);
}

// A file written whole beside its final name and flushed to the disk.
struct StagedFile {
    QByteArray native; // empty when it could not be made
};

StagedFile stage(const QString &path, const QByteArray &bytes)
{
    static std::atomic<unsigned> serial{0};
    StagedFile staged;
    const QByteArray target = QFile::encodeName(path);
    const QByteArray name = target + ".saving-" + QByteArray::number(qint64(::getpid())) + '-' +
                            QByteArray::number(++serial);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return staged;
    // The new file keeps the permissions the old one had.
    struct stat st {};
    if (::stat(target.constData(), &st) == 0)
        ::fchmod(fd, st.st_mode & 07777);
    qint64 done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        done += ok ? n : 0;
    }
    ok = ok && ::fdatasync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        ::unlink(name.constData());
        return staged;
    }
    staged.native = name;
    return staged;
}

// The one thread that saves the kept documents. A change marks its file
// and wakes the writer; the writer lets a burst of changes settle, turns
// the newest state of the document into bytes under the lock, writes and
// flushes them to a file beside without the lock, and renames that over
// the settings file under the lock, so that the stamp readers compare
// always belongs to the file they would find. Readers and changers never
// wait for the disk.
class SettingsWriter {
public:
    static SettingsWriter &instance()
    {
        // The kept documents and their lock are made first, so that they
        // are destroyed after the writer has saved what is left.
        keptMutex();
        keptDocuments();
        static SettingsWriter writer;
        return writer;
    }

    // Caller holds keptMutex().
    void changed(const QString &path)
    {
        if (!m_waiting.contains(path))
            m_waiting.append(path);
        const auto now = Clock::now();
        if (!m_gathering) {
            m_gathering = true;
            m_firstChange = now;
        }
        m_lastChange = now;
        startLocked();
        m_cv.notify_all();
    }

    // Returns once every change made before the call is saved or has
    // failed. Caller must not hold keptMutex().
    void flush()
    {
        std::unique_lock<std::mutex> lk(keptMutex());
        if (!m_started)
            return;
        const quint64 target = ++m_flushRequests;
        m_cv.notify_all();
        m_cv.wait(lk, [&] { return m_flushed >= target || m_stopped; });
    }

    ~SettingsWriter()
    {
        {
            std::lock_guard<std::mutex> lk(keptMutex());
            m_stop = true;
            m_cv.notify_all();
        }
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    using Clock = std::chrono::steady_clock;

    SettingsWriter() = default;

    static void flushAtAppExit()
    {
        // The application object goes: whatever is still waiting is
        // saved while Qt is whole.
        SettingsWriter::instance().flush();
    }

    // Caller holds keptMutex().
    void startLocked()
    {
        if (m_started)
            return;
        m_started = true;
        m_thread = std::thread([this] { run(); });
        if (QCoreApplication::instance())
            qAddPostRoutine(&SettingsWriter::flushAtAppExit);
    }

    void run()
    {
        std::unique_lock<std::mutex> lk(keptMutex());
        for (;;) {
            m_cv.wait(lk, [&] { return m_stop || !m_waiting.isEmpty() || m_flushRequests > m_flushed; });
            // A burst settles unless someone waits for it.
            while (!m_waiting.isEmpty() && !m_stop && m_flushRequests == m_flushed) {
                const auto due = std::min(m_lastChange + kSettle, m_firstChange + kLongestWait);
                if (Clock::now() >= due)
                    break;
                m_cv.wait_until(lk, due);
            }
            const quint64 answering = m_flushRequests;
            m_gathering = false;
            while (!m_waiting.isEmpty())
                saveLocked(lk, m_waiting.takeFirst());
            m_flushed = answering;
            m_cv.notify_all();
            if (m_stop && m_waiting.isEmpty())
                break;
        }
        m_stopped = true;
        m_cv.notify_all();
    }

    // Saves the kept document of path. Called with keptMutex() held in lk;
    // lets go of it while the file is written and flushed.
    void saveLocked(std::unique_lock<std::mutex> &lk, const QString &path)
    {
        auto it = keptDocuments().find(path);
        if (it == keptDocuments().end() || !it->unsaved)
            return;
        bool serialised = false;
        const QByteArray bytes = serialise(it->doc, &serialised);
        const quint64 reading = it->reading;
        const FileStamp base = it->stamp;
        it->unsaved = false;

        lk.unlock();
        const StagedFile staged = serialised ? stage(path, bytes) : StagedFile();
        lk.lock();

        it = keptDocuments().find(path);
        const bool current = it != keptDocuments().end() && it->reading == reading;
        // Replaced from outside since we last looked: that file is newer
        // than our change, and stays.
        const bool replaced = current && stampOf(path) != base;
        bool saved = false;
        if (current && !replaced) {
            if (!staged.native.isEmpty()) {
                saved = ::rename(staged.native.constData(), QFile::encodeName(path).constData()) == 0;
            } else if (serialised) {
                // No file can be made beside it (a folder we may not write
                // to): the settings file itself is written over.
                QSaveFile direct(path);
                direct.setDirectWriteFallback(true);
                saved = direct.open(QIODevice::WriteOnly) && direct.write(bytes) == bytes.size() && direct.commit();
            }
        }
        if (!staged.native.isEmpty() && !saved)
            ::unlink(staged.native.constData());
        if (!current)
            return; // read again meanwhile: that reading is what counts
        if (saved) {
            it->stamp = stampOf(path);
        } else if (replaced || !it->unsaved) {
            // What the program reads next is what the file holds, not the
            // change that was lost.
            if (!replaced)
                qWarning() << "ParserXML: saving failed, previous file kept:" << path;
            keptDocuments().erase(it);
        }
    }

    std::condition_variable m_cv;
    std::thread m_thread;
    // All guarded by keptMutex().
    QStringList m_waiting; // files with changes, in the order first changed
    Clock::time_point m_firstChange, m_lastChange;
    bool m_gathering = false;
    bool m_started = false;
    bool m_stop = false;
    bool m_stopped = false;
    quint64 m_flushRequests = 0;
    quint64 m_flushed = 0;
};

// Marks the kept document of path changed; the writer saves it soon.
// Caller holds keptMutex().
void keepChanged(const QString &path, KeptDocument *kept)
{
    if (!kept->stamp.exists) {
        // The first change of a file not there yet makes it at once, as it
        // is now and without waiting for the disk (the writer's save with
        // its flush follows), so that a file removed or replaced from now on
        // is told apart from one not yet made. A crash before the save
        // leaves an empty or whole file, and both read well.
        bool serialised = false;
        const QByteArray bytes = serialise(kept->doc, &serialised);
        QFile file(path);
        if (serialised && file.open(QIODevice::NewOnly | QIODevice::WriteOnly)) {
            file.write(bytes);
            file.close();
            kept->stamp = stampOf(path);
        }
    }
    kept->unsaved = true;
    SettingsWriter::instance().changed(path);
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
    SettingsWriter::instance().flush();
    std::lock_guard<std::mutex> lock(keptMutex());
    keptDocuments().clear();
}

void ParserXML::flushWrites()
{
    SettingsWriter::instance().flush();
}

bool ParserXML::writeOperateXml(const QString &path, const QDomDocument &doc)
{
    // Write to a temporary file and rename it over the old one: a crash or a
    // full disk in the middle of a save must not destroy the settings.
    bool serialised = false;
    const QByteArray bytes = serialise(doc, &serialised);
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!serialised || !file.open(QIODevice::WriteOnly)) {
        qWarning("error::ParserXML->writeOperateXml->file.open\n");
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        qWarning() << "ParserXML: saving failed, previous file kept:" << path << file.errorString();
        return false;
    }
    return true;
}

QString ParserXML::readItemValue(const QString &item, const QString &attribute,
                                 const QString &defaultValue)
{
    const QString path = defaultSettingFile();
    std::lock_guard<std::mutex> lock(keptMutex());
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
    std::lock_guard<std::mutex> lock(keptMutex());
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
        keepChanged(path, kept);
}

std::optional<CustomFormatRecord> ParserXML::readCustomRecord(const QString &formatId)
{
    const QString path = formatSettingFile();
    std::lock_guard<std::mutex> lock(keptMutex());
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
    std::lock_guard<std::mutex> lock(keptMutex());
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
        keepChanged(path, kept);
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
