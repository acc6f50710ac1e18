// File import into the real main window: refused names, drops, Stop during
// a list, the folder the open-file dialog remembers across restarts, and
// files handed over by a later start of the program.
#include "AddFileThread.h"
#include "MainWindowHelpers.h"
#include "ParserXML.h"
#include "QPlayObject.h"
#include "QTextImageButton.h"
#include "QVideoPlayDlg.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

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
        EXPECT_EQ(messages.texts, QStringList{kOpenFailed}) << path.toStdString();
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
    EXPECT_EQ(messages.texts, QStringList{kOpenFailed});
    EXPECT_EQ(itemCount(), 0);

    // A location that is not a local file fails like an unreadable one.
    messages.texts.clear();
    drop(w, {QUrl("smb://server/share/clip.mp4")});
    settle(w);
    EXPECT_TRUE(waitUntil([&] { return messages.texts.size() == 1; }));
    EXPECT_EQ(messages.texts, QStringList{kOpenFailed});

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
