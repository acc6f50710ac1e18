// The check every output gets, against damage the decoder conceals: bytes
// spoiled inside a picture that later pictures refer to still give a
// picture, patched from its neighbours. ffmpeg's own decoding of the same
// file is the oracle that the damage changes what is shown.
#include "TestSupport.h"
#include "orlcodec.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::fixture;

namespace {

struct Packet {
    double pts = 0;
    qint64 pos = 0;
    qint64 size = 0;
    bool key = false;
};

// The picture packets in the file's (decoding) order, as ffprobe lists them.
std::vector<Packet> picturePackets(const QString &file)
{
    const QJsonObject o = testsupport::ffprobeJson(
        file, {"-select_streams", "v:0", "-show_entries", "packet=pts_time,pos,size,flags"});
    std::vector<Packet> list;
    for (const QJsonValue &v : o.value("packets").toArray()) {
        const QJsonObject p = v.toObject();
        list.push_back({p.value("pts_time").toString().toDouble(), p.value("pos").toString().toLongLong(),
                        p.value("size").toString().toLongLong(), p.value("flags").toString().startsWith('K')});
    }
    return list;
}

// A digest of every decoded picture, ffmpeg decoding on one thread.
QByteArray pictureDigest(const QString &file)
{
    const auto r = testsupport::runProcess(
        "ffmpeg", {"-v", "error", "-threads", "1", "-i", file, "-map", "0:v:0", "-f", "framemd5", "-"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QCryptographicHash::hash(r.out, QCryptographicHash::Sha1);
}

// Flips half of a packet's bytes, from a tenth into it (past the slice
// header, so the picture is still decoded, wrongly).
bool spoil(const QString &file, const Packet &p)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadWrite) || !f.seek(p.pos + p.size / 10))
        return false;
    QByteArray bytes = f.read(p.size / 2);
    for (char &c : bytes)
        c = static_cast<char>(c ^ 0xA5);
    return f.seek(p.pos + p.size / 10) && f.write(bytes) == bytes.size();
}

std::string check(const QString &file, double duration)
{
    ORL_OUTPUT_EXPECT e{};
    e.video = 1;
    e.audio = 1;
    e.duration_us = static_cast<uint64_t>(duration * 1e6);
    char why[512] = {};
    const int passed = Conv_CheckOutput(file.toUtf8().constData(), &e, why, sizeof why);
    EXPECT_EQ(passed == 1, std::string(why) == "passed") << why;
    return why;
}

} // namespace

// In the first and in the last group of pictures, the third picture in
// decoding order (the one the pictures around it are predicted from) is
// spoiled: the check fails on the group it lies in, naming the picture.
TEST(CheckDamage, ConcealedDamageInACheckedGroupFails)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString good = fixture("long_h264_aac.mp4");
    const std::vector<Packet> packets = picturePackets(good);
    std::vector<size_t> keys;
    for (size_t i = 0; i < packets.size(); ++i)
        if (packets[i].key)
            keys.push_back(i);
    ASSERT_GE(keys.size(), 3u);
    ASSERT_EQ(check(good, 20.0), "passed");
    const QByteArray goodPictures = pictureDigest(good);

    struct Case {
        const char *region;
        size_t group; // the key packet that starts it
    } cases[] = {{"head", keys.front()}, {"tail", keys.back()}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.region);
        const size_t index = c.group + 2;
        ASSERT_LT(index, packets.size());
        ASSERT_FALSE(packets[index].key);
        const QString spoiled = dir.filePath(QString(c.region) + ".mp4");
        ASSERT_TRUE(QFile::copy(good, spoiled));
        ASSERT_TRUE(spoil(spoiled, packets[index]));
        ASSERT_NE(pictureDigest(spoiled), goodPictures); // the damage shows

        const std::string why = check(spoiled, 20.0);
        EXPECT_EQ(why.rfind(std::string(c.region) + ": ", 0), 0u) << why;
        EXPECT_NE(why.find("damaged"), std::string::npos) << why;
        char at[32];
        std::snprintf(at, sizeof at, "%.3f s", packets[index].pts);
        EXPECT_NE(why.find(at), std::string::npos) << why << " (spoiled at " << at << ")";
    }
}
