#pragma once
// Reading and writing the XML settings files of the settings folder. Each
// file is parsed once and kept in memory; a read never touches the disk
// beyond noticing that another program replaced the file. A change is made
// in memory at once (the next read sees it) and saved by one writer thread
// of its own shortly after, a burst of changes as one save, atomically
// (written beside, flushed, renamed over): no caller ever waits for the
// disk. What is still unsaved when the application object goes, or at the
// latest when the process ends, is saved then. Safe to call from any
// thread: one mutex guards the kept documents.
#include <QDomDocument>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

// The decoded "Format_Custom" element of one output format.
struct CustomFormatRecord {
    bool onlyAudio = false;
    QString videoEncoder;
    QString videoResolution;
    QString videoFrameRate;
    QString videoBitrate;
    QString audioEncoder;
    QString audioChannel;
    QString audioSampleRate;
    QString audioBitrate;
    uint32_t quality = 0;
};

class ParserXML {
public:
    static QString defaultSettingFile();  // "VideoDefaultSetting.xml" in the settings folder
    static QString formatSettingFile();   // "VideoDefaultFormatSetting.xml"

    // Loads path into doc. False when the file cannot be opened. A file that
    // does not parse is moved aside under a dated name (see
    // takeResetNotices) and doc gets a fresh "ROOTITEM" root.
    static bool loadDocument(const QString &path, QDomDocument &doc);
    // Saves doc to path (UTF-8, indent 4). The file is replaced atomically,
    // so an interrupted save leaves the previous file intact.
    static bool writeOperateXml(const QString &path, const QDomDocument &doc);

    // Value of item/attribute in "VideoDefaultSetting.xml". The first reader
    // of a missing item stores its default in the kept document; it reaches
    // the file with the next change, so reading alone never writes.
    static QString readItemValue(const QString &item, const QString &attribute,
                                 const QString &defaultValue);
    // Sets item/attribute on items that already exist (read at least once);
    // never creates one. Saves the file (from the writer thread) only when
    // the value differs.
    static void writeItemValue(const QString &item, const QString &attribute, const QString &value);

    static std::optional<CustomFormatRecord> readCustomRecord(const QString &formatId);
    static void writeCustomRecord(const QString &formatId, const CustomFormatRecord &record);

    // Language list lookups ("Language.xml").
    static QPair<QString, QString> readLanguageEntry(const QString &path, const QString &name);
    static QStringList listLanguageNames(const QString &path);

    // Paths under which unreadable settings files were kept since the last
    // call, oldest first; the list is emptied, so each reset is told once.
    static QStringList takeResetNotices();
    // Returns once every change made before the call is on disk (or its
    // save failed). Blocks: for the end of the program and for tests,
    // never for the interface thread at work.
    static void flushWrites();
    // Saves what is unsaved and forgets the kept documents, so the next
    // access reads the files again.
    static void forgetCachedDocuments();

private:
    static QDomDocument newDocument();
};
