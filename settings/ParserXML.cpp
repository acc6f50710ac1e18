#include "ParserXML.h"

#include "AppPaths.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace {
const QString kRootName = QStringLiteral("ROOTITEM");

bool createEmptyFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate);
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QString error;
    if (!doc.setContent(&file, &error)) {
        // A hand-edited or truncated file: start over with an empty one so
        // that every item returns to its default as it is read again.
        qDebug() << "ParserXML: unparsable settings file replaced:" << path << error;
        file.close();
        QFile::remove(path);
        createEmptyFile(path);
        doc = newDocument();
        return true;
    }
    return true;
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
    QDomDocument doc;
    if (QFileInfo::exists(path)) {
        if (!loadDocument(path, doc))
            return defaultValue;
    } else {
        createEmptyFile(path);
        doc = newDocument();
    }
    QDomElement root = doc.documentElement();
    if (root.isNull()) {
        doc = newDocument();
        root = doc.documentElement();
    }

    QString value = defaultValue;
    bool found = false;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == item) {
            const QString stored = e.attribute(attribute);
            value = stored.isEmpty() ? defaultValue : stored;
            found = true;
            break;
        }
    }
    if (!found) {
        QDomElement e = doc.createElement(item);
        e.setAttribute(attribute, defaultValue);
        root.appendChild(e);
    }
    writeOperateXml(path, doc);
    return value;
}

void ParserXML::writeItemValue(const QString &item, const QString &attribute, const QString &value)
{
    const QString path = defaultSettingFile();
    QDomDocument doc;
    if (!loadDocument(path, doc))
        return;
    QDomElement root = doc.documentElement();
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == item)
            e.setAttribute(attribute, value);
    }
    writeOperateXml(path, doc);
}

std::optional<CustomFormatRecord> ParserXML::readCustomRecord(const QString &formatId)
{
    const QString path = formatSettingFile();
    QDomDocument doc;
    if (!QFileInfo::exists(path) || !loadDocument(path, doc))
        return std::nullopt;
    const QDomElement root = doc.documentElement();
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
    QDomDocument doc;
    if (QFileInfo::exists(path)) {
        if (!loadDocument(path, doc))
            return;
    } else {
        createEmptyFile(path);
        doc = newDocument();
    }
    QDomElement root = doc.documentElement();
    if (root.isNull()) {
        doc = newDocument();
        root = doc.documentElement();
    }

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
    custom.setAttribute("OnlyAudio", record.onlyAudio ? "Y" : "N");
    custom.setAttribute("V_Encoder", record.videoEncoder);
    custom.setAttribute("V_Resolution", record.videoResolution);
    custom.setAttribute("V_FrameRate", record.videoFrameRate);
    custom.setAttribute("V_BitRate", record.videoBitrate);
    custom.setAttribute("A_Encoder", record.audioEncoder);
    custom.setAttribute("A_Channel", record.audioChannel);
    custom.setAttribute("A_SampleRate", record.audioSampleRate);
    custom.setAttribute("A_BitRate", record.audioBitrate);
    custom.setAttribute("V_A_Quality", QString::number(record.quality));
    writeOperateXml(path, doc);
}

QPair<QString, QString> ParserXML::readLanguageEntry(const QString &path, const QString &name)
{
    QPair<QString, QString> entry;
    QDomDocument doc;
    if (!QFileInfo::exists(path) || !loadDocument(path, doc))
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
    if (!QFileInfo::exists(path) || !loadDocument(path, doc))
        return names;
    const QDomElement root = doc.documentElement();
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        names << e.attribute("Language_Name");
    return names;
}
