// The editing settings holder and its snapshot settings file.
#include "AppPaths.h"
#include "QVideoEditingSettings.h"

#include <QDomDocument>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QDomElement screenshots()
{
    QFile file(settingsFolder() + "/VedioEditDefaultSetting.xml");
    QDomDocument doc;
    if (!file.open(QIODevice::ReadOnly) || !doc.setContent(&file))
        return QDomElement();
    EXPECT_EQ(doc.documentElement().tagName(), "ROOTITEM");
    return doc.documentElement().firstChildElement("Screenshots");
}

} // namespace

TEST(EditingSettingsTest, TrimChangeMovesOverlayStartsOnlyWhenBound)
{
    QVideoEditingSettings holder;
    VEEditConfig c;
    c.watermark.textEndTime = 9000000;
    c.effectOverlay.imageStartTime = 1;
    c.audio.bgEndTime = 8000000;
    holder.loadConfig(c);
    holder.trimTimeChange(2000000, 5000000);
    VEEditConfig got = holder.config();
    EXPECT_EQ(got.trimStart, 2000000u);
    EXPECT_EQ(got.trimEnd, 5000000u);
    EXPECT_EQ(got.watermark.textStartTime, 0u);
    EXPECT_EQ(got.effectOverlay.imageStartTime, 1u);
    EXPECT_EQ(got.audio.bgStartTime, 0u);

    holder.setBoundToTrim(true);
    holder.trimTimeChange(3000000, 0);
    got = holder.config();
    for (const VEWatermarkSettings *o : {&got.watermark, &got.effectOverlay, &got.frameOverlay}) {
        EXPECT_EQ(o->textStartTime, 3000000u);
        EXPECT_EQ(o->imageStartTime, 3000000u);
    }
    EXPECT_EQ(got.audio.bgStartTime, 3000000u);
    // End times are left as they were.
    EXPECT_EQ(got.watermark.textEndTime, 9000000u);
    EXPECT_EQ(got.audio.bgEndTime, 8000000u);
    EXPECT_EQ(got.trimEnd, 0u);
}

TEST(EditingSettingsTest, WorksWithoutAPreviewAndTakesDragsBack)
{
    QVideoEditingSettings holder;
    EXPECT_EQ(holder.videoSize(), QSize(0, 0));
    EXPECT_EQ(holder.minCropSize(), QSize(0, 0));
    EXPECT_EQ(holder.durationMs(), 0u);
    VEPictureAdjust picture;
    picture.brightness = 30;
    holder.setPicture(picture);
    EXPECT_EQ(holder.picture().brightness, 30);
    int reports = 0;
    QObject::connect(&holder, &QVideoEditingSettings::emitWatermarkSettingsChange,
                     [&](VEWatermarkSettings w) { reports += w.textX == 0.4 ? 1 : 0; });
    VEWatermarkSettings dragged;
    dragged.textX = 0.4;
    holder.watermarkRectChange(dragged, 0);
    EXPECT_EQ(holder.watermark().textX, 0.4);
    EXPECT_EQ(reports, 1);
    VECropSettings crop;
    crop.cropRect = VERect{0.1, 0.1, 0.5, 0.5};
    holder.cropAreaChange(crop);
    EXPECT_EQ(holder.crop().cropRect, crop.cropRect);
}

TEST(EditingSettingsTest, SnapshotSettingsFileIsMadeWithItsDefaultsAndRepaired)
{
    const QString path = settingsFolder() + "/VedioEditDefaultSetting.xml";
    QFile::remove(path);
    EXPECT_EQ(getImgSuffix(), "JPG");
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(screenshots().attribute("IMG_SUFFIX"), "JPG");
    EXPECT_TRUE(getImgFolder().endsWith("/Converted/Screenshots/"));
    setImgSuffix("PNG");
    EXPECT_EQ(getImgSuffix(), "PNG");
    EXPECT_TRUE(screenshots().hasAttribute("IMG_Folder"));
    // A file that does not parse starts afresh.
    {
        QFile broken(path);
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("<ROOTITEM><Screenshots IMG_SUFFIX=");
    }
    EXPECT_EQ(getImgSuffix(), "JPG");
    EXPECT_EQ(screenshots().attribute("IMG_SUFFIX"), "JPG");
}
