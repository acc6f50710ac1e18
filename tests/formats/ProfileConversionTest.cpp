// Every format of the shipped profile files converts a short fixture
// through the program's conversion path (snipwell-cli), and ffprobe finds
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
    if (container == "mp2")
        return names.contains("mp3"); // one reader for every MPEG audio layer
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
            const QStringList args{"cut", "--container", original ? QString("original") : item.ext,
                                   "--cut", "1-3", "--output-dir", outDir, source};
            const auto r = testsupport::runProcess(testsupport::appDir() + "/snipwell-cli", args);
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

// Each encoding format at its defaults and at every resolution it lists:
// a short range is encoded, and ffprobe must find the container, the
// codecs and the size the format promises.
TEST(ProfileConversion, EveryEncodingFormatEncodesAtEachResolution)
{
    QTemporaryDir dir;
    ProfileCatalogue catalogue(testsupport::appDir() + "/profile/profiles_win.plist");
    ASSERT_TRUE(catalogue.isLoaded()) << catalogue.errorText().toStdString();
    int encodes = 0;
    for (const QString &category : catalogue.getCategories()) {
        for (const FormatItemInfo &item : catalogue.getItems(category)) {
            const FormatProfile *defaults = catalogue.buildProfile(category, item.id, "", "", "", "");
            ASSERT_NE(defaults, nullptr) << item.id.toStdString() << ": " << catalogue.errorText().toStdString();
            const FormatProfile profile = *defaults;
            const QString container = ProfileCatalogue::containerForExtension(profile.ext);
            QStringList sizes{QString()}; // the default first
            for (const QString &r : profile.resolutions)
                if (r.contains('*'))
                    sizes << r;
            for (const QString &size : sizes) {
                SCOPED_TRACE((category + "/" + item.title + " " + size).toStdString());
                // The format's own codecs, rates and bit rates, as the
                // format dialog applies them; the size when one is chosen.
                QStringList args{"cut", "--format", item.id};
                if (!size.isEmpty())
                    args << "--size" << QString(size).replace('*', 'x');
                // A default-size run is a second long; the others a few
                // frames, which is all it takes to prove the size.
                args << "--cut" << (size.isEmpty() ? "1-2" : "1-1.2");
                args << "--output-dir" << dir.filePath(item.id + (size.isEmpty() ? QString() : "_" + QString(size).replace('*', 'x')));
                args << fixture(profile.audioOnly ? "tone.wav" : "h264_aac.mp4");
                const auto r = testsupport::runProcess(testsupport::appDir() + "/snipwell-cli", args, 180000);
                ASSERT_TRUE(r.finished);
                ASSERT_EQ(r.exitCode, 0) << r.err.right(600).constData();
                const QString output =
                    QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts).filter(dir.path()).value(0);
                const QJsonObject probe = testsupport::ffprobeJson(output);
                ASSERT_FALSE(probe.isEmpty()) << output.toStdString();
                EXPECT_TRUE(formatMatches(container, probe["format"].toObject()["format_name"].toString()))
                    << probe["format"].toObject()["format_name"].toString().toStdString();
                bool video = false, audio = false;
                for (const QJsonValue &v : probe["streams"].toArray()) {
                    const QJsonObject s = v.toObject();
                    if (s["codec_type"] == "video") {
                        video = true;
                        if (!size.isEmpty()) {
                            EXPECT_EQ(QStringLiteral("%1*%2").arg(s["width"].toInt()).arg(s["height"].toInt()), size);
                        }
                    }
                    audio = audio || s["codec_type"] == "audio";
                }
                EXPECT_EQ(video, !profile.audioOnly);
                EXPECT_TRUE(audio);
                ++encodes;
            }
        }
    }
    EXPECT_GE(encodes, 67);
}
