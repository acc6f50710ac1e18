// The key-frame scanner as the cut tool uses it: asked on the interface
// thread, answered with a queued signal, stopped by a newer request.
#include "TestSupport.h"
#include "VoKeyFrameScanner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace testsupport;

namespace {

TEST(KeyFrameScanner, AnswersTheNewestRequestAndTellsWhereAKeyFrameCutStarts)
{
    qRegisterMetaType<QVector<quint64>>("QVector<quint64>");
    VoKeyFrameScanner scanner;
    QSignalSpy spy(&scanner, &VoKeyFrameScanner::sendKeyFrames);
    // The first request is overtaken by the second: only the second answers.
    scanner.request(fixture("long_h264_aac.mp4"));
    scanner.request(fixture("gop_h264.ts"));
    ASSERT_TRUE(spy.wait(20000));
    QCoreApplication::processEvents();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), fixture("gop_h264.ts"));
    const auto keys = spy.at(0).at(1).value<QVector<quint64>>();
    ASSERT_EQ(keys.size(), 5);
    // The transport stream's sound starts 23 ms before its first picture.
    const quint64 expected[] = {23000, 3223000, 10423000, 12823000, 20023000};
    for (int i = 0; i < 5; ++i)
        EXPECT_NEAR(double(keys[i]), double(expected[i]), 1500.0) << i;

    EXPECT_EQ(VoKeyFrameScanner::startHint(keys, 5000000), QString("starts at 0:00:03.223, key frame"));
    EXPECT_EQ(VoKeyFrameScanner::startHint(keys, keys[2]), QString());
    EXPECT_EQ(VoKeyFrameScanner::keyFrameCutStart(keys, 11000000), keys[2]);
    EXPECT_EQ(VoKeyFrameScanner::keyFrameCutStart(keys, 0), 0u); // before the first key frame
    EXPECT_EQ(VoKeyFrameScanner::startHint({}, 7000000), QString());

    // A cancelled request sends nothing, and a file without video answers empty.
    spy.clear();
    scanner.request(fixture("gop_hevc_open.ts"));
    scanner.cancel();
    QCoreApplication::processEvents();
    EXPECT_EQ(spy.count(), 0);
    scanner.request(fixture("tone.mp3"));
    ASSERT_TRUE(spy.wait(20000));
    EXPECT_TRUE(spy.at(0).at(1).value<QVector<quint64>>().isEmpty());
}

TEST(KeyFrameScanner, ACancelEndsASearchWhoseFileIsStillOpening)
{
    // A pipe whose writer is there but sends nothing: the open waits for
    // bytes, as on a stalled network share.
    QTemporaryDir dir;
    const QString pipe = dir.filePath("stalled.mp4");
    ASSERT_EQ(::mkfifo(pipe.toUtf8().constData(), 0600), 0);
    QProcess writer;
    writer.start("sh", {"-c", "exec 3>\"$0\"; touch \"$0.opened\"; exec sleep 60", pipe});
    ASSERT_TRUE(writer.waitForStarted());

    VoKeyFrameScanner scanner;
    QSignalSpy spy(&scanner, &VoKeyFrameScanner::sendKeyFrames);
    scanner.request(pipe);
    // The writer's open returns once the scanner has opened the pipe.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(pipe + ".opened"), 10000);
    QElapsedTimer t;
    t.start();
    scanner.cancel();
    EXPECT_LT(t.elapsed(), 2000) << "the cancel waited for the open";
    QCoreApplication::processEvents();
    EXPECT_EQ(spy.count(), 0);
    writer.kill();
    writer.waitForFinished();
}

} // namespace
