// The window and its settings file: a session of clicks and keys leaves the
// file untouched, and a damaged file is kept aside and the user is told.
#include "MainWindowHelpers.h"
#include "AppPaths.h"
#include "ParserXML.h"
#include "QCustomTimeEdit.h"
#include "QVideoCutDlg.h"
#include "TestSupport.h"

#include <QAbstractSpinBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>

using testsupport::fixture;

namespace {

struct Stamp {
    bool exists = false;
    ino_t inode = 0;
    timespec modified{};
};

Stamp stampOf(const QString &path)
{
    Stamp s;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        s.exists = true;
        s.inode = st.st_ino;
        s.modified = st.st_mtim;
    }
    return s;
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget *target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "nothing has the keyboard focus";
    QTest::keyClick(target, key, modifiers);
}

class SettingsWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(settingsFolder()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(settingsFolder()));
        ParserXML::forgetCachedDocuments();
        ParserXML::takeResetNotices();
    }
};

} // namespace

TEST_F(SettingsWindowTest, ClicksAndKeysDoNotWriteTheSettingsFile)
{
    // A user who has chosen something before: the file exists.
    ParserXML::readItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
    ParserXML::writeItemValue("LISTMODEL_ITEM", "ListModel_Line", "Y");
    ParserXML::writeItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
    ParserXML::flushWrites();
    const QString path = ParserXML::defaultSettingFile();
    ASSERT_TRUE(QFile::exists(path));

    MessageWatcher messages;
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    ASSERT_TRUE(importThroughSignal(w, {fixture("long_h264_aac.mp4")}));
    ASSERT_EQ(itemCount(), 1);
    ASSERT_TRUE(waitUntil([&] { return w.isActiveWindow() && QApplication::focusWidget(); }, 5000));

    // Opening the file changes the recent list: that save lands first.
    ParserXML::flushWrites();
    const Stamp before = stampOf(path);
    ASSERT_TRUE(before.exists);
    int actions = 0;
    QCustomTimeEdit *start = w.cutTool()->startTimeEdit();
    for (int round = 0; round < 8; ++round) {
        press(Qt::Key_Right);
        press(Qt::Key_I);
        press(Qt::Key_Right, Qt::ControlModifier);
        press(Qt::Key_O);
        press(Qt::Key_Left);
        ASSERT_TRUE(marksLanded(w));
        actions += 5;
        // A time typed into the cut tool's start, then back to the player.
        auto *line = start->findChild<QAbstractSpinBox *>();
        ASSERT_NE(line, nullptr);
        QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, QPoint(10, line->height() / 2));
        ASSERT_TRUE(waitUntil([&] { return line->hasFocus(); }, 2000));
        QTest::keyClick(line, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(line, QStringLiteral("00:00:0%1.500").arg(round));
        QTest::keyClick(line, Qt::Key_Return);
        press(Qt::Key_Escape);
        actions += 2;
    }
    ASSERT_GE(actions, 50);
    EXPECT_GT(w.cutTool()->currentItem()->m_TrimEndTime, 0u);

    // A change the actions made would be saved by now.
    ParserXML::flushWrites();
    const Stamp after = stampOf(path);
    ASSERT_TRUE(after.exists);
    EXPECT_EQ(after.inode, before.inode) << "the settings file was replaced";
    EXPECT_EQ(after.modified.tv_sec, before.modified.tv_sec) << "the settings file was written";
    EXPECT_EQ(after.modified.tv_nsec, before.modified.tv_nsec) << "the settings file was written";
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('\n').toStdString();
}

TEST_F(SettingsWindowTest, ADamagedSettingsFileIsKeptAndTheUserIsToldOnce)
{
    const QByteArray damaged = "<ROOTITEM><LISTMODEL_ITEM ListModel_Line=\"Y\"><OutPut_path";
    const QString path = ParserXML::defaultSettingFile();
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(damaged);
    }

    auto *w = new MainWindow;
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    QVoMessageBox *notice = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        notice = w->findChild<QVoMessageBox *>(QStringLiteral("settingsResetNotice"));
        return notice && notice->isVisible();
    }, 5000));

    // The old file, whole, under the dated name the notice gives.
    const QStringList kept =
        QDir(settingsFolder()).entryList({QStringLiteral("VideoDefaultSetting-unreadable-*.xml")}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    const QString keptPath = settingsFolder() + "/" + kept.first();
    EXPECT_TRUE(notice->message().contains(keptPath)) << notice->message().toStdString();
    QFile keptFile(keptPath);
    ASSERT_TRUE(keptFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(keptFile.readAll(), damaged);

    notice->prepare();
    ASSERT_FALSE(notice->buttons().isEmpty());
    QTest::mouseClick(notice->buttons().first(), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !w->findChild<QVoMessageBox *>(QStringLiteral("settingsResetNotice")); }, 5000));
    delete w;

    // A second start finds nothing to tell: the defaults are in use.
    MainWindow again;
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    QTest::qWait(0);
    QCoreApplication::processEvents();
    EXPECT_EQ(again.findChild<QVoMessageBox *>(QStringLiteral("settingsResetNotice")), nullptr);
    EXPECT_EQ(QDir(settingsFolder()).entryList({QStringLiteral("VideoDefaultSetting-unreadable-*.xml")}).size(), 1);
}
