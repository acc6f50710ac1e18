#include "TagTestUtil.h"

#include "TestSupport.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

namespace tagtest {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QString copyFixture(const QTemporaryDir &dir, const QString &fixture, const QString &name)
{
    const QString source = testsupport::fixture(fixture);
    const QString target = dir.filePath(name.isEmpty() ? fixture : name);
    QFile::remove(target);
    EXPECT_TRUE(QFile::copy(source, target));
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return target;
}

QJsonObject mutagenTags(const QString &path, const QString &kind)
{
    const QString script = testsupport::sourceDir() + "/tests/tags/tagdump.py";
    const auto r = testsupport::runProcess("/usr/bin/python3", {script, path, kind});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out).object();
}

QByteArray python(const QString &program, const QString &path)
{
    const auto r = testsupport::runProcess("/usr/bin/python3", {"-c", program, path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return r.out;
}

AudioSummary decodeAudio(const QString &path)
{
    AudioSummary s;
    const auto md5 = testsupport::runProcess(
        "ffmpeg", {"-nostdin", "-v", "error", "-i", path, "-map", "0:a:0", "-f", "md5", "-"});
    const auto frames = testsupport::runProcess(
        "ffprobe", {"-v", "error", "-select_streams", "a:0", "-show_entries", "frame=nb_samples:format=duration",
                    "-of", "json", path});
    s.clean = md5.exitCode == 0 && md5.err.trimmed().isEmpty() && frames.exitCode == 0
        && frames.err.trimmed().isEmpty();
    s.pcmMd5 = QString::fromUtf8(md5.out.trimmed());
    s.errors = QString::fromUtf8(md5.err + frames.err);
    const QJsonObject json = QJsonDocument::fromJson(frames.out).object();
    for (const QJsonValue &frame : json.value("frames").toArray())
        s.samples += frame.toObject().value("nb_samples").toInt();
    s.duration = json.value("format").toObject().value("duration").toString().toDouble();
    return s;
}

namespace {

uint32_t crc32(const QByteArray &bytes)
{
    uint32_t c = 0xFFFFFFFFu;
    for (const char ch : bytes) {
        c ^= uint8_t(ch);
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
    }
    return c ^ 0xFFFFFFFFu;
}

QByteArray be32Bytes(uint32_t v)
{
    return QByteArray(1, char(v >> 24)) + char(v >> 16) + char(v >> 8) + char(v);
}

} // namespace

QByteArray pngCover(int size)
{
    // The fixture picture grown by a text chunk in front of IEND, so that
    // it stays a valid PNG for every reader at any size.
    const QByteArray png = readAll(testsupport::fixture("cover.png"));
    const int iend = png.indexOf("IEND") - 4;
    const int text = size - png.size() - 12;
    if (iend < 0 || text < 8)
        return png;
    QByteArray data = QByteArray("Comment", 8);
    for (int i = 0; data.size() < text; ++i)
        data.append(char('a' + i % 26));
    const QByteArray chunk = QByteArray("tEXt") + data;
    return png.left(iend) + be32Bytes(uint32_t(data.size())) + chunk + be32Bytes(crc32(chunk)) + png.mid(iend);
}

int64_t countOf(const QByteArray &haystack, const QByteArray &needle)
{
    int64_t n = 0;
    for (int at = haystack.indexOf(needle); at >= 0; at = haystack.indexOf(needle, at + 1))
        ++n;
    return n;
}

} // namespace tagtest
