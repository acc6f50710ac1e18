#include "ConfigState.h"
#include "OutputFormatParams.h"
#include "OutputNaming.h"
#include "OutputTemplate.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The name the window's rule of old gives the next output of the current
// source: base_N.ext with the first free N.
QString windowRuleName()
{
    ConversionRun run;
    run.naming = currentNamingPlan(false);
    run.naming.pattern.clear();
    run.segments << ConversionSegment();
    return run.outputPathFor(0);
}


bool fileExists(const QString &path) { return QFileInfo::exists(path); }

void touch(const QString &path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

OutputNameFields fields(int n, const QString &label = QString())
{
    OutputNameFields f;
    f.name = QStringLiteral("holiday");
    f.ext = QStringLiteral("mkv");
    f.n = n;
    f.label = label;
    f.start_us = 3723004000ull; // 1:02:03.004
    f.end_us = 6000000000ull;   // 1:40:00
    f.date = QDate(2026, 12, 9);
    return f;
}

} // namespace

// The program's own naming is the oracle: for odd and long source names,
// the default template names every segment as it always did.
TEST(OutputTemplate, DefaultTemplateGivesTheNamesOfOldAndNoOther)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ConfigState &state = ConfigState::instance();
    OutputFormatParams &params = OutputFormatParams::instance();
    params.lossless = false;
    params.container = "mp4";
    params.extension = "mp4";
    const QString longRoot = dir.path() + "/" + QString(200, 'r') + "/";
    const struct {
        QString root;
        QString source;
        QString suffix;
    } cases[] = {
        {dir.path() + "/", "holiday.clip.mov", "mov"},
        {dir.path() + "/", "Talk: part 1 (final)?.mkv", "mkv"},
        {dir.path() + "/", " leading space.avi", "avi"},
        {longRoot, QString(50, 'n') + ".mp4", "mp4"},
    };
    for (const auto &c : cases) {
        state.setConverterPath(c.root);
        setAdjustFileName(c.suffix, c.source);
        const QString folder = state.outputDir();
        const QString adjusted = state.adjustFileName();
        OutputNameFields f;
        f.name = adjusted.left(adjusted.lastIndexOf('.'));
        f.ext = outputExtension(c.suffix);
        for (int n = 1; n <= 3; ++n) {
            const QString old = windowRuleName();
            f.n = n;
            EXPECT_EQ(freeOutputPath(folder, defaultOutputTemplate(), f, fileExists), old) << c.source.toStdString();
            touch(old);
        }
    }
}

TEST(OutputTemplate, PlaceholdersFillInAndRefusedCharactersGo)
{
    EXPECT_EQ(expandOutputName("{n:02} {label} {start}-{end} {date}.{ext}", fields(3, "Part: two?")),
              "03 Part_ two_ 01.02.03.004-01.40.00.000 2026-12-09.mkv");
    EXPECT_EQ(expandOutputName("{name}_{n:03}", fields(7)), "holiday_007.mkv");
    EXPECT_EQ(expandOutputName("{ext}-{name}", fields(1)), "mkv-holiday.mkv");
    // What the user typed must pass FAT and NTFS too: / \ : * ? " < > |,
    // control characters, a trailing dot, device names.
    EXPECT_EQ(expandOutputName("{label}", fields(1, "a/b\\c:d*e?f\"g<h>i|j\tk...")), "a_b_c_d_e_f_g_h_i_j_k.mkv");
    EXPECT_EQ(expandOutputName("<{name}>", fields(1)), "_holiday_.mkv");
    EXPECT_EQ(expandOutputName("{label}", fields(1, "con")), "con_.mkv");
    // Nothing left: the source's name.
    EXPECT_EQ(expandOutputName("{label}", fields(1)), "holiday.mkv");
    EXPECT_EQ(expandOutputName("{label}.{ext}", fields(1, QString(300, QChar(0x00E9)))),
              QString(100, QChar(0x00E9)) + ".mkv");

    EXPECT_EQ(expandOutputName("{name} {title}", fields(1)), "holiday {title}.mkv");
    EXPECT_EQ(unknownPlaceholder("{name} {title}"), "{title}");
    EXPECT_EQ(unknownPlaceholder("{n:2}_{name}"), "{n:2}");
    EXPECT_EQ(unknownPlaceholder("{label:02}"), "{label:02}");
    EXPECT_EQ(unknownPlaceholder("{n:02} {label} {start} {end} {date}.{ext}"), QString());
}

TEST(OutputTemplate, NeverAnExistingFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path();
    // A numbered template counts on from the segment's number.
    touch(folder + "/holiday_2.mkv");
    touch(folder + "/holiday_3.mkv");
    EXPECT_EQ(freeOutputPath(folder, defaultOutputTemplate(), fields(2), fileExists), folder + "/holiday_4.mkv");
    // Without a number the name gets a counter before its extension.
    touch(folder + "/Intro.mkv");
    touch(folder + "/Intro(1).mkv");
    EXPECT_EQ(freeOutputPath(folder + "/", "{label}", fields(1, "Intro"), fileExists), folder + "/Intro(2).mkv");
    // Two segments with the same label in one run.
    QSet<QString> taken;
    const auto takenOrOnDisk = [&](const QString &path) { return taken.contains(path) || fileExists(path); };
    taken.insert(freeOutputPath(folder, "{label} {date}", fields(1, "Same"), takenOrOnDisk));
    EXPECT_EQ(freeOutputPath(folder, "{label} {date}", fields(2, "Same"), takenOrOnDisk),
              folder + "/Same 2026-12-09(1).mkv");
}
