// "Detect Cuts…" in the real main window: the program menu opens the
// dialog, the user's keys and clicks choose and start a search on the
// fixture with known silences and black (tests/media/make-fixtures:
// detect.mp4), the findings become segments as one step of undo, Stop ends
// a long search at once, and the segments made convert to files ffprobe
// measures.
#include "AppPaths.h"
#include "ConfigState.h"
#include "MainWindowHelpers.h"
#include "MediaProbe.h"
#include "ParserXML.h"
#include "ProgramMenu.h"
#include "ProjectSession.h"
#include "QDetectDlg.h"
#include "QSimpleTimeLine.h"
#include "QTimelineMarkers.h"
#include "QVideoCutManageDlg.h"
#include "QVoCheckBox.h"
#include "QVoDoubleSpinBox.h"
#include "QVoMessageBox.h"
#include "QVoRadioButton.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <QAction>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

struct Seg {
    double start;
    double end;
};

QList<Seg> segments()
{
    QList<Seg> out;
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    for (int i = 0; i < items->count(); ++i)
        out << Seg{items->itemAt(i)->m_TrimStartTime / 1e6, items->itemAt(i)->m_TrimEndTime / 1e6};
    return out;
}

// Found ranges are within 0.1 s of the times the fixture was made with.
void expectSegments(const QList<Seg> &want, double tolerance = 0.1)
{
    const QList<Seg> got = segments();
    ASSERT_EQ(got.size(), want.size());
    for (int i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(got[i].start, want[i].start, tolerance);
        EXPECT_NEAR(got[i].end, want[i].end, tolerance);
    }
}

QStringList outputs()
{
    QStringList files;
    for (QDirIterator it(ConfigState::instance().converterPath(), QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();)
        files << it.next();
    files.sort();
    return files;
}

// Answers the window's message boxes: the replace question with the
// button asked for (0 Replace, 1 Append), any other with its first button;
// the texts are kept.
class Replies {
public:
    Replies()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QVoMessageBox *>(QApplication::activeModalWidget());
            if (!box || box->property("answered").toBool())
                return;
            box->setProperty("answered", true);
            box->prepare();
            const bool question = box->objectName() == QLatin1String("m_replaceQuestion");
            (question ? questions : texts) << box->message();
            box->buttons().at(question ? replaceChoice : 0)->click();
        });
        m_timer.start();
    }
    int replaceChoice = 0;
    QStringList questions;
    QStringList texts;

private:
    QTimer m_timer;
};

class DetectWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Each case starts as a user's first run: no settings remembered.
        QFile::remove(settingsFolder() + "/VideoDefaultSetting.xml");
        ParserXML::readItemValue("OutPut_path", "path_value", "");
        ParserXML::writeItemValue("OutPut_path", "path_value", root.path() + "/");
        w = std::make_unique<MainWindow>();
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    }
    void TearDown() override { w.reset(); }

    void open(const char *name)
    {
        ASSERT_TRUE(importThroughSignal(*w, {fixture(name)}));
        ASSERT_EQ(itemCount(), 1);
    }

    // Opens the dialog the way a user does (the title bar's menu button,
    // then the entry) and runs drive on it while it is open; returns once
    // the dialog has gone.
    void withDialog(const std::function<void(QDetectDlg *)> &drive)
    {
        bool driven = false;
        QTimer::singleShot(0, w.get(), [&] {
            QDetectDlg *dialog = nullptr;
            ASSERT_TRUE(waitUntil([&] { return (dialog = qobject_cast<QDetectDlg *>(QApplication::activeModalWidget())); },
                                  5000));
            ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
            drive(dialog);
            driven = true;
            // A failed step leaves the dialog open; it goes, so the test
            // ends instead of waiting.
            if (::testing::Test::HasFatalFailure() && dialog->isVisible()) {
                QTest::mouseClick(dialog->closeButtonText(), Qt::LeftButton);
                waitUntil([&] { return !dialog->isSearching(); }, 5000);
                if (dialog->isVisible())
                    QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
            }
        });
        auto *button = w->findChild<QAbstractButton *>("m_btnMenu");
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return w->programMenu()->isVisible(); }, 5000));
        QAction *action = w->programMenu()->findChild<QAction *>("actDetect");
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->isEnabled());
        QTest::mouseClick(w->programMenu(), Qt::LeftButton, Qt::NoModifier,
                          w->programMenu()->actionGeometry(action).center());
        ASSERT_TRUE(driven);
        ASSERT_TRUE(waitUntil([] { return !QApplication::activeModalWidget(); }, 5000));
    }

    static void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(6, widget->height() / 2)); }
    template <class T> static T *child(QWidget *dialog, const char *name)
    {
        T *found = dialog->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QTemporaryDir root;
    std::unique_ptr<MainWindow> w;
};

} // namespace

// A fresh settings folder: silence alone is chosen with the library's
// defaults, and Return searches. The parts between the silences become
// the segments; one Undo brings back the whole file, Redo the segments.
// The next time, the values typed with the keys are kept and used.
TEST_F(DetectWindow, SilencesBecomeSegmentsAsOneUndoStepAndTheSettingsAreKept)
{
    Replies replies;
    open("detect.mp4");
    QUndoStack *stack = w->project()->undoStack();
    const int stepsBefore = stack->count();

    withDialog([&](QDetectDlg *dialog) {
        auto *silence = child<QVoCheckBox>(dialog, "m_chkSilence");
        ASSERT_TRUE(silence);
        EXPECT_EQ(dialog->focusWidget(), silence);
        EXPECT_TRUE(silence->isChecked());
        for (const char *other : {"m_chkBlack", "m_chkScene", "m_chkFreeze"})
            EXPECT_FALSE(child<QVoCheckBox>(dialog, other)->isChecked()) << other;
        EXPECT_EQ(child<QVoDoubleSpinBox>(dialog, "m_spinSilenceLevel")->value(), -50);
        EXPECT_EQ(child<QVoDoubleSpinBox>(dialog, "m_spinSilenceLength")->value(), 1.0);
        EXPECT_EQ(child<QVoDoubleSpinBox>(dialog, "m_spinBlackLength")->value(), 0.5);
        EXPECT_EQ(child<QVoDoubleSpinBox>(dialog, "m_spinFreezeLength")->value(), 2.0);
        EXPECT_TRUE(child<QVoRadioButton>(dialog, "m_radBetween")->isChecked());
        QTest::keyClick(dialog, Qt::Key_Return);
        ASSERT_TRUE(dialog->isSearching());
    });
    // Silence 2-3.5 s and from 9 s to the end; the half second at 6 s is
    // shorter than the second asked for.
    expectSegments({{0, 2}, {3.5, 9}});
    EXPECT_EQ(stack->count(), stepsBefore + 1);

    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
    expectSegments({{0, 12}});
    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    expectSegments({{0, 2}, {3.5, 9}});

    // Tab to the shortest length, six steps down to 0.4 s: the short
    // silence is found too. The work has segments now; the user replaces.
    EXPECT_TRUE(replies.questions.isEmpty());
    withDialog([&](QDetectDlg *dialog) {
        QTest::keyClick(dialog, Qt::Key_Tab);
        QTest::keyClick(dialog, Qt::Key_Tab);
        auto *length = child<QVoDoubleSpinBox>(dialog, "m_spinSilenceLength");
        ASSERT_EQ(dialog->focusWidget(), length);
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(length, Qt::Key_Down);
        EXPECT_NEAR(length->value(), 0.4, 1e-9);
        QTest::keyClick(length, Qt::Key_Return);
    });
    ASSERT_EQ(replies.questions.size(), 1);
    EXPECT_TRUE(replies.questions[0].contains("(2)") && replies.questions[0].contains("3 found"))
        << replies.questions[0].toStdString();
    expectSegments({{0, 2}, {3.5, 6}, {6.5, 9}});
    withDialog([&](QDetectDlg *dialog) {
        EXPECT_NEAR(child<QVoDoubleSpinBox>(dialog, "m_spinSilenceLength")->value(), 0.4, 1e-9);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    expectSegments({{0, 2}, {3.5, 6}, {6.5, 9}});
    EXPECT_TRUE(replies.texts.isEmpty()) << replies.texts.join('|').toStdString();
}

// Black pictures alone, kept as segments themselves; appended after the
// work's segments when the user answers so. Undo takes only them away.
TEST_F(DetectWindow, BlackRangesThemselvesAppendedAfterTheWorkAndUndone)
{
    Replies replies;
    replies.replaceChoice = 1; // Append
    open("detect.mp4");
    withDialog([&](QDetectDlg *dialog) { QTest::mouseClick(dialog->detectButton(), Qt::LeftButton); });
    expectSegments({{0, 2}, {3.5, 9}});
    withDialog([&](QDetectDlg *dialog) {
        click(child<QVoCheckBox>(dialog, "m_chkSilence"));
        click(child<QVoCheckBox>(dialog, "m_chkBlack"));
        EXPECT_FALSE(child<QVoDoubleSpinBox>(dialog, "m_spinSilenceLevel")->isEnabled());
        EXPECT_TRUE(child<QVoDoubleSpinBox>(dialog, "m_spinBlackShare")->isEnabled());
        click(child<QVoRadioButton>(dialog, "m_radInside"));
        QTest::mouseClick(dialog->detectButton(), Qt::LeftButton);
    });
    expectSegments({{0, 2}, {3.5, 9}, {3, 4}});
    EXPECT_EQ(replies.questions.size(), 1);
    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
    expectSegments({{0, 2}, {3.5, 9}});
    EXPECT_TRUE(replies.texts.isEmpty()) << replies.texts.join('|').toStdString();
}

// Scene changes as markers: the window goes to Simple Mode, where the
// timeline shows a marker at each change, the segments untouched; Undo
// takes markers and mode back as one step.
TEST_F(DetectWindow, SceneChangesBecomeMarkersOnTheTimelineUndoneAsOneStep)
{
    Replies replies;
    ParserXML::writeItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
    open("detect.mp4");
    QVideoCutManageDlg *panel = w->segmentManager();
    ASSERT_FALSE(panel->isSimpleMode());
    withDialog([&](QDetectDlg *dialog) {
        click(child<QVoCheckBox>(dialog, "m_chkSilence"));
        click(child<QVoCheckBox>(dialog, "m_chkScene"));
        click(child<QVoRadioButton>(dialog, "m_radMarkers"));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    expectSegments({{0, 12}});
    ASSERT_TRUE(panel->isSimpleMode());
    QSimpleTimeLine *line = panel->timeLine();
    const QVector<uint64_t> marks = line->markers();
    // The picture changes at 3, 4, 7 and 10 s.
    ASSERT_EQ(marks.size(), 4);
    const double want[] = {3, 4, 7, 10};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(marks[i] / 1e6, want[i], 0.1) << i;
    // Drawn where the play-head stands at those times.
    QTimelineMarkers *layer = line->markerLayer();
    ASSERT_TRUE(layer->isVisible());
    const int span = line->axisSpan();
    EXPECT_NEAR(layer->markerX(2), 10 + span * 7.0 / 12.0, 2.0);

    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(line->markers().isEmpty());
    EXPECT_FALSE(panel->isSimpleMode());
    QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(panel->timeLine()->markers(), marks);
    EXPECT_TRUE(panel->isSimpleMode());
    EXPECT_TRUE(replies.texts.isEmpty()) << replies.texts.join('|').toStdString();
}

// Stop ends a long search within 0.2 s and changes nothing; a kind the file
// cannot have is told in the dialog; Esc stops a search and closes it.
TEST_F(DetectWindow, StopEndsALongSearchAtOnceAndAMissingStreamIsTold)
{
    Replies replies;
    open("still_10min.mp4"); // ten minutes of one picture, no sound
    withDialog([&](QDetectDlg *dialog) {
        click(child<QVoCheckBox>(dialog, "m_chkSilence"));
        click(child<QVoCheckBox>(dialog, "m_chkFreeze"));
        QTest::mouseClick(dialog->detectButton(), Qt::LeftButton);
        ASSERT_TRUE(dialog->isSearching());
        auto *progress = dialog->findChild<QWidget *>("m_progressBar");
        ASSERT_NE(progress, nullptr);
        EXPECT_EQ(dialog->closeButtonText()->text(), "Stop");
        ASSERT_TRUE(waitUntil([&] { return dialog->statusText().startsWith("Searching for frozen pictures"); }, 5000));
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(dialog->closeButtonText(), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return !dialog->isSearching(); }, 5000));
        EXPECT_LE(clock.elapsed(), 200);
        EXPECT_EQ(dialog->statusText(), "Stopped. Nothing was changed.");
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->closeButtonText()->text(), "Close");

        click(child<QVoCheckBox>(dialog, "m_chkFreeze"));
        click(child<QVoCheckBox>(dialog, "m_chkSilence"));
        QTest::mouseClick(dialog->detectButton(), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return !dialog->isSearching(); }, 10000));
        EXPECT_EQ(dialog->statusText(), "The file has no sound, so there is no silence to search for.");

        // Esc during a search stops it and closes the dialog.
        click(child<QVoCheckBox>(dialog, "m_chkSilence"));
        click(child<QVoCheckBox>(dialog, "m_chkFreeze"));
        QTest::mouseClick(dialog->detectButton(), Qt::LeftButton);
        ASSERT_TRUE(dialog->isSearching());
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    expectSegments({{0, 600}});
    EXPECT_EQ(w->project()->undoStack()->count(), 0);
    EXPECT_TRUE(replies.texts.isEmpty() && replies.questions.isEmpty());
}

// The whole job: silences found, the parts between them converted to one
// file each (Encoding mode, so cuts fall where asked), and ffprobe measures
// each output against the times the fixture was made with.
TEST_F(DetectWindow, SegmentsBetweenSilencesConvertToFilesOfTheirLength)
{
    Replies replies;
    open("detect.mp4");
    withDialog([&](QDetectDlg *dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    expectSegments({{0, 2}, {3.5, 9}});

    const QStringList before = outputs();
    QTest::keyClick(w.get(), Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitUntil([] { return MainWindow::isConverting(); }, 5000));
    ASSERT_TRUE(waitUntil([] { return !MainWindow::isConverting(); }, 120000));
    QStringList made = outputs();
    for (const QString &f : before)
        made.removeAll(f);
    ASSERT_EQ(made.size(), 2) << made.join(' ').toStdString();
    const double lengths[] = {2.0, 5.5};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(made[i].toStdString());
        const Probe p = probeFile(made[i]);
        ASSERT_TRUE(p.ok);
        EXPECT_NEAR(p.duration, lengths[i], 0.15);
        EXPECT_EQ(p.count("video"), 1);
        EXPECT_EQ(p.count("audio"), 1);
    }
    EXPECT_TRUE(replies.texts.isEmpty()) << replies.texts.join('|').toStdString();
}
