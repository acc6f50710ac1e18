// The editing dialog's loading step: what it reads from the file reaches the
// dialog, and a dialog closed or destroyed while its file has not answered
// yet neither waits for the file nor touches anything afterwards.
#include "EditLoadWorker.h"
#include "QTrimOperationForm.h"
#include "QVideoEditingDlg.h"
#include "QVideoEditingSettings.h"
#include "QWaitForDlg.h"
#include "TestSupport.h"
#include "VoPlayerManager.h"
#include "orlcodec.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <condition_variable>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using testsupport::fixture;

namespace {

// Runs an action once, on the interface thread inside the wait's own loop,
// as soon as the loading wait of an editing dialog shows.
class OnLoadingWait : public QObject {
public:
    explicit OnLoadingWait(std::function<void(QWaitForDlg *)> action) : m_action(std::move(action))
    {
        qApp->installEventFilter(this);
    }
    bool seen() const { return m_seen; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *wait = qobject_cast<QWaitForDlg *>(watched);
        if (wait && event->type() == QEvent::Show && !m_seen) {
            m_seen = true;
            // Queued: a window closed inside its own show never ends its loop.
            QPointer<QWaitForDlg> guarded(wait);
            QTimer::singleShot(0, this, [this, guarded] {
                if (guarded)
                    m_action(guarded);
            });
        }
        return false;
    }

private:
    std::function<void(QWaitForDlg *)> m_action;
    bool m_seen = false;
};

// A named pipe nobody writes to: a source that does not answer. Opening it
// for writing and closing it again lets a reader see its end.
class SilentSource {
public:
    explicit SilentSource(const QTemporaryDir &dir, const QString &name) : m_path(dir.filePath(name))
    {
        EXPECT_EQ(::mkfifo(m_path.toLocal8Bit().constData(), 0600), 0);
    }
    QString path() const { return m_path; }
    // True once this process holds the pipe open: the loader is inside the
    // file's open and waits for it to answer.
    bool isBeingRead() const
    {
        const QString target = QFileInfo(m_path).canonicalFilePath();
        for (const QFileInfo &fd : QDir("/proc/self/fd").entryInfoList(QDir::System | QDir::NoDotAndDotDot))
            if (fd.symLinkTarget() == target)
                return true;
        return false;
    }
    void hangUp() const
    {
        const int fd = ::open(m_path.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    }

private:
    QString m_path;
};

// Hangs the source up after a while unless disarmed first: a step that
// blocks on the source then ends late and fails its timing check instead
// of hanging the test run.
class Watchdog {
public:
    Watchdog(const SilentSource &source, std::chrono::milliseconds after)
        : m_thread([this, &source, after] {
              std::unique_lock<std::mutex> lock(m_mutex);
              if (!m_cond.wait_for(lock, after, [this] { return m_disarmed; }))
                  source.hangUp();
          })
    {
    }
    ~Watchdog() { disarm(); }
    void disarm()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_disarmed = true;
        }
        m_cond.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cond;
    bool m_disarmed = false;
    std::thread m_thread;
};

QVideoEditingDlg *showDialog(const QString &file, const VEEditConfig &config = VEEditConfig())
{
    auto *dlg = new QVideoEditingDlg;
    dlg->setMediaSource(file, 0, 0);
    dlg->setInitialConfig(config);
    dlg->setBoundToTrim(true);
    dlg->show();
    return dlg;
}

} // namespace

TEST(EditingLoadTest, TheFilesTagsChaptersAndSizeReachTheDialogAndPlaybackStarts)
{
    std::unique_ptr<QVideoEditingDlg> dlg(showDialog(fixture("chapters_cover.mp4")));
    QTRY_VERIFY_WITH_TIMEOUT(dlg->isLoaded(), 10000);
    EXPECT_FALSE(dlg->isLoading());
    const VEEditConfig c = dlg->settings()->config();
    EXPECT_EQ(c.displayWidth, 320);
    EXPECT_EQ(c.displayHeight, 240);
    EXPECT_EQ(c.tags.title, "Chaptered");
    EXPECT_EQ(c.tags.artist, "Test Artist");
    EXPECT_GT(c.tags.coverSize, 0); // the attached picture
    // Entry 0 is the whole file, then the file's three chapters.
    ASSERT_EQ(c.chapters.size(), 4u);
    EXPECT_EQ(c.chapters[2].start, 2000000u);
    EXPECT_NE(c.chapters[3].label.find("Ending"), std::string::npos);
    EXPECT_EQ(dlg->trimForm()->chapterCombo()->count(), 4);
    QTRY_VERIFY_WITH_TIMEOUT(!Player_IsPaused(dlg->player()->handle()), 5000);

    // Tags and chapters the item already carries are its own: the file's
    // do not replace them.
    VEEditConfig own;
    own.tags.tagFlag = 1;
    own.tags.title = "Mine";
    ChapterEntry whole;
    whole.end = whole.length = 6000000;
    whole.name = whole.label = "Whole";
    own.chapters = {whole, whole};
    std::unique_ptr<QVideoEditingDlg> again(showDialog(fixture("chapters_cover.mp4"), own));
    QTRY_VERIFY_WITH_TIMEOUT(again->isLoaded(), 10000);
    EXPECT_EQ(again->settings()->config().tags.title, "Mine");
    EXPECT_EQ(again->settings()->config().chapters.size(), 2u);
}

TEST(EditingLoadTest, ClosedWhileTheFileDoesNotAnswerTheDialogGoesAtOnceAndTheLoaderAfter)
{
    QTemporaryDir dir;
    const SilentSource source(dir, "stalled.mp4");
    QPointer<QVideoEditingDlg> dlg(showDialog(source.path()));
    QPointer<EditLoadWorker> loader(dlg->findChild<EditLoadWorker *>());
    ASSERT_TRUE(loader);
    bool escapeKeptTheWait = false;
    OnLoadingWait onWait([&](QWaitForDlg *wait) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return source.isBeingRead(); }, 10000));
        // Escape while loading neither ends the wait nor closes the dialog.
        QTest::keyClick(wait, Qt::Key_Escape);
        escapeKeptTheWait = wait->isVisible() && dlg->isVisible() && dlg->isLoading();
        // The desktop closes the dialog.
        dlg->close();
    });
    QTRY_VERIFY_WITH_TIMEOUT(onWait.seen() && !dlg->isVisible(), 10000);
    QTRY_VERIFY(!dlg->isLoading());
    EXPECT_TRUE(escapeKeptTheWait);
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_FALSE(dlg->isLoaded());
    EXPECT_FALSE(dlg->player()->hasPlayer());

    // The source still has not answered: the dialog goes without waiting.
    Watchdog watchdog(source, std::chrono::seconds(5));
    QElapsedTimer clock;
    clock.start();
    delete dlg.data();
    EXPECT_LT(clock.elapsed(), 2000);
    watchdog.disarm();
    ASSERT_TRUE(loader) << "the loader ended early: the source did not stall it";
    source.hangUp();
    QTRY_VERIFY_WITH_TIMEOUT(loader.isNull(), 10000);
}

TEST(EditingLoadTest, DestroyedDuringTheWaitTheDialogLeavesNothingRunning)
{
    // The dialog's owner goes (the main window closing) while the wait runs.
    QTemporaryDir dir;
    const SilentSource source(dir, "stalled.mkv");
    QPointer<QVideoEditingDlg> dlg(showDialog(source.path()));
    QPointer<EditLoadWorker> loader(dlg->findChild<EditLoadWorker *>());
    Watchdog watchdog(source, std::chrono::seconds(5));
    qint64 destroyedIn = -1;
    OnLoadingWait onWait([&](QWaitForDlg *) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return source.isBeingRead(); }, 10000));
        QElapsedTimer clock;
        clock.start();
        delete dlg.data();
        destroyedIn = clock.elapsed();
    });
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isNull(), 10000);
    watchdog.disarm();
    EXPECT_GE(destroyedIn, 0);
    EXPECT_LT(destroyedIn, 2000);
    ASSERT_TRUE(loader);
    source.hangUp();
    QTRY_VERIFY_WITH_TIMEOUT(loader.isNull(), 10000);

    // A file that answers at once, closed while its result is on its way:
    // whichever comes first, a closed dialog never plays.
    QPointer<QVideoEditingDlg> quick(showDialog(fixture("h264_aac.mp4")));
    OnLoadingWait onQuickWait([&](QWaitForDlg *) { quick->close(); });
    QTRY_VERIFY_WITH_TIMEOUT(onQuickWait.seen() && !quick->isVisible() && !quick->isLoading(), 10000);
    if (!quick->isLoaded()) {
        EXPECT_FALSE(quick->player()->hasPlayer());
    }
    delete quick.data();
}
