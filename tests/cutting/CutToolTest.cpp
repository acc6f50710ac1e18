// The cut tool over a real media item, wired to itself the way the main
// window wires it, worked with the mouse and the keyboard; one cut goes all
// the way to a file that ffprobe measures.
#include "CAVConverter.h"
#include "ConvertJob.h"
#include "Languages.h"
#include "OutputFormatParams.h"
#include "QCustomTimeEdit.h"
#include "QDualSlider.h"
#include "QImageButton.h"
#include "QSliderCtrlBtn.h"
#include "QTextImageButton.h"
#include "QTimeEditEx.h"
#include "QVideoCutDlg.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

using testsupport::fixture;

namespace {

constexpr uint64_t kSecond = 1000000ULL;

template <class T>
T *child(QWidget &w, const char *name)
{
    T *c = w.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

struct CutTool {
    VoVideoConvertItem item;
    QVideoCutDlg dlg;
    explicit CutTool(const char *file = "long_h264_aac.mp4")
    {
        EXPECT_TRUE(item.open(fixture(file)));
        // The main window's relays: edits and set buttons come back as slots.
        QObject::connect(&dlg, &QVideoCutDlg::emitStartTimeChange, &dlg, &QVideoCutDlg::startTimeChange);
        QObject::connect(&dlg, &QVideoCutDlg::emitEndTimeChange, &dlg, &QVideoCutDlg::endTimeChange);
        QObject::connect(&dlg, &QVideoCutDlg::emitOnBtnStartSet, &dlg, &QVideoCutDlg::OnBtnStartTimeSet);
        QObject::connect(&dlg, &QVideoCutDlg::emitOnBtnEndSet, &dlg, &QVideoCutDlg::OnBtnEndTimeSet);
        QObject::connect(&dlg, &QVideoCutDlg::emitStartValueChange, &dlg, &QVideoCutDlg::startValueChange);
        QObject::connect(&dlg, &QVideoCutDlg::emitEndValueChange, &dlg, &QVideoCutDlg::endValueChange);
        dlg.resize(900, 110);
        dlg.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    }
    void show(uint64_t start, uint64_t end)
    {
        item.m_TrimStartTime = start;
        item.m_TrimEndTime = end;
        dlg.setItem(&item);
        dlg.setControlsEnabled(true);
    }
    QImageButton *button(const char *name) { return child<QImageButton>(dlg, name); }
    QTextImageButton *textButton(const char *name) { return child<QTextImageButton>(dlg, name); }
};

void dragHandle(QDualSlider *slider, QSliderCtrlBtn *handle, int sliderX)
{
    const QPoint press(3, 3);
    auto send = [](QWidget *w, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
        QMouseEvent e(type, local, w->mapToGlobal(local), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    };
    send(handle, QEvent::MouseButtonPress, press, Qt::LeftButton);
    const QPoint global = slider->mapToGlobal(QPoint(sliderX + 3, 0));
    send(handle, QEvent::MouseMove, handle->mapFromGlobal(global), Qt::LeftButton);
    send(handle, QEvent::MouseButtonRelease, handle->mapFromGlobal(global), Qt::NoButton);
}

} // namespace

TEST(CutTool, WithoutAnItemEverythingWaits)
{
    QVideoCutDlg dlg;
    dlg.show();
    EXPECT_EQ(dlg.height(), 110);
    EXPECT_EQ(dlg.currentItem(), nullptr);
    EXPECT_EQ(dlg.trimStart(), 0u);
    EXPECT_EQ(dlg.trimEnd(), 0u);
    for (const char *name : {"m_startTimeEdit", "m_endTimeEdit"})
        EXPECT_FALSE(child<QCustomTimeEdit>(dlg, name)->isEnabled());
    for (const char *name : {"m_btnStartSet", "m_btnEndSet", "m_btnStopTrim", "m_btnPlayTrim"})
        EXPECT_FALSE(child<QImageButton>(dlg, name)->isEnabled()) << name;
    EXPECT_FALSE(child<QTextImageButton>(dlg, "m_btnConvert")->isEnabled());
    // Value slots without an item change nothing and never crash.
    QSignalSpy seek(&dlg, &QVideoCutDlg::sendPlayProToPlay);
    dlg.startTimeChange(5 * kSecond);
    dlg.endTimeChange(5 * kSecond);
    dlg.startValueChange(0.5);
    dlg.OnBtnStartTimeSet();
    dlg.setTrimEnd(3);
    dlg.setItem(nullptr);
    EXPECT_EQ(seek.count(), 0);
    EXPECT_EQ(dlg.trimEnd(), 0u);
    // Leaving the converting state without an item keeps the controls off.
    dlg.setConverting(true);
    dlg.setConverting(false);
    EXPECT_FALSE(child<QTextImageButton>(dlg, "m_btnConvert")->isEnabled());
}

TEST(CutTool, ShowsTheItemsTrimPair)
{
    CutTool t;
    const uint64_t d = t.item.m_duration;
    ASSERT_GT(d, 10 * kSecond);
    // An end of 0 means the end of the file.
    t.show(d / 4, 0);
    EXPECT_EQ(t.item.m_TrimEndTime, d);
    EXPECT_EQ(t.dlg.trimEnd(), d);
    EXPECT_EQ(t.dlg.endTimeEdit()->time(), d / 1000 * 1000);
    EXPECT_NEAR(t.dlg.trimSlider()->endFraction(), 1.0, 1e-6);
    EXPECT_NEAR(t.dlg.trimSlider()->startFraction(), 0.25, 0.01);
    EXPECT_EQ(t.dlg.startTimeEdit()->time(), d / 4 / 1000 * 1000);
    EXPECT_EQ(t.dlg.startTimeEdit()->maximumTime(), d / 1000 * 1000);
    EXPECT_EQ(t.dlg.endTimeEdit()->minimumTime(), d / 4 / 1000 * 1000);
    EXPECT_EQ(t.dlg.itemNumber(), t.item.index());

    // A resize keeps the handles at their percentages.
    t.dlg.resize(1300, 110);
    EXPECT_NEAR(t.dlg.trimSlider()->startFraction(), 0.25, 0.01);
    EXPECT_NEAR(t.dlg.trimSlider()->endFraction(), 1.0, 1e-6);
    EXPECT_EQ(t.dlg.trimSlider()->pos(), QPoint(10, 5));
    EXPECT_EQ(t.dlg.trimSlider()->width(), 1300 - 19);

    // Dragging the start handle writes the item and the edit.
    dragHandle(t.dlg.trimSlider(), t.dlg.trimSlider()->startHandle(), t.dlg.trimSlider()->width() / 2);
    EXPECT_NEAR(double(t.item.m_TrimStartTime) / d, t.dlg.trimSlider()->startFraction(), 1e-6);
    EXPECT_EQ(t.dlg.startTimeEdit()->time(), t.item.m_TrimStartTime / 1000 * 1000);
    EXPECT_EQ(t.dlg.endTimeEdit()->minimumTime(), t.item.m_TrimStartTime / 1000 * 1000);
}

TEST(CutTool, SetButtonsTakeThePlayPositionWithinTheOtherEnd)
{
    CutTool t;
    const uint64_t d = t.item.m_duration;
    t.show(2 * kSecond, 10 * kSecond);
    QSignalSpy seek(&t.dlg, &QVideoCutDlg::sendPlayProToPlay);

    // Play-head beyond the end: the start becomes the end.
    t.dlg.videoPlayPro(90);
    QTest::mouseClick(t.button("m_btnStartSet"), Qt::LeftButton);
    EXPECT_EQ(t.item.m_TrimStartTime, 10 * kSecond);
    EXPECT_EQ(t.dlg.startTimeEdit()->time(), 10 * kSecond);
    EXPECT_EQ(seek.count(), 0); // the play-head stays

    // Play-head before the start: the end becomes the start.
    t.dlg.videoPlayPro(5);
    QTest::mouseClick(t.button("m_btnEndSet"), Qt::LeftButton);
    EXPECT_EQ(t.item.m_TrimEndTime, 10 * kSecond);

    // Inside the range: the play position, truncated.
    t.show(0, 0);
    t.dlg.videoPlayPro(50);
    QTest::mouseClick(t.button("m_btnEndSet"), Qt::LeftButton);
    EXPECT_EQ(t.item.m_TrimEndTime, uint64_t(double(d) * t.dlg.trimSlider()->progressFraction()));
    EXPECT_EQ(t.dlg.startTimeEdit()->maximumTime(), t.item.m_TrimEndTime / 1000 * 1000);
}

TEST(CutTool, TypedAndSteppedTimesReachTheItem)
{
    CutTool t;
    const uint64_t d = t.item.m_duration;
    t.show(0, 0);
    QSignalSpy seek(&t.dlg, &QVideoCutDlg::sendPlayProToPlay);
    QTimeEditEx *start = t.dlg.startTimeEdit()->timeEdit();
    start->setFocus();
    start->setSelectedSection(QDateTimeEdit::SecondSection);
    QTest::keyClicks(start, QStringLiteral("07"));
    QTest::keyClick(start, Qt::Key_Return);
    EXPECT_EQ(t.item.m_TrimStartTime, 7 * kSecond);
    // The player is sent to the new start.
    ASSERT_FALSE(seek.isEmpty());
    EXPECT_NEAR(seek.last().at(0).toDouble(), double(7 * kSecond) / d, 0.002);

    // Stepping the milliseconds of the end down from the full duration.
    QTimeEditEx *end = t.dlg.endTimeEdit()->timeEdit();
    end->setFocus();
    end->setCurrentSection(QDateTimeEdit::MSecSection);
    const int seeksBefore = seek.count();
    QTest::keyClick(end, Qt::Key_Down);
    EXPECT_EQ(t.item.m_TrimEndTime, d / 1000 * 1000 - 1000);
    // The first end change after showing an item leaves the play-head alone.
    EXPECT_EQ(seek.count(), seeksBefore);
    QTest::keyClick(end, Qt::Key_Down);
    EXPECT_EQ(t.item.m_TrimEndTime, d / 1000 * 1000 - 2000);
    EXPECT_EQ(seek.count(), seeksBefore + 1);
    EXPECT_EQ(t.dlg.startTimeEdit()->maximumTime(), t.item.m_TrimEndTime);

    // A start typed past the end is held at the end.
    start->setFocus();
    start->setSelectedSection(QDateTimeEdit::HourSection);
    QTest::keyClicks(start, QStringLiteral("05"));
    QTest::keyClick(start, Qt::Key_Return);
    EXPECT_EQ(t.item.m_TrimStartTime, t.item.m_TrimEndTime);
}

TEST(CutTool, TransportAndConvertingStates)
{
    CutTool t;
    t.show(0, 0);
    QSignalSpy play(&t.dlg, &QVideoCutDlg::emitPlaySelect);
    QSignalSpy pause(&t.dlg, &QVideoCutDlg::emitPauseSelect);
    QSignalSpy stop(&t.dlg, &QVideoCutDlg::emitStopSelect);
    QTest::mouseClick(t.button("m_btnPlayTrim"), Qt::LeftButton);
    EXPECT_EQ(play.count(), 1);
    EXPECT_FALSE(t.button("m_btnPlayTrim")->isVisible());
    EXPECT_TRUE(t.button("m_btnPauseTrim")->isVisible());
    EXPECT_TRUE(t.button("m_btnStopTrim")->isEnabled());
    QTest::mouseClick(t.button("m_btnPauseTrim"), Qt::LeftButton);
    EXPECT_EQ(pause.count(), 1);
    EXPECT_TRUE(t.button("m_btnPlayTrim")->isVisible());
    QTest::mouseClick(t.button("m_btnStopTrim"), Qt::LeftButton);
    EXPECT_EQ(stop.count(), 1);
    EXPECT_FALSE(t.button("m_btnStopTrim")->isEnabled());

    QSignalSpy convert(&t.dlg, &QVideoCutDlg::emitOnConvert);
    QSignalSpy cancel(&t.dlg, &QVideoCutDlg::emitStopConvert);
    QSignalSpy format(&t.dlg, &QVideoCutDlg::emitShowFormatDlg);
    QSignalSpy add(&t.dlg, &QVideoCutDlg::OnBtnAdd);
    QTest::mouseClick(t.textButton("m_btnFormat"), Qt::LeftButton);
    QTest::mouseClick(t.textButton("m_btnAddFile"), Qt::LeftButton);
    QTest::mouseClick(t.textButton("m_btnConvert"), Qt::LeftButton);
    EXPECT_EQ(format.count(), 1);
    EXPECT_EQ(add.count(), 1);
    EXPECT_EQ(convert.count(), 1);

    t.dlg.setConverting(true);
    EXPECT_FALSE(t.textButton("m_btnConvert")->isVisible());
    EXPECT_TRUE(t.textButton("m_btnCancel")->isVisible());
    EXPECT_FALSE(t.textButton("m_btnAddFile")->isEnabled());
    EXPECT_FALSE(t.textButton("m_btnFormat")->isEnabled());
    EXPECT_FALSE(t.dlg.startTimeEdit()->isEnabled());
    QSignalSpy startMoved(&t.dlg, &QVideoCutDlg::emitStartValueChange);
    const uint64_t before = t.item.m_TrimStartTime;
    dragHandle(t.dlg.trimSlider(), t.dlg.trimSlider()->startHandle(), 300);
    EXPECT_EQ(startMoved.count(), 0);
    EXPECT_EQ(t.item.m_TrimStartTime, before);
    QTest::mouseClick(t.textButton("m_btnCancel"), Qt::LeftButton);
    EXPECT_EQ(cancel.count(), 1);

    t.dlg.setConverting(false);
    EXPECT_TRUE(t.textButton("m_btnConvert")->isVisible());
    EXPECT_FALSE(t.textButton("m_btnCancel")->isVisible());
    EXPECT_TRUE(t.dlg.startTimeEdit()->isEnabled());
    dragHandle(t.dlg.trimSlider(), t.dlg.trimSlider()->startHandle(), 300);
    EXPECT_EQ(startMoved.count(), 1);

    // The play-head hides while the slider is disabled by the player.
    t.dlg.TrimDSliderEnable(false);
    EXPECT_FALSE(t.dlg.trimSlider()->progressHandle()->isVisible());
    t.dlg.TrimDSliderEnable(true);
    EXPECT_TRUE(t.dlg.trimSlider()->progressHandle()->isVisible());

    t.dlg.reset();
    EXPECT_EQ(t.dlg.currentItem(), nullptr);
    EXPECT_EQ(t.dlg.startTimeEdit()->time(), 0u);
    EXPECT_NEAR(t.dlg.trimSlider()->endFraction(), 1.0, 1e-6);
}

TEST(CutTool, EveryLanguageFitsTheSmallestWindow)
{
    QVideoCutDlg live;
    QLabel *liveStart = live.findChild<QLabel *>("m_labStart");
    ASSERT_GE(languageNames().size(), 5);
    for (const QString &name : languageNames()) {
        SCOPED_TRACE(name.toStdString());
        installLanguage(name);
        for (int width : {710, 1300}) {
            QVideoCutDlg dlg;
            dlg.resize(width, 110);
            dlg.show();
            QVector<QWidget *> parts;
            for (QWidget *w : dlg.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
                if (w->isVisibleTo(&dlg) && w != dlg.trimSlider())
                    parts << w;
            ASSERT_GE(parts.size(), 10);
            for (int i = 0; i < parts.size(); ++i) {
                EXPECT_TRUE(dlg.rect().contains(parts[i]->geometry())) << parts[i]->objectName().toStdString();
                EXPECT_GE(parts[i]->y(), dlg.trimSlider()->geometry().bottom()) << parts[i]->objectName().toStdString();
                for (int j = i + 1; j < parts.size(); ++j)
                    EXPECT_FALSE(parts[i]->geometry().intersects(parts[j]->geometry()))
                        << width << " " << parts[i]->objectName().toStdString() << " / "
                        << parts[j]->objectName().toStdString();
                if (auto *label = qobject_cast<QLabel *>(parts[i])) {
                    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
                }
            }
        }
    }
    // A panel that exists already follows the switch.
    installLanguage(QStringLiteral("Deutsch"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(liveStart->text(), QStringLiteral("Startzeit:"));
    EXPECT_EQ(live.findChild<QTextImageButton *>("m_btnConvert")->size(), QSize(86, 57));
    removeInstalledLanguage();
    setLanguageIndex(QStringLiteral("English"));
    live.retranslate();
    EXPECT_EQ(liveStart->text(), QStringLiteral("Start Time:"));
    EXPECT_EQ(live.findChild<QTextImageButton *>("m_btnConvert")->size(), QSize(76, 57));
}

TEST(CutTool, TheRangeTheUserSetsIsTheRangeThatIsCut)
{
    CutTool t;
    t.show(0, 0);
    // Start 00:00:03.300 typed; end stepped from 00:00:08.999 up across the second.
    QTimeEditEx *start = t.dlg.startTimeEdit()->timeEdit();
    start->setFocus();
    start->setSelectedSection(QDateTimeEdit::SecondSection);
    QTest::keyClicks(start, QStringLiteral("03"));
    start->setSelectedSection(QDateTimeEdit::MSecSection);
    QTest::keyClicks(start, QStringLiteral("300"));
    QTest::keyClick(start, Qt::Key_Return);
    ASSERT_EQ(t.item.m_TrimStartTime, 3300 * 1000ULL) << start->text().toStdString();
    t.dlg.endTimeChange(8999 * 1000ULL);
    t.dlg.endTimeEdit()->timeEdit()->setCurrentSection(QDateTimeEdit::MSecSection);
    QTest::mouseClick(t.dlg.endTimeEdit()->upButton(), Qt::LeftButton);
    ASSERT_EQ(t.item.m_TrimEndTime, 9 * kSecond);

    OutputFormatParams params;
    params.lossless = true;
    params.container = QStringLiteral("mp4");
    params.extension = QStringLiteral("mp4");
    t.item.applyOutputFormat(params);
    std::unique_ptr<ConvertJob> job(t.item.assembleConvertJob(params));
    ASSERT_TRUE(job);
    QTemporaryDir dir;
    const QString dst = dir.filePath(QStringLiteral("cut.mp4"));
    std::atomic<int> state{0};
    auto report = [](int32_t, void *context, int32_t s) {
        if (s != 5)
            static_cast<std::atomic<int> *>(context)->store(s);
    };
    CAVConverter converter;
    ASSERT_TRUE(converter.StartConvert(t.item.m_videoPath.toUtf8().constData(), dst.toUtf8().constData(), *job,
                                       &state, report, false));
    ASSERT_TRUE(QTest::qWaitFor([&] { return state.load() != 0; }, 60000));
    ASSERT_EQ(state.load(), 2);
    const QJsonObject probe = testsupport::ffprobeJson(dst);
    EXPECT_NEAR(probe["format"].toObject()["duration"].toString().toDouble(), 5.7, 0.05);
}

TEST(CutTool, KeyFramesTickTheSliderAndTheHintTellsWhereAKeyFrameCutStarts)
{
    OutputFormatParams &params = OutputFormatParams::instance();
    const OutputFormatParams saved = params;
    params.lossless = true;
    params.frameExactCut = false;
    CutTool t("gop_h264.mp4"); // key frames at 0, 3.2, 10.4, 12.8 and 20 s
    QSignalSpy forRuler(&t.dlg, &QVideoCutDlg::sendKeyFrameMarks);
    t.show(0, 0);
    QTRY_COMPARE_WITH_TIMEOUT(t.dlg.keyFrames().size(), 5, 20000);
    // The timeline ruler gets the same ticks.
    ASSERT_FALSE(forRuler.isEmpty());
    EXPECT_EQ(forRuler.last().at(0).value<QVector<double>>(), t.dlg.trimSlider()->marks());
    const QVector<double> &marks = t.dlg.trimSlider()->marks();
    ASSERT_EQ(marks.size(), 5);
    EXPECT_NEAR(marks[1], 3.2 * kSecond / double(t.item.m_duration), 0.001);

    QLabel *hint = child<QLabel>(t.dlg, "m_labKeyHint");
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isHidden()); // a start at 0 is a key frame

    // Typing a start between key frames: the hint says where the output starts.
    QTimeEditEx *start = t.dlg.startTimeEdit()->timeEdit();
    start->setFocus();
    start->setSelectedSection(QDateTimeEdit::SecondSection);
    QTest::keyClicks(start, QStringLiteral("05"));
    QTest::keyClick(start, Qt::Key_Return);
    ASSERT_EQ(t.item.m_TrimStartTime, 5 * kSecond);
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), QString("starts at 0:00:03.200, key frame"));
    // It sits under the start time, inside the panel.
    EXPECT_GE(hint->y(), t.dlg.startTimeEdit()->geometry().bottom());
    EXPECT_LE(hint->geometry().bottom(), t.dlg.height());

    // A frame-exact cut (into MP4, which takes one) starts where asked, and says so.
    params.container = QStringLiteral("mp4");
    params.extension = QStringLiteral("mp4");
    params.frameExactCut = true;
    t.dlg.refreshKeyFrameHint();
    EXPECT_EQ(hint->text(), QString("starts at 0:00:05.000, frame-exact"));
    // Encoding starts where asked: no hint.
    params.frameExactCut = false;
    params.lossless = false;
    t.dlg.refreshKeyFrameHint();
    EXPECT_TRUE(hint->isHidden());
    params.lossless = true;
    t.dlg.refreshKeyFrameHint();
    EXPECT_TRUE(hint->isVisible());

    // On a key frame the hint goes away.
    t.dlg.startTimeChange(10400000);
    EXPECT_TRUE(hint->isHidden());
    params = saved;
}

TEST(CutTool, TheHintSaysWhyASourceIsNotCutFrameExact)
{
    OutputFormatParams &params = OutputFormatParams::instance();
    const OutputFormatParams saved = params;
    params.lossless = true;
    params.frameExactCut = true;
    params.container = QStringLiteral("Original");
    params.extension.clear();
    CutTool t("plain.avi"); // MPEG-4 Part 2 in AVI, a key frame each second
    t.show(0, 0);
    QTRY_VERIFY_WITH_TIMEOUT(t.dlg.keyFrames().size() > 2, 20000);
    const quint64 second = t.dlg.keyFrames().at(1);
    QLabel *hint = child<QLabel>(t.dlg, "m_labKeyHint");
    t.dlg.startTimeChange(second + 400000);
    const QString key = QStringLiteral("0:00:0%1.%2").arg(second / 1000000).arg(second / 1000 % 1000, 3, 10, QChar('0'));

    // Kept in its own container: AVI is not written frame-exact.
    t.dlg.refreshKeyFrameHint();
    EXPECT_EQ(hint->text(), QStringLiteral("starts at %1, key frame: AVI files are not cut frame-exact").arg(key));
    // Into MP4: the container would do, the pictures cannot be matched.
    params.container = QStringLiteral("mp4");
    params.extension = QStringLiteral("mp4");
    t.dlg.refreshKeyFrameHint();
    EXPECT_EQ(hint->text(), QStringLiteral("starts at %1, key frame: MPEG4 video is not cut frame-exact").arg(key));
    params = saved;
}
