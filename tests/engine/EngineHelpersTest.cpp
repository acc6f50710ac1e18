// Language lookups, container names, the item list, splitting and the
// stream choice of the output modes.
#include "LanguageTable.h"
#include "OutputFormatParams.h"
#include "SourceContainer.h"
#include "VoInfoManager.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <cstring>
#include <gtest/gtest.h>

TEST(Languages, LookupsByEveryColumn)
{
    EXPECT_EQ(lookupLanguageName("ENG"), "English");
    EXPECT_EQ(lookupLanguageName("eng"), "English");
    EXPECT_EQ(lookupLanguageName("fre"), "French");
    EXPECT_EQ(lookupLanguageName("fra"), "French");
    EXPECT_EQ(lookupLanguageName("fr"), "French");
    EXPECT_EQ(lookupLanguageName("UND"), "Undefined");
    EXPECT_TRUE(lookupLanguageName("xx").isNull());
    EXPECT_TRUE(lookupLanguageName("xxx").isNull());
    EXPECT_TRUE(lookupLanguageName("").isNull());
    EXPECT_TRUE(lookupLanguageName("engl").isNull());
    // Both columns of the rows with differing codes, and the odd rows.
    EXPECT_EQ(lookupLanguageName("sqi"), "Albanian");
    EXPECT_EQ(lookupLanguageName("alb"), "Albanian");
    EXPECT_EQ(lookupLanguageName("gre"), "Greek, Modern ()");
    EXPECT_EQ(lookupLanguageName("ell"), "Greek, Modern ()");
    EXPECT_EQ(lookupLanguageName("jaw"), "Javanese");
    EXPECT_EQ(lookupLanguageName("jav"), "Javanese");
    EXPECT_EQ(lookupLanguageName("osd"), "On Screen Display");
    EXPECT_EQ(lookupLanguageName("qaa"), "Original audio");
    EXPECT_EQ(lookupLanguageName("mo"), "Moldavian");
    EXPECT_EQ(lookupLanguageName("ger"), "German");
    EXPECT_EQ(lookupLanguageName("deu"), "German");
}

TEST(Languages, TableShape)
{
    const char *keys =
        "aa ab af sq am ar hy as ae ay az ba eu be bn bh bi bs br bg my ca ch ce zh cu cv kw co cs "
        "da nl dz en eo et fo fj fi fr fy ka de gd ga gl gv el gn gu he hz hi ho hu is iu ie ia id "
        "ik it jv ja kl kn ks kk km ki rw ky kv ko kj ku lo la lv ln lt lb mk mh ml mi mr ms mg mt "
        "mo mn na nv nr nd ng ne no nn nb ny oc or om od os pa fa pi pl pt ps qu - rm ro rn ru sg "
        "sa sr hr si sk sl se sm sn sd so st es sc ss su sw sv ty ta tt te tg tl th bo ti to tn ts "
        "tr tk tw ug uk ur uz vi vo cy wo xh yi yo za zu";
    const QStringList list = QString::fromLatin1(keys).split(' ');
    ASSERT_EQ(list.size(), kLanguageRowCount);
    for (int i = 0; i < kLanguageRowCount; ++i) {
        const QString key = list[i] == "-" ? QString() : list[i];
        EXPECT_EQ(QString::fromLatin1(kLanguageTable[i].iso639_1), key) << i;
        EXPECT_EQ(strlen(kLanguageTable[i].terminology), 3u) << i;
        EXPECT_EQ(strlen(kLanguageTable[i].bibliographic), 3u) << i;
    }
    const char *first[] = {"Afar", "Abkhazian", "Afrikaans", "Albanian", "Amharic"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(QString::fromWCharArray(kLanguageTable[i].name), first[i]);
}

TEST(SourceContainer, NameByFormatAndBrand)
{
    const std::string mov = "mov,mp4,m4a,3gp,3g2,mj2";
    EXPECT_EQ(sourceContainerName(mov, "qt  "), "mov");
    EXPECT_EQ(sourceContainerName(mov, "f4v "), "f4v");
    EXPECT_EQ(sourceContainerName(mov, "3gp5"), "3gp");
    EXPECT_EQ(sourceContainerName(mov, "3g2a"), "3g2");
    EXPECT_EQ(sourceContainerName(mov, "isom"), "mp4");
    EXPECT_EQ(sourceContainerName(mov, ""), "mp4");
    EXPECT_EQ(sourceContainerName("matroska,webm", "matroska"), "matroska");
    EXPECT_EQ(sourceContainerName("matroska,webm", "webm"), "webm");
    EXPECT_EQ(sourceContainerName("matroska,webm", ""), "matroska"); // never MP4 under a Matroska name
    EXPECT_EQ(sourceContainerName("DVD", "x"), "vob");
    EXPECT_EQ(sourceContainerName("Bluray", ""), "mpegts");
    EXPECT_EQ(sourceContainerName("ACD", ""), "wav");
    EXPECT_EQ(sourceContainerName("mpegts", "isom"), "mpegts");
    EXPECT_EQ(sourceContainerName("", ""), "");
}

TEST(ItemList, InsertRemoveSwapRenumber)
{
    VoVideoConvertManager *m = VoVideoConvertManager::instance();
    ASSERT_EQ(m, VoVideoConvertManager::instance());
    m->clear();
    auto make = [](const char *name) {
        auto *item = new VoVideoConvertItem;
        item->m_videoName = name;
        return item;
    };
    EXPECT_EQ(m->insert(make("a"), -1), 0);
    EXPECT_EQ(m->insert(make("c"), 7), 1);
    EXPECT_EQ(m->insert(make("b"), 1), 1);
    ASSERT_EQ(m->count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m->itemAt(i)->m_videoName, QString(QChar('a' + i)));
        EXPECT_EQ(m->itemAt(i)->index(), i);
    }
    EXPECT_EQ(m->itemAt(3), nullptr);
    EXPECT_EQ(m->itemAt(-1), nullptr);
    EXPECT_EQ(m->insert(nullptr, 0), -1);

    EXPECT_FALSE(m->swap(0, 3));
    EXPECT_TRUE(m->swap(0, 2));
    EXPECT_EQ(m->itemAt(0)->m_videoName, "c");
    EXPECT_EQ(m->itemAt(0)->index(), 2); // indexes stay with the items

    m->removeAt(5);
    EXPECT_EQ(m->count(), 3);
    m->removeAt(0);
    ASSERT_EQ(m->count(), 2);
    EXPECT_EQ(m->itemAt(0)->m_videoName, "b");
    EXPECT_EQ(m->itemAt(0)->index(), 0);
    EXPECT_EQ(m->itemAt(1)->index(), 1);
    m->clear();
    EXPECT_EQ(m->count(), 0);
}

namespace {

QList<SplitSegment> split(VoVideoConvertItem &item, int mode, int interval, int minutes, int parts)
{
    Split_Info info;
    info.mode = mode;
    info.interval = interval;
    info.inMinutes = minutes;
    info.parts = parts;
    item.setSplitInfo(info);
    return item.m_splitSegments;
}

} // namespace

TEST(Split, ByIntervalAndIntoParts)
{
    VoVideoConvertItem item;
    item.m_duration = 150000000;
    EXPECT_EQ(split(item, 1, 1, 1, 1),
              (QList<SplitSegment>{{0, 60000000}, {60000000, 120000000}, {120000000, 0}}));
    EXPECT_EQ(item.m_splitMode, 1);
    // Exactly two minutes: the second segment reaches the end.
    item.m_duration = 120000000;
    EXPECT_EQ(split(item, 1, 1, 1, 1), (QList<SplitSegment>{{0, 60000000}, {60000000, 0}}));
    // Hours: one segment for the whole file.
    EXPECT_EQ(split(item, 1, 1, 0, 1), (QList<SplitSegment>{{0, 0}}));
    EXPECT_TRUE(split(item, 1, 0, 1, 1).isEmpty());
    item.m_duration = 0;
    EXPECT_TRUE(split(item, 1, 1, 1, 1).isEmpty());

    item.m_duration = 10;
    EXPECT_EQ(split(item, 2, 1, 0, 3), (QList<SplitSegment>{{0, 3}, {3, 6}, {6, 0}}));
    EXPECT_EQ(item.m_splitParts, 3);
    EXPECT_TRUE(split(item, 2, 1, 0, 1).isEmpty());
    EXPECT_TRUE(split(item, 0, 1, 0, 3).isEmpty());
}

TEST(TrackChoice, OutputModesSelectStreams)
{
    VoVideoConvertItem item;
    item.m_sourceFormat = "matroska";
    for (int i = 0; i < 3; ++i)
        item.m_editConfig.audioTracks.push_back(VEAudioTrackEntry{});
    SubtitleStreamInfo cc;
    cc.codecTag = kClosedCaptionTag;
    item.m_editConfig.subtitleTracks.push_back(VESubtitleTrackEntry{false, SubtitleStreamInfo{}});
    item.m_editConfig.subtitleTracks.push_back(VESubtitleTrackEntry{false, cc});
    item.m_editConfig.streamChoice.subtitleCount = 2;
    item.m_editConfig.streamChoice.audioTrack = 2;

    OutputFormatParams params;
    params.lossless = true;
    params.container = "Original";
    item.applyOutputFormat(params);
    EXPECT_TRUE(item.m_editConfig.m_bLossless);
    EXPECT_EQ(item.m_editConfig.m_fileFormat, "matroska");
    for (const auto &e : item.m_editConfig.audioTracks)
        EXPECT_TRUE(e.selected);
    for (const auto &e : item.m_editConfig.subtitleTracks)
        EXPECT_TRUE(e.selected);
    EXPECT_EQ(item.m_editConfig.streamChoice.subtlType, 0);
    EXPECT_EQ(item.m_editConfig.streamChoice.audioTrack, 2); // kept in lossless mode
    EXPECT_EQ(item.audioIndex(), 0);
    EXPECT_EQ(item.subtitleIndex(), 0);
    EXPECT_EQ(item.losslessAudioMask(), 0x7u);
    EXPECT_EQ(item.losslessSubtitleMask(), 0x1u); // closed captions are not copied...
    params.container = "MOV";
    item.applyOutputFormat(params);
    EXPECT_EQ(item.m_editConfig.m_fileFormat, "mov");
    EXPECT_EQ(item.losslessSubtitleMask(), 0x3u); // ...except into MOV

    params.lossless = false;
    params.container = "MP4";
    item.applyOutputFormat(params);
    EXPECT_FALSE(item.m_editConfig.m_bLossless);
    EXPECT_EQ(item.m_editConfig.m_fileFormat, "mp4");
    EXPECT_TRUE(item.m_editConfig.audioTracks[0].selected);
    EXPECT_FALSE(item.m_editConfig.audioTracks[1].selected);
    EXPECT_FALSE(item.m_editConfig.audioTracks[2].selected);
    EXPECT_FALSE(item.m_editConfig.subtitleTracks[0].selected);
    EXPECT_EQ(item.m_editConfig.streamChoice.subtlType, -1);
    EXPECT_EQ(item.m_editConfig.streamChoice.audioTrack, 0);
    EXPECT_EQ(item.subtitleIndex(), -1);
    EXPECT_EQ(item.losslessAudioMask(), 0x1u);

    // Without embedded subtitles lossless mode chooses none.
    item.m_editConfig.streamChoice.subtitleCount = 0;
    params.lossless = true;
    item.applyOutputFormat(params);
    EXPECT_EQ(item.m_editConfig.streamChoice.subtlType, -1);
}

TEST(InfoManagerHelpers, TimesAndCoverScaling)
{
    EXPECT_EQ(VoInfoManager::formatTime(0), "00:00:00");
    EXPECT_EQ(VoInfoManager::formatTime(3723999999ull), "01:02:03");
    EXPECT_EQ(VoInfoManager::formatTime(100ull * 3600 * 1000000), "100:00:00");

    EXPECT_TRUE(VoInfoManager::scaleCover(QImage(), 100).isNull());
    const QImage small(80, 50, QImage::Format_RGB32);
    EXPECT_EQ(VoInfoManager::scaleCover(small, 50).size(), QSize(80, 50));
    QImage wide(1000, 300, QImage::Format_RGB32);
    wide.fill(Qt::red);
    EXPECT_EQ(VoInfoManager::scaleCover(wide, 100).size(), QSize(333, 100));
    // Far larger: two steps, same result size.
    QImage tall(900, 3000, QImage::Format_RGB32);
    tall.fill(Qt::blue);
    const QImage scaled = VoInfoManager::scaleCover(tall, 90);
    EXPECT_EQ(scaled.size(), QSize(90, 300));
    EXPECT_EQ(scaled.pixelColor(45, 150), QColor(Qt::blue));
}
