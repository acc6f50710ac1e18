#pragma once
// Helpers of the tag writer tests: file images, copies of fixtures in a
// private folder, and the two oracles (mutagen for tags, ffmpeg/ffprobe
// for the audio).
#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <string>
#include <vector>

namespace tagtest {

QByteArray readAll(const QString &path);
void writeAll(const QString &path, const QByteArray &bytes);
// Copies a fixture into `dir` under `name` (the fixture's name when empty).
QString copyFixture(const QTemporaryDir &dir, const QString &fixture, const QString &name = {});

// mutagen's view of the file (tests/tags/tagdump.py); `kind` "ape" reads
// an APEv2 tag alone.
QJsonObject mutagenTags(const QString &path, const QString &kind = "auto");
// Runs a short python3 program with the path as its argument; its stdout.
QByteArray python(const QString &program, const QString &path);

struct AudioSummary {
    bool clean = false;      // decoded without any error message
    QString pcmMd5;          // MD5 of the decoded first audio stream
    long long samples = 0;   // sum of the decoded frames' sample counts
    double duration = 0;     // container duration
    QString errors;          // what the decoders reported
};
AudioSummary decodeAudio(const QString &path);

// The fields of a full tag record used by the round-trip tests.
struct FullTags {
    std::string title = "T\xc3\xaftle \xe2\x98\x83";
    std::string artist = "The Artist";
    std::string album = "The Album";
    std::string genre = "(17)(RX)";
    std::string year = "2019";
    std::string track = "3/12";
    std::string comment = "A comment";
    std::string copyright = "(c) 2019 Someone";
};

// A picture that starts with a PNG signature, `size` bytes long.
QByteArray pngCover(int size);

int64_t countOf(const QByteArray &haystack, const QByteArray &needle);

} // namespace tagtest
