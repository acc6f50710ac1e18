// The "Video Edit" dialog worked as a user works it, with the real preview
// engine: loading, the tabs of an audio-only file, "Apply to all" with its
// copy taken at the press (also after Cancel), OK's result, the trim tab's
// rules and a snapshot written to disk.
#include "AppPaths.h"
#include "QAudioDataWidget.h"
#include "QCommonButtonForm.h"
#include "OutputFormatParams.h"
#include "ParserXML.h"
#include "QEditOperationForm.h"
#include "QEditTipDlg.h"
#include "QImageButton.h"
#include "QVoCheckBox.h"
#include "QMediaBorderFrame.h"
#include "QMediaDashedFrame.h"
#include "QMediaElementWindow.h"
#include "QMediaForm.h"
#include "QTextImageButton.h"
#include "QSliderCtrlBtn.h"
#include "QTrimOperationForm.h"
#include "QVEDualSlider.h"
#include "QVideoEditTag.h"
#include "QVideoEditingDlg.h"
#include "QVideoEditingSettings.h"
#include "QVoBaseButton.h"
#include "TestSupport.h"
#include "QVideoConvertItem.h"
#include "QVideoCutManageDlg.h"
#include "SegmentEditing.h"
#include "VideoEditEntry.h"
#include "VoPlayerManager.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"
#include "orlcodec.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using testsupport::fixture;

namespace {

enum { Trim = 0, Adjust = 1, Effect = 2, Watermark = 3, Subtitle = 4, Audio = 5, Tag = 6 };

std::unique_ptr<QVideoEditingDlg> openDialog(const QString &file, const VEEditConfig &config = VEEditConfig())
{
    auto dlg = std::make_unique<QVideoEditingDlg>();
    dlg->setMediaSource(file, 0, 0);
    dlg->setInitialConfig(config);
    dlg->setBoundToTrim(true);
    dlg->show();
    return dlg;
}

void clickTab(QVideoEditingDlg &dlg, int index)
{
    QTest::mouseClick(dlg.tabBar()->button(index), Qt::LeftButton);
}

void pressApplyToAll(QVideoEditingDlg &dlg, int tab)
{
    clickTab(dlg, tab);
    QTest::mouseClick(dlg.tabForm(tab)->commonButtons()->applyButton(), Qt::LeftButton);
}

} // namespace

TEST(EditingDialogTest, LoadsTheItemAndShowsItsEditedPicture)
{
    auto dlg = openDialog(fixture("h264_aac.mp4"));
    EXPECT_EQ(dlg->size(), QSize(826, 546));
    QTRY_VERIFY_WITH_TIMEOUT(dlg->isLoaded(), 10000);
    for (int tab = 0; tab < 7; ++tab)
        EXPECT_TRUE(dlg->tabBar()->isTabEnabled(tab)) << tab;
    EXPECT_EQ(dlg->settings()->config().displayWidth, 320);
    EXPECT_EQ(dlg->settings()->config().displayHeight, 240);
    // On Trim only the edited pane shows; on Adjust both, with the crop frame.
    EXPECT_TRUE(dlg->mediaForm()->editedPane()->isVisible());
    EXPECT_FALSE(dlg->mediaForm()->sourcePane()->isVisible());
    clickTab(*dlg, Adjust);
    EXPECT_TRUE(dlg->mediaForm()->sourcePane()->isVisible());
    EXPECT_TRUE(dlg->mediaForm()->cropFrame()->isVisible());
    EXPECT_FALSE(dlg->mediaForm()->watermarkFrame()->isVisible());
    clickTab(*dlg, Tag);
    EXPECT_FALSE(dlg->mediaForm()->editedPane()->isVisible());
    // Escape closes a loaded dialog.
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

TEST(EditingDialogTest, AudioOnlyFileKeepsTrimAudioAndTagWithTheLevelDisplay)
{
    auto dlg = openDialog(fixture("tone.mp3"));
    QTRY_VERIFY_WITH_TIMEOUT(dlg->isLoaded(), 10000);
    for (int tab : {Adjust, Effect, Watermark, Subtitle})
        EXPECT_FALSE(dlg->tabBar()->isTabEnabled(tab)) << tab;
    for (int tab : {Trim, Audio, Tag})
        EXPECT_TRUE(dlg->tabBar()->isTabEnabled(tab)) << tab;
    EXPECT_TRUE(dlg->mediaForm()->levelDisplay()->isVisible());
    EXPECT_FALSE(dlg->mediaForm()->editedPane()->isVisible());
    // A disabled tab cannot be chosen; Audio can, and keeps the level display.
    clickTab(*dlg, Watermark);
    EXPECT_EQ(dlg->mediaForm()->mode(), Trim);
    clickTab(*dlg, Audio);
    EXPECT_EQ(dlg->mediaForm()->mode(), Audio);
    EXPECT_TRUE(dlg->mediaForm()->levelDisplay()->isVisible());
    clickTab(*dlg, Tag);
    EXPECT_FALSE(dlg->mediaForm()->levelDisplay()->isVisible());
    // The sound's range can be trimmed; there are no frames to step through.
    clickTab(*dlg, Trim);
    QTrimOperationForm *trim = dlg->trimForm();
    EXPECT_FALSE(trim->previousFrameButton()->isEnabled());
    EXPECT_FALSE(trim->nextFrameButton()->isEnabled());
    ASSERT_TRUE(trim->trimButton()->isEnabled());
    trim->slider()->setStartPercent(50);
    QTest::mouseClick(trim->trimButton(), Qt::LeftButton);
    EXPECT_TRUE(dlg->player()->isTrimActive());
    EXPECT_NEAR(double(dlg->player()->trimStart()), dlg->player()->duration() / 2.0,
                dlg->player()->duration() * 0.02);
    EXPECT_EQ(dlg->settings()->trimStartTime(), dlg->player()->trimStart());
}

TEST(EditingDialogTest, FrameStepsWorkOnTheHandlePressedLast)
{
    auto dlg = openDialog(fixture("long_h264_aac.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(dlg->isLoaded(), 10000);
    QTrimOperationForm *trim = dlg->trimForm();
    trim->slider()->setStartPercent(25); // 5 s of 20
    // The start handle pressed last: "Next Frame" goes to it, then one on.
    QTest::mousePress(trim->slider()->startHandle(), Qt::LeftButton);
    QTest::mouseRelease(trim->slider()->startHandle(), Qt::LeftButton);
    ASSERT_TRUE(trim->slider()->startPressedLast());
    QTest::mouseClick(trim->nextFrameButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(dlg->player()->pendingCommands(), 0, 10000);
    const double shown = double(Player_GetFrameTime(dlg->player()->handle()));
    EXPECT_NEAR(shown, dlg->player()->duration() * trim->slider()->startFraction() + 40000, 45000);
    EXPECT_TRUE(Player_IsPaused(dlg->player()->handle()));
    QTest::mouseClick(trim->previousFrameButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(dlg->player()->pendingCommands(), 0, 10000);
    EXPECT_LT(double(Player_GetFrameTime(dlg->player()->handle())), shown);
}

TEST(EditingDialogTest, ApplyToAllKeepsThePartsAsPressedEvenAfterCancel)
{
    auto dlg = openDialog(fixture("h264_aac.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(dlg->isLoaded(), 10000);
    VECropSettings pressed;
    pressed.cropRect = VERect{0.1, 0.1, 0.5, 0.5};
    dlg->settings()->setCrop(pressed);
    pressApplyToAll(*dlg, Adjust);
    // A later change without pressing again is not what the others get.
    VECropSettings later;
    later.cropRect = VERect{0.3, 0.3, 0.2, 0.2};
    dlg->settings()->setCrop(later);
    QTest::mouseClick(dlg->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);

    VEEditConfig edited;   // the item the dialog was opened for
    VEEditConfig another;
    another.trimStart = 4000000;
    another.picture.brightness = 12;
    dlg->applyAllTo(edited);
    dlg->applyAllTo(another);
    EXPECT_EQ(edited.crop.cropRect, pressed.cropRect);
    EXPECT_EQ(another.crop.cropRect, pressed.cropRect);
    // Parts no tab recorded stay the target's own.
    EXPECT_EQ(another.picture.brightness, 12);
    EXPECT_EQ(another.trimStart, 4000000u);

    // Pressed again, the newer crop replaces the stored one.
    pressApplyToAll(*dlg, Adjust);
    dlg->applyAllTo(another);
    EXPECT_EQ(another.crop.cropRect, later.cropRect);
}

TEST(EditingDialogTest, SubtitleFileAppliedToAllBecomesANewSelectedChoice)
{
    QTemporaryDir dir;
    const QString movie = dir.filePath("movie.srt");
    ASSERT_TRUE(QFile::copy(fixture("subs.srt"), movie));
    auto dlg = openDialog(fixture("h264_aac.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(dlg->isLoaded(), 10000);
    VETrackChoice track = dlg->settings()->trackChoice();
    track.subtitleTrack = 1;
    track.path = movie.toStdString();
    dlg->settings()->setTrackChoice(track);
    VETrackChoice stream = dlg->settings()->streamChoice();
    stream.subtlType = -3;
    stream.path = movie.toStdString();
    dlg->settings()->setStreamChoice(stream);
    VESubtitleStyle style;
    style.fontSize = 30;
    dlg->settings()->setSubtitleStyle(style);
    pressApplyToAll(*dlg, Subtitle);

    VEEditConfig other;
    other.subtitleChoices = {{"No Subtitle", ""}, {"English", ""}};
    dlg->applyAllTo(other);
    ASSERT_EQ(other.subtitleChoices.size(), 3u);
    EXPECT_EQ(other.subtitleChoices[2].text, "(movie)[SRT]");
    EXPECT_EQ(other.subtitleChoices[2].path, movie.toStdString());
    EXPECT_EQ(other.trackChoice.subtitleTrack, 2);
    EXPECT_EQ(other.streamChoice.subtlType, -3);
    EXPECT_EQ(other.subtitleStyle.fontSize, 30);
    // An item that already offers the file selects that entry instead.
    VEEditConfig offered;
    offered.subtitleChoices = {{"No Subtitle", ""}, {"(movie)[SRT]", movie.toStdString()}};
    dlg->applyAllTo(offered);
    EXPECT_EQ(offered.subtitleChoices.size(), 2u);
    EXPECT_EQ(offered.trackChoice.subtitleTrack, 1);
}

TEST(EditingDialogTest, OkReturnsTheEditsWithTheTrimFromTheHandles)
{
    auto dlg = openDialog(fixture("h264_aac.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(dlg->isLoaded(), 10000);
    VEPictureAdjust picture;
    picture.contrast = 150;
    dlg->settings()->setPicture(picture);
    const uint64_t duration = dlg->player()->duration();
    ASSERT_GT(duration, 4000000u);
    dlg->trimForm()->slider()->setStartPercent(25);
    dlg->trimForm()->slider()->setEndPercent(75);
    QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    dlg->releasePlayer();
    // The holder outlives the preview: a late change is only stored.
    VEPictureAdjust late = picture;
    late.hue = 10;
    dlg->settings()->setPicture(late);
    EXPECT_EQ(dlg->settings()->player(), nullptr);
    const VEEditConfig result = dlg->editConfig();
    EXPECT_EQ(result.picture.contrast, 150);
    EXPECT_EQ(result.picture.hue, 10);
    EXPECT_TRUE(result.trimmedFlag);
    EXPECT_NEAR(double(result.trimStart), duration * 0.25, duration * 0.02);
    EXPECT_NEAR(double(result.trimEnd), duration * 0.75, duration * 0.02);
    // Bound to the trim: the overlays start with the new range.
    EXPECT_EQ(result.watermark.textStartTime, result.trimStart);
}

TEST(EditingDialogTest, TrimButtonKeepsARangeAndChaptersMatchWithinAMillisecond)
{
    QTrimOperationForm trim;
    trim.resize(800, 110);
    trim.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&trim));
    // A range of ten microseconds at the start of the file: the handles,
    // two pixels apart at least, both stand on its first microsecond.
    VEEditConfig c;
    c.trimEnd = 10;
    trim.loadValues(c, 10000000);
    QSignalSpy trims(&trim, &QTrimOperationForm::emitTrim);
    trim.slider()->setStartPercent(0);
    trim.slider()->setEndPercent(0);
    QTest::mouseClick(trim.trimButton(), Qt::LeftButton);
    ASSERT_EQ(trims.count(), 1);
    EXPECT_EQ(trims[0][0].toULongLong(), 0u);
    EXPECT_EQ(trims[0][1].toULongLong(), 0u);
    // Elsewhere, handles on one microsecond keep a range of one.
    c.trimStart = 3000000;
    c.trimEnd = 3000010;
    trim.loadValues(c, 10000000);
    trim.slider()->setEndPercent(55);
    trim.slider()->setStartPercent(55);
    QTest::mouseClick(trim.trimButton(), Qt::LeftButton);
    ASSERT_EQ(trims.count(), 2);
    EXPECT_EQ(trims[1][0].toULongLong(), 3000005u);
    EXPECT_EQ(trims[1][1].toULongLong(), 3000006u);
    // The slider is back to the whole of the new range.
    EXPECT_DOUBLE_EQ(trim.slider()->startFraction(), 0.0);
    EXPECT_DOUBLE_EQ(trim.slider()->endFraction(), 1.0);

    // Chapters: entry 0 is the range; a chapter 999 µs off either end is
    // the one shown, 1000 µs off is not, and of two matches the later wins.
    VEEditConfig chaptered;
    chaptered.trimStart = 2000000;
    chaptered.trimEnd = 4000000;
    auto chapter = [](int n, uint64_t start, uint64_t end) {
        ChapterEntry e;
        e.number = n;
        e.start = start;
        e.end = end;
        e.length = end - start;
        e.name = "Chapter " + std::to_string(n);
        e.label = e.name;
        return e;
    };
    chaptered.chapters = {chapter(0, 0, 10000000), chapter(1, 2000999, 3999001), chapter(2, 2001000, 4000000),
                          chapter(3, 1999001, 4000999), chapter(4, 6000000, 8000000)};
    trim.loadValues(chaptered, 10000000);
    EXPECT_TRUE(trim.chapterCombo()->isVisibleTo(&trim));
    EXPECT_EQ(trim.chapterCombo()->currentIndex(), 3);
    chaptered.chapters.pop_back();
    chaptered.chapters.pop_back();
    trim.loadValues(chaptered, 10000000);
    EXPECT_EQ(trim.chapterCombo()->currentIndex(), 1);
    chaptered.chapters.erase(chaptered.chapters.begin() + 1);
    trim.loadValues(chaptered, 10000000);
    EXPECT_EQ(trim.chapterCombo()->currentIndex(), 0);

    // Choosing a chapter makes it the range, and relabels the current entry.
    QSignalSpy chapters(&trim, &QTrimOperationForm::emitTrimChapter);
    trim.chapterCombo()->setCurrentIndex(1);
    ASSERT_EQ(chapters.count(), 1);
    EXPECT_EQ(chapters[0][0].toULongLong(), 2001000u);
    EXPECT_EQ(chapters[0][1].toULongLong(), 4000000u);
    EXPECT_EQ(trim.chapters()[0].start, 2001000u);
    EXPECT_EQ(trim.chapterCombo()->itemText(0), "Chapter 0, 00:00:02-00:00:04");
}

TEST(EditingDialogTest, SnapshotWritesTheEditedPictureToTheSnapshotFolder)
{
    QTemporaryDir dir;
    setImgFolder(dir.path());
    setImgSuffix("PNG");
    auto dlg = openDialog(fixture("h264_aac.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(dlg->isLoaded(), 10000);
    VECropSettings crop;
    crop.cropRect = VERect{0, 0, 0.5, 1};
    dlg->settings()->setCrop(crop);
    dlg->player()->onPause();
    dlg->onSnapshot();
    const QStringList shots = QDir(dir.path()).entryList({"ScreenCapture_*.png"});
    ASSERT_EQ(shots.size(), 1);
    const QJsonObject probe = testsupport::ffprobeJson(dir.filePath(shots[0]));
    const QJsonObject stream = probe["streams"].toArray().first().toObject();
    EXPECT_EQ(stream["codec_name"].toString(), "png");
    // The output frame: the item's size, the cropped picture letterboxed in it.
    EXPECT_EQ(stream["width"].toInt(), 320);
    EXPECT_EQ(stream["height"].toInt(), 240);
}

TEST(EditingDialogTest, EditOfASegmentStoresItsResultAndReachesTheOthers)
{
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    items->clear();
    for (int i = 0; i < 3; ++i) {
        auto *item = new VoVideoConvertItem;
        ASSERT_TRUE(item->open(fixture("h264_aac.mp4")));
        item->m_TrimStartTime = 1000000u * static_cast<uint64_t>(i);
        items->insert(item, -1);
    }
    VECropSettings crop;
    crop.cropRect = VERect{0.2, 0.2, 0.6, 0.6};
    // Accepted: the edited item takes everything, the others the recorded crop.
    VideoEditOutcome outcome = editMediaItem(nullptr, 1, [&](QVideoEditingDlg &dlg) {
        dlg.show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.isLoaded(); }, 10000));
        EXPECT_EQ(dlg.settings()->trimStartTime(), 1000000u);
        dlg.settings()->setCrop(crop);
        pressApplyToAll(dlg, Adjust);
        VEPictureAdjust picture;
        picture.hue = 45;
        dlg.settings()->setPicture(picture);
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        return dlg.result();
    });
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(items->itemAt(1)->m_editConfig.picture.hue, 45);
    EXPECT_EQ(items->itemAt(1)->m_editConfig.crop.cropRect, crop.cropRect);
    EXPECT_EQ(items->itemAt(1)->m_TrimStartTime, 1000000u);
    for (int i : {0, 2}) {
        EXPECT_EQ(items->itemAt(i)->m_editConfig.crop.cropRect, crop.cropRect) << i;
        EXPECT_EQ(items->itemAt(i)->m_editConfig.picture.hue, 0) << i;
    }
    // Cancelled: nothing of the edit stays, but "Apply to all" reaches every
    // item, the edited one too.
    outcome = editMediaItem(nullptr, 0, [&](QVideoEditingDlg &dlg) {
        dlg.show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.isLoaded(); }, 10000));
        VEPictureAdjust picture;
        picture.saturation = 20;
        dlg.settings()->setPicture(picture);
        pressApplyToAll(dlg, Effect);
        dlg.settings()->setCrop(VECropSettings());
        QTest::mouseClick(dlg.cancelButton(), Qt::LeftButton);
        return dlg.result();
    });
    EXPECT_FALSE(outcome.accepted);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(items->itemAt(i)->m_editConfig.picture.saturation, 20) << i;
        EXPECT_EQ(items->itemAt(i)->m_editConfig.crop.cropRect, crop.cropRect) << i;
    }
    items->clear();
}

TEST(EditingDialogTest, DraggingTheCropCornerCropsThePreviewAndResetRestoresIt)
{
    auto dlg = openDialog(fixture("h264_aac.mp4"));
    QTRY_VERIFY_WITH_TIMEOUT(dlg->isLoaded(), 10000);
    dlg->player()->onPause();
    clickTab(*dlg, Adjust);
    QMediaBorderFrame *frame = dlg->mediaForm()->cropFrame();
    QTRY_VERIFY(!dlg->mediaForm()->sourcePane()->currentImage().isNull());
    const QRect area = dlg->mediaForm()->sourcePane()->pictureRect();
    // Press on the top-left corner and drag it a quarter of the way in.
    const QPoint from = area.topLeft();
    const QPoint to = from + QPoint(area.width() / 4, area.height() / 4);
    QTest::mousePress(frame, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &move);
    QTest::mouseRelease(frame, Qt::LeftButton, Qt::NoModifier, to);
    const VERect r = dlg->settings()->crop().cropRect;
    EXPECT_NEAR(r.x, 0.25, 0.02);
    EXPECT_NEAR(r.y, 0.25, 0.02);
    EXPECT_NEAR(r.x + r.width, 1.0, 1e-9);
    EXPECT_NEAR(r.y + r.height, 1.0, 1e-9);
    // The drawn rectangle follows, and a move after the release drags nothing.
    QTRY_COMPARE(dlg->mediaForm()->cropFrame()->rectangle(0)->geometry().topLeft(), to);
    QMouseEvent hover(QEvent::MouseMove, to + QPoint(30, 30), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &hover);
    EXPECT_EQ(dlg->settings()->crop().cropRect, r);
    EXPECT_EQ(frame->cursor().shape(), Qt::SizeAllCursor);

    QTest::mouseClick(dlg->tabForm(Adjust)->commonButtons()->resetButton(), Qt::LeftButton);
    EXPECT_EQ(dlg->settings()->crop().cropRect, VERect());
    EXPECT_EQ(dlg->player()->crop().cropRect, VERect());
}

TEST(EditingDialogTest, HighSpeedModeNotesThatEditsAreNotAppliedUntilToldNotTo)
{
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    items->clear();
    auto *item = new VoVideoConvertItem;
    ASSERT_TRUE(item->open(fixture("h264_aac.mp4")));
    items->insert(item, -1);
    OutputFormatParams::instance().lossless = true;
    auto accept = [](QVideoEditingDlg &dlg) {
        dlg.show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.isLoaded(); }, 10000));
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        return dlg.result();
    };
    // Accepted without the box: shown again next time.
    VideoEditOutcome outcome = editMediaItem(nullptr, 0, accept, [](QEditTipDlg &tip) {
        EXPECT_FALSE(tip.isDontShowAgain());
        QTest::mouseClick(tip.okButton(), Qt::LeftButton);
        return tip.result();
    });
    EXPECT_TRUE(outcome.tipShown);
    EXPECT_EQ(ParserXML::readItemValue("EDIT_REMIND_ITEM", "isEditRemind", "Y"), "Y");
    // Ticked and accepted: never again.
    outcome = editMediaItem(nullptr, 0, accept, [](QEditTipDlg &tip) {
        tip.show();
        QTest::mouseClick(tip.checkBox(), Qt::LeftButton, Qt::NoModifier, QPoint(7, tip.checkBox()->height() / 2));
        EXPECT_TRUE(tip.isDontShowAgain());
        QTest::mouseClick(tip.okButton(), Qt::LeftButton);
        return tip.result();
    });
    EXPECT_TRUE(outcome.tipShown);
    EXPECT_EQ(ParserXML::readItemValue("EDIT_REMIND_ITEM", "isEditRemind", "Y"), "N");
    outcome = editMediaItem(nullptr, 0, accept, [](QEditTipDlg &) {
        ADD_FAILURE() << "the note came back";
        return 0;
    });
    EXPECT_TRUE(outcome.accepted);
    EXPECT_FALSE(outcome.tipShown);
    OutputFormatParams::instance().lossless = false;
    items->clear();
}

TEST(EditingDialogTest, SegmentManagerEditOpensTheDialogForTheRowDoubleClicked)
{
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    items->clear();
    QVideoCutManageDlg panel;
    panel.resize(900, 300);
    panel.show();
    for (int i = 0; i < 2; ++i) {
        auto *item = new VoVideoConvertItem;
        ASSERT_TRUE(item->open(fixture("h264_aac.mp4")));
        items->insert(item, -1);
        panel.addConvertItem(item);
    }
    ASSERT_EQ(panel.entries().size(), 2);
    // Without an editor the row cannot start one.
    EXPECT_FALSE(panel.entries()[1]->editButton()->isEnabled());
    VECropSettings crop;
    crop.cropRect = VERect{0.1, 0.2, 0.5, 0.5};
    int opened = 0;
    installSegmentEditing(&panel, [&](QVideoEditingDlg &dlg) {
        ++opened;
        dlg.show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.isLoaded(); }, 10000));
        dlg.settings()->setCrop(crop);
        pressApplyToAll(dlg, Adjust);
        clickTab(dlg, Trim);
        dlg.trimForm()->slider()->setStartPercent(50);
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
        return dlg.result();
    });
    ASSERT_TRUE(panel.entries()[1]->editButton()->isEnabled());
    QSignalSpy paused(&panel, &QVideoCutManageDlg::emitPausePlay);
    QTest::mouseDClick(panel.entries()[1], Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(paused.count(), 1);
    VoVideoConvertItem *edited = items->itemAt(1);
    EXPECT_EQ(edited->m_editConfig.crop.cropRect, crop.cropRect);
    EXPECT_NEAR(double(edited->m_TrimStartTime), edited->m_duration / 2.0, edited->m_duration * 0.02);
    EXPECT_EQ(items->itemAt(0)->m_editConfig.crop.cropRect, crop.cropRect);
    EXPECT_EQ(items->itemAt(0)->m_TrimStartTime, 0u);
    // The row's edit button reaches the same editor.
    QTest::mouseClick(panel.entries()[0]->editButton(), Qt::LeftButton);
    EXPECT_EQ(opened, 2);
    items->clear();
}
