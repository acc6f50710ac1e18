// File import into the real main window: refused names, drops, Stop during
// a list, the folder the open-file dialog remembers across restarts, and
// files handed over by a later start of the program.
#include "AddFileThread.h"
#include "AppPaths.h"
#include "MainWindowHelpers.h"
#include "ParserXML.h"
#include "QPlayObject.h"
#include "QTextImageButton.h"
#include "QVideoPlayDlg.h"
#include "TestSupport.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QCustomTimeEdit.h"
#include "QSimpleTimeLine.h"
#include "VoVideoConvertItem.h"
#include "orlcodec.h"

#include <QAbstractButton>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QMimeData>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <atomic>
#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

const QString kOpenFailed = QStringLiteral("Open file failed. ");

QString copyAs(const QTemporaryDir &dir, const QString &source, const QString &name)
{
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    EXPECT_TRUE(QFile::copy(source, path)) << path.toStdString();
    return path;
}

void drop(MainWindow &w, const QList<QUrl> &urls, Qt::DropAction *accepted = nullptr)
{
    QMimeData data;
    data.setUrls(urls);
    const QPoint at(w.width() / 2, 100);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    if (accepted)
        *accepted = enter.isAccepted() ? enter.dropAction() : Qt::IgnoreAction;
    QDropEvent dropEvent(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &dropEvent);
}

// Everything a drop started has run: the queued import and its worker.
void settle(MainWindow &w)
{
    // The drop hands its list on through a queued call: deliver it, so the
    // import has begun before its end is waited for.
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(waitUntil([&w] { return !w.isImporting(); }));
}

} // namespace

TEST(MainWindowImport, RefusedNamesAndUnreadableFilesGiveTheMessageAndNoItem)
{
    QTemporaryDir dir;
    const QString media = fixture("h264_aac.mp4");
    const QStringList refused{
        copyAs(dir, media, "book.AAX"), copyAs(dir, media, "story.aa"), copyAs(dir, media, "clip"),
        copyAs(dir, media, "take.v2/clip"), fixture("not_media.mp4"), fixture("aax_brand.m4a"),
        dir.filePath("missing.mp4")};
    // The worker's own decision, without the window around it.
    for (const QString &path : refused)
        EXPECT_EQ(AddFileThread::makeItem(path), nullptr) << path.toStdString();
    EXPECT_EQ(AddFileThread::makeItem("sftp://host/share/clip.mp4"), nullptr);
    VoVideoConvertItem *ok = AddFileThread::makeItem(copyAs(dir, media, "Upper.MP4"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->thread(), QCoreApplication::instance()->thread());
    delete ok;

    MainWindow w;
    w.show();
    MessageWatcher messages;
    for (const QString &path : refused.mid(0, 3)) {
        messages.texts.clear();
        ASSERT_TRUE(importThroughSignal(w, {path}));
        EXPECT_TRUE(waitUntil([&] { return messages.texts.size() == 1; }));
        EXPECT_TRUE(messages.texts.value(0).startsWith(kOpenFailed + "\n\n" + QFileInfo(path).fileName() + "\n"))
            << messages.texts.join('|').toStdString();
        EXPECT_EQ(itemCount(), 0);
        EXPECT_EQ(w.playerPanel()->player(), 0);
    }
}

TEST(MainWindowImport, DropsImportTheLastFileOnlyAndNothingWhileConverting)
{
    QTemporaryDir dir;
    const QString a = copyAs(dir, fixture("h264_aac.mp4"), "a.mp4");
    const QString b = copyAs(dir, fixture("h264_aac.mp4"), "b.mp4");
    const QString c = copyAs(dir, fixture("long_h264_aac.mp4"), "c.mp4");
    QDir(dir.path()).mkdir("folder");

    MainWindow w;
    w.show();
    MessageWatcher messages;
    QSignalSpy adding(&w, &MainWindow::seedAddingFile);

    // Three files: only the third is opened.
    drop(w, {QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl::fromLocalFile(c)});
    settle(w);
    ASSERT_EQ(adding.count(), 1);
    EXPECT_EQ(adding.first().at(0).toString(), c);
    ASSERT_EQ(itemCount(), 1);
    EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(0)->m_videoPath, c);
    EXPECT_NE(w.playerPanel()->player(), 0);
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();

    // A trailing folder is skipped; a drop of folders only fails to open.
    drop(w, {QUrl::fromLocalFile(b), QUrl::fromLocalFile(dir.filePath("folder"))});
    settle(w);
    ASSERT_EQ(itemCount(), 1);
    EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(0)->m_videoPath, b);
    drop(w, {QUrl::fromLocalFile(dir.filePath("folder"))});
    settle(w);
    EXPECT_TRUE(waitUntil([&] { return messages.texts.size() == 1; }));
    EXPECT_TRUE(messages.texts.value(0).startsWith(kOpenFailed + "\n\n")) << messages.texts.join('|').toStdString();
    // A failed open keeps the work it would have replaced.
    ASSERT_EQ(itemCount(), 1);
    EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(0)->m_videoPath, b);

    // A location that is not a local file fails like an unreadable one.
    messages.texts.clear();
    drop(w, {QUrl("smb://server/share/clip.mp4")});
    settle(w);
    EXPECT_TRUE(waitUntil([&] { return messages.texts.size() == 1; }));
    EXPECT_TRUE(messages.texts.value(0).startsWith(kOpenFailed + "\n\nclip.mp4\n")) << messages.texts.join('|').toStdString();

    // While converting a drop is refused and changes nothing.
    ASSERT_TRUE(importThroughSignal(w, {a}));
    ASSERT_EQ(itemCount(), 1);
    messages.texts.clear();
    adding.clear();
    w.IsStartToConverter(true);
    Qt::DropAction action = Qt::CopyAction;
    drop(w, {QUrl::fromLocalFile(c)}, &action);
    // A drop that was taken would have queued its list by now.
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(action, Qt::IgnoreAction);
    EXPECT_EQ(adding.count(), 0);
    EXPECT_FALSE(w.isImporting());
    EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(0)->m_videoPath, a);
    EXPECT_TRUE(messages.texts.isEmpty());
    w.IsStartToConverter(false);
}

TEST(MainWindowImport, StopDuringAListKeepsTheFirstItemAndNeverOpensTheSecond)
{
    const QString first = fixture("h264_aac.mp4");
    const QString second = fixture("long_h264_aac.mp4");
    MainWindow w;
    w.show();
    MessageWatcher messages;
    QSignalSpy adding(&w, &MainWindow::seedAddingFile);

    // Hold the worker right after its first item until the user has
    // pressed Stop.
    std::atomic<int> delivered{0};
    QSemaphore resume;
    QObject::connect(
        &w, &MainWindow::seedConvertItem, &w,
        [&](VoVideoConvertItem *) {
            if (++delivered == 1)
                resume.acquire();
        },
        Qt::DirectConnection);
    QString countShown;
    QTimer::singleShot(0, &w, [&] {
        ASSERT_TRUE(waitUntil([&] { return delivered.load() == 1 && w.loadingDialog(); }));
        QLoadingDlg *dialog = w.loadingDialog();
        ASSERT_TRUE(waitUntil([&] { return dialog->addedCount() == "1/2"; }));
        countShown = dialog->addedCount();
        EXPECT_EQ(dialog->addingPath(), first);
        QTest::mouseClick(dialog->stopButton(), Qt::LeftButton);
        resume.release();
    });
    w.addImportFile({first, second});
    ASSERT_TRUE(waitUntil([&] { return !w.isImporting(); }));
    EXPECT_EQ(countShown, "1/2");
    EXPECT_EQ(delivered.load(), 1);
    ASSERT_EQ(adding.count(), 1);
    ASSERT_EQ(itemCount(), 1);
    EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(0)->m_videoPath, first);
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();
    // The abort flag is down again: the next import opens files.
    ASSERT_TRUE(importThroughSignal(w, {second}));
    ASSERT_EQ(itemCount(), 1);
    EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(0)->m_videoPath, second);
}

TEST(MainWindowImport, TheOpenDialogStartsInTheLastFolderAlsoAfterARestart)
{
    // A first start: earlier imports would have set a folder.
    QDir(settingsFolder()).removeRecursively();
    QDir().mkpath(settingsFolder());
    QTemporaryDir dir;
    const QString path = copyAs(dir, fixture("h264_aac.mp4"), "chosen/clip.mp4");
    const QString folder = QFileInfo(path).absolutePath();
    QString startedIn;
    QString filter;
    auto answerDialog = [&](bool choose) {
        QTimer::singleShot(0, [&, choose] {
            QFileDialog *dialog = nullptr;
            waitUntil([&] { return (dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())); });
            ASSERT_NE(dialog, nullptr);
            startedIn = dialog->directory().absolutePath();
            filter = dialog->nameFilters().value(0);
            if (choose) {
                dialog->selectFile(path);
                QMetaObject::invokeMethod(dialog, "accept");
            } else {
                QMetaObject::invokeMethod(dialog, "reject");
            }
        });
    };
    {
        MainWindow w;
        w.show();
        EXPECT_EQ(MainWindow::openFolder(), ".");
        answerDialog(true);
        w.OnAddFile();
        EXPECT_EQ(startedIn, QDir(".").absolutePath());
        EXPECT_TRUE(filter.startsWith("All Supported Formats(*.m4v *.avi *.mts")) << filter.toStdString();
        ASSERT_TRUE(waitUntil([&] { return !w.isImporting(); }));
        ASSERT_EQ(itemCount(), 1);
        EXPECT_EQ(MainWindow::openFolder(), folder);
    }
    EXPECT_EQ(ParserXML::readItemValue("Open_path", "Open_path_value", "."), folder);
    MainWindow again;
    again.show();
    answerDialog(false);
    again.OnAddFile();
    EXPECT_EQ(startedIn, folder);
    // Cancelling starts no import and keeps the folder.
    EXPECT_FALSE(again.isImporting());
    EXPECT_EQ(itemCount(), 0);
    EXPECT_EQ(MainWindow::openFolder(), folder);
}

namespace {

// What the user sees of the work in the window, to compare before and after
// an import.
struct WorkSeen {
    QStringList items; // path and trim pair of each item, in list order
    quintptr player = 0;
    uint64_t playerDuration = 0;
    uint64_t startShown = 0;
    uint64_t endShown = 0;
    const VoVideoConvertItem *shownItem = nullptr;
    bool cutToolEnabled = false;
    uint64_t timelineTotal = 0;
    bool operator==(const WorkSeen &o) const
    {
        return items == o.items && player == o.player && playerDuration == o.playerDuration
            && startShown == o.startShown && endShown == o.endShown && shownItem == o.shownItem
            && cutToolEnabled == o.cutToolEnabled && timelineTotal == o.timelineTotal;
    }
};

std::ostream &operator<<(std::ostream &os, const WorkSeen &s)
{
    return os << s.items.join(" | ").toStdString() << " player " << s.player << " (" << s.playerDuration
              << ") shown " << s.startShown << "-" << s.endShown << " enabled " << s.cutToolEnabled << " total "
              << s.timelineTotal;
}

WorkSeen workSeen(MainWindow &w)
{
    WorkSeen s;
    for (int i = 0; i < itemCount(); ++i) {
        const VoVideoConvertItem *item = VoVideoConvertManager::instance()->itemAt(i);
        s.items << QStringLiteral("%1 %2-%3").arg(item->m_videoPath).arg(item->m_TrimStartTime).arg(item->m_TrimEndTime);
    }
    s.player = quintptr(w.playerPanel()->player());
    s.playerDuration = w.playerPanel()->duration();
    s.startShown = w.cutTool()->startTimeEdit()->time();
    s.endShown = w.cutTool()->endTimeEdit()->time();
    s.shownItem = w.cutTool()->currentItem();
    s.cutToolEnabled = w.cutTool()->endTimeEdit()->isEnabled();
    s.timelineTotal = w.segmentManager()->timeLine()->total();
    return s;
}

QAbstractButton *button(QWidget *panel, const char *name)
{
    auto *b = panel->findChild<QAbstractButton *>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

// Moves the play position the way the timeline does and waits for the player.
void seekTo(MainWindow &w, double seconds)
{
    QSignalSpy pro(w.playerPanel(), &QVideoPlayDlg::emitPlayProValue);
    emit w.segmentManager()->sendPlayProToPlay(uint64_t(seconds * 1e6));
    EXPECT_TRUE(waitUntil([&] { return pro.count() > 0; }, 5000));
}

} // namespace

TEST(MainWindowImport, AFailedOpenLeavesTheWorkAsItWasAndSaysWhichFileAndWhy)
{
    QTemporaryDir dir;
    MainWindow w;
    w.show();
    MessageWatcher messages;
    ASSERT_TRUE(importThroughSignal(w, {fixture("long_h264_aac.mp4")}));
    ASSERT_EQ(itemCount(), 1);
    // Pause, mark 3-8 s on the first segment and add a second one.
    ASSERT_TRUE(waitUntil([&] { return !w.playerPanel()->isPaused(); }));
    QTest::mouseClick(button(w.playerPanel(), "m_btnPause"), Qt::LeftButton);
    ASSERT_TRUE(w.playerPanel()->isPaused());
    seekTo(w, 8);
    QTest::mouseClick(button(w.cutTool(), "m_btnEndSet"), Qt::LeftButton);
    seekTo(w, 3);
    QTest::mouseClick(button(w.cutTool(), "m_btnStartSet"), Qt::LeftButton);
    QTest::mouseClick(button(w.segmentManager(), "m_btnAddItem"), Qt::LeftButton);
    ASSERT_TRUE(marksLanded(w));
    ASSERT_EQ(itemCount(), 2);
    const VoVideoConvertItem *first = VoVideoConvertManager::instance()->itemAt(0);
    EXPECT_NEAR(first->m_TrimStartTime / 1e6, 3, 0.05);
    EXPECT_NEAR(first->m_TrimEndTime / 1e6, 8, 0.05);
    const WorkSeen before = workSeen(w);
    ASSERT_NE(before.player, 0u);
    ASSERT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();

    // Each damaged file, with a word of the reason the user must see.
    struct Damaged {
        QString path;
        QString reason;
    };
    const QList<Damaged> damaged{
        {fixture("empty.mp4"), "empty"},
        {fixture("not_media.mp4"), "no known media format"},
        {fixture("random_bytes.mp4"), "no known media format"},
        {fixture("truncated_noindex.mp4"), "no index"},
        {fixture("subtitle_only.mkv"), "no audio or video stream"},
        {copyAs(dir, fixture("h264_aac.mp4"), "book.aax"), "audiobook"},
    };
    bool viaDialog = true;
    for (const Damaged &d : damaged) {
        SCOPED_TRACE(d.path.toStdString());
        messages.texts.clear();
        if (viaDialog) {
            // The first through the open-file dialog of the Add File button.
            viaDialog = false;
            QTimer::singleShot(0, [&] {
                QFileDialog *dialog = nullptr;
                ASSERT_TRUE(waitUntil([&] { return (dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())); }));
                dialog->selectFile(d.path);
                QMetaObject::invokeMethod(dialog, "accept");
            });
            QTest::mouseClick(button(w.cutTool(), "m_btnAddFile"), Qt::LeftButton);
        } else {
            drop(w, {QUrl::fromLocalFile(d.path)});
        }
        settle(w);
        ASSERT_TRUE(waitUntil([&] { return messages.texts.size() == 1; }));
        // The work first: it is what a failed open must not lose.
        EXPECT_EQ(workSeen(w), before);
        const QStringList lines = messages.texts.first().split('\n');
        EXPECT_EQ(lines.size(), 4) << messages.texts.first().toStdString();
        EXPECT_EQ(lines.value(0), kOpenFailed);
        EXPECT_EQ(lines.value(1), "");
        EXPECT_EQ(lines.value(2), QFileInfo(d.path).fileName());
        EXPECT_TRUE(lines.value(3).contains(d.reason, Qt::CaseInsensitive)) << lines.value(3).toStdString();
    }

    // The work goes on: the old player still plays, and the next good file
    // replaces it all.
    QTest::mouseClick(button(w.playerPanel(), "m_btnPlay"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] {
        return !w.playerPanel()->isPaused() && Player_GetPosition(w.playerPanel()->player()) > 3100000;
    }));
    ASSERT_TRUE(importThroughSignal(w, {fixture("h264_aac.mp4")}));
    ASSERT_EQ(itemCount(), 1);
    EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(0)->m_videoPath, fixture("h264_aac.mp4"));
    EXPECT_NEAR(w.playerPanel()->duration() / 1e6, 5, 0.1);
}

TEST(MainWindowImport, AFileFromALaterStartOpensInTheWindowBroughtBack)
{
    QTemporaryDir dir;
    const QString a = copyAs(dir, fixture("h264_aac.mp4"), "a.mp4");
    const QString b = copyAs(dir, fixture("long_h264_aac.mp4"), "b.mp4");
    MainWindow w;
    w.show();
    MessageWatcher messages;

    // Hidden in the tray: the window comes back and opens the file.
    w.hide();
    w.openHandedOverFiles({a});
    EXPECT_TRUE(w.isVisible());
    settle(w);
    ASSERT_EQ(itemCount(), 1);
    EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(0)->m_videoPath, a);

    // While a dialog of the window is open, the file waits for it to close.
    QVoMessageBox *question = new QVoMessageBox(&w);
    question->setMessage("Question?");
    question->setAttribute(Qt::WA_DeleteOnClose);
    question->open();
    w.showMinimized();
    w.openHandedOverFiles({b});
    EXPECT_FALSE(w.isMinimized());
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(0)->m_videoPath, a);
    question->close();
    ASSERT_TRUE(waitUntil([] {
        return itemCount() == 1 && VoVideoConvertManager::instance()->itemAt(0)->m_videoPath.endsWith("b.mp4");
    }));
    settle(w);

    // While converting it is not opened, and the user is told.
    w.IsStartToConverter(true);
    w.openHandedOverFiles({a});
    EXPECT_TRUE(waitUntil([&] { return messages.texts.size() == 1; }));
    EXPECT_TRUE(messages.texts.value(0).startsWith("a.mp4 was not opened")) << messages.texts.join('|').toStdString();
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(w.isImporting());
    EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(0)->m_videoPath, b);
    w.IsStartToConverter(false);
}
