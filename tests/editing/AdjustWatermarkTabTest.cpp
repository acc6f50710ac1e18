// The "Adjust" and "Watermark" tabs worked as a user works them, in the real
// "Video Edit" dialog over the real preview engine: every change reaches the
// settings holder and the preview's own copy of the edits at once, and an
// edit made through the tabs reaches a converted file.
#include "PreviewComparison.h"
#include "QAdjustOperationForm.h"
#include "QCommonButtonForm.h"
#include "QImageButton.h"
#include "QMediaDashedFrame.h"
#include "QTextImageButton.h"
#include "QMediaBorderFrame.h"
#include "QMediaElementWindow.h"
#include "QMediaForm.h"
#include "QVideoEditTag.h"
#include "QVideoEditingDlg.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "QVoBaseSlider.h"
#include "QVoComboBox.h"
#include "QVoDoubleSpinBox.h"
#include "QVoLineEdit.h"
#include "QVoTextEdit.h"
#include "QWatermarkOperationForm.h"
#include "QWatermartTextSettingDlg.h"
#include "TestSupport.h"
#include "VoPlayerManager.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using testsupport::fixture;

namespace {

enum { Trim = 0, Adjust = 1, Watermark = 3 };

std::unique_ptr<QVideoEditingDlg> openLoaded(const QString &file, const VEEditConfig &config = VEEditConfig())
{
    auto dlg = std::make_unique<QVideoEditingDlg>();
    dlg->setMediaSource(file, 0, 0);
    dlg->setInitialConfig(config);
    dlg->setBoundToTrim(true);
    dlg->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dlg->isLoaded(); }, 10000));
    return dlg;
}

QAdjustOperationForm *adjustTab(QVideoEditingDlg &dlg)
{
    QTest::mouseClick(dlg.tabBar()->button(Adjust), Qt::LeftButton);
    return qobject_cast<QAdjustOperationForm *>(dlg.tabForm(Adjust));
}

QWatermarkOperationForm *watermarkTab(QVideoEditingDlg &dlg)
{
    QTest::mouseClick(dlg.tabBar()->button(Watermark), Qt::LeftButton);
    return qobject_cast<QWatermarkOperationForm *>(dlg.tabForm(Watermark));
}

// Replaces an edit's whole text the way a user does: select all, type.
void retype(QWidget *edit, const QString &text)
{
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

// The crop record as the holder and as the preview have it: they agree.
VECropSettings cropOf(QVideoEditingDlg &dlg)
{
    const VECropSettings held = dlg.settings()->crop();
    EXPECT_EQ(held, dlg.player()->crop());
    return held;
}

// A click at a fraction of a value slider's track.
void clickSlider(QVoBaseSlider *slider, double fraction)
{
    const int x = slider->startMargin() + static_cast<int>(fraction * slider->trackLength());
    QTest::mouseClick(slider, Qt::LeftButton, Qt::NoModifier, QPoint(x, slider->height() / 2));
}

} // namespace

TEST(AdjustTabTest, RotationAndFlipsTurnTheRecordAndThePreviewTheWayOfTheButton)
{
    auto dlg = openLoaded(fixture("h264_aac.mp4"));
    QAdjustOperationForm *tab = adjustTab(*dlg);
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->rotateRightButton()->toolTip(), "Rotate Clockwise");
    EXPECT_EQ(tab->rotateLeftButton()->toolTip(), "Rotate Anticlockwise");

    // Four clockwise quarter turns come back to 0; the preview turns along.
    for (int expected : {90, 180, 270, 0}) {
        QTest::mouseClick(tab->rotateRightButton(), Qt::LeftButton);
        EXPECT_EQ(cropOf(*dlg).rotation, expected);
        if (expected == 90)
            QTRY_COMPARE_WITH_TIMEOUT(dlg->player()->editedSize(), QSize(240, 320), 5000);
    }
    QTRY_COMPARE_WITH_TIMEOUT(dlg->player()->editedSize(), QSize(320, 240), 5000);
    QTest::mouseClick(tab->rotateLeftButton(), Qt::LeftButton);
    EXPECT_EQ(cropOf(*dlg).rotation, 270);
    QTest::mouseClick(tab->rotateRightButton(), Qt::LeftButton);

    // Mirrored, the stored turn goes the other way so the picture on
    // screen still turns clockwise.
    QTest::mouseClick(tab->flipHButton(), Qt::LeftButton);
    EXPECT_EQ(cropOf(*dlg).mirrored, 1);
    QTest::mouseClick(tab->rotateRightButton(), Qt::LeftButton);
    EXPECT_EQ(cropOf(*dlg).rotation, 270);
    QTest::mouseClick(tab->rotateLeftButton(), Qt::LeftButton);
    EXPECT_EQ(cropOf(*dlg).rotation, 0);
    QTest::mouseClick(tab->flipHButton(), Qt::LeftButton);
    EXPECT_EQ(cropOf(*dlg).mirrored, 0);

    // A vertical flip is a mirror and a half turn; twice is no flip at all.
    QTest::mouseClick(tab->rotateRightButton(), Qt::LeftButton);
    const VECropSettings before = cropOf(*dlg);
    QTest::mouseClick(tab->flipVButton(), Qt::LeftButton);
    EXPECT_EQ(cropOf(*dlg).mirrored, 1);
    EXPECT_EQ(cropOf(*dlg).rotation, 270);
    QTest::mouseClick(tab->flipVButton(), Qt::LeftButton);
    EXPECT_EQ(cropOf(*dlg), before);
}

TEST(AdjustTabTest, TypedCropSizeWaitsForThePauseIsRaisedToTheMinimumAndKeptInThePicture)
{
    auto dlg = openLoaded(fixture("h264_aac.mp4"));
    QAdjustOperationForm *tab = adjustTab(*dlg);
    EXPECT_EQ(tab->originalSizeLabel()->text(), "320 x 240");
    EXPECT_EQ(tab->widthEdit()->text(), "320");
    EXPECT_EQ(tab->heightEdit()->text(), "240");

    // 5 is below the smallest crop: nothing happens at once, 20 after the pause.
    QElapsedTimer clock;
    clock.start();
    retype(tab->widthEdit(), "5");
    EXPECT_TRUE(tab->isSizePending());
    EXPECT_EQ(cropOf(*dlg).cropRect.width, 1.0);
    EXPECT_EQ(tab->widthEdit()->text(), "5");
    QTRY_COMPARE_WITH_TIMEOUT(tab->widthEdit()->text(), QString("20"), 4000);
    // A coarse timer may fire up to a twentieth of its interval early.
    EXPECT_GE(clock.elapsed(), QAdjustOperationForm::kEditDelayMs * 19 / 20 - 20);
    EXPECT_DOUBLE_EQ(cropOf(*dlg).cropRect.width, 20.0 / 320);
    EXPECT_DOUBLE_EQ(cropOf(*dlg).cropRect.height, 1.0);

    // A leading zero is only a leading zero.
    retype(tab->heightEdit(), "0150");
    QTRY_COMPARE_WITH_TIMEOUT(tab->heightEdit()->text(), QString("150"), 4000);
    EXPECT_DOUBLE_EQ(cropOf(*dlg).cropRect.height, 150.0 / 240);

    // Beyond the picture it stops at the picture, and the rectangle moves
    // back inside rather than hanging over the edge.
    VECropSettings shifted = cropOf(*dlg);
    shifted.cropRect.x = 0.5;
    dlg->settings()->setCrop(shifted);
    retype(tab->widthEdit(), "9999");
    // Enter applies without the pause, and only that: even with OK as the
    // default button the dialog stays open.
    dlg->okButton()->setDefault(true);
    QTest::keyClick(tab->widthEdit(), Qt::Key_Return);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(tab->widthEdit()->text(), "320");
    EXPECT_DOUBLE_EQ(cropOf(*dlg).cropRect.width, 1.0);
    EXPECT_DOUBLE_EQ(cropOf(*dlg).cropRect.x, 0.0);

    // Letters never get in.
    retype(tab->widthEdit(), "12a");
    EXPECT_EQ(tab->widthEdit()->text(), "12");

    // A size typed just before OK is not lost.
    retype(tab->widthEdit(), "100");
    QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(dlg->editConfig().crop.cropRect.width, 100.0 / 320);
}

TEST(AdjustTabTest, CropRectangleOnThePreviewAndTheSizeBoxesFollowEachOther)
{
    auto dlg = openLoaded(fixture("h264_aac.mp4"));
    dlg->player()->onPause();
    QAdjustOperationForm *tab = adjustTab(*dlg);
    QTRY_VERIFY(!dlg->mediaForm()->sourcePane()->currentImage().isNull());
    const QRect area = dlg->mediaForm()->sourcePane()->pictureRect();
    QMediaBorderFrame *frame = dlg->mediaForm()->cropFrame();

    // Dragging the right edge to the middle shows half the width.
    const QPoint from(area.right(), area.center().y());
    const QPoint to(area.left() + area.width() / 2, area.center().y());
    QTest::mousePress(frame, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &move);
    QTest::mouseRelease(frame, Qt::LeftButton, Qt::NoModifier, to);
    const VERect dragged = cropOf(*dlg).cropRect;
    EXPECT_NEAR(dragged.width, 0.5, 0.02);
    EXPECT_EQ(tab->widthEdit()->text(), QString::number(std::lround(dragged.width * 320)));
    EXPECT_EQ(tab->heightEdit()->text(), "240");

    // And a typed size moves the drawn rectangle.
    retype(tab->heightEdit(), "120");
    QTest::keyClick(tab->heightEdit(), Qt::Key_Return);
    EXPECT_DOUBLE_EQ(cropOf(*dlg).cropRect.height, 0.5);
    // Half the picture's height, give or take the pixel the rounding takes.
    QTRY_VERIFY2(std::abs(frame->rectangle(0)->geometry().height() - area.height() / 2) <= 1,
                 QString("%1 of %2, at %3").arg(frame->rectangle(0)->geometry().height()).arg(area.height()).arg(frame->rectangle(0)->geometry().top()).toStdString());
}

TEST(AdjustTabTest, AspectChoicesFillTheRatioAndPanScanSurvivesARotation)
{
    // A full-HD source, so the even rounding has real numbers to work on.
    QTemporaryDir dir;
    const QString hd = dir.filePath("hd.mp4");
    ASSERT_EQ(testsupport::runProcess("ffmpeg", {"-nostdin", "-v", "error", "-f", "lavfi", "-i",
                                                 "testsrc2=size=1920x1080:rate=10:duration=1", "-c:v", "libx264",
                                                 "-preset", "ultrafast", "-pix_fmt", "yuv420p", hd})
                  .exitCode,
              0);
    auto dlg = openLoaded(hd);
    QAdjustOperationForm *tab = adjustTab(*dlg);
    EXPECT_EQ(tab->originalSizeLabel()->text(), "1920 x 1080");
    retype(tab->widthEdit(), "960");
    QTest::keyClick(tab->widthEdit(), Qt::Key_Return);
    ASSERT_DOUBLE_EQ(cropOf(*dlg).cropRect.width, 0.5);

    QVoComboBox *combo = tab->aspectCombo();
    ASSERT_EQ(combo->count(), 6);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentText(), "Original Resolution");
    EXPECT_EQ(cropOf(*dlg).aspectMode, 1);
    EXPECT_EQ(cropOf(*dlg).aspectNum, 960);
    EXPECT_EQ(cropOf(*dlg).aspectDen, 1080);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(cropOf(*dlg).aspectMode, 2);
    EXPECT_EQ(cropOf(*dlg).aspectNum, 1920);
    EXPECT_EQ(cropOf(*dlg).aspectDen, 1080);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(cropOf(*dlg).aspectNum, 16);
    EXPECT_EQ(cropOf(*dlg).aspectDen, 9);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(cropOf(*dlg).aspectMode, 4);
    EXPECT_EQ(cropOf(*dlg).aspectNum, 4);
    EXPECT_EQ(cropOf(*dlg).aspectDen, 3);

    // Pan-scan: the ratio is the picture's own, and a quarter turn keeps it so.
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentText(), "Pan Scan");
    VECropSettings pan = cropOf(*dlg);
    EXPECT_EQ(pan.panScan, 1);
    EXPECT_EQ(pan.aspectMode, 0);
    EXPECT_EQ(pan.aspectNum, 0);
    QTest::mouseClick(tab->rotateRightButton(), Qt::LeftButton);
    pan = cropOf(*dlg);
    EXPECT_EQ(pan.panScan, 1);
    EXPECT_EQ(pan.rotation, 90);
    EXPECT_EQ(pan.aspectNum, 0);
    EXPECT_EQ(pan.aspectDen, 0);
    // The boxes now show the pan rectangle; typing keeps its proportion.
    EXPECT_EQ(tab->widthEdit()->text(), "1920");
    retype(tab->widthEdit(), "960");
    QTest::keyClick(tab->widthEdit(), Qt::Key_Return);
    pan = cropOf(*dlg);
    EXPECT_DOUBLE_EQ(pan.panRect.width, 0.5);
    EXPECT_DOUBLE_EQ(pan.panRect.height, 0.5);
    EXPECT_EQ(tab->heightEdit()->text(), "540");
    EXPECT_EQ(dlg->settings()->editedDimension(), 1);

    // Reset gives the defaults back, in the combo too.
    QTest::mouseClick(tab->commonButtons()->resetButton(), Qt::LeftButton);
    EXPECT_EQ(cropOf(*dlg), VECropSettings());
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(tab->widthEdit()->text(), "1920");
}

TEST(AdjustTabTest, FirstShowLoadsTheItemsCrop)
{
    VEEditConfig config;
    config.crop.panScan = 1;
    config.crop.cropRect = VERect{0.1, 0.1, 0.5, 0.25};
    auto dlg = openLoaded(fixture("h264_aac.mp4"), config);
    QAdjustOperationForm *tab = adjustTab(*dlg);
    EXPECT_EQ(tab->aspectCombo()->currentIndex(), 5);
    EXPECT_EQ(tab->widthEdit()->text(), "160");
    EXPECT_EQ(tab->heightEdit()->text(), "60");
    EXPECT_EQ(cropOf(*dlg).panScan, 1); // loading wrote nothing of its own
}

TEST(WatermarkTabTest, TransparencyEditsAndSlidersGiveTheAlphaAndItsPercent)
{
    auto dlg = openLoaded(fixture("h264_aac.mp4"));
    QWatermarkOperationForm *tab = watermarkTab(*dlg);
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->alphaEdit()->text(), "100");
    EXPECT_EQ(QWatermarkOperationForm::alphaPercent(127), 49);

    // 150 % is 100 %, and 100 × 2.55 truncates to 254.
    retype(tab->alphaEdit(), "150");
    EXPECT_EQ(tab->alphaEdit()->text(), "100");
    EXPECT_EQ(dlg->settings()->watermark().imageAlpha, 254);
    EXPECT_EQ(dlg->player()->overlay(0).imageAlpha, 254);
    EXPECT_EQ(tab->alphaSlider()->value(), 254);
    retype(tab->textAlphaEdit(), "150");
    EXPECT_EQ(tab->textAlphaEdit()->text(), "100");
    EXPECT_EQ(dlg->settings()->watermark().textAlpha, 254);
    retype(tab->textAlphaEdit(), "30");
    EXPECT_EQ(dlg->settings()->watermark().textAlpha, 76);

    // The middle of a slider is alpha 128, shown as 50.
    clickSlider(tab->alphaSlider(), 0.5);
    EXPECT_EQ(dlg->settings()->watermark().imageAlpha, 128);
    EXPECT_EQ(dlg->player()->overlay(0).imageAlpha, 128);
    EXPECT_EQ(tab->alphaEdit()->text(), "50");
    clickSlider(tab->textAlphaSlider(), 0.0);
    EXPECT_EQ(dlg->settings()->watermark().textAlpha, 0);
    EXPECT_EQ(tab->textAlphaEdit()->text(), "0");
    // The picture's transparency left the text's alone and the other way round.
    EXPECT_EQ(dlg->settings()->watermark().imageAlpha, 128);
}

TEST(WatermarkTabTest, TextAndPictureReachThePreviewAndClearingStillWrites)
{
    auto dlg = openLoaded(fixture("h264_aac.mp4"));
    QWatermarkOperationForm *tab = watermarkTab(*dlg);
    QSignalSpy writes(dlg->settings(), &QVideoEditingSettings::emitWatermarkSettingsChange);
    QSignalSpy boxes(dlg->player(), &VoPlayerManager::emitWatermarkRectChange);

    QTextEdit *text = tab->textEdit()->textEdit();
    text->setFocus();
    QTest::keyClicks(text, "Snip");
    EXPECT_EQ(dlg->settings()->watermark().text, "Snip");
    EXPECT_EQ(dlg->player()->overlay(0).text, "Snip");
    // The preview measured the text it draws.
    ASSERT_FALSE(boxes.isEmpty());
    EXPECT_GT(boxes.last()[0].value<VEWatermarkSettings>().textWidth, 0.01);

    const int before = writes.count();
    retype(text, QString());
    EXPECT_EQ(dlg->settings()->watermark().text, "");
    EXPECT_GT(writes.count(), before);
    EXPECT_EQ(dlg->player()->overlay(0).text, "");

    // A picture: chosen, shown small on the button, removable.
    QStringList asked;
    QWatermarkOperationForm::setImageChooser(
        [&](QWidget *, const QString &title, const QString &folder, const QString &filter) {
            asked << title << folder << filter;
            return fixture("wm_alpha.png");
        });
    QSignalSpy opened(tab, &QWatermarkOperationForm::emitOpenDlg);
    QTest::mouseClick(tab->addImageButton(), Qt::LeftButton);
    EXPECT_EQ(asked.value(0), "Open Image");
    EXPECT_EQ(asked.value(2), "Images (*.jpg *.jpeg *.png *.gif *.bmp *.webp *.heic)");
    ASSERT_EQ(opened.count(), 2);
    EXPECT_TRUE(opened[0][0].toBool());
    EXPECT_FALSE(opened[1][0].toBool());
    EXPECT_EQ(dlg->settings()->watermark().imagePath, fixture("wm_alpha.png").toStdString());
    EXPECT_EQ(dlg->player()->overlay(0).imagePath, fixture("wm_alpha.png").toStdString());
    EXPECT_GT(dlg->player()->overlay(0).imageWidth, 0.0);
    EXPECT_TRUE(tab->deleteButton()->isVisible());
    EXPECT_FALSE(tab->imagePreview()->pixmap().isNull());
    EXPECT_LE(tab->imagePreview()->pixmap().width(), 64);

    QTest::mouseClick(tab->deleteButton(), Qt::LeftButton);
    EXPECT_EQ(dlg->settings()->watermark().imagePath, "");
    EXPECT_FALSE(tab->deleteButton()->isVisible());

    // A file that is no picture is still kept, with an empty preview;
    // a cancelled choice changes nothing.
    QWatermarkOperationForm::setImageChooser(
        [](QWidget *, const QString &, const QString &, const QString &) { return fixture("not_media.mp4"); });
    QTest::mouseClick(tab->addImageButton(), Qt::LeftButton);
    EXPECT_EQ(dlg->settings()->watermark().imagePath, fixture("not_media.mp4").toStdString());
    EXPECT_TRUE(tab->imagePreview()->pixmap().isNull());
    QWatermarkOperationForm::setImageChooser(
        [](QWidget *, const QString &, const QString &, const QString &) { return QString(); });
    QTest::mouseClick(tab->addImageButton(), Qt::LeftButton);
    EXPECT_EQ(dlg->settings()->watermark().imagePath, fixture("not_media.mp4").toStdString());
    QWatermarkOperationForm::setImageChooser(nullptr);

    // Reset empties the record and the controls.
    retype(tab->textAlphaEdit(), "40");
    QTest::mouseClick(tab->commonButtons()->resetButton(), Qt::LeftButton);
    EXPECT_EQ(dlg->settings()->watermark().imagePath, "");
    EXPECT_EQ(dlg->settings()->watermark().textAlpha, 255);
    EXPECT_EQ(tab->textAlphaEdit()->text(), "100");
    EXPECT_FALSE(tab->deleteButton()->isVisible());
}

TEST(WatermarkTabTest, FontDialogWritesAtOnceAndResetKeepsSizeAndStyle)
{
    auto dlg = openLoaded(fixture("h264_aac.mp4"));
    QWatermarkOperationForm *tab = watermarkTab(*dlg);
    QTextEdit *text = tab->textEdit()->textEdit();
    text->setFocus();
    QTest::keyClicks(text, "Aa");

    QWatermartTextSettingDlg::setFontChooser([](QFont &font, QWidget *) {
        font.setFamily("DejaVu Serif");
        font.setPointSize(40);
        font.setBold(true);
        font.setItalic(true);
        return true;
    });
    QWatermartTextSettingDlg::setColorChooser([](QColor &color, QWidget *) {
        color = QColor(255, 0, 0, 200);
        return true;
    });
    bool checked = false;
    // The font dialog is modal: it is worked from inside its own loop.
    QTimer::singleShot(0, [&] {
        auto *font = qobject_cast<QWatermartTextSettingDlg *>(QApplication::activeModalWidget());
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->fontButton()->text(), "Default");
        QTest::mouseClick(font->fontButton(), Qt::LeftButton);
        VEWatermarkSettings w = dlg->settings()->watermark();
        EXPECT_EQ(w.fontName, "DejaVu Serif");
        EXPECT_EQ(w.fontSize, 40);
        EXPECT_EQ(w.bold, 1);
        EXPECT_EQ(w.italic, 1);
        EXPECT_EQ(font->fontButton()->text(), "DejaVu Serif");
        QTest::mouseClick(font->textColorButton(), Qt::LeftButton);
        EXPECT_EQ(dlg->settings()->watermark().fontColor, 0xc8ff0000u);
        EXPECT_EQ(dlg->player()->overlay(0).fontColor, 0xc8ff0000u);
        QLineEdit *outline = font->outlineSizeBox()->findChild<QLineEdit *>();
        retype(outline, "3");
        EXPECT_DOUBLE_EQ(dlg->settings()->watermark().outlineSize, 3.0);
        // Within 0.01 of the stored value is no change.
        QSignalSpy quiet(dlg->settings(), &QVideoEditingSettings::emitWatermarkSettingsChange);
        font->outlineSizeBox()->setValue(3.005);
        EXPECT_EQ(quiet.count(), 0);

        QTest::mouseClick(font->resetButton(), Qt::LeftButton);
        w = dlg->settings()->watermark();
        EXPECT_EQ(w.fontName, "");
        EXPECT_EQ(w.fontColor, 0xffffffffu);
        EXPECT_DOUBLE_EQ(w.outlineSize, 1.0);
        EXPECT_DOUBLE_EQ(w.shadowOffset, 0.5);
        EXPECT_DOUBLE_EQ(w.spacingH, 0.05);
        EXPECT_DOUBLE_EQ(w.spacingV, 0.05);
        EXPECT_EQ(w.fontSize, 40);
        EXPECT_EQ(w.bold, 1);
        EXPECT_EQ(w.italic, 1);
        EXPECT_EQ(font->fontButton()->text(), "Default");
        EXPECT_DOUBLE_EQ(font->outlineSizeBox()->value(), 1.0);
        checked = true;
        QTest::mouseClick(font->okButton(), Qt::LeftButton);
    });
    QTest::mouseClick(tab->fontButton(), Qt::LeftButton);
    EXPECT_TRUE(checked);
    EXPECT_EQ(QApplication::activeModalWidget(), dlg.get());
    QWatermartTextSettingDlg::setFontChooser(nullptr);
    QWatermartTextSettingDlg::setColorChooser(nullptr);
}

// Through the tabs, OK, the real converter: the file has the turned, cropped
// and letterboxed picture with the watermark on it.
TEST(AdjustWatermarkEndToEndTest, EditsMadeInTheTabsAreInTheConvertedFile)
{
    VEEditConfig result;
    {
        auto dlg = openLoaded(fixture("h264_aac.mp4"));
        QAdjustOperationForm *adjust = adjustTab(*dlg);
        retype(adjust->widthEdit(), "160");
        QTest::mouseClick(adjust->rotateRightButton(), Qt::LeftButton);
        QWatermarkOperationForm *watermark = watermarkTab(*dlg);
        QTextEdit *text = watermark->textEdit()->textEdit();
        text->setFocus();
        QTest::keyClicks(text, "WM");
        QTest::mouseClick(dlg->okButton(), Qt::LeftButton); // the typed width is still pending
        result = dlg->editConfig();
    }
    EXPECT_DOUBLE_EQ(result.crop.cropRect.width, 0.5);
    EXPECT_EQ(result.crop.rotation, 90);
    EXPECT_EQ(result.watermark.text, "WM");

    QTemporaryDir dir;
    const QString out = dir.filePath("edited.mp4");
    ASSERT_TRUE(previewcompare::encode(fixture("h264_aac.mp4"), out, result));
    const QJsonObject probe = testsupport::ffprobeJson(out);
    const QJsonObject video = probe["streams"].toArray().first().toObject();
    // The frame turns with the picture; the half-width crop, turned, is
    // 240 × 160 and lies letterboxed in it.
    EXPECT_EQ(video["width"].toInt(), 240);
    EXPECT_EQ(video["height"].toInt(), 320);
    auto bandLuma = [&](const QString &crop) {
        const auto r = testsupport::runProcess(
            "ffmpeg", {"-nostdin", "-hide_banner", "-ss", "1", "-i", out, "-frames:v", "1", "-vf",
                       "crop=" + crop + ",signalstats,metadata=print:key=lavfi.signalstats.YAVG", "-f", "null", "-"});
        const QRegularExpressionMatch m = QRegularExpression("YAVG=([0-9.]+)").match(QString::fromUtf8(r.err));
        return m.hasMatch() ? m.captured(1).toDouble() : -1.0;
    };
    const double top = bandLuma("240:60:0:0");
    const double middle = bandLuma("240:100:0:110");
    EXPECT_GE(top, 0.0);
    EXPECT_LT(top, 20.0);
    EXPECT_GT(middle, 40.0);
}
