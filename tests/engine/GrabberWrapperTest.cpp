// The grabber owner: sizes agree with ffprobe, pictures come at the asked
// size, and a file that does not open leaves an owner that answers nothing.
#include "TestSupport.h"
#include "VoGrabberClass.h"

#include <QJsonArray>
#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

QSize probedSize(const QString &path)
{
    const QJsonObject probe = testsupport::ffprobeJson(path, {"-show_streams", "-select_streams", "v:0"});
    const QJsonObject st = probe.value("streams").toArray().at(0).toObject();
    return QSize(st.value("width").toInt(), st.value("height").toInt());
}

} // namespace

TEST(GrabberWrapper, SizesAndPicturesOfTwoFilesInTurn)
{
    VoGrabberClass g;
    const QString first = fixture("h264_aac.mp4");
    ASSERT_TRUE(g.open(first));
    EXPECT_EQ(QSize(g.width(), g.height()), probedSize(first));
    EXPECT_GT(g.duration(), 1000000u);
    EXPECT_TRUE(g.canSeek());
    const QImage picture = g.grabImage(1000000, 160, 90);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(160, 90));
    EXPECT_FALSE(g.grabImage(500000, 64, 36, MediaPicture::Jpeg | MediaPicture::KeyFrame).isNull());

    // A second open replaces the first file.
    const QString second = fixture("rotated_src.mp4");
    ASSERT_TRUE(g.open(second));
    EXPECT_EQ(QSize(g.width(), g.height()), probedSize(second));

    g.close();
    EXPECT_FALSE(g.isOpen());
    EXPECT_TRUE(g.grabImage(0, 64, 36).isNull());
    EXPECT_EQ(g.width(), 0);
}

TEST(GrabberWrapper, FilesThatDoNotOpen)
{
    VoGrabberClass g;
    EXPECT_FALSE(g.open(fixture("not_media.mp4")));
    EXPECT_FALSE(g.isOpen());
    EXPECT_TRUE(g.grabImage(0, 64, 36).isNull());
    EXPECT_EQ(g.duration(), 0u);
    int num = 0, den = 0;
    EXPECT_FALSE(g.displayAspect(&num, &den));
    EXPECT_FALSE(g.open(QString()));
    EXPECT_FALSE(g.open(fixture("random_bytes.mp4")));
    // The owner still works after failures.
    EXPECT_TRUE(g.open(fixture("h264_aac.mp4")));
}
