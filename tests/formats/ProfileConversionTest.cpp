// Every format of the shipped profile files converts a short fixture
// through the program's conversion path (tools/snipcut), and ffprobe finds
// the container and codecs the format promises.
#include "ProfileCatalogue.h"
#include "TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

// ffprobe's format names for each container our profiles use.
bool formatMatches(const QString &container, const QString &probed)
{
    const QStringList names = probed.split(',');
    if (container == "matroska")
        return names.contains("matroska");
    if (container == "ipod" || container == "mp4" || container == "mov" || container == "3gp")
        return names.contains("mov");
    if (container == "adts")
        return names.contains("aac");
    if (container == "vob" || container == "dvd")
        return names.contains("mpeg");
    return names.contains(container);
}

} // namespace

TEST(ProfileConversion, EveryLosslessFormatCopiesAFixture)
{
    QTemporaryDir dir;
    ProfileCatalogue catalogue(testsupport::appDir() + "/profile/profiles_win_Lossless.plist");
    ASSERT_TRUE(catalogue.isLoaded()) << catalogue.errorText().toStdString();
    int checked = 0;
    for (const QString &category : catalogue.getCategories()) {
        const bool audio = category == "Audio";
        const QString source = fixture(audio ? "tone.m4a" : "h264_aac.mp4");
        for (const FormatItemInfo &item : catalogue.getItems(category)) {
            SCOPED_TRACE((category + "/" + item.title + " (" + item.id + ")").toStdString());
            const bool original = item.ext.isEmpty() || item.title == "Original";
            const QString container = original ? QString("Original") : ProfileCatalogue::containerForExtension(item.ext);
            ASSERT_FALSE(container.isEmpty());
            const QString outDir = dir.filePath(item.id);
            QStringList args{"--mode", "lossless", "--container", container};
            if (!original)
                args << "--ext" << item.ext;
            args << "--range" << "1:3" << source << outDir;
            const auto r = testsupport::runProcess(testsupport::appDir() + "/snipcut", args);
            // Some containers cannot take H.264/AAC at all; those fail
            // cleanly and leave nothing behind.
            const QStringList outputs = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts).filter(outDir);
            if (r.exitCode != 0) {
                EXPECT_TRUE(outputs.isEmpty());
                continue;
            }
            ASSERT_EQ(outputs.size(), 1) << r.err.constData();
            const QJsonObject probe = testsupport::ffprobeJson(outputs.first());
            ASSERT_FALSE(probe.isEmpty());
            const QString probed = probe["format"].toObject()["format_name"].toString();
            if (!original) {
                EXPECT_TRUE(formatMatches(container, probed)) << probed.toStdString();
            }
            EXPECT_NEAR(probe["format"].toObject()["duration"].toString().toDouble(), 2.0, 1.1);
            ++checked;
        }
    }
    EXPECT_GE(checked, 10);
}
