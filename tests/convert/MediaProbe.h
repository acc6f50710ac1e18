#pragma once
// What ffprobe says about an output file: the oracle of the media tests.
#include <QString>
#include <QStringList>
#include <QVector>

struct ProbedStream {
    int index = -1;
    QString type;      // "video", "audio", "subtitle", "data"
    QString codec;
    QString language;
    double startTime = 0;
    int rotation = 0;
    bool attachedPic = false;
};

// Times are NaN when ffprobe reports none.
struct ProbedPacket {
    double pts = 0;
    double dts = 0;
    double duration = 0;
    bool key = false;
};

struct Probe {
    bool ok = false;
    double duration = 0; // format duration, s
    QString formatName;  // ffprobe's container names, "mov,mp4,m4a,3gp,3g2,mj2"
    QVector<ProbedStream> streams;
    int count(const QString &type) const;
    const ProbedStream *first(const QString &type) const;
};

Probe probeFile(const QString &path);
// Packets of one stream in file order (times in seconds).
QVector<ProbedPacket> probePackets(const QString &path, int streamIndex);
// Presentation times of the decoded video frames, in display order.
QVector<double> probeFrameTimes(const QString &path);
// Key-frame times of the first video stream.
QVector<double> keyFrameTimes(const QString &path);
// What "ffmpeg -v error -i path -f null -" prints (empty = decodes cleanly).
QString decodeErrors(const QString &path);
// True when the DTS of every stream only increases.
bool dtsStrictlyIncreasing(const QString &path, QString *where = nullptr);
