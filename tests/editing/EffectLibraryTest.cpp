// The content libraries: the content the build installs loads whole and
// every picture it names is there and decodes; the config.xml format is
// read as written; malformed content is left out or capped with one log
// line, never stopping a scan.
#include "EffectConfigParser.h"
#include "EffectFitting.h"
#include "QAudioEffectManager.h"
#include "QFrameChunkManager.h"
#include "QVideoEffectManager.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QJsonArray>
#include <QTemporaryDir>

#include <cmath>

#include <gtest/gtest.h>

namespace {

// Counts the warnings logged while it lives.
class WarningCounter {
public:
    WarningCounter()
    {
        s_lines.clear();
        m_previous = qInstallMessageHandler(&WarningCounter::handle);
    }
    ~WarningCounter() { qInstallMessageHandler(m_previous); }
    int count() const { return s_lines.size(); }
    QString text() const { return s_lines.join('\n'); }

private:
    static void handle(QtMsgType type, const QMessageLogContext &, const QString &message)
    {
        if (type == QtWarningMsg)
            s_lines << message;
    }
    static QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};
QStringList WarningCounter::s_lines;

void write(const QString &file, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

void writePicture(const QString &file, int w, int h)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    ASSERT_TRUE(image.save(file));
}

QByteArray effectConfig(const QString &name, const QString &pictures)
{
    return QString("<VideoEffect Name=\"%1\" Thumbnail=\"thumb.png\"><FrameInfo Name=\"%1\">%2</FrameInfo></VideoEffect>")
        .arg(name, pictures)
        .toUtf8();
}

QString picture(const QString &file, int w, int h, int type = 1)
{
    return QString("<Picture FileName=\"%1\" Width=\"%2\" Height=\"%3\" Type=\"%4\"/>").arg(file).arg(w).arg(h).arg(type);
}

QStringList names(const QEffectLibrary &library)
{
    QStringList out;
    for (const EffectEntry &e : library.entries())
        out << e.name;
    return out;
}

// Frames the ffmpeg CLI decodes from an (animated) picture.
int decodedFrames(const QString &file)
{
    const QJsonObject probe = testsupport::ffprobeJson(
        file, {"-count_frames", "-select_streams", "v:0", "-show_entries", "stream=nb_read_frames,codec_name"});
    const QJsonArray streams = probe.value("streams").toArray();
    return streams.isEmpty() ? 0 : streams.first().toObject().value("nb_read_frames").toString().toInt();
}

// The first entry takes the effect away: it has nothing but a name and a
// thumbnail.
void expectNoneFirst(const QEffectLibrary &library)
{
    ASSERT_GT(library.count(), 0);
    const EffectEntry &none = *library.entryAt(0);
    EXPECT_EQ(none.name, "None");
    EXPECT_TRUE(none.frames.isEmpty());
    EXPECT_TRUE(none.eq.empty());
    EXPECT_EQ(none.rate, 100);
    EXPECT_FALSE(QImage(QEffectLibrary::thumbnailPath(none)).isNull());
}

void expectPicturesOf(const QEffectLibrary &library, bool animated)
{
    expectNoneFirst(library);
    for (const EffectEntry &e : library.entries().mid(1)) {
        SCOPED_TRACE(e.name.toStdString());
        EXPECT_FALSE(e.name.isEmpty());
        EXPECT_FALSE(QImage(QEffectLibrary::thumbnailPath(e)).isNull()) << QEffectLibrary::thumbnailPath(e).toStdString();
        ASSERT_FALSE(e.frames.isEmpty());
        for (const FramePicture &p : e.frames) {
            const QString file = e.folder + '/' + p.fileName;
            const QImage image(file);
            ASSERT_FALSE(image.isNull()) << file.toStdString();
            EXPECT_EQ(image.size(), QSize(p.width, p.height)) << file.toStdString();
            EXPECT_TRUE(image.hasAlphaChannel()) << file.toStdString();
            EXPECT_EQ(p.type, animated ? 1 : 0);
            if (animated) {
                EXPECT_GT(decodedFrames(file), 10) << file.toStdString();
            }
        }
    }
}

} // namespace

TEST(EffectLibraryTest, InstalledVideoEffectsLoadWithAWideAndATallPictureEach)
{
    QVideoEffectManager effects(testsupport::appDir() + "/VideoEffects/");
    ASSERT_GE(effects.count(), 9) << effects.folder().toStdString();
    for (const char *name : {"Snow", "Rain", "Bubbles", "Sparkles", "Falling Leaves", "Light Leak", "Film Grain",
                             "Confetti"})
        EXPECT_TRUE(names(effects).contains(name)) << name;
    expectPicturesOf(effects, true);
    for (const EffectEntry &e : effects.entries().mid(1)) {
        bool wide = false, tall = false;
        for (const FramePicture &p : e.frames) {
            wide = wide || p.width * 9 == p.height * 16;
            tall = tall || p.width * 16 == p.height * 9;
        }
        EXPECT_TRUE(wide && tall) << e.name.toStdString();
    }
    // The library's order is the folders' name order, the same on every run.
    EXPECT_EQ(effects.entryAt(1)->name, "Snow");
    EXPECT_EQ(effects.entryAt(-1), nullptr);
    EXPECT_EQ(effects.entryAt(effects.count()), nullptr);
}

TEST(EffectLibraryTest, InstalledFramesAreBordersWithATransparentMiddleInThreeShapes)
{
    QFrameChunkManager frames(testsupport::appDir() + "/VideoFrames/");
    ASSERT_GE(frames.count(), 9);
    expectPicturesOf(frames, false);
    for (const EffectEntry &e : frames.entries().mid(1)) {
        QSet<double> shapes;
        for (const FramePicture &p : e.frames) {
            shapes << std::round(100.0 * p.width / p.height) / 100.0;
            const QImage image(e.folder + '/' + p.fileName);
            EXPECT_EQ(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 0) << e.name.toStdString();
            EXPECT_GT(qAlpha(image.pixel(2, 2)), 100) << e.name.toStdString();
        }
        EXPECT_EQ(shapes, (QSet<double>{1.78, 1.33, 0.56})) << e.name.toStdString();
    }
}

TEST(EffectLibraryTest, InstalledSoundEffectsCarryACurveOrARate)
{
    QAudioEffectManager sounds(testsupport::appDir() + "/AudioEffects/");
    ASSERT_GE(sounds.count(), 9);
    EXPECT_EQ(sounds.configPaths().size(), sounds.count());
    expectNoneFirst(sounds);
    for (const EffectEntry &e : sounds.entries().mid(1)) {
        EXPECT_FALSE(QImage(QEffectLibrary::thumbnailPath(e)).isNull()) << e.name.toStdString();
        EXPECT_TRUE(!e.eq.empty() || e.rate != 100) << e.name.toStdString();
    }
    const QStringList all = names(sounds);
    for (const char *name : {"Bass Boost", "Treble Boost", "Voice", "Radio", "Telephone", "Stadium", "Slow", "Fast"})
        EXPECT_TRUE(all.contains(name)) << name;
    const EffectEntry &bass = *sounds.entryAt(all.indexOf("Bass Boost"));
    EXPECT_GT(bass.eq.begin()->second, 5.0); // the lowest band is lifted
    EXPECT_LT(sounds.entryAt(all.indexOf("Slow"))->rate, 100);
    EXPECT_GT(sounds.entryAt(all.indexOf("Fast"))->rate, 100);
}

TEST(EffectLibraryTest, ConfigFormatIsReadAsWritten)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("config.xml");
    write(file, "<Anything APPMinVersion=\"3\" Version=\"7\" Name=\"Échos\" Thumbnail=\"t.png\">"
                "<FrameInfo Name=\"set\"><a FileName=\"one.png\" Height=\"720\" Width=\"1280\" Type=\"1\"/>"
                "<b FileName=\"two.png\" Width=\"720\" Height=\"1280\"/></FrameInfo>"
                "<EQ><p hz=\"1000\" db=\"3\"/><p hz=\"100\" db=\"-2\"/><p hz=\"1000\" db=\"6.5\"/></EQ>"
                "<eq><p hz=\"50\" db=\"9\"/></eq><Unknown/><Rate Value=\"80\"/></Anything>");
    const std::optional<EffectEntry> e = effectconfig::parse(file);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->appMinVersion, 3);
    EXPECT_EQ(e->version, 7);
    EXPECT_EQ(e->name, QString::fromUtf8("Échos"));
    EXPECT_EQ(e->thumbnail, "t.png");
    EXPECT_EQ(e->frameSetName, "set");
    ASSERT_EQ(e->frames.size(), 2);
    EXPECT_EQ(e->frames[0].fileName, "one.png");
    EXPECT_EQ(e->frames[0].width, 1280);
    EXPECT_EQ(e->frames[0].type, 1);
    EXPECT_EQ(e->frames[1].type, 0); // a missing attribute reads as 0
    // Repeated hz keeps the later gain; element names are case-sensitive.
    EXPECT_EQ(e->eq, (std::map<double, double>{{100, -2}, {1000, 6.5}}));
    EXPECT_EQ(e->rate, 80);

    write(file, "<X Name=\"plain\"><Rate Value=\"\"/></X>");
    EXPECT_EQ(effectconfig::parse(file)->rate, 100); // an empty rate keeps the default
    EXPECT_FALSE(effectconfig::parse(dir.filePath("missing.xml")));
}

TEST(EffectLibraryTest, PictureChoiceFollowsTheVideosProportion)
{
    const QList<FramePicture> both{{"wide.png", 1280, 720, 1}, {"tall.png", 720, 1280, 1}};
    ASSERT_EQ(effectfit::choosePicture(both, 1920, 1080, false), 0);
    const VERect full = effectfit::coverSourceRect(both[0], 1920, 1080);
    EXPECT_EQ(full, (VERect{0, 0, 1, 1}));
    EXPECT_EQ(effectfit::choosePicture(both, 1080, 1920, false), 1);

    // A 4:3 video under a single 16:9 picture shows its middle three quarters.
    const FramePicture wide{"w.png", 1920, 1080, 1};
    ASSERT_EQ(effectfit::choosePicture({wide}, 1440, 1080, false), 0);
    const VERect middle = effectfit::coverSourceRect(wide, 1440, 1080);
    EXPECT_DOUBLE_EQ(middle.x, 0.125);
    EXPECT_DOUBLE_EQ(middle.y, 0.0);
    EXPECT_DOUBLE_EQ(middle.width, 0.75);
    EXPECT_DOUBLE_EQ(middle.height, 1.0);
    // A square video under a tall picture shows the picture's middle: its
    // top and bottom are cut.
    const VERect sides = effectfit::coverSourceRect({"t.png", 720, 1280, 1}, 1080, 1080);
    EXPECT_DOUBLE_EQ(sides.x, 0.0);
    EXPECT_NEAR(sides.y, (1920 - 1080) / 2.0 / 1920, 1e-9);

    // Exact matches: effects take the first, frames the last; a picture of
    // no size never matches.
    const QList<FramePicture> twins{{"a", 0, 720, 0}, {"b", 1600, 900, 0}, {"c", 1280, 720, 0}};
    EXPECT_EQ(effectfit::choosePicture(twins, 1920, 1080, false), 1);
    EXPECT_EQ(effectfit::choosePicture(twins, 1920, 1080, true), 2);
    EXPECT_EQ(effectfit::choosePicture({}, 1920, 1080, true), -1);
}

TEST(EffectLibraryTest, MalformedContentIsLeftOutOrCappedWithOneLogLineEach)
{
    QTemporaryDir dir;
    const QString root = dir.path() + "/VideoEffects";
    writePicture(root + "/a_good/w.png", 32, 18);
    write(root + "/a_good/config.xml", effectConfig("Good", picture("w.png", 32, 18)));
    struct Case {
        const char *folder;
        QByteArray config;
    };
    const QList<Case> broken{
        {"b_not_xml", "<VideoEffect Name=\"x\"><FrameInfo>"},
        {"c_binary", QByteArray("\x00\xff\x10garbage", 10)},
        {"d_missing_picture", effectConfig("Missing", picture("nowhere.png", 32, 18))},
        {"e_zero", effectConfig("Zero", picture("../a_good/w.png", 0, 18))},
        {"f_negative", effectConfig("Negative", picture("p.png", -32, 18))},
        {"g_huge", effectConfig("Huge", picture("p.png", 100000, 100000))},
        {"h_escape", effectConfig("Escape", picture("../a_good/w.png", 32, 18))},
        {"i_not_a_picture", effectConfig("Text", picture("text.png", 32, 18))},
    };
    for (const Case &c : broken) {
        write(root + '/' + c.folder + "/config.xml", c.config);
        writePicture(root + '/' + c.folder + "/p.png", 32, 18);
    }
    write(root + "/i_not_a_picture/text.png", "this is not a picture");
    // A picture list a thousand long is capped.
    QString many;
    for (int i = 0; i < 1000; ++i)
        many += picture("w.png", 32, 18);
    writePicture(root + "/j_many/w.png", 32, 18);
    write(root + "/j_many/config.xml", effectConfig("Many", many));
    // A config too large to be one.
    write(root + "/k_large/config.xml", QByteArray(2 * 1024 * 1024, ' '));

    WarningCounter warnings;
    QVideoEffectManager effects(root);
    EXPECT_EQ(names(effects), (QStringList{"Good", "Many"}));
    EXPECT_EQ(effects.entryAt(1)->frames.size(), effectconfig::kMaxPicturesPerEntry);
    // One line for each of the eight broken entries, the cap and the large file.
    EXPECT_EQ(warnings.count(), 10) << warnings.text().toStdString();
}

TEST(EffectLibraryTest, AbsurdSoundValuesAndRunawayLibrariesAreCapped)
{
    QTemporaryDir dir;
    const QString root = dir.path() + "/AudioEffects";
    QString points;
    for (int i = 0; i < 1000; ++i)
        points += QString("<P hz=\"%1\" db=\"1\"/>").arg(20 + i);
    write(root + "/a/config.xml", QString("<S Name=\"Long\"><EQ>%1</EQ><Rate Value=\"100000\"/></S>").arg(points).toUtf8());
    write(root + "/b/config.xml", "<S Name=\"Odd\"><EQ><P hz=\"-5\" db=\"1\"/><P hz=\"100\" db=\"nan\"/>"
                                  "<P hz=\"200\" db=\"4\"/></EQ><Rate Value=\"-3\"/></S>");
    write(root + "/c/config.xml", "<S Name=\"Zero\"><Rate Value=\"0\"/></S>");
    WarningCounter warnings;
    QAudioEffectManager sounds(root);
    ASSERT_EQ(sounds.count(), 3);
    EXPECT_EQ(static_cast<int>(sounds.entryAt(0)->eq.size()), effectconfig::kMaxEqPoints);
    EXPECT_EQ(sounds.entryAt(0)->rate, effectconfig::kMaxRate);
    EXPECT_EQ(sounds.entryAt(1)->eq, (std::map<double, double>{{200, 4}}));
    EXPECT_EQ(sounds.entryAt(1)->rate, 100);
    EXPECT_EQ(sounds.entryAt(2)->rate, 100);
    EXPECT_EQ(warnings.count(), 5) << warnings.text().toStdString();

    // A library of a thousand entries keeps the first ones and says so once.
    const QString crowd = dir.path() + "/Crowd";
    for (int i = 0; i < 1000; ++i)
        write(QString("%1/%2/config.xml").arg(crowd).arg(i, 4, 10, QChar('0')), "<S Name=\"n\"/>");
    WarningCounter crowded;
    QAudioEffectManager many(crowd);
    EXPECT_EQ(many.count(), effectconfig::kMaxEntries);
    EXPECT_EQ(crowded.count(), 1) << crowded.text().toStdString();
    EXPECT_EQ(QAudioEffectManager(dir.path() + "/nothing-here").count(), 0);
}
