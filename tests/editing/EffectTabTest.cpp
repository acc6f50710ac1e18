// The "Effect" tab worked as a user works it, in the real dialog over the
// real preview: the four picture sliders and their edits with the stored
// values they give and load from, a video effect and a frame chosen from
// the installed libraries and seen on the preview, "Reset", and the
// dialog's result converted to a file whose pictures carry the frame.
#include "PreviewComparison.h"
#include "QCommonButtonForm.h"
#include "QEffectOperationForm.h"
#include "QFrameChunkManager.h"
#include "QVideoEffectManager.h"
#include "QHorizontalListFrom.h"
#include "QHorizontalListItem.h"
#include "QMediaElementWindow.h"
#include "QMediaForm.h"
#include "QTextImageButton.h"
#include "QVideoEditTag.h"
#include "QVideoEditingDlg.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "QVoBaseSlider.h"
#include "TestSupport.h"

#include <QJsonArray>
#include <QLineEdit>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using testsupport::fixture;

namespace {

constexpr int kEffectTab = 2;

struct EffectTab {
    std::unique_ptr<QVideoEditingDlg> dlg;
    QEffectOperationForm *form = nullptr;
};

EffectTab openEffectTab(const VEEditConfig &config = VEEditConfig())
{
    EffectTab t;
    t.dlg = std::make_unique<QVideoEditingDlg>();
    t.dlg->setMediaSource(fixture("h264_aac.mp4"), 0, 0);
    t.dlg->setInitialConfig(config);
    t.dlg->setBoundToTrim(true);
    t.dlg->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return t.dlg->isLoaded(); }, 10000));
    t.dlg->player()->onPause();
    QTest::mouseClick(t.dlg->tabBar()->button(kEffectTab), Qt::LeftButton);
    t.form = qobject_cast<QEffectOperationForm *>(t.dlg->tabForm(kEffectTab));
    EXPECT_TRUE(t.form && t.form->isVisible());
    return t;
}

// A press at a fraction of the slider's track, as the user clicks it.
void clickSlider(QVoBaseSlider *slider, double fraction)
{
    const int x = slider->startMargin() + static_cast<int>(std::lround(fraction * slider->trackLength()));
    QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, QPoint(x, slider->height() / 2));
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void clickItem(QHorizontalListFrom *list, int index)
{
    QHorizontalListItem *item = list->item(index);
    ASSERT_TRUE(item);
    list->scrollArea()->ensureWidgetVisible(item);
    QTest::mouseClick(item, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
}

int indexOf(const QEffectLibrary &library, const QString &name)
{
    for (int i = 0; i < library.count(); ++i)
        if (library.entryAt(i)->name == name)
            return i;
    return -1;
}

bool goldish(QRgb c)
{
    return qRed(c) > 90 && qRed(c) > qBlue(c) + 40 && qGreen(c) > qBlue(c);
}

} // namespace

TEST(EffectTabTest, SlidersAndEditsStoreTheMappedValues)
{
    EffectTab t = openEffectTab();
    QEffectOperationForm *f = t.form;
    QVideoEditingSettings *s = t.dlg->settings();
    EXPECT_EQ(f->brightnessEdit()->text(), "100");

    // Both ends of every slider.
    clickSlider(f->brightnessSlider(), 0.0);
    EXPECT_EQ(s->picture().brightness, -254);
    clickSlider(f->brightnessSlider(), 1.0);
    EXPECT_EQ(s->picture().brightness, 254);
    EXPECT_EQ(f->brightnessEdit()->text(), "200");
    clickSlider(f->contrastSlider(), 1.0);
    EXPECT_EQ(s->picture().contrast, 300);
    clickSlider(f->contrastSlider(), 0.0);
    EXPECT_EQ(s->picture().contrast, 0);
    clickSlider(f->saturationSlider(), 1.0);
    EXPECT_EQ(s->picture().saturation, 200);
    clickSlider(f->hueSlider(), 1.0);
    EXPECT_EQ(s->picture().hue, 180);
    clickSlider(f->hueSlider(), 0.0);
    EXPECT_EQ(s->picture().hue, -180);

    // Near the middle the slider snaps to neutral.
    for (double near : {0.495, 0.505}) {
        clickSlider(f->saturationSlider(), near);
        EXPECT_EQ(f->saturationEdit()->text(), "100") << near;
        EXPECT_EQ(s->picture().saturation, 100) << near;
    }

    // The arrow keys move a slider one step, and the record follows.
    f->saturationSlider()->setFocus();
    QTest::keyClick(f->saturationSlider(), Qt::Key_Right);
    EXPECT_EQ(f->saturationEdit()->text(), "102");
    EXPECT_EQ(s->picture().saturation, 102);

    // Typing: leading zeros go, above 200 is 200, nothing is 0.
    typeInto(f->hueEdit(), "0150");
    EXPECT_EQ(f->hueEdit()->text(), "150");
    EXPECT_EQ(s->picture().hue, 90);
    EXPECT_DOUBLE_EQ(f->hueSlider()->value(), 150);
    typeInto(f->contrastEdit(), "250");
    EXPECT_EQ(f->contrastEdit()->text(), "200");
    EXPECT_EQ(s->picture().contrast, 300);
    typeInto(f->brightnessEdit(), "");
    EXPECT_EQ(f->brightnessEdit()->text(), "0");
    EXPECT_EQ(s->picture().brightness, -254);
}

TEST(EffectTabTest, StoredValuesLoadBackOnTheSliders)
{
    VEEditConfig config;
    config.picture.brightness = 254;
    config.picture.contrast = 300;
    config.picture.saturation = 37;
    config.picture.hue = -90;
    EffectTab t = openEffectTab(config);
    EXPECT_EQ(t.form->brightnessEdit()->text(), "199"); // (254 + 255) / 2.55, truncated
    EXPECT_EQ(t.form->contrastEdit()->text(), "200");
    EXPECT_EQ(t.form->saturationEdit()->text(), "37");
    EXPECT_EQ(t.form->hueEdit()->text(), "50");
    EXPECT_DOUBLE_EQ(t.form->brightnessSlider()->value(), 199);
    for (int v : {0, 37, 100, 150, 200})
        EXPECT_EQ(QEffectOperationForm::sliderFromContrast(QEffectOperationForm::contrastFromSlider(v)), v) << v;
}

TEST(EffectTabTest, EffectAndFrameChosenFromTheListsShowOnThePreview)
{
    EffectTab t = openEffectTab();
    QEffectOperationForm *f = t.form;
    QVideoEditingSettings *s = t.dlg->settings();
    ASSERT_GE(f->effectsList()->count(), 9);
    EXPECT_TRUE(f->effectsList()->item(1)->hasOwnPicture()); // the thumbnail, not the placeholder
    EXPECT_EQ(f->effectsList()->currentIndex(), 0);          // "None", as the record says
    EXPECT_TRUE(f->effectsList()->isVisible());
    EXPECT_FALSE(f->frameList()->isVisible());

    // Snow over a 4:3 video: the wide picture, its middle.
    const int snow = indexOf(*f->effects(), "Snow");
    clickItem(f->effectsList(), snow);
    VEWatermarkSettings effect = s->effectOverlay();
    EXPECT_TRUE(QString::fromStdString(effect.imagePath).endsWith("01_Snow/effect_16x9.png"));
    EXPECT_EQ(effect.frameType, 1);
    EXPECT_EQ(effect.listIndex, snow);
    const int scaledW = 240 * 480 / 270; // the picture scaled to the video's height
    EXPECT_DOUBLE_EQ(effect.imageSourceRect.x, double((scaledW - 320) / 2) / scaledW);
    EXPECT_DOUBLE_EQ(effect.imageSourceRect.width, 320.0 / scaledW);
    EXPECT_DOUBLE_EQ(effect.imageSourceRect.height, 1.0);
    EXPECT_EQ(effect.imageStartTime, s->trimStartTime());

    // Pressing the highlighted item again does nothing.
    QSignalSpy changes(f->effectsList(), &QHorizontalListFrom::currentIndexChanged);
    clickItem(f->effectsList(), snow);
    EXPECT_EQ(changes.count(), 0);

    // The frame: the 4:3 picture for a 4:3 video, gold on the preview's edge.
    QTest::mouseClick(f->effectTag()->button(1), Qt::LeftButton);
    EXPECT_TRUE(f->frameList()->isVisible());
    EXPECT_FALSE(f->effectsList()->isVisible());
    const QImage before = t.dlg->mediaForm()->editedPane()->currentImage();
    ASSERT_FALSE(before.isNull());
    const int gold = indexOf(*f->frames(), "Gold");
    clickItem(f->frameList(), gold);
    EXPECT_TRUE(QString::fromStdString(s->frameOverlay().imagePath).endsWith("01_Gold/frame_4x3.png"));
    EXPECT_EQ(s->frameOverlay().listIndex, gold);
    EXPECT_EQ(s->frameOverlay().frameType, 0);
    QTRY_VERIFY_WITH_TIMEOUT(goldish(t.dlg->mediaForm()->editedPane()->currentImage().pixel(3, 3)), 5000);
    EXPECT_FALSE(goldish(before.pixel(3, 3)));

    // "None" takes the frame away again.
    clickItem(f->frameList(), 0);
    EXPECT_TRUE(s->frameOverlay().imagePath.empty());
    EXPECT_EQ(s->frameOverlay().listIndex, 0);

    // Reset: neutral picture, no overlays, "None" highlighted, effects shown.
    clickItem(f->frameList(), gold);
    clickSlider(f->hueSlider(), 1.0);
    QTest::mouseClick(f->commonButtons()->resetButton(), Qt::LeftButton);
    EXPECT_EQ(s->picture(), VEPictureAdjust());
    EXPECT_TRUE(s->effectOverlay().imagePath.empty());
    EXPECT_TRUE(s->frameOverlay().imagePath.empty());
    EXPECT_EQ(f->effectsList()->currentIndex(), 0);
    EXPECT_EQ(f->frameList()->currentIndex(), 0);
    EXPECT_TRUE(f->effectsList()->isVisible());
    EXPECT_EQ(f->hueEdit()->text(), "100");
}

TEST(EffectTabTest, TheDialogsResultConvertsWithTheFrameAndTheEffect)
{
    EffectTab t = openEffectTab();
    QEffectOperationForm *f = t.form;
    clickItem(f->effectsList(), indexOf(*f->effects(), "Confetti"));
    QTest::mouseClick(f->effectTag()->button(1), Qt::LeftButton);
    clickItem(f->frameList(), indexOf(*f->frames(), "Gold"));
    clickSlider(f->saturationSlider(), 0.0);
    QTest::mouseClick(t.dlg->okButton(), Qt::LeftButton);
    ASSERT_EQ(t.dlg->result(), QDialog::Accepted);
    const VEEditConfig edits = t.dlg->editConfig();
    t.dlg->releasePlayer();

    QTemporaryDir dir;
    const QString out = dir.filePath("effect.mp4");
    ASSERT_TRUE(previewcompare::encode(fixture("h264_aac.mp4"), out, edits));
    const QJsonObject probe = testsupport::ffprobeJson(out);
    const QJsonObject video = probe.value("streams").toArray().first().toObject();
    EXPECT_EQ(video.value("width").toInt(), 320);
    EXPECT_EQ(video.value("height").toInt(), 240);
    // A corner pixel of a picture as ffmpeg decodes it: the gold frame.
    const auto r = testsupport::runProcess("ffmpeg", {"-nostdin", "-v", "error", "-ss", "1", "-i", out, "-frames:v", "1",
                                                      "-vf", "crop=2:2:4:4", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
    ASSERT_EQ(r.exitCode, 0);
    ASSERT_GE(r.out.size(), 3);
    const QRgb corner = qRgb(static_cast<uchar>(r.out[0]), static_cast<uchar>(r.out[1]), static_cast<uchar>(r.out[2]));
    EXPECT_TRUE(goldish(corner)) << std::hex << corner;
}

TEST(EffectTabTest, AnEffectOrFrameChosenForATrimmedSegmentStartsWithTheSegment)
{
    VEEditConfig segment;
    segment.trimStart = 1500000;
    segment.trimEnd = 4000000;
    segment.effectOverlay.imageEndTime = 99;
    segment.frameOverlay.imageEndTime = 99;
    EffectTab t = openEffectTab(segment);
    QEffectOperationForm *f = t.form;
    ASSERT_TRUE(f);
    clickItem(f->effectsList(), indexOf(*f->effects(), "Snow"));
    const VEWatermarkSettings effect = t.dlg->settings()->effectOverlay();
    EXPECT_FALSE(effect.imagePath.empty());
    EXPECT_EQ(effect.imageStartTime, 1500000u);
    EXPECT_EQ(effect.imageEndTime, 0u);
    QTest::mouseClick(f->effectTag()->button(1), Qt::LeftButton);
    clickItem(f->frameList(), indexOf(*f->frames(), "Gold"));
    const VEWatermarkSettings frame = t.dlg->settings()->frameOverlay();
    EXPECT_FALSE(frame.imagePath.empty());
    EXPECT_EQ(frame.imageStartTime, 1500000u);
    EXPECT_EQ(frame.imageEndTime, 0u);
    // The preview shows them from the same time.
    EXPECT_EQ(t.dlg->player()->overlay(1).imageStartTime, 1500000u);
    EXPECT_EQ(t.dlg->player()->overlay(2).imageStartTime, 1500000u);
}
