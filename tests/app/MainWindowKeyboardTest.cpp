// The main window driven from the keyboard as a user meets it: the keys
// work from the start without a click, come back after every dialog, import
// and conversion, Esc leaves a time field, Tab walks the controls in reading
// order, every control tells its name and every button its key; and what
// the user arranged (window size, list height, folder) is there next time.
#include "ConfigState.h"
#include "MainWindowHelpers.h"
#include "MediaProbe.h"
#include "ParserXML.h"
#include "QCustomTimeEdit.h"
#include "QSliderCtrlBtn.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QToolTip>
#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

VoVideoConvertItem *item(int i) { return VoVideoConvertManager::instance()->itemAt(i); }

// A key as the display server delivers it: to whatever has the focus.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "nothing has the keyboard focus";
    QTest::keyClick(target, key, modifiers);
}

bool focusInPlayerArea(MainWindow &w)
{
    QWidget *f = QApplication::focusWidget();
    return f && (f == w.playerPanel() || w.playerPanel()->isAncestorOf(f));
}

QString focusName()
{
    QWidget *f = QApplication::focusWidget();
    return f ? f->objectName() + " (" + f->metaObject()->className() + ")" : QStringLiteral("none");
}

// A click into a time field, as a user starts typing there.
QAbstractSpinBox *clickInto(QCustomTimeEdit *edit)
{
    auto *line = edit->findChild<QAbstractSpinBox *>();
    if (line)
        QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, QPoint(10, line->height() / 2));
    return line;
}

QStringList outputsUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

void useOutputFolder(const QString &folder)
{
    ParserXML::readItemValue("OutPut_path", "path_value", "");
    ParserXML::writeItemValue("OutPut_path", "path_value", folder + "/");
}

void setFreeMode()
{
    ParserXML::readItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
    ParserXML::writeItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
}

} // namespace

TEST(MainWindowKeyboard, TheKeysCutASegmentFromTheStartWithoutAClickAndComeBackAfterEveryDialog)
{
    QTemporaryDir out;
    useOutputFolder(out.path());
    setFreeMode();
    MessageWatcher messages;
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_TRUE(focusInPlayerArea(w)) << focusName().toStdString();

    // As "snipwell FILE" does it.
    ASSERT_TRUE(importThroughSignal(w, {fixture("long_h264_aac.mp4")}));
    ASSERT_EQ(itemCount(), 1);
    // The window is active again once the loading dialog has gone.
    ASSERT_TRUE(waitUntil([&] { return focusInPlayerArea(w); }, 2000)) << focusName().toStdString();
    ASSERT_TRUE(waitUntil([&] { return !w.playerPanel()->isPaused(); }));

    // Each key-frame step pauses on the next key frame (one a second).
    // Pressed in one go, faster than the pictures decode: each mark takes
    // the picture its step lands on and the conversion waits for both.
    press(Qt::Key_Right, Qt::ControlModifier);
    press(Qt::Key_I);
    press(Qt::Key_Right, Qt::ControlModifier);
    press(Qt::Key_O);
    press(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitUntil([] { return MainWindow::isConverting(); }, 5000)) << "Ctrl+Return started nothing";
    ASSERT_TRUE(waitUntil([] { return !MainWindow::isConverting(); }, 120000));
    const double start = item(0)->m_TrimStartTime / 1e6;
    const double end = item(0)->m_TrimEndTime / 1e6;
    EXPECT_GT(start, 0.5);
    EXPECT_NEAR(end - start, 1.0, 0.05);
    const QStringList files = outputsUnder(out.path());
    ASSERT_EQ(files.size(), 1);
    const Probe p = probeFile(files.first());
    ASSERT_TRUE(p.ok);
    EXPECT_NEAR(p.duration, end - start, 0.1);
    EXPECT_TRUE(focusInPlayerArea(w)) << "after the conversion: " << focusName().toStdString();

    // Esc leaves a time field and the keys work again.
    QAbstractSpinBox *line = clickInto(w.cutTool()->startTimeEdit());
    ASSERT_NE(line, nullptr);
    ASSERT_TRUE(line->hasFocus());
    press(Qt::Key_Insert);
    EXPECT_EQ(itemCount(), 1) << "a key in a field pressed a button";
    press(Qt::Key_Escape);
    EXPECT_TRUE(focusInPlayerArea(w)) << focusName().toStdString();
    press(Qt::Key_Left, Qt::ControlModifier);
    press(Qt::Key_I);
    ASSERT_TRUE(marksLanded(w));
    EXPECT_NEAR(item(0)->m_TrimStartTime / 1e6, start - 1, 0.05);

    // A dialog opened by a click while typing in a field: afterwards the
    // keys belong to the player again.
    clickInto(w.cutTool()->endTimeEdit());
    bool answered = false;
    QTimer::singleShot(0, &w, [&] {
        QWidget *dialog = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (dialog = QApplication::activeModalWidget()) != nullptr; }));
        auto *ok = dialog->findChild<QAbstractButton *>("m_btnOk");
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
        answered = true;
    });
    QTest::mouseClick(w.cutTool()->findChild<QAbstractButton *>("m_btnFormat"), Qt::LeftButton);
    ASSERT_TRUE(answered);
    ASSERT_TRUE(waitUntil([&] { return focusInPlayerArea(w); }, 2000)) << focusName().toStdString();

    // The same after an import that failed with a message.
    clickInto(w.cutTool()->startTimeEdit());
    ASSERT_TRUE(importThroughSignal(w, {fixture("not_media.mp4")}));
    ASSERT_TRUE(waitUntil([&] { return !messages.texts.isEmpty(); }));
    ASSERT_TRUE(waitUntil([&] { return focusInPlayerArea(w); }, 2000)) << focusName().toStdString();
    press(Qt::Key_Space);
    EXPECT_EQ(messages.texts.size(), 1) << messages.texts.join('|').toStdString();
}

// Home and End go to the first and the last picture, as in any player, and
// the clock follows; a start marked past the segment's end stops there and
// a note by the start button says why.
TEST(MainWindowKeyboard, HomeAndEndGoToTheEndsAndAStartPastTheEndIsExplained)
{
    setFreeMode();
    MessageWatcher messages;
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_TRUE(importThroughSignal(w, {fixture("long_h264_aac.mp4")}));
    ASSERT_EQ(itemCount(), 1);
    ASSERT_TRUE(waitUntil([&] { return focusInPlayerArea(w); }, 2000)) << focusName().toStdString();
    QVideoPlayDlg *panel = w.playerPanel();
    const uint64_t duration = panel->duration();
    ASSERT_GT(duration, 19000000u);

    press(Qt::Key_End);
    ASSERT_TRUE(waitUntil([&] { return panel->isSettled() && panel->isPaused(); }))
        << panel->timeText().toStdString();
    // The last picture starts one picture (40 ms) before the end.
    EXPECT_NEAR(panel->position() / 1e6, duration / 1e6 - 0.04, 0.045);
    EXPECT_TRUE(panel->timeText().startsWith(QVideoPlayDlg::formatTime(panel->position()).left(10)))
        << panel->timeText().toStdString();

    press(Qt::Key_Home);
    ASSERT_TRUE(waitUntil([&] { return panel->isSettled() && panel->position() < 40000; }))
        << panel->position();
    EXPECT_TRUE(panel->timeText().startsWith(QVideoPlayDlg::formatTime(0))) << panel->timeText().toStdString();

    // An end at 2 s, then I at the last picture.
    press(Qt::Key_Right, Qt::ControlModifier);
    press(Qt::Key_Right, Qt::ControlModifier);
    press(Qt::Key_O);
    ASSERT_TRUE(marksLanded(w));
    const uint64_t end = item(0)->m_TrimEndTime;
    ASSERT_NEAR(end / 1e6, 2.0, 0.05);
    EXPECT_FALSE(QToolTip::isVisible());
    press(Qt::Key_End);
    press(Qt::Key_I);
    ASSERT_TRUE(marksLanded(w));
    EXPECT_EQ(item(0)->m_TrimStartTime, end);
    ASSERT_TRUE(waitUntil([] { return QToolTip::isVisible(); }, 2000)) << "no word about the start past the end";
    EXPECT_TRUE(QToolTip::text().contains(QVideoPlayDlg::formatTime(end))) << QToolTip::text().toStdString();
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();
}

TEST(MainWindowKeyboard, TabWalksTheControlsInReadingOrderAndEveryControlIsNamed)
{
    setFreeMode();
    MessageWatcher messages;
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_TRUE(importThroughSignal(w, {fixture("long_h264_aac.mp4")}));
    ASSERT_EQ(itemCount(), 1);
    ASSERT_TRUE(waitUntil([&] { return focusInPlayerArea(w); }, 2000)) << focusName().toStdString();
    press(Qt::Key_Space);

    // One round of Tab from the player area.
    QWidget *first = QApplication::focusWidget();
    ASSERT_NE(first, nullptr);
    QList<QWidget *> chain{first};
    for (int i = 0; i < 120; ++i) {
        press(Qt::Key_Tab);
        QWidget *f = QApplication::focusWidget();
        if (f == first)
            break;
        // Tab walks the sections of a time field before it leaves it.
        if (f == chain.last())
            continue;
        ASSERT_FALSE(chain.contains(f)) << "Tab came back to " << f->objectName().toStdString();
        chain << f;
    }
    ASSERT_EQ(QApplication::focusWidget(), first) << "Tab never came round";
    QStringList names;
    for (QWidget *f : chain)
        names << f->objectName();
    SCOPED_TRACE(names.join(' ').toStdString());
    for (const char *name : {"m_btnPreviousKey", "m_btnPlay", "m_btnNextKey", "m_btnAddFile", "m_btnStartSet",
                             "m_btnEndSet", "m_btnFormat", "m_btnConvert", "m_btnAddItem"})
        EXPECT_TRUE(names.contains(name)) << name;
    EXPECT_TRUE(chain.contains(w.cutTool()->startTimeEdit()->findChild<QAbstractSpinBox *>()));
    // Reading order: each next control lies on a lower line, or on the same
    // line further right. A large control (the player, the list) stands on
    // the line of its top, as the first line of a paragraph does.
    auto line = [](QWidget *c) { return c->mapToGlobal(QPoint(0, qMin(c->height(), 24) / 2)); };
    for (int i = 1; i < chain.size(); ++i) {
        const QPoint a = line(chain[i - 1]);
        const QPoint b = line(chain[i]);
        const bool sameRow = qAbs(a.y() - b.y()) <= 12;
        EXPECT_TRUE(sameRow ? b.x() > a.x() : b.y() > a.y())
            << chain[i - 1]->objectName().toStdString() << " before " << chain[i]->objectName().toStdString();
    }

    // Every visible control tells its name; every button says what it does.
    for (QWidget *c : w.findChildren<QWidget *>()) {
        if (!c->isVisibleTo(&w) || (!qobject_cast<QAbstractButton *>(c) && c->focusPolicy() == Qt::NoFocus)
            || qobject_cast<QAbstractSpinBox *>(c->parentWidget()))
            continue;
        EXPECT_FALSE(c->accessibleName().isEmpty()) << c->objectName().toStdString() << " "
                                                     << c->metaObject()->className();
        if (qobject_cast<QAbstractButton *>(c)) {
            EXPECT_FALSE(c->toolTip().isEmpty()) << c->objectName().toStdString();
        }
    }
    // Buttons with a key name it.
    auto tip = [](QWidget *panel, const char *name) {
        auto *b = panel->findChild<QAbstractButton *>(QLatin1String(name));
        return b ? b->toolTip() : QString();
    };
    EXPECT_TRUE(tip(w.playerPanel(), "m_btnNextKey").endsWith(" (Ctrl+Right)"));
    EXPECT_TRUE(tip(w.cutTool(), "m_btnAddFile").endsWith(" (Ctrl+O)"));
    EXPECT_TRUE(tip(w.cutTool(), "m_btnEndSet").endsWith(" (O)"));
    EXPECT_TRUE(tip(w.segmentManager(), "m_btnAddItem").endsWith(" (Ins)"));
    // The name is the button's own, without the key.
    auto *play = w.playerPanel()->findChild<QAbstractButton *>("m_btnPlay");
    EXPECT_EQ(play->accessibleName(), "Play");
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();
}

TEST(MainWindowKeyboard, WindowSizeListHeightAndFolderAreThereAfterARestart)
{
    setFreeMode();
    MessageWatcher messages;
    QTemporaryDir dir;
    const QString clip = dir.filePath("kept/clip.mp4");
    QDir().mkpath(QFileInfo(clip).absolutePath());
    ASSERT_TRUE(QFile::copy(fixture("h264_aac.mp4"), clip));
    int listHeight = 0;
    int heightWithList = 0;
    {
        MainWindow w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        w.resize(760, 560);
        // A dropped file (through the window's own drop signal) opens the
        // segment list, which adds its height to the window.
        ASSERT_TRUE(importThroughSignal(w, {clip}));
        ASSERT_EQ(itemCount(), 1);
        ASSERT_TRUE(w.segmentManager()->isListExpanded());
        // The grip above the list, dragged up by 20 pixels (what the player
        // can spare on the small test screen).
        QSliderCtrlBtn *grip = w.segmentManager()->sizeGrip();
        ASSERT_NE(grip, nullptr);
        const QPoint at = grip->rect().center();
        QTest::mousePress(grip, Qt::LeftButton, Qt::NoModifier, at);
        QMouseEvent move(QEvent::MouseMove, at - QPoint(0, 20), grip->mapToGlobal(at - QPoint(0, 20)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(grip, &move);
        QTest::mouseRelease(grip, Qt::LeftButton, Qt::NoModifier, at - QPoint(0, 20));
        listHeight = w.segmentManager()->listHeight();
        ASSERT_GT(listHeight, 0);
        heightWithList = w.height();
        w.close();
    }
    MainWindow again;
    EXPECT_EQ(MainWindow::openFolder(), QFileInfo(clip).absolutePath());
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_EQ(again.size(), QSize(760, 560));
    EXPECT_EQ(again.segmentManager()->listHeight(), listHeight);
    ASSERT_TRUE(importThroughSignal(again, {clip}));
    ASSERT_TRUE(again.segmentManager()->isListExpanded());
    EXPECT_EQ(again.segmentManager()->listHeight(), listHeight);
    EXPECT_EQ(again.height(), heightWithList);
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();
}
