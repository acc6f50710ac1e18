// Writes the tags of a JSON record into audio files, the way the converter
// does after a conversion. The JSON object holds the VEAudioTagInfo string
// fields by name ("title", "artist", ...) and "cover", the path of a
// picture file whose bytes become the cover.
#include "AudioTags.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: tagwrite TAGS.json FILE...\n");
        return 2;
    }
    QFile json(QString::fromLocal8Bit(argv[1]));
    if (!json.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tagwrite: cannot read %s\n", argv[1]);
        return 2;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json.readAll(), &error);
    if (!doc.isObject()) {
        std::fprintf(stderr, "tagwrite: %s: %s\n", argv[1], qPrintable(error.errorString()));
        return 2;
    }
    const QJsonObject object = doc.object();
    VEAudioTagInfo tags;
    for (int i = 0; i < VEAudioTagInfo::kFieldCount; ++i) {
        // The record's field names, not the source metadata keys, name the
        // strings here; the two differ only for album artist and cover.
        static const char *const names[VEAudioTagInfo::kFieldCount] = {
            "title", "artist", "albumArtist", "composer", "album", "genre", "track",
            "year", "date", "grouping", "comment", "disc", "copyright", nullptr};
        if (names[i] && object.contains(names[i]))
            *tags.field(i) = object.value(names[i]).toString().toStdString();
    }
    if (object.contains("cover")) {
        QFile cover(object.value("cover").toString());
        if (!cover.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "tagwrite: cannot read cover %s\n", qPrintable(cover.fileName()));
            return 2;
        }
        const QByteArray bytes = cover.readAll();
        tags.coverData.assign(bytes.constData(), size_t(bytes.size()));
        tags.coverSize = int(bytes.size());
    }
    for (int i = 2; i < argc; ++i) {
        const bool written = writeAudioTags(argv[i], tags);
        std::printf("%s: %s\n", argv[i], written ? "tagged" : "unchanged");
    }
    return 0;
}
