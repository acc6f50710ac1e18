#include "ProfileCatalogue.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

// Readable failure messages.
void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

std::string kv(const std::string &k, const std::string &v)
{
    return "<key>" + k + "</key><string>" + v + "</string>";
}
std::string kd(const std::string &k, const std::string &body)
{
    return "<key>" + k + "</key><dict>" + body + "</dict>";
}
std::string ka(const std::string &k, const std::string &body)
{
    return "<key>" + k + "</key><array>" + body + "</array>";
}
std::string dict(const std::string &body)
{
    return "<dict>" + body + "</dict>";
}
std::string baseinfo(const std::string &title, const std::string &id, const std::string &ext, const std::string &autoFlag)
{
    return kd("baseinfo", kv("title", title) + kv("id", id) + kv("ext", ext) + kv("icon", "icon_" + id) + kv("auto", autoFlag));
}
std::string videoEntry(const std::string &fourcc, const std::string &res, const std::string &low = "1000",
                       const std::string &fpsDefault = "25")
{
    return dict(kv("fourcc", fourcc) + kv("resolution", res) +
                kd("videobitrate", kv("default", "2000") + kv("low", low) + kv("high", "3000") +
                                       kv("supports", "1000, 0 ,2000,,3000")) +
                kd("framerate", kv("default", fpsDefault) + kv("supports", "25,29.97")));
}
std::string audioEntry(const std::string &fourcc, const std::string &channel, const std::string &low = "96")
{
    return dict(kv("fourcc", fourcc) + kv("channel", channel) +
                kd("audiobitrate", kv("default", "128") + kv("low", low) + kv("high", "") +
                                       kv("supports", " 128 , 0 , 192 ")) +
                kd("samplerate", kv("default", "44100") + kv("supports", "44100,48000")));
}

const std::string kVideoFormat =
    dict(baseinfo("Video", "4000", "mp4", "1") +
         kd("videoencoders", kv("supports", "H264, MP4V") + kv("default", " H264 ")) +
         kd("resolution", kv("default", "1920*1080")) +
         ka("videoparams", videoEntry(" H264", "1280*720", "") + videoEntry("H264", "1920*1080") +
                               videoEntry("MP4V", "640*480") + videoEntry("MP4V", "320*240")) +
         kd("audioencoders", kv("supports", "AAC,MP3") + kv("default", "AAC")) + kd("channels", kv("default", "2")) +
         ka("audioparams", audioEntry("AAC", "1") + audioEntry("AAC", "2", "") + audioEntry("MP3", "2")));

const std::string kFilterFormat =
    dict(baseinfo("Filtered", "4001", "avi", "1") +
         kd("videoencoders", kv("supports", "MP4V,H264,Xvid") + kv("default", "H264") +
                                 kv("filter", "MP4V:AC3,H264|H264:MP3,AAC")) +
         kd("resolution", kv("default", "640*480")) +
         ka("videoparams", videoEntry("H264", "640*480") + videoEntry("MP4V", "640*480") + videoEntry("Xvid", "640*480")) +
         kd("channels", kv("default", "2")) +
         ka("audioparams", audioEntry("MP3", "2") + audioEntry("AAC", "2") + audioEntry("AC3", "2")));

const std::string kAudioFormat =
    dict(baseinfo("Sound", "4400", "mp3", "0") + kd("audioencoders", kv("supports", "MP3") + kv("default", "MP3")) +
         kd("channels", kv("default", "2")) + ka("audioparams", audioEntry("MP3", "2")));

const std::string kEmptyVideoFormat =
    dict(baseinfo("Sound2", "4401", "m4a", "1") + kd("videoencoders", "") +
         kd("audioencoders", kv("supports", "AAC") + kv("default", "AAC")) + kd("channels", kv("default", "6")) +
         ka("audioparams", audioEntry("AAC", "2")));

// Broken formats: a missing required entry in various places.
const std::string kNoVideoParams =
    dict(baseinfo("Broken1", "5000", "mp4", "1") + kd("videoencoders", kv("supports", "H264") + kv("default", "H264")) +
         kd("resolution", kv("default", "1*1")) + kd("audioencoders", kv("supports", "AAC") + kv("default", "AAC")) +
         kd("channels", kv("default", "2")) + ka("audioparams", audioEntry("AAC", "2")));
const std::string kChosenWithoutFramerate =
    dict(baseinfo("Broken2", "5001", "mp4", "1") + kd("videoencoders", kv("supports", "H264") + kv("default", "H264")) +
         kd("resolution", kv("default", "2*2")) +
         ka("videoparams", videoEntry("H264", "1*1") +
                               dict(kv("fourcc", "H264") + kv("resolution", "2*2") + kd("videobitrate", kv("default", "1")))) +
         kd("audioencoders", kv("supports", "AAC") + kv("default", "AAC")) + kd("channels", kv("default", "2")) +
         ka("audioparams", audioEntry("AAC", "2")));
const std::string kNoAuto =
    dict(kd("baseinfo", kv("title", "Broken3") + kv("id", "5002") + kv("ext", "mp3") + kv("icon", "x")) +
         kd("audioencoders", kv("supports", "MP3") + kv("default", "MP3")) + kd("channels", kv("default", "2")) +
         ka("audioparams", audioEntry("MP3", "2")));
const std::string kWrongType =
    dict(baseinfo("Broken4", "5003", "mp3", "0") + "<key>audioencoders</key><string>MP3</string>" +
         kd("channels", kv("default", "2")) + ka("audioparams", audioEntry("MP3", "2")));

std::string profileFile(const std::string &categories)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict>" +
           ka("Categories", "<string>General Video</string><string>Audio</string><string>Broken</string>") + categories +
           kd("Codecs", kv("AAC ", "Advanced Audio") + kv("H264", "H.264 / AVC")) + "</dict></plist>";
}

class ProfileCatalogueTest : public ::testing::Test {
protected:
    QString write(const std::string &text, const QString &name = "profiles.plist")
    {
        const QString path = m_dir.path() + "/" + name;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), qint64(text.size()));
        return path;
    }
    QString standardFile()
    {
        return write(profileFile(ka("General Video", kVideoFormat + kFilterFormat) +
                                 ka("Audio", kAudioFormat + kEmptyVideoFormat) +
                                 ka("Broken", kNoVideoParams + kChosenWithoutFramerate + kNoAuto + kWrongType)));
    }

    QTemporaryDir m_dir;
};

const QStringList kAutoOnly{"Auto"};

} // namespace

TEST_F(ProfileCatalogueTest, CategoriesItemsAndFields)
{
    ProfileCatalogue cat(standardFile());
    ASSERT_TRUE(cat.isLoaded()) << cat.errorText().toStdString();
    EXPECT_EQ(cat.getCategories(), (QStringList{"General Video", "Audio", "Broken"}));

    const QVector<FormatItemInfo> items = cat.getItems("General Video");
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[1].title, "Filtered");
    EXPECT_EQ(items[1].id, "4001");
    EXPECT_EQ(items[1].ext, "avi");
    EXPECT_EQ(items[1].category, "General Video");
    EXPECT_EQ(items[1].icon, "icon_4001");
    EXPECT_TRUE(cat.getItems("").isEmpty());
    EXPECT_TRUE(cat.errorText().isEmpty());

    EXPECT_TRUE(cat.getItems("No Such Category").isEmpty());
    EXPECT_TRUE(cat.errorText().contains("No Such Category")) << cat.errorText().toStdString();

    EXPECT_EQ(cat.getItemField("Audio", "4401", "title"), "Sound2");
    EXPECT_EQ(cat.getItemField("Audio", "4401", "ext"), "m4a");
    EXPECT_EQ(cat.getItemField("Audio", "9999", "title"), "");
    EXPECT_EQ(cat.getItemField("", "4401", "title"), "");
    EXPECT_EQ(cat.getItemField("Audio", "4401", "nosuchkey"), "");
    EXPECT_TRUE(cat.errorText().contains("nosuchkey"));
}

TEST_F(ProfileCatalogueTest, DefaultsAutoEntriesAndSuffixes)
{
    ProfileCatalogue cat(standardFile());
    const FormatProfile *p = cat.buildProfile("General Video", "4000", "", "", "", "");
    ASSERT_NE(p, nullptr) << cat.errorText().toStdString();
    EXPECT_FALSE(p->audioOnly);
    EXPECT_TRUE(p->autoAllowed);
    EXPECT_EQ(p->ext, "mp4");
    EXPECT_EQ(p->category, "General Video");
    EXPECT_EQ(p->id, "4000");
    EXPECT_EQ(p->videoCodecs, (QStringList{"Auto", "H264", "MP4V"}));
    EXPECT_EQ(p->videoCodec, "H264"); // default, blanks trimmed
    EXPECT_EQ(p->resolutions, (QStringList{"Auto", "1280*720", "1920*1080"}));
    EXPECT_EQ(p->resolution, "1920*1080");
    EXPECT_EQ(p->videoBitrates, (QStringList{"Auto", "1000 kbps", "Auto", "2000 kbps", "3000 kbps"}));
    EXPECT_EQ(p->videoBitrateLow, "1000 kbps");
    EXPECT_EQ(p->videoBitrateHigh, "3000 kbps");
    EXPECT_EQ(p->videoBitrateDefault, "2000 kbps");
    EXPECT_EQ(p->frameRates, (QStringList{"Auto", "25 fps", "29.97 fps"}));
    EXPECT_EQ(p->frameRateDefault, "25 fps");
    EXPECT_EQ(p->audioCodecs, (QStringList{"Auto", "AAC", "MP3"}));
    EXPECT_EQ(p->audioCodec, "AAC");
    EXPECT_EQ(p->channels, (QStringList{"Auto", "1", "2"}));
    EXPECT_EQ(p->channel, "2");
    EXPECT_EQ(p->audioBitrates, (QStringList{"Auto", "128 kbps", "Auto", "192 kbps"}));
    // An empty audio "low" or "high" falls back to the default.
    EXPECT_EQ(p->audioBitrateLow, "128 kbps");
    EXPECT_EQ(p->audioBitrateHigh, "128 kbps");
    EXPECT_EQ(p->sampleRates, (QStringList{"Auto", "44100 Hz", "48000 Hz"}));
    EXPECT_EQ(p->sampleRateDefault, "44100 Hz");

    // "Auto" choices count as no choice.
    p = cat.buildProfile("General Video", "4000", "Auto", "Auto", "Auto", "Auto");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->videoCodec, "H264");
    EXPECT_EQ(p->resolution, "1920*1080");
    EXPECT_EQ(p->channel, "2");

    // An empty video "low" stays empty apart from its suffix.
    p = cat.buildProfile("General Video", "4000", "H264", "1280*720", "AAC", "1");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->resolution, "1280*720");
    EXPECT_EQ(p->videoBitrateLow, " kbps");
    EXPECT_EQ(p->channel, "1");
    EXPECT_EQ(p->audioBitrateLow, "96 kbps");

    // A resolution the codec does not have stays at its first entry.
    p = cat.buildProfile("General Video", "4000", "MP4V", "1920*1080", "", "");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->resolutions, (QStringList{"Auto", "640*480", "320*240"}));
    EXPECT_EQ(p->resolution, "640*480");
    p = cat.buildProfile("General Video", "4000", "MP4V", "320*240", "MP3", "6");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->resolution, "320*240");
    EXPECT_EQ(p->audioCodec, "MP3");
    EXPECT_EQ(p->channel, "2");

    // A format with "auto" 0 offers no "Auto" entries of its own.
    p = cat.buildProfile("Audio", "4400", "", "", "", "");
    ASSERT_NE(p, nullptr);
    EXPECT_FALSE(p->autoAllowed);
    EXPECT_EQ(p->audioCodecs, (QStringList{"MP3"}));
    EXPECT_EQ(p->channels, (QStringList{"2"}));
    EXPECT_EQ(p->audioBitrates, (QStringList{"128 kbps", "Auto", "192 kbps"}));
}

TEST_F(ProfileCatalogueTest, FiltersAndAudioOnly)
{
    ProfileCatalogue cat(standardFile());
    const FormatProfile *p = cat.buildProfile("General Video", "4001", "", "", "", "");
    ASSERT_NE(p, nullptr) << cat.errorText().toStdString();
    // The filter's list has no "Auto" entry; its first item is the default.
    // "H264" inside the MP4V group's list is not the H264 group.
    EXPECT_EQ(p->audioCodecs, (QStringList{"MP3", "AAC"}));
    EXPECT_EQ(p->audioCodec, "MP3");
    EXPECT_EQ(p->videoCodecs.first(), "Auto");

    p = cat.buildProfile("General Video", "4001", "MP4V", "", "", "");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->audioCodecs, (QStringList{"AC3", "H264"}));

    // A video codec the filter does not name is an error, not an empty read.
    EXPECT_EQ(cat.buildProfile("General Video", "4001", "Xvid", "", "", ""), nullptr);
    EXPECT_TRUE(cat.errorText().contains("Xvid")) << cat.errorText().toStdString();

    for (const char *id : {"4400", "4401"}) {
        p = cat.buildProfile("Audio", id, "", "", "", "");
        ASSERT_NE(p, nullptr) << id;
        EXPECT_TRUE(p->audioOnly) << id;
        EXPECT_TRUE(p->videoCodecs.isEmpty());
        EXPECT_TRUE(p->resolutions.isEmpty());
        EXPECT_TRUE(p->frameRates.isEmpty());
        EXPECT_TRUE(p->videoCodec.isEmpty());
        EXPECT_TRUE(p->frameRateDefault.isEmpty());
    }
    // The chosen channel "6" is missing, so the first entry's wins.
    EXPECT_EQ(p->channel, "2");

    // Empty category or id: no profile; unknown id: only category and id.
    EXPECT_EQ(cat.buildProfile("", "4000", "", "", "", ""), nullptr);
    EXPECT_EQ(cat.buildProfile("Audio", "", "", "", "", ""), nullptr);
    p = cat.buildProfile("Audio", "1234", "", "", "", "");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->id, "1234");
    EXPECT_EQ(p->category, "Audio");
    EXPECT_TRUE(p->ext.isEmpty());
    EXPECT_TRUE(p->audioCodecs.isEmpty());
}

TEST_F(ProfileCatalogueTest, BrokenFormatsAndFilesGiveErrors)
{
    ProfileCatalogue cat(standardFile());
    struct Case {
        const char *id;
        const char *entry;
    } cases[] = {{"5000", "videoparams"}, {"5001", "videoparams/1/framerate"},
                 {"5002", "baseinfo/auto"}, {"5003", "audioencoders"}};
    for (const Case &c : cases) {
        EXPECT_EQ(cat.buildProfile("Broken", c.id, "", "", "", ""), nullptr) << c.id;
        EXPECT_TRUE(cat.errorText().contains(QString("\"%1\"").arg(c.entry))) << cat.errorText().toStdString();
    }
    // The entry without "framerate" is harmless while it is not chosen.
    EXPECT_NE(cat.buildProfile("Broken", "5001", "", "1*1", "", ""), nullptr);
    EXPECT_TRUE(cat.errorText().isEmpty());
    EXPECT_EQ(cat.buildProfile("Nowhere", "5001", "", "", "", ""), nullptr);

    const QString missing = m_dir.path() + "/none.plist";
    ProfileCatalogue gone(missing);
    EXPECT_FALSE(gone.isLoaded());
    EXPECT_TRUE(gone.errorText().contains("Can't open file: " + missing)) << gone.errorText().toStdString();
    EXPECT_TRUE(gone.getCategories().isEmpty());
    EXPECT_TRUE(gone.getItems("General Video").isEmpty());
    EXPECT_EQ(gone.buildProfile("General Video", "4000", "", "", "", ""), nullptr);
    EXPECT_FALSE(gone.errorText().isEmpty());
    EXPECT_EQ(gone.codecDisplayName("AAC"), "AAC");

    ProfileCatalogue garbled(write("<plist><dict><key>Categories</key>", "garbled.plist"));
    EXPECT_FALSE(garbled.isLoaded());
    EXPECT_TRUE(garbled.errorText().contains("Plist: XML parsed with error")) << garbled.errorText().toStdString();

    ProfileCatalogue arrayRoot(write("<plist><array/></plist>", "array.plist"));
    EXPECT_FALSE(arrayRoot.isLoaded());

    ProfileCatalogue noCategories(write("<plist><dict><key>Categories</key><string>x</string></dict></plist>", "nc.plist"));
    ASSERT_TRUE(noCategories.isLoaded());
    EXPECT_TRUE(noCategories.getCategories().isEmpty());
    EXPECT_TRUE(noCategories.errorText().contains("\"Categories\""));
}

TEST_F(ProfileCatalogueTest, ErrorsAreTranslated)
{
    QTranslator german;
    ASSERT_TRUE(german.load(testsupport::appDir() + "/Language/snipwell_de.qm"));
    QCoreApplication::installTranslator(&german);
    ProfileCatalogue gone(m_dir.path() + "/none.plist");
    ProfileCatalogue cat(standardFile());
    cat.buildProfile("Broken", "5000", "", "", "", "");
    const QString formatError = cat.errorText();
    cat.buildProfile("General Video", "4001", "Xvid", "", "", "");
    const QString filterError = cat.errorText();
    cat.getItems("Nowhere");
    QCoreApplication::removeTranslator(&german);
    EXPECT_TRUE(gone.errorText().startsWith("Die Profildatei")) << gone.errorText().toStdString();
    EXPECT_TRUE(formatError.startsWith("Das Format 5000")) << formatError.toStdString();
    EXPECT_TRUE(filterError.contains("Videocodec Xvid")) << filterError.toStdString();
    EXPECT_TRUE(cat.errorText().contains("„Nowhere“")) << cat.errorText().toStdString();
}

TEST_F(ProfileCatalogueTest, CodecNamesIdsContainersAndFrameRates)
{
    ProfileCatalogue cat(standardFile());
    EXPECT_EQ(cat.codecDisplayName("AAC"), "Advanced Audio"); // key "AAC "
    EXPECT_EQ(cat.codecDisplayName("H264"), "H.264 / AVC");
    EXPECT_EQ(cat.codecDisplayName("VP9"), "VP9");
    EXPECT_EQ(cat.codecDisplayName("Auto"), "Auto");
    EXPECT_EQ(cat.codecDisplayName(""), "");

    EXPECT_EQ(ProfileCatalogue::codecIdForTag("H264"), 28);
    EXPECT_EQ(ProfileCatalogue::codecIdForTag("h264"), 0);
    EXPECT_EQ(ProfileCatalogue::codecIdForTag("VBIS"), ProfileCatalogue::codecIdForTag("OGG"));
    EXPECT_EQ(ProfileCatalogue::codecIdForTag("H265"), 0x48323635);
    EXPECT_EQ(ProfileCatalogue::codecIdForTag("AAC"), 0x15002);
    EXPECT_EQ(ProfileCatalogue::codecIdForTag("AAC "), 0);
    EXPECT_EQ(ProfileCatalogue::codecIdForTag("0"), 0);

    EXPECT_EQ(ProfileCatalogue::containerForExtension("mp4"), "mp4");
    EXPECT_EQ(ProfileCatalogue::containerForExtension("MKV"), "MKV");
    EXPECT_EQ(ProfileCatalogue::containerForExtension("mkv"), "matroska");
    EXPECT_EQ(ProfileCatalogue::containerForExtension("aac"), "adts");
    EXPECT_EQ(ProfileCatalogue::containerForExtension("wma"), "asf");

    auto rate = [](double fps) {
        const FrameRateFraction f = ProfileCatalogue::frameRateToRational(fps);
        return std::make_pair(f.num, f.den);
    };
    EXPECT_EQ(rate(29.97), std::make_pair(30000, 1001));
    EXPECT_EQ(rate(29.99), std::make_pair(30, 1));
    EXPECT_EQ(rate(23.976), std::make_pair(24000, 1001));
    EXPECT_EQ(rate(23.99), std::make_pair(24, 1));
    EXPECT_EQ(rate(59.94), std::make_pair(60000, 1001));
    EXPECT_EQ(rate(25), std::make_pair(25, 1));
    EXPECT_EQ(rate(24.995), std::make_pair(25, 1));
    EXPECT_EQ(rate(0), std::make_pair(0, 1));
    EXPECT_EQ(rate(std::nan("")), std::make_pair(0, 1));
    EXPECT_EQ(rate(1e12), std::make_pair(0, 1));
}

TEST_F(ProfileCatalogueTest, ProcessWideCatalogueKeepsItsFirstPath)
{
    const QString first = standardFile();
    ProfileCatalogue &a = ProfileCatalogue::losslessCatalogue(first);
    ProfileCatalogue &b = ProfileCatalogue::losslessCatalogue(m_dir.path() + "/other.plist");
    EXPECT_EQ(&a, &b);
    EXPECT_EQ(b.path(), first);
    EXPECT_NE(&a, &ProfileCatalogue::encodingCatalogue(first));
}

// The shipped files: every format of both loads and builds, at its defaults
// and for every video codec and resolution it offers, and every tag,
// extension and default it names is one the converter understands.
TEST(ShippedProfiles, EveryFormatBuilds)
{
    const QString folder = testsupport::appDir() + "/profile/";
    for (const QString name : {"profiles_win.plist", "profiles_win_Lossless.plist"}) {
        const bool lossless = name.contains("Lossless");
        ProfileCatalogue cat(folder + name);
        ASSERT_TRUE(cat.isLoaded()) << cat.errorText().toStdString();
        PlistDictionary root;
        readPlistFile((folder + name).toStdString(), root);
        const auto &names = boost::any_cast<const PlistDictionary &>(root.at("Codecs"));
        auto hasName = [&](const QString &tag) {
            return names.count((tag.size() == 3 ? tag + " " : tag).toStdString()) == 1;
        };
        const QStringList categories = cat.getCategories();
        ASSERT_FALSE(categories.isEmpty());
        EXPECT_EQ(categories.first(), "General Video");
        QSet<QString> ids;
        int formats = 0;
        for (const QString &category : categories) {
            const QVector<FormatItemInfo> items = cat.getItems(category);
            ASSERT_FALSE(items.isEmpty()) << category.toStdString() << cat.errorText().toStdString();
            for (const FormatItemInfo &item : items) {
                ++formats;
                const std::string where = (name + " " + item.id + " " + item.title).toStdString();
                EXPECT_FALSE(ids.contains(item.id)) << where;
                ids.insert(item.id);
                const FormatProfile *p = cat.buildProfile(category, item.id, "", "", "", "");
                ASSERT_NE(p, nullptr) << where << cat.errorText().toStdString();
                const FormatProfile defaults = *p;
                EXPECT_EQ(defaults.ext, item.ext);
                EXPECT_TRUE(defaults.audioCodecs.contains(defaults.audioCodec) ||
                            (lossless && defaults.audioCodec == "0")) << where;
                EXPECT_TRUE(defaults.channels.contains(defaults.channel)) << where;
                EXPECT_TRUE(defaults.sampleRates.contains(defaults.sampleRateDefault) ||
                            defaults.sampleRateDefault == "0 Hz") << where;
                if (lossless) {
                    EXPECT_EQ(ProfileCatalogue::codecIdForTag(defaults.videoCodec), 0) << where;
                    EXPECT_EQ(ProfileCatalogue::codecIdForTag(defaults.audioCodec), 0) << where;
                    continue;
                }
                EXPECT_NE(ProfileCatalogue::codecIdForTag(defaults.audioCodec), 0) << where;
                EXPECT_TRUE(hasName(defaults.audioCodec)) << where;
                if (defaults.audioOnly)
                    continue;
                EXPECT_TRUE(defaults.resolutions.contains(defaults.resolution)) << where;
                EXPECT_TRUE(defaults.videoBitrates.contains(defaults.videoBitrateHigh)) << where;
                EXPECT_TRUE(defaults.videoBitrates.contains(defaults.videoBitrateLow)) << where;
                for (const QString &codec : defaults.videoCodecs) {
                    if (codec == "Auto")
                        continue;
                    EXPECT_NE(ProfileCatalogue::codecIdForTag(codec), 0) << where << codec.toStdString();
                    EXPECT_TRUE(hasName(codec)) << where << codec.toStdString();
                    const FormatProfile *forCodec = cat.buildProfile(category, item.id, codec, "", "", "");
                    ASSERT_NE(forCodec, nullptr) << where << cat.errorText().toStdString();
                    const QStringList resolutions = forCodec->resolutions;
                    EXPECT_GT(resolutions.size(), defaults.autoAllowed ? 1 : 0) << where << codec.toStdString();
                    for (const QString &res : resolutions) {
                        const FormatProfile *q = cat.buildProfile(category, item.id, codec, res, "", "");
                        ASSERT_NE(q, nullptr) << where;
                        if (res != "Auto") {
                            EXPECT_EQ(q->resolution, res) << where;
                        }
                        EXPECT_FALSE(q->frameRates.isEmpty()) << where;
                        EXPECT_FALSE(q->audioCodecs.isEmpty()) << where;
                        for (const QString &audio : q->audioCodecs)
                            EXPECT_TRUE(audio == "Auto" || ProfileCatalogue::codecIdForTag(audio) != 0) << where;
                    }
                }
            }
        }
        if (lossless) {
            EXPECT_EQ(cat.getItemField("General Video", "3000", "title"), "Original");
        } else {
            EXPECT_EQ(cat.getItemField("General Video", "4000", "ext"), "mp4");
            EXPECT_EQ(cat.buildProfile("General Video", "4000", "", "", "", "")->videoCodec, "H264");
            EXPECT_GE(formats, 60);
        }
    }
}
