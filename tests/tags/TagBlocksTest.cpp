// Block-level behaviour on file images in memory: exact bytes where the
// format fixes them, and the text rules of the tag writer.
#include "ApeBlock.h"
#include "AsfBlock.h"
#include "AudioTagFile.h"
#include "FlacBlock.h"
#include "FuzzBlock.h"
#include "Mp4Block.h"
#include "OggVorbisBlock.h"
#include "Id3v1Block.h"
#include "Id3v2Block.h"
#include "RiffInfoBlock.h"
#include "TagIo.h"
#include "TagText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::vector<uint8_t> bytesOf(const std::string &s)
{
    return std::vector<uint8_t>(s.begin(), s.end());
}

void addText(TagItemList &items, int slot, int kind, const std::u16string &text)
{
    const std::vector<uint8_t> b = tagtext::utf16leBytes(text);
    ASSERT_TRUE(items.add(slot, kind, ValueText, int(b.size()), b.data()));
}

} // namespace

TEST(TagText, GenreReferencesExpandToNames)
{
    EXPECT_EQ(tagtext::expandGenreReferences(u"(17)(RX)"), u"Rock Remix");
    EXPECT_EQ(tagtext::expandGenreReferences(u"(17)"), u"Rock");
    EXPECT_EQ(tagtext::expandGenreReferences(u"(0)Blues Remastered"), u"Blues Blues Remastered");
    EXPECT_EQ(tagtext::expandGenreReferences(u"((Live)"), u"(Live)");
    EXPECT_EQ(tagtext::expandGenreReferences(u"(CR)"), u"Cover");
    EXPECT_EQ(tagtext::expandGenreReferences(u"(999)"), u"(999)");
    EXPECT_EQ(tagtext::expandGenreReferences(u"(abc"), u"(abc");
    EXPECT_EQ(tagtext::expandGenreReferences(u"Plain text"), u"Plain text");
    EXPECT_EQ(tagtext::expandGenreReferences(u"(12"), u"(12");
}

TEST(TagText, GenreTableAndLookup)
{
    EXPECT_STREQ(tagtext::id3v1GenreNames[0], "Blues");
    EXPECT_STREQ(tagtext::id3v1GenreNames[12], "Other");
    EXPECT_STREQ(tagtext::id3v1GenreNames[140], "Contemporary C");
    EXPECT_STREQ(tagtext::id3v1GenreNames[147], "SynthPop");
    EXPECT_EQ(tagtext::genreIndex(u"rock"), 17);
    EXPECT_EQ(tagtext::genreIndex(u"SYNTHPOP"), 147);
    EXPECT_EQ(tagtext::genreIndex(u"Chiptune"), -1);
    EXPECT_EQ(tagtext::genreIndex(u"Roc"), -1);
}

TEST(TagText, LegacyCodePageAndUtf8)
{
    EXPECT_EQ(tagtext::utf16ToLegacy(u"\u00e9\u20ac\u2603"), "\xe9\x80?");
    EXPECT_EQ(tagtext::legacyToUtf16("\x80\xa9\xae", 3), u"\u20ac\u00a9\u00ae");
    std::u16string out;
    EXPECT_FALSE(tagtext::utf8ToUtf16("\xc3", out));
    EXPECT_FALSE(tagtext::utf8ToUtf16("\xed\xa0\x80", out)); // a surrogate
    EXPECT_TRUE(tagtext::utf8ToUtf16("\xf0\x9f\x8e\xb5", out));
    EXPECT_EQ(out.size(), 2u);
    EXPECT_EQ(tagtext::utf16ToUtf8(out), "\xf0\x9f\x8e\xb5");
}

TEST(TagText, Base64AndPictureProbing)
{
    const uint8_t raw[] = {0, 1, 2, 0xFE, 0xFF};
    std::vector<uint8_t> back;
    const std::string text = tagtext::base64Encode(raw, sizeof raw);
    EXPECT_EQ(text, "AAEC/v8=");
    ASSERT_TRUE(tagtext::base64Decode(text.data(), text.size(), back));
    EXPECT_EQ(back, std::vector<uint8_t>(raw, raw + sizeof raw));

    // Baseline JPEG: an APP0 segment, then SOF0 with 8-bit 300x200.
    const uint8_t jpeg[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0, 0,
                            0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 0xC8, 0x01, 0x2C, 0x03};
    const tagtext::PictureInfo j = tagtext::probePicture(jpeg, sizeof jpeg);
    EXPECT_EQ(j.width, 300u);
    EXPECT_EQ(j.height, 200u);
    EXPECT_EQ(j.depth, 24u);
    const uint8_t gif[] = {'G', 'I', 'F', '8', '9', 'a', 0x10, 0x00, 0x20, 0x00, 0x05};
    const tagtext::PictureInfo g = tagtext::probePicture(gif, sizeof gif);
    EXPECT_EQ(g.width, 16u);
    EXPECT_EQ(g.height, 32u);
    EXPECT_EQ(g.depth, 6u);
    EXPECT_EQ(tagtext::pictureFormat(reinterpret_cast<const uint8_t *>("\x8aMNG"), 4), tagtext::PicturePng);
    EXPECT_STREQ(tagtext::pictureMime(tagtext::PictureUnknown), "image/jpeg");
}

TEST(TagItemList, TextLengthIsMeasuredAndGenreExpanded)
{
    TagItemList items;
    const char16_t text[] = u"abc\0def";
    ASSERT_TRUE(items.add(-1, KindTitle, ValueText, int(sizeof text), text));
    EXPECT_EQ(items.at(0).length, 6);
    addText(items, -1, KindGenre, u"(17)(RX)");
    EXPECT_EQ(items.at(1).text(), u"Rock Remix");
    EXPECT_EQ(items.at(1).length, 20);
    EXPECT_TRUE(items.remove(0));
    EXPECT_EQ(items.at(0).kind, KindGenre);
    EXPECT_FALSE(items.remove(5));
}

TEST(ResizeRegion, MovesTheTailBothWays)
{
    std::vector<uint8_t> image(20000);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i * 7);
    MemoryTagStream s(image);
    ASSERT_TRUE(tagio::resizeRegion(s, 100, 10, 9000));
    ASSERT_EQ(s.size(), 20000 + 8990);
    EXPECT_TRUE(std::equal(image.begin() + 110, image.end(), s.data().begin() + 9100));
    ASSERT_TRUE(tagio::resizeRegion(s, 100, 9000, 10));
    for (size_t i = 110; i < image.size(); ++i)
        ASSERT_EQ(s.data()[i], image[i]) << i;
    EXPECT_EQ(s.size(), 20000);
    EXPECT_FALSE(tagio::resizeRegion(s, 19995, 10, 0));
    EXPECT_EQ(s.size(), 20000);
}

TEST(Id3v1Block, TrackGenreAndFieldCuts)
{
    MemoryTagStream s(std::vector<uint8_t>(500, 0x55));
    Id3v1Block block(s);
    ASSERT_TRUE(block.valid());
    EXPECT_FALSE(block.hasTag());
    addText(block.items(), SlotId3v1, KindTitle, std::u16string(40, u'x'));
    addText(block.items(), SlotId3v1, KindArtist, std::u16string(29, u'a') + u"\u00e9b");
    addText(block.items(), SlotId3v1, KindTrack, u"3/12");
    addText(block.items(), SlotId3v1, KindGenre, u"rock");
    addText(block.items(), SlotId3v1, KindComment, std::u16string(30, u'c'));
    ASSERT_EQ(block.save(), 0);
    ASSERT_EQ(s.size(), 628);
    const uint8_t *r = s.data().data() + 500;
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(r), 3), "TAG");
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(r + 3), 30), std::string(30, 'x'));
    // The 30th byte would be the lead byte of a pair: cut to 29.
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(r + 33), 30), std::string(29, 'a') + '\0');
    EXPECT_EQ(r[125], 0);
    EXPECT_EQ(r[126], 3);
    EXPECT_EQ(r[127], 17);
    // The comment came after the track: 28 bytes.
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(r + 97), 28), std::string(28, 'c'));

    // Saved again over the record in place; an unknown genre becomes 12.
    block.items().clear();
    addText(block.items(), SlotId3v1, KindGenre, u"Chiptune");
    ASSERT_EQ(block.save(), 0);
    ASSERT_EQ(s.size(), 628);
    EXPECT_EQ(s.data()[627], 12);
    EXPECT_EQ(s.data()[625], 0); // no track: 0x20 turned into 0 with 124 and 126 zero
    ASSERT_EQ(block.reload(), 0);
    ASSERT_EQ(block.items().count(), 1);
    EXPECT_EQ(block.items().at(0).text(), u"Other");

    // Nothing left: the record is removed.
    block.items().clear();
    ASSERT_EQ(block.save(), 0);
    EXPECT_EQ(s.size(), 500);
    EXPECT_EQ(block.save(), 1);
}

TEST(Id3v2Block, ReadsOlderVersionsUnsyncAndExtendedHeaders)
{
    // Version 2.2: three-letter frames with 24-bit sizes.
    {
        std::vector<uint8_t> tag = bytesOf(std::string("ID3\x02\x00\x00\x00\x00\x00\x11", 10));
        const std::string frame("TT2\x00\x00\x05\x00" "Abcd", 11);
        tag.insert(tag.end(), frame.begin(), frame.end());
        tag.resize(10 + 17 + 100, 0xFF);
        MemoryTagStream s(tag);
        Id3v2Block b(s);
        EXPECT_EQ(b.tagLength(), 27);
        ASSERT_EQ(b.items().count(), 1);
        EXPECT_EQ(b.items().at(0).text(), u"Abcd");
    }
    // Version 2.3 with unsynchronisation and an extended header: the FF 00
    // pair in the frame comes back as FF, and the old length includes the
    // footer flag's ten bytes for 2.4 only.
    {
        std::string body;
        body += std::string("\x00\x00\x00\x06\x00\x00\x00\x00\x00\x00", 10); // extended header
        body += std::string("TPE1\x00\x00\x00\x03\x00\x00\x00\xff\x00\x41", 14);
        std::string tag = std::string("ID3\x03\x00\xc0\x00\x00\x00", 9) + char(body.size()) + body;
        std::vector<uint8_t> image = bytesOf(tag);
        image.resize(image.size() + 50, 0);
        MemoryTagStream s(image);
        Id3v2Block b(s);
        EXPECT_EQ(b.tagLength(), int64_t(tag.size()));
        ASSERT_EQ(b.items().count(), 1);
        EXPECT_EQ(b.items().at(0).text(), u"\u00ffA");
    }
    // Version 2.4: synchsafe frame sizes, UTF-8, a footer.
    {
        const std::string frame("TCON\x00\x00\x00\x05\x00\x00\x03(17)", 15);
        std::string tag = std::string("ID3\x04\x00\x10\x00\x00\x00", 9) + char(frame.size()) + frame;
        tag += std::string("3DI\x04\x00\x10\x00\x00\x00", 9) + char(frame.size());
        std::vector<uint8_t> image = bytesOf(tag);
        image.resize(image.size() + 50, 0);
        MemoryTagStream s(image);
        Id3v2Block b(s);
        EXPECT_EQ(b.tagLength(), int64_t(tag.size()));
        ASSERT_EQ(b.items().count(), 1);
        EXPECT_EQ(b.items().at(0).text(), u"Rock");
    }
    // A tag that claims more bytes than the file has is never "replaced".
    {
        std::vector<uint8_t> image = bytesOf(std::string("ID3\x03\x00\x00\x00\x10\x00\x00", 10));
        image.resize(100, 0);
        MemoryTagStream s(image);
        Id3v2Block b(s);
        addText(b.items(), SlotId3v2, KindTitle, u"x");
        EXPECT_LT(b.save(), 0);
        EXPECT_EQ(s.data(), image);
    }
}

TEST(Id3v2Block, PruningKeepsFirstOfKindAndDropsUnknownCovers)
{
    MemoryTagStream s(std::vector<uint8_t>(64, 0));
    Id3v2Block b(s);
    addText(b.items(), SlotId3v2, KindTitle, u"First");
    addText(b.items(), SlotId3v2, KindTitle, u"Second");
    addText(b.items(), SlotId3v2, KindGrouping, u"not stored in ID3v2");
    const char junk[] = "not a picture";
    b.items().add(SlotId3v2, KindCover, ValueBinary, int(sizeof junk), junk);
    ASSERT_EQ(b.save(), 0);
    ASSERT_EQ(b.items().count(), 1);
    const std::vector<uint8_t> &d = s.data();
    EXPECT_EQ(std::string(d.begin(), d.begin() + 5), std::string("ID3\x03\x00", 5));
    // One TIT2 frame: header 10 + encoding 1 + BOM 2 + "First" 10.
    EXPECT_EQ(std::string(d.begin() + 10, d.begin() + 14), "TIT2");
    EXPECT_EQ(tagio::be32(d.data() + 14), 13u);
    EXPECT_EQ(b.tagLength(), 10 + 23);
    EXPECT_EQ(s.size(), 64 + 33);
}

TEST(RiffInfoBlock, ListAppendedAndRemovedWithRiffSize)
{
    std::string wav("RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00", 20);
    wav += std::string(16, '\x01');
    wav += std::string("data\x00\x00\x00\x00", 8);
    const std::vector<uint8_t> original = bytesOf(wav);
    MemoryTagStream s(original);
    RiffInfoBlock b(s);
    ASSERT_TRUE(b.valid());
    addText(b.items(), SlotRiffInfo, KindTitle, u"Odd"); // 3 + 1 is even
    addText(b.items(), SlotRiffInfo, KindArtist, u"Even"); // 4 + 1 is odd: pad byte
    ASSERT_EQ(b.save(), 0);
    const std::vector<uint8_t> &d = s.data();
    ASSERT_EQ(d.size(), original.size() + 12 + 12 + 14);
    EXPECT_EQ(tagio::le32(d.data() + 4), uint32_t(d.size() - 8));
    EXPECT_EQ(std::string(d.begin() + 44, d.begin() + 56), std::string("LIST\x1e\x00\x00\x00INFO", 12));
    EXPECT_EQ(std::string(d.begin() + 56, d.begin() + 68), std::string("INAM\x04\x00\x00\x00Odd\x00", 12));
    EXPECT_EQ(std::string(d.begin() + 68, d.begin() + 82), std::string("IART\x06\x00\x00\x00" "Even\x00\x00", 14));
    ASSERT_EQ(b.reload(), 0);
    EXPECT_EQ(b.items().count(), 2);
    b.items().clear();
    ASSERT_EQ(b.save(), 0);
    EXPECT_EQ(s.data(), original);
}

TEST(ApeBlock, ReadsHeaderAndFooterAndKeepsId3v1Last)
{
    std::vector<uint8_t> image(300, 0x11);
    const std::string id3v1 = "TAG" + std::string(125, '\0');
    image.insert(image.end(), id3v1.begin(), id3v1.end());
    MemoryTagStream s(image);
    ApeBlock b(s);
    addText(b.items(), SlotApe, KindTitle, u"Ape title");
    ASSERT_EQ(b.save(), 0);
    EXPECT_EQ(b.tagPosition(), 300);
    const std::vector<uint8_t> &d = s.data();
    EXPECT_EQ(std::string(d.end() - 128, d.end() - 125), "TAG");
    EXPECT_EQ(std::string(d.begin() + 300, d.begin() + 308), "APETAGEX");
    EXPECT_EQ(tagio::le32(d.data() + 300 + 20), 0xA0000000u);

    ApeBlock again(s);
    ASSERT_EQ(again.items().count(), 1);
    EXPECT_EQ(again.items().at(0).text(), u"Ape title");
    EXPECT_EQ(again.tagLength(), int64_t(d.size()) - 128 - 300);
    again.items().clear();
    ASSERT_EQ(again.save(), 0);
    EXPECT_EQ(s.data(), image);
}

TEST(AudioTagFile, FacadeIndexesSlotsAndRejectsBadCalls)
{
    // Two MPEG-1 layer III frames (128 kbit/s, 44.1 kHz, 417 bytes) and an
    // ID3v1 record: enough for the MP3 stream check.
    std::vector<uint8_t> image;
    for (int i = 0; i < 2; ++i) {
        const uint8_t header[4] = {0xFF, 0xFB, 0x90, 0x00};
        image.insert(image.end(), header, header + 4);
        image.resize(image.size() + 413, 0);
    }
    const std::string id3v1 = "TAGOld title" + std::string(116, '\0');
    image.insert(image.end(), id3v1.begin(), id3v1.end());
    image[image.size() - 1] = 17;

    AudioTagFile file;
    ASSERT_EQ(file.openStream(std::make_unique<MemoryTagStream>(image), u"x.MP3"), 0);
    EXPECT_EQ(file.fileType(), Mp3);
    ASSERT_EQ(file.itemCount(), 2); // ID3v1 title and genre
    EXPECT_EQ(file.item(0).slot, SlotId3v1);
    EXPECT_EQ(file.item(5).slot, -1);
    EXPECT_EQ(file.item(5).length, 0);
    const char16_t title[] = u"New";
    EXPECT_EQ(file.addItem(9, KindTitle, ValueText, 6, title), -1);
    EXPECT_EQ(file.addItem(SlotRiffInfo, KindTitle, ValueText, 6, title), -1);
    EXPECT_EQ(file.addItem(-1, KindTitle, ValueText, 0, title), -1);
    ASSERT_EQ(file.addItem(-1, KindTitle, ValueText, 6, title), 0);
    EXPECT_EQ(file.item(0).slot, SlotId3v2); // ID3v2 items come first for MP3
    EXPECT_EQ(file.removeKind(KindGenre), 0);
    EXPECT_EQ(file.itemCount(), 2);
    ASSERT_EQ(file.save(), 0);
    EXPECT_FALSE(file.lastSaveFailed());
    const std::vector<uint8_t> &d = static_cast<MemoryTagStream *>(file.stream())->data();
    EXPECT_EQ(std::string(d.begin(), d.begin() + 3), "ID3");
    EXPECT_EQ(d.back(), 255); // genre removed from the ID3v1 record

    // The same bytes named .wav are still found by the fallback order.
    AudioTagFile other;
    ASSERT_EQ(other.openStream(std::make_unique<MemoryTagStream>(image), u"x.wav"), 0);
    EXPECT_EQ(other.fileType(), Mp3);
    AudioTagFile none;
    EXPECT_EQ(none.openStream(std::make_unique<MemoryTagStream>(std::vector<uint8_t>(2000, 0x42)), u"x.mp3"), -1);
    EXPECT_EQ(none.fileType(), -1);
    EXPECT_EQ(none.save(), -1);
}

// Inputs the fuzz targets once failed on run through every block again on
// each test run (without the sanitizers, a crash or a hang still shows).
TEST(FuzzRegressions, KeptInputsRunThroughEveryBlock)
{
    const char *source = std::getenv("SNIPWELL_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const std::filesystem::path folder = std::filesystem::path(source) / "tests/fuzz/regressions";
    int inputs = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        fuzzblock::run<Id3v1Block>(data.data(), data.size());
        fuzzblock::run<Id3v2Block>(data.data(), data.size());
        fuzzblock::run<ApeBlock>(data.data(), data.size());
        fuzzblock::run<RiffInfoBlock>(data.data(), data.size());
        fuzzblock::run<Mp4Block>(data.data(), data.size());
        fuzzblock::run<AsfBlock>(data.data(), data.size());
        fuzzblock::run<OggVorbisBlock>(data.data(), data.size());
        fuzzblock::run<FlacBlock>(data.data(), data.size());
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}
