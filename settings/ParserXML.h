#pragma once
// Reading and writing the XML settings files of the settings folder. Every
// call parses and rewrites its file anew; nothing is cached, so the files
// are the single source of truth. Interface thread only.
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
    // does not parse is replaced by an empty one and doc gets a fresh
    // "ROOTITEM" root.
    static bool loadDocument(const QString &path, QDomDocument &doc);
    // Saves doc to path (UTF-8, indent 4). The file is replaced atomically,
    // so an interrupted save leaves the previous file intact.
    static bool writeOperateXml(const QString &path, const QDomDocument &doc);

    // Value of item/attribute in "VideoDefaultSetting.xml"; the first reader
    // of a missing item stores its default.
    static QString readItemValue(const QString &item, const QString &attribute,
                                 const QString &defaultValue);
    // Sets item/attribute on items that already exist; never creates one.
    static void writeItemValue(const QString &item, const QString &attribute, const QString &value);

    static std::optional<CustomFormatRecord> readCustomRecord(const QString &formatId);
    static void writeCustomRecord(const QString &formatId, const CustomFormatRecord &record);

    // Language list lookups ("Language.xml").
    static QPair<QString, QString> readLanguageEntry(const QString &path, const QString &name);
    static QStringList listLanguageNames(const QString &path);

private:
    static QDomDocument newDocument();
};
