// The pictures the program addresses exist in the application folder, with
// a sharp 2x twin, and every state strip holds four distinct equal frames.
#include "TestSupport.h"

#include "AppPaths.h"
#include "SkinImage.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {
struct Expected {
    QString path;
    bool state;
};

QList<Expected> expectedPictures()
{
    QList<Expected> list;
    QFile file(QStringLiteral(PICTURE_LIST));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QStringList parts = line.split(' ', Qt::SkipEmptyParts);
        list.append({parts[0], parts.value(1) == QLatin1String("state")});
    }
    return list;
}

QString twin(const QString &path)
{
    return path.left(path.lastIndexOf('.')) + "@2x.png";
}
} // namespace

TEST(Pictures, EveryAddressedPictureIsInstalledAndListed)
{
    const QList<Expected> expected = expectedPictures();
    ASSERT_GT(expected.size(), 100);

    // The generator's own list of what it installed, as "path frames w h".
    QFile listFile(testsupport::appDir() + "/image/skin.txt");
    ASSERT_TRUE(listFile.open(QIODevice::ReadOnly));
    QHash<QString, int> framesListed;
    for (const QByteArray &line : listFile.readAll().split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f.size() == 4)
            framesListed.insert(QString::fromUtf8(f[0]), f[1].toInt());
    }

    for (const Expected &e : expected) {
        SCOPED_TRACE(e.path.toStdString());
        EXPECT_TRUE(framesListed.contains(e.path));
        EXPECT_EQ(framesListed.value(e.path), e.state ? 4 : 1);
        const QImage one(testsupport::appDir() + e.path);
        const QImage two(testsupport::appDir() + twin(e.path));
        ASSERT_FALSE(one.isNull());
        ASSERT_FALSE(two.isNull());
        EXPECT_EQ(two.size(), one.size() * 2);
        EXPECT_TRUE(one.hasAlphaChannel());
    }
}

TEST(Pictures, StateStripsHoldFourEqualDistinctFrames)
{
    for (const Expected &e : expectedPictures()) {
        if (!e.state)
            continue;
        SCOPED_TRACE(e.path.toStdString());
        for (const QString &file : {testsupport::appDir() + e.path, testsupport::appDir() + twin(e.path)}) {
            const QImage strip = QImage(file).convertToFormat(QImage::Format_ARGB32);
            ASSERT_FALSE(strip.isNull());
            ASSERT_EQ(strip.width() % 4, 0);
            const int w = strip.width() / 4;
            QSet<QByteArray> looks;
            for (int i = 0; i < 4; ++i) {
                const QImage frame = strip.copy(i * w, 0, w, strip.height());
                looks.insert(QByteArray(reinterpret_cast<const char *>(frame.constBits()), int(frame.sizeInBytes())));
            }
            // Every state must look different, or hover, press or disabled
            // would not show.
            EXPECT_EQ(looks.size(), 4);
        }
    }
}

TEST(Pictures, FixedDialogBackgroundsHaveTheirWindowSizes)
{
    // A fixed dialog takes its background's size.
    EXPECT_EQ(QImage(testsupport::appDir() + "/image/Common_bg/bg_2.png").size(), QSize(325, 170));
    EXPECT_EQ(QImage(testsupport::appDir() + "/image/Format_Dlg/format_item.png").size(), QSize(4 * 98, 76));
    // The message box background must hold its 58-pixel corners.
    const QImage msg(testsupport::appDir() + "/pic/bg_msg.png");
    EXPECT_GE(msg.width(), 2 * 58 + 1);
    EXPECT_GE(msg.height(), 2 * 58 + 1);
}

TEST(Pictures, SharpTwinIsLoadedOnScaledScreens)
{
    const QPixmap one = skin::load("/image/PlayDlg/btn_play.png", 1.0);
    const QPixmap two = skin::load("/image/PlayDlg/btn_play.png", 2.0);
    ASSERT_FALSE(one.isNull());
    ASSERT_FALSE(two.isNull());
    EXPECT_EQ(two.devicePixelRatio(), 2.0);
    EXPECT_EQ(two.size(), one.size() * 2);
    // Controls size themselves in logical pixels, the same at both scales.
    EXPECT_EQ(skin::logicalSize(two), skin::logicalSize(one));
    EXPECT_EQ(skin::frameSize(two), QSize(32, 32));
    EXPECT_EQ(skin::frameSource(two, 3), QRect(192, 0, 64, 64));
    // A picture without a twin still loads, at 1x.
    QTemporaryDir dir;
    QImage lone(10, 6, QImage::Format_ARGB32);
    lone.fill(Qt::red);
    ASSERT_TRUE(lone.save(dir.filePath("lone.png")));
    const QPixmap loaded = skin::load(dir.filePath("lone.png"), 2.0);
    EXPECT_EQ(loaded.devicePixelRatio(), 1.0);
    EXPECT_EQ(skin::logicalSize(loaded), QSize(10, 6));
    EXPECT_EQ(skin::path("/pic/help.png"), appFolder() + "/pic/help.png");
    EXPECT_TRUE(skin::load("/pic/no-such-picture.png", 2.0).isNull());
}
