// "Apply Segments To Other Files…" as a user works it: segments marked on
// one file, the menu entry, the files chosen in the file dialog, the run's
// window to its end (or its Stop). ffprobe judges what was written.
#include "BatchApplyDlg.h"
#include "ConfigState.h"
#include "MainWindowHelpers.h"
#include "MediaProbe.h"
#include "ParserXML.h"
#include "ProgramMenu.h"
#include "QImageButton.h"
#include "QTextImageButton.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"
#include "SaveSubtitlesDlg.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QAbstractItemView>
#include <QComboBox>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>

using testsupport::fixture;

namespace {

QStringList filesUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

QStringList rowsOf(const QListWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

class MainWindowBatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ParserXML::readItemValue("OutPut_path", "path_value", "");
        ParserXML::writeItemValue("OutPut_path", "path_value", root.path() + "/");
    }

    QString chosenCopy(const QString &source, const QString &name)
    {
        const QString path = chosen.filePath(name);
        EXPECT_TRUE(QFile::copy(fixture(source), path)) << path.toStdString();
        return path;
    }

    void seek(MainWindow &w, double seconds)
    {
        QSignalSpy pro(w.playerPanel(), &QVideoPlayDlg::emitPlayProValue);
        emit w.segmentManager()->sendPlayProToPlay(uint64_t(seconds * 1e6));
        ASSERT_TRUE(waitUntil([&] { return pro.count() > 0; }, 5000));
    }

    // Opens the 20-second file, paused, and marks the segments with the
    // keys: end first, then start.
    void openAndMark(MainWindow &w, const QVector<QPair<double, double>> &ranges)
    {
        ASSERT_TRUE(importThroughSignal(w, {fixture("long_h264_aac.mp4")}));
        ASSERT_EQ(itemCount(), 1);
        ASSERT_TRUE(waitUntil([&] { return !w.playerPanel()->isPaused(); }));
        QTest::keyClick(&w, Qt::Key_Space);
        for (int i = 0; i < ranges.size(); ++i) {
            if (i > 0) {
                QTest::keyClick(&w, Qt::Key_Insert);
                ASSERT_EQ(itemCount(), i + 1);
            }
            // Each mark lands with the picture it was made on.
            seek(w, ranges[i].second);
            QTest::keyClick(&w, Qt::Key_O);
            ASSERT_TRUE(marksLanded(w));
            seek(w, ranges[i].first);
            QTest::keyClick(&w, Qt::Key_I);
            ASSERT_TRUE(marksLanded(w));
            EXPECT_NEAR(w.cutTool()->currentItem()->m_TrimStartTime / 1e6, ranges[i].first, 0.05);
            EXPECT_NEAR(w.cutTool()->currentItem()->m_TrimEndTime / 1e6, ranges[i].second, 0.05);
        }
        ASSERT_EQ(itemCount(), ranges.size());
    }

    // Opens the program menu with its title button and clicks the entry;
    // the file dialog gets `names` (in the chosen folder), then `during`
    // runs on the batch window, which is closed with its Close button once
    // the run has ended.
    void applyThroughMenu(MainWindow &w, const QStringList &names, const std::function<void(BatchApplyDlg *)> &during)
    {
        bool answered = false;
        bool handled = false;
        auto *menuButton = w.findChild<QImageButton *>("m_btnMenu");
        ASSERT_NE(menuButton, nullptr);
        QTest::mouseClick(menuButton, Qt::LeftButton, Qt::NoModifier, QPoint(6, menuButton->height() / 2));
        ProgramMenu *menu = w.programMenu();
        ASSERT_TRUE(waitUntil([&] { return menu->isVisible(); }, 5000));
        // Answered from inside the file dialog's loop, as it comes up.
        QTimer::singleShot(0, &w, [&] {
            QFileDialog *files = nullptr;
            ASSERT_TRUE(waitUntil([&] { return (files = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())); }));
            EXPECT_EQ(files->fileMode(), QFileDialog::ExistingFiles);
            files->setDirectory(chosen.path());
            QStringList quoted;
            for (const QString &n : names)
                quoted << QLatin1Char('"') + n + QLatin1Char('"');
            auto *edit = files->findChild<QLineEdit *>("fileNameEdit");
            ASSERT_NE(edit, nullptr);
            edit->setText(quoted.join(QLatin1Char(' ')));
            QMetaObject::invokeMethod(files, "accept");
            answered = true;
            // The file dialog's loop ends once this returns; the batch
            // window comes after it.
            QTimer::singleShot(0, &w, [&] {
                BatchApplyDlg *dlg = nullptr;
                waitUntil([&] { return (dlg = qobject_cast<BatchApplyDlg *>(QApplication::activeModalWidget())); });
                if (!dlg)
                    return;
                during(dlg);
                // Whatever failed above, the window is ended so the test does not hang.
                if (!waitUntil([&] { return !dlg->isRunning(); }, 120000))
                    QTest::mouseClick(dlg->stopButton(), Qt::LeftButton);
                EXPECT_TRUE(waitUntil([&] { return !dlg->isRunning(); }, 10000));
                EXPECT_FALSE(dlg->stopButton()->isEnabled());
                EXPECT_TRUE(dlg->closeButton()->isEnabled());
                rows = rowsOf(dlg->resultList());
                summary = dlg->findChild<QLabel *>("m_labSummary")->text() + " | "
                    + dlg->findChild<QLabel *>("m_labFile")->text();
                QTest::mouseClick(dlg->closeButton(), Qt::LeftButton);
                handled = true;
            });
        });
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(menu->actApplySegments()).center());
        EXPECT_TRUE(answered);
        EXPECT_TRUE(handled);
    }

    QTemporaryDir root;   // the output folder
    QTemporaryDir chosen; // the files the user applies the segments to
    QStringList rows;
    QString summary;
};

} // namespace

TEST_F(MainWindowBatch, TheSegmentsAreWrittenForEveryChosenFileAndTheDamagedOneIsNamedWithItsReason)
{
    MessageWatcher messages;
    chosenCopy("h264_aac.mp4", "short.mp4");    // 5 s: the second segment runs past its end
    chosenCopy("gop_h264.mp4", "long.mp4");     // 24 s: both segments whole
    chosenCopy("not_media.mp4", "damaged.mp4"); // no media in it
    {
        MainWindow w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        ASSERT_NO_FATAL_FAILURE(openAndMark(w, {{1, 3}, {4, 8}}));
        int peak = 0;
        // The window's naming state belongs to its own file throughout: the
        // batch names its outputs from run descriptions of its own.
        const ConfigState &state = ConfigState::instance();
        const QStringList naming{state.sourceName(), state.outputDir(), state.converterPath()};
        QStringList seenNaming;
        applyThroughMenu(w, {"short.mp4", "damaged.mp4", "long.mp4"}, [&](BatchApplyDlg *dlg) {
            // The progress is the whole run's: it climbs while files go by.
            waitUntil([&] {
                peak = qMax(peak, dlg->progress());
                const QStringList now{state.sourceName(), state.outputDir(), state.converterPath()};
                if (now != naming && seenNaming.isEmpty())
                    seenNaming = now;
                return !dlg->isRunning();
            }, 120000);
        });
        EXPECT_EQ(peak, 100);
        EXPECT_EQ(naming[0], "long_h264_aac.mp4");
        EXPECT_TRUE(seenNaming.isEmpty()) << seenNaming.join(" | ").toStdString();
        EXPECT_EQ((QStringList{state.sourceName(), state.outputDir(), state.converterPath()}), naming);

        ASSERT_EQ(rows.size(), 3) << rows.join('\n').toStdString();
        EXPECT_TRUE(rows[0].startsWith("short.mp4 — 2 files written")) << rows[0].toStdString();
        // The clipped segment is named with where the file ends.
        EXPECT_TRUE(rows[0].contains("Segment 2 (0:00:04.0-0:00:08.0) ends past the end of the file (0:00:05.0)"))
            << rows[0].toStdString();
        EXPECT_TRUE(rows[1].startsWith("damaged.mp4 — failed: ")) << rows[1].toStdString();
        std::cout << "damaged file's row: " << rows[1].toStdString() << std::endl;
        EXPECT_GT(rows[1].size(), QString("damaged.mp4 — failed: ").size() + 5) << rows[1].toStdString();
        EXPECT_TRUE(rows[2].startsWith("long.mp4 — 2 files written")) << rows[2].toStdString();
        EXPECT_FALSE(rows[2].contains("Segment")) << rows[2].toStdString();
        EXPECT_EQ(summary, "2 segments for each file | Done: 1 of 3 files failed.");
        // The window's own segments are untouched.
        ASSERT_EQ(itemCount(), 2);
        EXPECT_NEAR(VoVideoConvertManager::instance()->itemAt(1)->m_TrimStartTime / 1e6, 4, 0.05);
        EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(1)->m_videoPath, fixture("long_h264_aac.mp4"));
    }
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();

    // Each file's segments under the window's naming rule, a folder per
    // source; nothing for the damaged file.
    const QStringList out = filesUnder(root.path());
    ASSERT_EQ(out.size(), 4) << out.join(' ').toStdString();
    QStringList shortOut, longOut;
    for (const QString &f : out) {
        const QString name = QFileInfo(f).fileName();
        EXPECT_FALSE(name.contains("damaged")) << f.toStdString();
        (name.startsWith("short") ? shortOut : longOut) << f;
    }
    const QVector<double> shortWanted{2, 1}, longWanted{2, 4};
    ASSERT_EQ(shortOut.size(), 2);
    ASSERT_EQ(longOut.size(), 2);
    for (int i = 0; i < 2; ++i) {
        for (const auto &[file, wanted] : {std::make_pair(shortOut[i], shortWanted[i]), std::make_pair(longOut[i], longWanted[i])}) {
            SCOPED_TRACE(file.toStdString());
            const Probe p = probeFile(file);
            ASSERT_TRUE(p.ok);
            EXPECT_NEAR(p.duration, wanted, 0.1);
            EXPECT_EQ(p.count("video"), 1);
        }
    }
}

// A file whose second segment lies past its end fails, but its first
// segment is written: the row names that output, so nobody makes it again.
TEST_F(MainWindowBatch, AFailedFileNamesTheOutputsItWroteBeforeFailing)
{
    MessageWatcher messages;
    chosenCopy("h264_aac.mp4", "short.mp4"); // 5 s: the second segment starts past its end
    {
        MainWindow w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        ASSERT_NO_FATAL_FAILURE(openAndMark(w, {{1, 3}, {6, 8}}));
        applyThroughMenu(w, {"short.mp4"}, [&](BatchApplyDlg *dlg) {
            waitUntil([&] { return !dlg->isRunning(); }, 120000);
        });
    }
    const QStringList out = filesUnder(root.path());
    ASSERT_EQ(out.size(), 1) << out.join(' ').toStdString();
    const Probe p = probeFile(out[0]);
    ASSERT_TRUE(p.ok);
    EXPECT_NEAR(p.duration, 2, 0.1);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_TRUE(rows[0].startsWith("short.mp4 — failed: Segment 2 (0:00:06.0-0:00:08.0) starts past the end"))
        << rows[0].toStdString();
    EXPECT_TRUE(rows[0].contains("Written: " + QFileInfo(out[0]).fileName() + ".")) << rows[0].toStdString();
    EXPECT_EQ(summary, "2 segments for each file | Done: 1 of 1 files failed.");
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();
}

TEST_F(MainWindowBatch, StopEndsTheRunSoonAndLeavesNothingHalfWritten)
{
    MessageWatcher messages;
    chosenCopy("gop_h264.mp4", "first.mp4");
    chosenCopy("gop_h264.mp4", "second.mp4");
    {
        MainWindow w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        // The whole 20 s, re-encoded: long enough to stop in the middle.
        ASSERT_NO_FATAL_FAILURE(openAndMark(w, {{0, 20}}));
        qint64 stoppedInMs = -1;
        applyThroughMenu(w, {"first.mp4", "second.mp4"}, [&](BatchApplyDlg *dlg) {
            ASSERT_TRUE(waitUntil([&] { return dlg->progress() > 2; }, 60000));
            ASSERT_LT(dlg->progress(), 50) << "the first file ended before it could be stopped";
            QElapsedTimer clock;
            clock.start();
            QTest::mouseClick(dlg->stopButton(), Qt::LeftButton);
            ASSERT_TRUE(waitUntil([&] { return !dlg->isRunning(); }, 10000));
            stoppedInMs = clock.elapsed();
        });
        EXPECT_GE(stoppedInMs, 0);
        EXPECT_LT(stoppedInMs, 3000);
        ASSERT_EQ(rows.size(), 1) << rows.join('\n').toStdString();
        EXPECT_TRUE(rows[0].startsWith("first.mp4 — stopped")) << rows[0].toStdString();
        EXPECT_TRUE(summary.contains("Stopped: 0 of 2 files done")) << summary.toStdString();
    }
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();
    EXPECT_TRUE(filesUnder(root.path()).isEmpty()) << filesUnder(root.path()).join(' ').toStdString();
}

// "Save Subtitles…" from the program menu on a file with an English SubRip
// stream: the stream is listed with its language, Save writes it into the
// output folder as the ffmpeg CLI reads it, a second save as ASS leaves the
// first file alone, and Close closes the window.
TEST_F(MainWindowBatch, SaveSubtitlesWritesTheStreamsIntoTheOutputFolder)
{
    MessageWatcher messages;
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_TRUE(importThroughSignal(w, {fixture("two_audio_subs.mkv")}));
    ASSERT_EQ(itemCount(), 1);
    auto *menuButton = w.findChild<QImageButton *>("m_btnMenu");
    ASSERT_NE(menuButton, nullptr);
    QTest::mouseClick(menuButton, Qt::LeftButton, Qt::NoModifier, QPoint(6, menuButton->height() / 2));
    ProgramMenu *menu = w.programMenu();
    ASSERT_TRUE(waitUntil([&] { return menu->isVisible(); }, 5000));
    ASSERT_TRUE(menu->actSaveSubtitles()->isEnabled());
    QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(menu->actSaveSubtitles()).center());
    SaveSubtitlesDlg *dlg = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (dlg = w.findChild<SaveSubtitlesDlg *>()) && dlg->isVisible(); }));
    QPointer<SaveSubtitlesDlg> guard(dlg);
    ASSERT_TRUE(waitUntil([&] { return dlg->saveButton()->isEnabled(); }));
    ASSERT_EQ(dlg->streamList()->count(), 1);
    EXPECT_TRUE(dlg->streamList()->item(0)->text().contains("English")) << dlg->streamList()->item(0)->text().toStdString();

    QSignalSpy saved(dlg, &SaveSubtitlesDlg::saved);
    QTest::mouseClick(dlg->saveButton(), Qt::LeftButton);
    ASSERT_TRUE(saved.wait(20000));
    EXPECT_EQ(saved.takeFirst(), (QVariantList{1, 0}));
    const QString srt = QDir(root.path()).filePath("two_audio_subs.3.eng.srt");
    QFile ours(srt);
    ASSERT_TRUE(ours.open(QIODevice::ReadOnly)) << filesUnder(root.path()).join('\n').toStdString();
    const auto theirs = testsupport::runProcess(
        "ffmpeg", {"-nostdin", "-v", "error", "-i", fixture("two_audio_subs.mkv"), "-map", "0:3", "-f", "srt", "-"});
    EXPECT_EQ(ours.readAll(), theirs.out);
    EXPECT_EQ(dlg->statusLabel()->text(), "Saved 1 file.");

    // ASS, and the SRT already there stays as it is.
    QComboBox *format = dlg->formatBox();
    QTest::mouseClick(format, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return format->view()->isVisible(); }, 5000));
    // In the open list: one row down, Enter.
    QTest::keyClick(format->view(), Qt::Key_Down);
    QTest::keyClick(format->view(), Qt::Key_Return);
    ASSERT_TRUE(waitUntil([&] { return format->currentText() == "ASS" && !format->view()->isVisible(); }, 5000));
    QTest::mouseClick(dlg->saveButton(), Qt::LeftButton);
    ASSERT_TRUE(saved.wait(20000));
    const QString ass = QDir(root.path()).filePath("two_audio_subs.3.eng.ass");
    EXPECT_EQ(probeFile(ass).formatName, "ass");
    EXPECT_TRUE(QFile::exists(srt));

    QTest::mouseClick(dlg->closeButton(), Qt::LeftButton);
    EXPECT_TRUE(waitUntil([&] { return guard.isNull(); }));
}
