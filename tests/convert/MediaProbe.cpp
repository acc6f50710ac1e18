#include "MediaProbe.h"

#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cmath>
#include <limits>

using testsupport::ffprobeJson;
using testsupport::runProcess;

namespace {
constexpr double kAbsent = std::numeric_limits<double>::quiet_NaN();

double number(const QJsonValue &v, double fallback = kAbsent)
{
    if (v.isString()) {
        bool ok = false;
        const double d = v.toString().toDouble(&ok);
        return ok ? d : fallback;
    }
    return v.isDouble() ? v.toDouble() : fallback;
}
} // namespace

int Probe::count(const QString &type) const
{
    int n = 0;
    for (const ProbedStream &s : streams)
        if (s.type == type && !s.attachedPic)
            ++n;
    return n;
}

const ProbedStream *Probe::first(const QString &type) const
{
    for (const ProbedStream &s : streams)
        if (s.type == type && !s.attachedPic)
            return &s;
    return nullptr;
}

Probe probeFile(const QString &path)
{
    Probe p;
    const QJsonObject root = ffprobeJson(path);
    if (root.isEmpty())
        return p;
    p.ok = true;
    p.duration = number(root["format"].toObject()["duration"], 0);
    p.formatName = root["format"].toObject()["format_name"].toString();
    for (const QJsonValue &v : root["streams"].toArray()) {
        const QJsonObject o = v.toObject();
        ProbedStream s;
        s.index = o["index"].toInt();
        s.type = o["codec_type"].toString();
        s.codec = o["codec_name"].toString();
        s.language = o["tags"].toObject()["language"].toString();
        s.startTime = number(o["start_time"], 0);
        s.attachedPic = o["disposition"].toObject()["attached_pic"].toInt() == 1;
        for (const QJsonValue &sd : o["side_data_list"].toArray())
            if (sd.toObject().contains("rotation"))
                s.rotation = sd.toObject()["rotation"].toInt();
        p.streams.append(s);
    }
    return p;
}

QVector<ProbedPacket> probePackets(const QString &path, int streamIndex)
{
    QVector<ProbedPacket> out;
    const QJsonObject root = ffprobeJson(
        path, {"-select_streams", QString::number(streamIndex), "-show_entries", "packet=pts_time,dts_time,duration_time,flags"});
    for (const QJsonValue &v : root["packets"].toArray()) {
        const QJsonObject o = v.toObject();
        ProbedPacket pk;
        pk.pts = number(o["pts_time"]);
        pk.dts = number(o["dts_time"]);
        pk.duration = number(o["duration_time"], 0);
        pk.key = o["flags"].toString().startsWith('K');
        out.append(pk);
    }
    return out;
}

QVector<double> probeFrameTimes(const QString &path)
{
    QVector<double> out;
    const QJsonObject root = ffprobeJson(path, {"-select_streams", "v:0", "-show_entries", "frame=pts_time"});
    for (const QJsonValue &v : root["frames"].toArray())
        out.append(number(v.toObject()["pts_time"]));
    return out;
}

QVector<double> keyFrameTimes(const QString &path)
{
    QVector<double> out;
    const QJsonObject root =
        ffprobeJson(path, {"-select_streams", "v:0", "-show_entries", "packet=pts_time,flags"});
    for (const QJsonValue &v : root["packets"].toArray())
        if (v.toObject()["flags"].toString().startsWith('K'))
            out.append(number(v.toObject()["pts_time"]));
    std::sort(out.begin(), out.end());
    return out;
}

QString decodeErrors(const QString &path)
{
    const auto r = runProcess("ffmpeg", {"-nostdin", "-v", "error", "-i", path, "-f", "null", "-"});
    if (!r.finished)
        return "ffmpeg did not finish";
    return QString::fromUtf8(r.err).trimmed() + (r.exitCode == 0 ? QString() : QStringLiteral(" (exit %1)").arg(r.exitCode));
}

bool dtsStrictlyIncreasing(const QString &path, QString *where)
{
    const Probe p = probeFile(path);
    for (const ProbedStream &s : p.streams) {
        if (s.attachedPic)
            continue;
        double last = -1e18;
        for (const ProbedPacket &pk : probePackets(path, s.index)) {
            if (std::isnan(pk.dts) && std::isnan(pk.pts)) {
                if (where)
                    *where = QStringLiteral("stream %1: packet without timestamps").arg(s.index);
                return false;
            }
            if (std::isnan(pk.dts) || s.type == "subtitle")
                continue;
            if (pk.dts <= last) {
                if (where)
                    *where = QStringLiteral("stream %1: dts %2 after %3").arg(s.index).arg(pk.dts).arg(last);
                return false;
            }
            last = pk.dts;
        }
    }
    return true;
}
