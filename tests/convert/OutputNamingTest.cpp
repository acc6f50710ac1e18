#include "ConfigState.h"
#include "OutputFormatParams.h"
#include "OutputNaming.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class OutputNamingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path() + "/";
        ConfigState::instance().setConverterPath(m_root);
        OutputFormatParams &p = OutputFormatParams::instance();
        p.lossless = false;
        p.container = "mp4";
        p.extension = "mp4";
    }

    void touch(const QString &path)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    // The next output's path as the window's run names it.
    static QString nextPath()
    {
        ConversionRun run;
        run.naming = currentNamingPlan(false);
        run.segments << ConversionSegment();
        return run.outputPathFor(0);
    }

    QTemporaryDir m_dir;
    QString m_root;
};

} // namespace

TEST_F(OutputNamingTest, EachSourceGetsAFolderAndNumberedFiles)
{
    setAdjustFileName("mov", "holiday.clip.mov");
    EXPECT_EQ(ConfigState::instance().adjustFileName(), "holiday.clip.mp4");
    EXPECT_EQ(ConfigState::instance().outputDir(), m_root + "holiday.clip/");
    const QString first = nextPath();
    EXPECT_EQ(first, m_root + "holiday.clip/holiday.clip_1.mp4");
    EXPECT_TRUE(QDir(m_root + "holiday.clip").exists());
    touch(first);
    EXPECT_EQ(nextPath(), m_root + "holiday.clip/holiday.clip_2.mp4");
    // Naming writes nothing back.
    EXPECT_TRUE(ConfigState::instance().outputName().isEmpty());
}

TEST_F(OutputNamingTest, ARunNamesItsOutputsByThePlanItWasStartedWith)
{
    // The plan is taken when the run starts: a new source, another format
    // or another output root afterwards changes none of its names, and two
    // plans made for two sources name their outputs side by side.
    setAdjustFileName("mov", "holiday.mov");
    ConversionRun first;
    first.naming = currentNamingPlan(false);
    first.segments << ConversionSegment();
    OutputFormatParams::instance().container = "matroska";
    OutputFormatParams::instance().extension = "mkv";
    ConfigState::instance().setConverterPath(m_root + "elsewhere/");
    setAdjustFileName("avi", "talk.avi");
    ConversionRun second;
    second.naming = currentNamingPlan(false);
    second.segments << ConversionSegment();
    EXPECT_EQ(first.outputPathFor(0), m_root + "holiday/holiday_1.mp4");
    EXPECT_EQ(second.outputPathFor(0), m_root + "elsewhere/talk/talk_1.mkv");
    touch(first.outputPathFor(0));
    EXPECT_EQ(first.outputPathFor(0), m_root + "holiday/holiday_2.mp4");
}

TEST_F(OutputNamingTest, ExistingFolderGetsACounter)
{
    QDir().mkpath(m_root + "clip");
    QDir().mkpath(m_root + "clip(1)");
    setAdjustFileName("mp4", "clip.mp4");
    EXPECT_EQ(ConfigState::instance().outputDir(), m_root + "clip(2)/");
    EXPECT_EQ(nextPath(), m_root + "clip(2)/clip_1.mp4");
}

TEST_F(OutputNamingTest, LosslessOriginalKeepsTheSourceSuffix)
{
    OutputFormatParams &p = OutputFormatParams::instance();
    p.lossless = true;
    p.container = "Original";
    p.extension.clear();
    setAdjustFileName("mkv", "film.mkv");
    EXPECT_EQ(nextPath(), m_root + "film/film_1.mkv");
    // A suffixless name keeps its whole name as base.
    setAdjustFileName("mp4", "noext");
    EXPECT_EQ(nextPath(), m_root + "noext/noext_1.mp4");
}

TEST_F(OutputNamingTest, LongPathsShortenTheBase)
{
    // A 230-character root and a 40-character name: the base loses 35
    // characters.
    QString root = m_root;
    root += QString(229 - root.length(), 'r') + "/";
    ASSERT_EQ(root.length(), 230);
    ConfigState::instance().setConverterPath(root);
    const QString name = QString(36, 'n') + ".avi";
    ASSERT_EQ(name.length(), 40);
    setAdjustFileName("avi", name);
    // base is the 36-character stem; candidate = root + stem + "/" + stem + ".mp4"
    const int length = 230 + 36 + 1 + 36 + 4;
    const int cut = (length + 15 - 259) / 2;
    EXPECT_EQ(ConfigState::instance().adjustFileName(), QString(36 - cut, 'n') + ".mp4");

    // The issue's own figures: a 40-character base is cut by 35 to 5.
    setAdjustFileName("avi", QString(40, 'b'));
    EXPECT_EQ(ConfigState::instance().adjustFileName(), QString(5, 'b') + ".mp4");
}

TEST_F(OutputNamingTest, RootTooLongForAFolderStillWritesUnderTheRoot)
{
    QString root = m_root;
    for (int i = 0; i < 3; ++i)
        root += QString(100, 'x') + "/";
    ConfigState::instance().setConverterPath(root);
    setAdjustFileName("mp4", "short.mp4");
    EXPECT_TRUE(ConfigState::instance().adjustFileName().isEmpty());
    EXPECT_TRUE(ConfigState::instance().outputDir().isEmpty());
    // Never a relative path into the working directory.
    EXPECT_EQ(nextPath(), root + "short_1.mp4");
}
