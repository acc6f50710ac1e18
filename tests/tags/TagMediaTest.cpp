// The tag writer on files made by the ffmpeg CLI. Tags are read back with
// mutagen and the audio is decoded with ffmpeg/ffprobe before and after:
// every written field must come back and the audio must not change.
#include "AudioTagFile.h"
#include "AudioTags.h"
#include "TagIo.h"
#include "TagTestUtil.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace tagtest;

namespace {

VEAudioTagInfo fullRecord(const QByteArray &cover)
{
    const FullTags f;
    VEAudioTagInfo t;
    t.title = f.title;
    t.artist = f.artist;
    t.album = f.album;
    t.genre = f.genre;
    t.year = f.year;
    t.track = f.track;
    t.comment = f.comment;
    t.copyright = f.copyright;
    // Kinds that are never written into outputs.
    t.composer = "Composer";
    t.albumArtist = "Album Artist";
    t.grouping = "Grouping";
    t.disc = "1/2";
    t.coverData.assign(cover.constData(), size_t(cover.size()));
    t.coverSize = int(cover.size());
    return t;
}

// Every field of the full record as mutagen reports it; the genre comes
// back expanded.
void expectFullFields(const QJsonObject &tags, const QByteArray &cover, bool hasCopyright = true)
{
    const FullTags f;
    const QJsonObject fields = tags.value("fields").toObject();
    EXPECT_EQ(fields.value("title").toString().toStdString(), f.title);
    EXPECT_EQ(fields.value("artist").toString().toStdString(), f.artist);
    EXPECT_EQ(fields.value("album").toString().toStdString(), f.album);
    EXPECT_EQ(fields.value("genre").toString(), "Rock Remix");
    EXPECT_EQ(fields.value("year").toString().toStdString(), f.year);
    EXPECT_EQ(fields.value("track").toString().toStdString(), f.track);
    EXPECT_EQ(fields.value("comment").toString().toStdString(), f.comment);
    if (hasCopyright) {
        EXPECT_EQ(fields.value("copyright").toString().toStdString(), f.copyright);
    }
    const QJsonArray covers = tags.value("covers").toArray();
    ASSERT_EQ(covers.size(), 1);
    EXPECT_EQ(QByteArray::fromBase64(covers.at(0).toString().toLatin1()), cover);
}

void expectSameAudio(const AudioSummary &before, const QString &path)
{
    const AudioSummary after = decodeAudio(path);
    EXPECT_TRUE(before.clean);
    EXPECT_TRUE(after.clean) << path.toStdString() << ": " << after.errors.toStdString();
    EXPECT_GT(before.samples, 0);
    EXPECT_EQ(after.samples, before.samples);
    EXPECT_EQ(after.pcmMd5, before.pcmMd5);
    EXPECT_NEAR(after.duration, before.duration, 0.001);
}

ino_t inodeOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

QStringList leftovers(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList({".*tags-*"}, QDir::Files | QDir::Hidden);
}

class TagMedia : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QByteArray cover = readAll(testsupport::fixture("cover.png"));
};

} // namespace

TEST_F(TagMedia, Mp3GetsOneId3v23TagAndLosesMuxerId3v1AndApe)
{
    const QString path = copyFixture(dir, "tone_tagged.mp3");
    // The muxer wrote ID3v2 and ID3v1; an APEv2 tag joins them in front of
    // the ID3v1 record.
    python("from mutagen.apev2 import APEv2\nimport os, sys, tempfile\n"
           "tmp = tempfile.NamedTemporaryFile(delete=False, dir=os.path.dirname(sys.argv[1])).name\n"
           "t = APEv2(); t['Title'] = 'Ape'; t.save(tmp)\n"
           "ape = open(tmp, 'rb').read(); d = open(sys.argv[1], 'rb').read()\n"
           "open(sys.argv[1], 'wb').write(d[:-128] + ape + d[-128:])",
           path);
    const QByteArray old = readAll(path);
    ASSERT_EQ(countOf(old, "APETAGEX"), 2);
    ASSERT_EQ(old.mid(old.size() - 128, 3), "TAG");
    const AudioSummary before = decodeAudio(path);

    ASSERT_TRUE(writeAudioTags(path.toStdString(), fullRecord(cover)));
    const QByteArray now = readAll(path);
    EXPECT_EQ(now.left(5), QByteArray("ID3\x03\x00", 5));
    EXPECT_EQ(countOf(now, "ID3\x03"), 1);
    EXPECT_EQ(countOf(now, "APETAGEX"), 0);
    EXPECT_NE(now.mid(now.size() - 128, 3), "TAG");
    const QJsonObject tags = mutagenTags(path);
    EXPECT_EQ(tags.value("format").toString(), "MP3");
    expectFullFields(tags, cover);
    EXPECT_EQ(tags.value("coverMimes").toArray().at(0).toString(), "image/png");
    // Composer, album artist, grouping and disc are not written.
    for (const char *frame : {"TCOM", "TPE2", "TIT1", "TPOS"})
        EXPECT_FALSE(tags.value("keys").toArray().contains(frame)) << frame;
    expectSameAudio(before, path);
    EXPECT_TRUE(leftovers(dir).isEmpty());
}

TEST_F(TagMedia, TrackAndGenreInId3v1AsMutagenReadsThem)
{
    const QString path = copyFixture(dir, "tone.mp3", "v1.MP3");
    AudioTagFile file;
    ASSERT_EQ(file.open(path.toStdU16String()), 0);
    EXPECT_EQ(file.fileType(), Mp3);
    file.clearAll();
    const std::u16string track = u"3/12", genre = u"rock", title = u"V1 title";
    file.addItem(SlotId3v1, KindTrack, ValueText, int(track.size() * 2), track.data());
    file.addItem(SlotId3v1, KindGenre, ValueText, int(genre.size() * 2), genre.data());
    file.addItem(SlotId3v1, KindTitle, ValueText, int(title.size() * 2), title.data());
    ASSERT_EQ(file.save(), 0);
    file.close();
    const QByteArray d = readAll(path);
    const QByteArray r = d.right(128);
    ASSERT_EQ(r.left(3), "TAG");
    EXPECT_EQ(uint8_t(r[125]), 0);
    EXPECT_EQ(uint8_t(r[126]), 3);
    EXPECT_EQ(uint8_t(r[127]), 17);
    // ID3v2 had items from the muxer and was cleared: no ID3v2 left, and
    // mutagen falls back to the ID3v1 record.
    EXPECT_NE(d.left(3), "ID3");
    const QJsonObject fields = mutagenTags(path).value("fields").toObject();
    EXPECT_EQ(fields.value("title").toString(), "V1 title");
    EXPECT_EQ(fields.value("track").toString(), "3");
    EXPECT_EQ(fields.value("genre").toString(), "Rock");
}

TEST_F(TagMedia, AdtsAacGetsId3v2)
{
    const QString path = copyFixture(dir, "tone.aac");
    const AudioSummary before = decodeAudio(path);
    ASSERT_TRUE(writeAudioTags(path.toStdString(), fullRecord(cover)));
    // mutagen reads tags of ADTS files only through its ID3 class.
    expectFullFields(mutagenTags(path, "id3"), cover);
    expectSameAudio(before, path);
}

TEST_F(TagMedia, ApeFileGetsApeV2Tag)
{
    // ffmpeg cannot make APE files: a minimal header of version 3.99 with
    // a descriptor, as mutagen expects it, and some frame bytes.
    QByteArray ape("MAC ", 4);
    ape.append(char(0x96)).append(char(0x0F)); // 3990
    ape.append(QByteArray(50, '\0'));
    const char tail[] = {0, 0x12, 0, 0, 0, 0x01, 0, 0, 10, 0, 0, 0, 16, 0, 2, 0, 0x44, char(0xAC), 0, 0};
    ape.append(tail, sizeof tail);
    ape.append(QByteArray(4000, '\x5a'));
    const QString path = dir.filePath("tone.ape");
    writeAll(path, ape);
    ASSERT_TRUE(writeAudioTags(path.toStdString(), fullRecord(cover)));
    const QByteArray now = readAll(path);
    EXPECT_EQ(now.left(ape.size()), ape);
    const QJsonObject tags = mutagenTags(path, "ape");
    expectFullFields(tags, cover);
    EXPECT_EQ(mutagenTags(path).value("format").toString(), "MonkeysAudio");
}

TEST_F(TagMedia, WavInfoListAppendedThenRemoved)
{
    const QString path = copyFixture(dir, "tone.wav");
    const QByteArray original = readAll(path);
    const AudioSummary before = decodeAudio(path);
    VEAudioTagInfo t = fullRecord(cover);
    t.title = "Plain title"; // ffprobe reads INFO texts as UTF-8
    ASSERT_TRUE(writeAudioTags(path.toStdString(), t));
    const QByteArray now = readAll(path);
    ASSERT_GT(now.size(), original.size());
    EXPECT_EQ(now.left(original.size()).mid(8), original.mid(8));
    EXPECT_EQ(tagio::le32(reinterpret_cast<const uint8_t *>(now.constData()) + 4), uint32_t(now.size() - 8));
    EXPECT_EQ(now.mid(original.size(), 4), "LIST");
    const QJsonObject format = testsupport::ffprobeJson(path).value("format").toObject();
    const QJsonObject tags = format.value("tags").toObject();
    EXPECT_EQ(tags.value("title").toString(), "Plain title");
    EXPECT_EQ(tags.value("artist").toString(), "The Artist");
    EXPECT_EQ(tags.value("album").toString(), "The Album");
    EXPECT_EQ(tags.value("genre").toString(), "Rock Remix");
    EXPECT_EQ(tags.value("track").toString(), "3/12");
    EXPECT_EQ(tags.value("copyright").toString(), "(c) 2019 Someone");
    expectSameAudio(before, path);

    ASSERT_TRUE(writeAudioTags(path.toStdString(), VEAudioTagInfo()));
    EXPECT_EQ(readAll(path), original);
}

TEST_F(TagMedia, WavListInFrontOfDataReplacedInPlace)
{
    const QString path = copyFixture(dir, "tone_info.wav");
    const AudioSummary before = decodeAudio(path);
    VEAudioTagInfo t;
    t.title = "New title that is longer than the old one";
    t.comment = "\xc3\xa9t\xc3\xa9"; // stored in Windows-1252
    ASSERT_TRUE(writeAudioTags(path.toStdString(), t));
    const QByteArray now = readAll(path);
    EXPECT_EQ(tagio::le32(reinterpret_cast<const uint8_t *>(now.constData()) + 4), uint32_t(now.size() - 8));
    EXPECT_EQ(countOf(now, "LIST"), 1);
    EXPECT_EQ(countOf(now, "ICMT\x06\x00\x00\x00\xe9t\xe9\x00\x00\x00"), 0); // 4 bytes + 0 => 5, padded to 6
    EXPECT_EQ(countOf(now, QByteArray("ICMT\x04\x00\x00\x00\xe9t\xe9\x00", 12)), 1);
    EXPECT_FALSE(now.contains("Old comment"));
    const QJsonObject tags = testsupport::ffprobeJson(path).value("format").toObject().value("tags").toObject();
    EXPECT_EQ(tags.value("title").toString().toStdString(), t.title);
    expectSameAudio(before, path);
}

TEST_F(TagMedia, M4aWithMoovAtTheEnd)
{
    const QString path = copyFixture(dir, "tone.m4a");
    const AudioSummary before = decodeAudio(path);
    ASSERT_TRUE(writeAudioTags(path.toStdString(), fullRecord(cover)));
    const QJsonObject tags = mutagenTags(path);
    EXPECT_EQ(tags.value("format").toString(), "MP4");
    expectFullFields(tags, cover);
    EXPECT_EQ(tags.value("coverFormats").toArray().at(0).toInt(), 14); // PNG
    for (const char *atom : {"aART", "\xc2\xa9wrt", "\xc2\xa9grp", "disk"})
        EXPECT_FALSE(tags.value("keys").toArray().contains(QString::fromUtf8(atom))) << atom;
    expectSameAudio(before, path);
}

namespace {

// Chunk offsets of every stco table, read with Python's struct (outside
// our parser) by walking moov/trak/mdia/minf/stbl.
QList<qint64> chunkOffsets(const QString &path)
{
    const QByteArray out = python(R"(
import struct, sys
d = open(sys.argv[1], 'rb').read()
def boxes(start, end):
    while start + 8 <= end:
        size, kind = struct.unpack('>I4s', d[start:start+8])
        yield start, size, kind
        start += size
for p, s, k in boxes(0, len(d)):
    if k == b'moov':
        for tp, ts, tk in boxes(p + 8, p + s):
            if tk != b'trak': continue
            def child(p, s, name):
                for cp, cs, ck in boxes(p + 8, p + s):
                    if ck == name: return cp, cs
            m = child(tp, ts, b'mdia'); n = child(*m, b'minf'); b = child(*n, b'stbl')
            c = child(*b, b'stco')
            count = struct.unpack('>I', d[c[0]+12:c[0]+16])[0]
            print(' '.join(str(x) for x in struct.unpack('>%dI' % count, d[c[0]+16:c[0]+16+4*count])))
)",
                                 path);
    QList<qint64> offsets;
    for (const QByteArray &v : out.simplified().split(' '))
        if (!v.isEmpty())
            offsets << v.toLongLong();
    return offsets;
}

} // namespace

TEST_F(TagMedia, M4aWithMoovFirstMovesEveryChunkOffset)
{
    const QString path = copyFixture(dir, "tone_faststart.m4a");
    const QByteArray old = readAll(path);
    ASSERT_LT(old.indexOf("moov"), old.indexOf("mdat"));
    const QList<qint64> before = chunkOffsets(path);
    ASSERT_GE(before.size(), 1);
    const AudioSummary audio = decodeAudio(path);
    ASSERT_TRUE(writeAudioTags(path.toStdString(), fullRecord(cover)));
    const qint64 grown = readAll(path).size() - old.size();
    ASSERT_GT(grown, 0);
    const QList<qint64> after = chunkOffsets(path);
    ASSERT_EQ(after.size(), before.size());
    for (int i = 0; i < before.size(); ++i)
        EXPECT_EQ(after[i], before[i] + grown) << i;
    expectFullFields(mutagenTags(path), cover);
    expectSameAudio(audio, path);

    // Shrinking again moves them back.
    VEAudioTagInfo small;
    small.title = "x";
    ASSERT_TRUE(writeAudioTags(path.toStdString(), small));
    const qint64 shrunk = readAll(path).size() - old.size();
    const QList<qint64> again = chunkOffsets(path);
    for (int i = 0; i < before.size(); ++i)
        EXPECT_EQ(again[i], before[i] + shrunk) << i;
    expectSameAudio(audio, path);
}

TEST_F(TagMedia, M4aMoovWith64BitSizeAndTrackPayloads)
{
    // Rewrite the moov header of the fixture (moov at the end) as a 64-bit
    // size: 1, "moov", the 64-bit size.
    QByteArray d = readAll(testsupport::fixture("tone.m4a"));
    const int moov = d.indexOf("moov") - 4;
    const auto *p = reinterpret_cast<const uint8_t *>(d.constData());
    const uint32_t size = tagio::be32(p + moov);
    ASSERT_EQ(uint64_t(moov) + size, uint64_t(d.size()));
    uint8_t header[16];
    tagio::setBe32(header, 1);
    std::memcpy(header + 4, "moov", 4);
    tagio::setBe64(header + 8, uint64_t(size) + 8);
    d = d.left(moov) + QByteArray(reinterpret_cast<const char *>(header), 16) + d.mid(moov + 8);
    const QString path = dir.filePath("wide.m4a");
    writeAll(path, d);
    const AudioSummary before = decodeAudio(path);
    ASSERT_TRUE(before.clean);

    VEAudioTagInfo t;
    t.title = "Wide";
    t.track = "7/9";
    ASSERT_TRUE(writeAudioTags(path.toStdString(), t));
    QByteArray now = readAll(path);
    const auto *q = reinterpret_cast<const uint8_t *>(now.constData());
    EXPECT_EQ(tagio::be32(q + moov), 1u);
    EXPECT_EQ(tagio::be64(q + moov + 8), uint64_t(now.size() - moov));
    const int trkn = now.indexOf("trkn");
    ASSERT_GT(trkn, 0);
    EXPECT_EQ(now.mid(trkn + 4 + 16, 8), QByteArray("\x00\x00\x00\x07\x00\x09\x00\x00", 8));
    QJsonObject tags = mutagenTags(path);
    EXPECT_EQ(tags.value("fields").toObject().value("title").toString(), "Wide");
    EXPECT_EQ(tags.value("trkn").toArray(), QJsonArray({7, 9}));
    expectSameAudio(before, path);

    t.track = "7";
    ASSERT_TRUE(writeAudioTags(path.toStdString(), t));
    now = readAll(path);
    EXPECT_EQ(now.mid(now.indexOf("trkn") + 20, 8), QByteArray("\x00\x00\x00\x07\x00\x00\x00\x00", 8));
    EXPECT_EQ(mutagenTags(path).value("trkn").toArray(), QJsonArray({7, 0}));
}

namespace {

// File size field of the ASF File Properties Object.
uint64_t asfFileSize(const QByteArray &d)
{
    const QByteArray guid("\xa1\xdc\xab\x8c\x47\xa9\xcf\x11\x8e\xe4\x00\xc0\x0c\x20\x53\x65", 16);
    const int at = d.indexOf(guid);
    return at < 0 ? 0 : tagio::le64(reinterpret_cast<const uint8_t *>(d.constData()) + at + 40);
}

const QByteArray kMetadataLibraryGuid("\x94\x1c\x23\x44\x98\x94\xd1\x49\xa1\x41\x1d\x13\x4e\x45\x70\x54", 16);

} // namespace

TEST_F(TagMedia, WmaCoversByTheirSize)
{
    const QString path = copyFixture(dir, "tone.wma");
    const QByteArray old = readAll(path);
    ASSERT_EQ(asfFileSize(old), uint64_t(old.size()));
    const AudioSummary before = decodeAudio(path);

    const QByteArray large = pngCover(100000);
    ASSERT_TRUE(writeAudioTags(path.toStdString(), fullRecord(large)));
    QByteArray now = readAll(path);
    EXPECT_EQ(asfFileSize(now), uint64_t(now.size()));
    EXPECT_EQ(countOf(now, kMetadataLibraryGuid), 1);
    QJsonObject tags = mutagenTags(path);
    EXPECT_EQ(tags.value("format").toString(), "ASF");
    expectFullFields(tags, large);
    expectSameAudio(before, path);

    const QByteArray small = pngCover(10000);
    ASSERT_TRUE(writeAudioTags(path.toStdString(), fullRecord(small)));
    now = readAll(path);
    EXPECT_EQ(asfFileSize(now), uint64_t(now.size()));
    EXPECT_EQ(countOf(now, kMetadataLibraryGuid), 0);
    expectFullFields(mutagenTags(path), small);
    expectSameAudio(before, path);
}

namespace {

// Pages of the first stream: sequence numbers in order and checksums
// recomputed in Python; prints "pages ok N" or the first fault.
QByteArray oggPageCheck(const QString &path)
{
    return python(R"(
import struct, sys
def crc(data):
    r = 0
    for b in data:
        r ^= b << 24
        for _ in range(8):
            r = ((r << 1) ^ 0x04C11DB7) if r & 0x80000000 else (r << 1)
            r &= 0xFFFFFFFF
    return r
d = open(sys.argv[1], 'rb').read()
pos = 0; expected = 0; n = 0
while pos < len(d):
    if d[pos:pos+4] != b'OggS': print('no capture at', pos); sys.exit()
    segs = d[pos+26]; body = sum(d[pos+27:pos+27+segs]); end = pos + 27 + segs + body
    page = bytearray(d[pos:end]); stored = struct.unpack('<I', page[22:26])[0]; page[22:26] = b'\0\0\0\0'
    if crc(page) != stored: print('bad crc at', pos); sys.exit()
    seq = struct.unpack('<I', d[pos+18:pos+22])[0]
    if seq != expected: print('sequence', seq, 'expected', expected); sys.exit()
    expected += 1; n += 1; pos = end
print('pages ok', n)
)",
                  path)
        .trimmed();
}

} // namespace

TEST_F(TagMedia, OggCommentGrowingIntoNewPagesRenumbersLaterPages)
{
    const QString path = copyFixture(dir, "tone.ogg");
    const AudioSummary before = decodeAudio(path);
    const QByteArray pagesBefore = oggPageCheck(path);
    ASSERT_TRUE(pagesBefore.startsWith("pages ok"));
    const int countBefore = pagesBefore.mid(9).toInt();

    // Small tags stay in the page the comment shares with the setup header.
    VEAudioTagInfo small;
    small.title = "Short";
    ASSERT_TRUE(writeAudioTags(path.toStdString(), small));
    EXPECT_EQ(oggPageCheck(path), pagesBefore);
    expectSameAudio(before, path);

    // A 100,000-byte cover needs three pages of its own for the comment
    // and one for the setup header: three more pages than before.
    const QByteArray large = pngCover(100000);
    ASSERT_TRUE(writeAudioTags(path.toStdString(), fullRecord(large)));
    EXPECT_EQ(oggPageCheck(path), "pages ok " + QByteArray::number(countBefore + 3));
    const QJsonObject tags = mutagenTags(path);
    EXPECT_EQ(tags.value("format").toString(), "OggVorbis");
    expectFullFields(tags, large);
    expectSameAudio(before, path);

    // And back to one shared page.
    ASSERT_TRUE(writeAudioTags(path.toStdString(), small));
    EXPECT_EQ(oggPageCheck(path), pagesBefore);
    expectSameAudio(before, path);
}

TEST_F(TagMedia, OggCommentOfExactlyFullPagesStaysOnePacket)
{
    // A comment packet of exactly 65,025 bytes fills one page's 255
    // lacing values of 255; its end needs a lacing value 0 on one more
    // page. Cutting the last full page short with a lacing value of 1
    // instead would end the packet early and split it in two.
    const QString path = copyFixture(dir, "tone.ogg");
    const AudioSummary before = decodeAudio(path);
    const int vendor = mutagenTags(path).value("vendor").toString().toUtf8().size();
    // 03 "vorbis", vendor length and vendor, count, one field with its
    // length and "TITLE=", the framing byte.
    const int titleLength = 65025 - (7 + 4 + vendor + 4 + 4 + 6 + 1);
    VEAudioTagInfo t;
    t.title = std::string(size_t(titleLength), 'a');
    ASSERT_TRUE(writeAudioTags(path.toStdString(), t));
    EXPECT_TRUE(oggPageCheck(path).startsWith("pages ok"));
    const QByteArray lengths = python(
        "from mutagen.oggvorbis import OggVorbis\nimport sys\n"
        "print(len(OggVorbis(sys.argv[1]).tags['TITLE'][0]))",
        path);
    EXPECT_EQ(lengths.trimmed().toInt(), titleLength);
    expectSameAudio(before, path);
}

namespace {

// The fixture's FLAC rebuilt with a SEEKTABLE, a vendor of 80 bytes and a
// PADDING block last.
QByteArray flacWithSeektableAndLongVendor()
{
    const QByteArray d = readAll(testsupport::fixture("tone.flac"));
    const auto *p = reinterpret_cast<const uint8_t *>(d.constData());
    int pos = 4;
    QByteArray streamInfo;
    for (bool last = false; !last;) {
        last = p[pos] & 0x80;
        const int length = int(tagio::be24(p + pos + 1));
        if ((p[pos] & 0x7F) == 0)
            streamInfo = d.mid(pos, 4 + length);
        pos += 4 + length;
    }
    streamInfo[0] = 0;
    QByteArray out = "fLaC" + streamInfo;
    out += QByteArray("\x03\x00\x00\x12", 4) + QByteArray(8, '\xff') + QByteArray(10, '\0');
    const QByteArray vendor(80, 'V');
    QByteArray comment;
    comment += char(vendor.size()) + QByteArray(3, '\0') + vendor;
    comment += QByteArray("\x01\x00\x00\x00", 4) + char(9) + QByteArray(3, '\0') + "TITLE=Old";
    out += QByteArray("\x04\x00\x00", 3) + char(comment.size()) + comment;
    out += QByteArray("\x81\x00\x04\x00", 4) + QByteArray(1024, '\0');
    return out + d.mid(pos);
}

} // namespace

TEST_F(TagMedia, FlacKeepsSeektableAndPaddingAndCutsTheVendor)
{
    const QString path = dir.filePath("tone.flac");
    writeAll(path, flacWithSeektableAndLongVendor());
    const AudioSummary before = decodeAudio(path);
    ASSERT_TRUE(before.clean);
    QJsonObject tags = mutagenTags(path);
    ASSERT_EQ(tags.value("blocks").toArray(), QJsonArray({0, 3, 4, 1}));

    ASSERT_TRUE(writeAudioTags(path.toStdString(), fullRecord(cover)));
    tags = mutagenTags(path);
    EXPECT_EQ(tags.value("format").toString(), "FLAC");
    EXPECT_EQ(tags.value("blocks").toArray(), QJsonArray({0, 3, 1, 4, 6}));
    EXPECT_EQ(tags.value("vendor").toString(), QString(60, 'V'));
    expectFullFields(tags, cover);
    // The last-block flag sits on the PICTURE block only.
    const QByteArray now = readAll(path);
    const auto *p = reinterpret_cast<const uint8_t *>(now.constData());
    int flags = 0;
    for (int pos = 4, n = 0; n < 5; ++n) {
        flags = flags * 2 + ((p[pos] & 0x80) ? 1 : 0);
        pos += 4 + int(tagio::be24(p + pos + 1));
    }
    EXPECT_EQ(flags, 1);
    expectSameAudio(before, path);
}

TEST_F(TagMedia, OtherExtensionsAreTriedAgainstEveryFormat)
{
    // An M4A and an Ogg Vorbis file named .mp4, and an MP3 named .MP3.
    struct Case {
        const char *fixture;
        const char *name;
        int type;
    } cases[] = {{"tone.m4a", "audio.mp4", M4a}, {"tone.ogg", "audio.mp4", Ogg}, {"tone.mp3", "UPPER.MP3", Mp3},
                 {"h264_aac.mp4", "video.mp4", M4a}, {"tone.flac", "noext", Flac}};
    for (const Case &c : cases) {
        const QString path = copyFixture(dir, c.fixture, c.name);
        AudioTagFile file;
        ASSERT_EQ(file.open(path.toStdU16String()), 0) << c.fixture;
        EXPECT_EQ(file.fileType(), c.type) << c.fixture;
        file.close();
        VEAudioTagInfo t;
        t.title = "Found";
        EXPECT_TRUE(writeAudioTags(path.toStdString(), t)) << c.fixture;
        EXPECT_EQ(mutagenTags(path).value("fields").toObject().value("title").toString(), "Found") << c.fixture;
        QFile::remove(path);
    }
}

TEST_F(TagMedia, EmptyRecordRewritesOnlyBlocksThatHadItems)
{
    // Muxer tags in ID3v2 and ID3v1 are removed; the audio stays.
    const QString mp3 = copyFixture(dir, "tone_tagged.mp3");
    const AudioSummary before = decodeAudio(mp3);
    ASSERT_TRUE(writeAudioTags(mp3.toStdString(), VEAudioTagInfo()));
    const QByteArray now = readAll(mp3);
    EXPECT_NE(now.left(3), "ID3");
    EXPECT_NE(now.right(128).left(3), "TAG");
    expectSameAudio(before, mp3);

    // A file whose blocks hold nothing is not touched at all, not even
    // replaced by a copy.
    const QString flac = copyFixture(dir, "tone.flac");
    const QByteArray original = readAll(flac);
    const ino_t inode = inodeOf(flac);
    EXPECT_FALSE(writeAudioTags(flac.toStdString(), VEAudioTagInfo()));
    EXPECT_EQ(readAll(flac), original);
    EXPECT_EQ(inodeOf(flac), inode);
}

TEST_F(TagMedia, UnrecognisedCoverIsDropped)
{
    const QString path = copyFixture(dir, "tone.mp3");
    ASSERT_TRUE(writeAudioTags(path.toStdString(), fullRecord("Not a picture at all")));
    const QJsonObject tags = mutagenTags(path);
    EXPECT_TRUE(tags.value("covers").toArray().isEmpty());
    EXPECT_EQ(tags.value("fields").toObject().value("album").toString(), "The Album");
}

TEST_F(TagMedia, BadFilesAreLeftByteIdentical)
{
    QStringList paths;
    paths << copyFixture(dir, "not_media.mp4");
    const QString empty = dir.filePath("empty.mp3");
    writeAll(empty, {});
    paths << empty;
    // Cut inside the structures the blocks need.
    const struct {
        const char *fixture;
        int keep;
    } cuts[] = {{"tone.m4a", 30000}, {"tone.flac", 30}, {"tone.ogg", 3000}, {"tone.wma", 300},
                {"tone.wav", 30}, {"tone.mp3", 600}};
    for (const auto &cut : cuts) {
        const QString path = dir.filePath(QString("cut_") + cut.fixture);
        writeAll(path, readAll(testsupport::fixture(cut.fixture)).left(cut.keep));
        paths << path;
    }
    // A fragmented MP4: its fragments address data absolutely, so moov
    // must not grow in front of them.
    const QString fragmented = dir.filePath("fragmented.m4a");
    ASSERT_EQ(testsupport::runProcess("ffmpeg", {"-nostdin", "-v", "error", "-i", testsupport::fixture("tone.m4a"),
                                                 "-c", "copy", "-movflags", "frag_keyframe+empty_moov", "-f", "mp4",
                                                 fragmented})
                  .exitCode,
              0);
    paths << fragmented;
    // A missing file and a folder.
    const VEAudioTagInfo tags = fullRecord(cover);
    EXPECT_FALSE(writeAudioTags(dir.filePath("missing.mp3").toStdString(), tags));
    EXPECT_FALSE(writeAudioTags(dir.path().toStdString(), tags));
    for (const QString &path : paths) {
        const QByteArray before = readAll(path);
        EXPECT_FALSE(writeAudioTags(path.toStdString(), tags)) << path.toStdString();
        EXPECT_EQ(readAll(path), before) << path.toStdString();
    }
    EXPECT_TRUE(leftovers(dir).isEmpty());
}

TEST_F(TagMedia, ReadOnlyFileIsLeftAlone)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write read-only files";
    const QString path = copyFixture(dir, "tone.mp3");
    QFile(path).setPermissions(QFile::ReadOwner);
    const QByteArray before = readAll(path);
    EXPECT_FALSE(writeAudioTags(path.toStdString(), fullRecord(cover)));
    EXPECT_EQ(readAll(path), before);
}

namespace {

// Passes everything through to a stream but fails every write after the
// first `budget` bytes, as a full disk or a crash would.
class FailingStream final : public TagStream {
public:
    FailingStream(std::unique_ptr<TagStream> inner, int64_t budget) : m_inner(std::move(inner)), m_budget(budget) {}
    int64_t read(void *b, int64_t n) override { return m_inner->read(b, n); }
    int64_t write(const void *b, int64_t n) override
    {
        if (n > m_budget) {
            const int64_t done = m_inner->write(b, m_budget);
            m_budget = 0;
            return done;
        }
        m_budget -= n;
        return m_inner->write(b, n);
    }
    int64_t size() override { return m_inner->size(); }
    bool resize(int64_t n) override { return m_inner->resize(n); }
    int64_t tell() override { return m_inner->tell(); }
    int64_t seek(int64_t p) override { return m_inner->seek(p); }

private:
    std::unique_ptr<TagStream> m_inner;
    int64_t m_budget;
};

} // namespace

TEST_F(TagMedia, FailureHalfwayThroughAMoveLeavesTheOriginal)
{
    // Writes stop while the audio behind the new ID3v2 tag is being moved
    // up: the original file must come out unchanged, with no temporary
    // file left behind.
    for (const char *fixture : {"tone.mp3", "tone_faststart.m4a", "tone.ogg", "tone.flac", "tone.wma"}) {
        const QString path = copyFixture(dir, fixture);
        const QByteArray before = readAll(path);
        const ino_t inode = inodeOf(path);
        const bool written = tagdetail::writeAudioTagsThrough(
            path.toStdString(), fullRecord(pngCover(20000)),
            [](std::unique_ptr<TagStream> s) { return std::make_unique<FailingStream>(std::move(s), 16384); });
        EXPECT_FALSE(written) << fixture;
        EXPECT_EQ(readAll(path), before) << fixture;
        EXPECT_EQ(inodeOf(path), inode) << fixture;
        EXPECT_TRUE(leftovers(dir).isEmpty()) << fixture;
    }
}

TEST_F(TagMedia, TagwriteToolWritesJsonRecords)
{
    const QString path = copyFixture(dir, "tone.flac");
    const QString json = dir.filePath("tags.json");
    writeAll(json, QByteArray(R"({"title": "From JSON", "track": "7/9", "composer": "Not written", "cover": ")")
                       + testsupport::fixture("cover.png").toUtf8() + "\"}");
    const auto r = testsupport::runProcess(testsupport::appDir() + "/tagwrite", {json, path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("tagged"));
    const QJsonObject tags = mutagenTags(path);
    EXPECT_EQ(tags.value("fields").toObject().value("title").toString(), "From JSON");
    EXPECT_EQ(tags.value("fields").toObject().value("track").toString(), "7/9");
    EXPECT_EQ(QByteArray::fromBase64(tags.value("covers").toArray().at(0).toString().toLatin1()), cover);
    EXPECT_FALSE(tags.value("keys").toArray().contains("COMPOSER"));
}
