#include "EffectConfigParser.h"

#include <QDebug>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cmath>

namespace effectconfig {

namespace {

int intAttribute(const QDomElement &e, const char *name)
{
    return e.attribute(QString::fromLatin1(name)).trimmed().toInt();
}

void readPictures(const QDomElement &info, EffectEntry &entry, const QString &file)
{
    entry.frameSetName = info.attribute("Name");
    bool capped = false;
    for (QDomElement p = info.firstChildElement(); !p.isNull(); p = p.nextSiblingElement()) {
        if (entry.frames.size() >= kMaxPicturesPerEntry) {
            capped = true;
            break;
        }
        FramePicture picture;
        picture.fileName = p.attribute("FileName");
        picture.height = intAttribute(p, "Height");
        picture.width = intAttribute(p, "Width");
        picture.type = intAttribute(p, "Type");
        entry.frames << picture;
    }
    if (capped)
        qWarning().noquote() << "effects:" << file << "lists more than" << kMaxPicturesPerEntry
                             << "pictures; the rest are left out";
}

void readEq(const QDomElement &eq, EffectEntry &entry, const QString &file)
{
    int points = 0;
    bool capped = false, odd = false;
    for (QDomElement p = eq.firstChildElement(); !p.isNull(); p = p.nextSiblingElement()) {
        if (points >= kMaxEqPoints) {
            capped = true;
            break;
        }
        ++points;
        const double hz = p.attribute("hz").trimmed().toDouble();
        const double db = p.attribute("db").trimmed().toDouble();
        // Frequencies a sound can carry and gains a curve can take.
        if (!std::isfinite(hz) || !std::isfinite(db) || hz <= 0 || hz > 96000 || std::fabs(db) > 60) {
            odd = true;
            continue;
        }
        entry.eq[hz] = db;
    }
    if (capped)
        qWarning().noquote() << "effects:" << file << "has more than" << kMaxEqPoints
                             << "equaliser points; the rest are left out";
    if (odd)
        qWarning().noquote() << "effects:" << file << "has equaliser points out of range; they are left out";
}

} // namespace

std::optional<EffectEntry> parse(const QString &file)
{
    QFile f(file);
    if (!f.exists())
        return std::nullopt;
    if (f.size() > kMaxConfigBytes) {
        qWarning().noquote() << "effects:" << file << "is too large to be a library entry; left out";
        return std::nullopt;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "effects:" << file << "cannot be read; left out";
        return std::nullopt;
    }
    QDomDocument doc;
    QString message;
    int line = 0;
    if (!doc.setContent(&f, &message, &line)) {
        qWarning().noquote() << "effects:" << file << "is not well-formed XML (line" << line << message
                             << "); left out";
        return std::nullopt;
    }
    const QDomElement root = doc.documentElement();
    EffectEntry entry;
    entry.appMinVersion = intAttribute(root, "APPMinVersion");
    entry.version = intAttribute(root, "Version");
    entry.thumbnail = root.attribute("Thumbnail");
    entry.name = root.attribute("Name");
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString tag = e.tagName();
        if (tag == QLatin1String("FrameInfo")) {
            readPictures(e, entry, file);
        } else if (tag == QLatin1String("EQ")) {
            readEq(e, entry, file);
        } else if (tag == QLatin1String("Rate")) {
            const QString value = e.attribute("Value").trimmed();
            if (value.isEmpty())
                continue;
            const int rate = value.toInt();
            if (rate < kMinRate || rate > kMaxRate) {
                entry.rate = rate <= 0 ? 100 : std::clamp(rate, kMinRate, kMaxRate);
                qWarning().noquote() << "effects:" << file << "gives the rate" << value << "; taken as" << entry.rate;
            } else {
                entry.rate = rate;
            }
        }
    }
    return entry;
}

bool keepShowablePictures(EffectEntry &entry, const QString &configFile)
{
    if (entry.frames.isEmpty())
        return true;
    const QString folder = QFileInfo(configFile).absolutePath();
    QList<FramePicture> kept;
    QStringList dropped;
    for (const FramePicture &p : qAsConst(entry.frames)) {
        const bool sized = p.width > 0 && p.height > 0 && p.width <= kMaxPictureSide && p.height <= kMaxPictureSide;
        const QString path = folder + '/' + p.fileName;
        // A name may not climb out of its entry's folder.
        const bool inside = !p.fileName.isEmpty() && !p.fileName.contains(QLatin1String(".."))
            && !QFileInfo(p.fileName).isAbsolute();
        bool readable = false;
        if (sized && inside && QFileInfo(path).isFile()) {
            QImageReader reader(path);
            const QSize size = reader.size();
            readable = reader.canRead() && size.width() > 0 && size.height() > 0 && size.width() <= kMaxPictureSide
                && size.height() <= kMaxPictureSide;
        }
        if (sized && inside && readable)
            kept << p;
        else
            dropped << p.fileName;
    }
    entry.frames = kept;
    if (kept.isEmpty()) {
        qWarning().noquote() << "effects:" << configFile << "names no picture that can be shown (" << dropped.join(", ")
                             << "); the entry is left out";
        return false;
    }
    if (!dropped.isEmpty())
        qWarning().noquote() << "effects:" << configFile << "names pictures that are missing, unreadable or of no size:"
                             << dropped.join(", ") << "; they are left out";
    return true;
}

} // namespace effectconfig
