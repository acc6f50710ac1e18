// The conversion manager over real items: progress shares, finish counts,
// merging, cancelling, failures and the shutdown step; and the command line
// driver of the same path.
#include "ConfigState.h"
#include "MediaProbe.h"
#include "OutputFormatParams.h"
#include "OutputNaming.h"
#include "ParserXML.h"
#include "QConverterObject.h"
#include "SystemCommand.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QMap>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using testsupport::fixture;

namespace {

struct ManagerRun {
    QVector<int> progress;
    int finishCount = 0;
    int failures = 0;
    int successes = 0;
    QVector<bool> startStates;
};

class ConversionManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path() + "/";
        ConfigState::instance().setConverterPath(m_root);
        ConfigState::instance().setConvertedCount(0);
        OutputFormatParams &p = OutputFormatParams::instance();
        p.lossless = true;
        p.container = "Original";
        p.extension.clear();
        p.videoCodecId = 0;
        p.audioCodecId = 0;
        VoVideoConvertManager::instance()->clear();
        m_commands.clear();
        setCommandRunner([this](const QString &program, const QStringList &args) {
            m_commands << program + " " + args.join(' ');
        });
    }

    void TearDown() override
    {
        VoVideoConvertManager::instance()->clear();
        setCommandRunner(nullptr);
    }

    // Items of file, one per range (seconds).
    void addItems(const QString &file, const QVector<QPair<double, double>> &ranges)
    {
        VoVideoConvertItem source;
        ASSERT_TRUE(source.open(file));
        for (const auto &r : ranges) {
            VoVideoConvertItem *item = source.clone();
            item->m_TrimStartTime = static_cast<uint64_t>(r.first * 1e6);
            item->m_TrimEndTime = static_cast<uint64_t>(r.second * 1e6);
            item->applyOutputFormat(OutputFormatParams::instance());
            VoVideoConvertManager::instance()->insert(item, -1);
        }
        setAdjustFileName(source.m_fileSuffix, source.m_videoName);
    }

    // Runs the manager until it reports the end (and a moment longer for
    // late reports); action runs on every overall progress value.
    ManagerRun runManager(bool merge, const std::function<void(QConverterObject &, int)> &action = {})
    {
        ManagerRun run;
        QConverterObject converter;
        QEventLoop loop;
        QObject::connect(&converter, &QConverterObject::emitConvertProToCtrl, [&](int pro) {
            run.progress << pro;
            if (action)
                action(converter, pro);
        });
        QObject::connect(&converter, &QConverterObject::emitConvertedFinishCount, [&] { ++run.finishCount; });
        QObject::connect(&converter, &QConverterObject::emitConvertedFinish, [&](bool ok) {
            ++(ok ? run.successes : run.failures);
        });
        // As the window's conversion row does.
        QObject::connect(&converter, &QConverterObject::runCompleted, &powerOffIfChosen);
        QObject::connect(&converter, &QConverterObject::emitIsStartConverter, [&](bool started) {
            run.startStates << started;
            // Whatever the end sends with it is handled before the loop ends.
            if (!started)
                QTimer::singleShot(0, &loop, &QEventLoop::quit);
        });
        QTimer::singleShot(0, &converter, [&] { converter.startConvert(currentWorkRun(merge)); });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
        return run;
    }

    // Bytes of every file under the output root, hidden ones too.
    qint64 writtenBytes() const
    {
        qint64 total = 0;
        QDirIterator it(m_root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            total += it.fileInfo().size();
        }
        return total;
    }

    // Runs cancel once the output has grown past what it held now: the
    // range being written is then the one read from the pipe.
    void cancelOnceWriting(QConverterObject &c, const std::function<void()> &cancel)
    {
        const qint64 before = writtenBytes();
        auto *poll = new QTimer(&c);
        QObject::connect(poll, &QTimer::timeout, &c, [this, poll, before, cancel] {
            if (writtenBytes() > before) {
                poll->stop();
                cancel();
            }
        });
        poll->start(20);
    }

    QStringList outputFiles() const
    {
        QStringList files;
        QDir dir(m_root);
        for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            for (const QString &f : QDir(dir.filePath(sub)).entryList(QDir::Files))
                files << sub + "/" + f;
        return files;
    }

    QTemporaryDir m_dir;
    QString m_root;
    QStringList m_commands;
};

} // namespace

TEST_F(ConversionManagerTest, ThreeItemsShareTheProgressAndCountThreeTimes)
{
    addItems(fixture("long_h264_aac.mp4"), {{1, 3}, {5, 8}, {10, 12}});
    const ManagerRun run = runManager(false);
    EXPECT_EQ(run.finishCount, 3);
    EXPECT_EQ(run.failures, 0);
    ASSERT_FALSE(run.progress.isEmpty());
    EXPECT_EQ(run.progress.last(), 100);
    for (int i = 1; i < run.progress.size(); ++i)
        EXPECT_GE(run.progress[i], run.progress[i - 1]);
    EXPECT_TRUE(run.progress.contains(33));
    EXPECT_TRUE(run.progress.contains(66));
    EXPECT_EQ(outputFiles().join(","), "long_h264_aac/long_h264_aac_1.mp4,long_h264_aac/long_h264_aac_2.mp4,"
                                       "long_h264_aac/long_h264_aac_3.mp4");
    EXPECT_EQ(run.successes, 3);
    EXPECT_EQ(run.startStates.first(), true);
    EXPECT_EQ(run.startStates.last(), false);
    EXPECT_TRUE(m_commands.isEmpty()); // no shutdown asked

    // A second run of the same source numbers on in the same folder.
    const ManagerRun again = runManager(false);
    EXPECT_EQ(again.finishCount, 3);
    EXPECT_TRUE(outputFiles().contains("long_h264_aac/long_h264_aac_6.mp4"));
}

TEST_F(ConversionManagerTest, MergeWritesOneFileAndCountsOnce)
{
    addItems(fixture("long_h264_aac.mp4"), {{1, 3}, {5, 8}, {10, 12}});
    const ManagerRun run = runManager(true);
    EXPECT_EQ(run.finishCount, 1);
    EXPECT_EQ(run.failures, 0);
    EXPECT_EQ(outputFiles().join(","), "long_h264_aac/long_h264_aac_1.mp4");
    const QString merged = m_root + "long_h264_aac/long_h264_aac_1.mp4";
    EXPECT_GT(probeFile(merged).duration, 7.0);
    EXPECT_EQ(decodeErrors(merged), "");
}

TEST_F(ConversionManagerTest, ShutdownOnlyAfterTheLastSuccess)
{
    ParserXML::readItemValue("SHOWDOWN_ITEM", "bIsShowDownComputer", "Y");
    ParserXML::writeItemValue("SHOWDOWN_ITEM", "bIsShowDownComputer", "Y");
    addItems(fixture("long_h264_aac.mp4"), {{1, 2}, {3, 4}});
    runManager(false);
    EXPECT_EQ(m_commands, QStringList{"systemctl poweroff"});

    // A failing run never turns the computer off.
    m_commands.clear();
    VoVideoConvertManager::instance()->clear();
    addItems(fixture("long_h264_aac.mp4"), {{1, 2}});
    VoVideoConvertManager::instance()->itemAt(0)->m_videoPath = m_root + "vanished.mp4";
    const ManagerRun failed = runManager(false);
    EXPECT_EQ(failed.failures, 1);
    EXPECT_TRUE(m_commands.isEmpty());
    ParserXML::writeItemValue("SHOWDOWN_ITEM", "bIsShowDownComputer", "N");
}

TEST_F(ConversionManagerTest, FailingItemLeavesNothingAndStopsTheQueue)
{
    addItems(fixture("long_h264_aac.mp4"), {{1, 2}, {3, 4}, {5, 6}});
    // The second item's source disappears before its turn.
    VoVideoConvertManager::instance()->itemAt(1)->m_videoPath = m_root + "gone.mp4";
    const ManagerRun run = runManager(false);
    EXPECT_EQ(run.finishCount, 1);
    EXPECT_EQ(run.failures, 1);
    EXPECT_EQ(outputFiles().join(","), "long_h264_aac/long_h264_aac_1.mp4");
    EXPECT_EQ(run.startStates.last(), false);
}

TEST_F(ConversionManagerTest, CancelDuringTheSecondItemDeletesItsPartialFile)
{
    // The second item reads from a pipe fed in real time, so the cancel
    // lands while it is being written.
    const QString fifo = m_dir.filePath("live.ts");
    ASSERT_EQ(mkfifo(fifo.toUtf8().constData(), 0600), 0);
    QProcess feeder;
    feeder.start("ffmpeg", {"-nostdin", "-v", "error", "-re", "-i", fixture("long_h264_aac.mp4"), "-c", "copy",
                            "-bsf:v", "h264_mp4toannexb", "-f", "mpegts", "-y", fifo});
    ASSERT_TRUE(feeder.waitForStarted());

    addItems(fixture("long_h264_aac.mp4"), {{1, 2}, {0, 0}, {5, 6}});
    OutputFormatParams::instance().container = "mpegts";
    OutputFormatParams::instance().extension = "ts";
    for (int i = 0; i < 3; ++i)
        VoVideoConvertManager::instance()->itemAt(i)->applyOutputFormat(OutputFormatParams::instance());
    setAdjustFileName("mp4", "long_h264_aac.mp4");
    VoVideoConvertManager::instance()->itemAt(1)->m_videoPath = fifo;

    // A pipe has no known length, so the second item reports no progress:
    // cancel a while after the first one is done.
    bool scheduled = false;
    bool cancelled = false;
    qint64 cancelDuration = -1;
    const ManagerRun run = runManager(false, [&](QConverterObject &c, int pro) {
        if (!scheduled && pro >= 33) {
            scheduled = true;
            cancelOnceWriting(c, [&] {
                QElapsedTimer t;
                t.start();
                cancelled = true;
                c.OnCancelConvert();
                cancelDuration = t.elapsed();
            });
        }
    });
    feeder.kill();
    feeder.waitForFinished();
    ASSERT_TRUE(cancelled);
    EXPECT_GE(cancelDuration, 0);
    EXPECT_LT(cancelDuration, 1000); // the stop is prompt
    EXPECT_EQ(run.finishCount, 1);
    EXPECT_EQ(outputFiles().join(","), "long_h264_aac/long_h264_aac_1.ts");
}

TEST_F(ConversionManagerTest, TheRunWritesTheWorkItWasStartedWithWhateverTheWindowChangesMeanwhile)
{
    // While the first segment converts, two items leave the window's list,
    // the format turns to MPEG-TS and another source takes the naming: the
    // run still writes the four segments it was started with, as MP4, into
    // the folder it was started with.
    addItems(fixture("long_h264_aac.mp4"), {{1, 3}, {4, 5}, {6, 7}, {8, 10}});
    bool changed = false;
    const ManagerRun run = runManager(false, [&](QConverterObject &, int) {
        if (!changed) {
            changed = true;
            VoVideoConvertManager::instance()->removeAt(1);
            VoVideoConvertManager::instance()->removeAt(1);
            OutputFormatParams::instance().container = "mpegts";
            OutputFormatParams::instance().extension = "ts";
            setAdjustFileName("ts", "other.ts");
        }
    });
    ASSERT_TRUE(changed);
    EXPECT_EQ(run.finishCount, 4);
    EXPECT_EQ(run.failures, 0);
    EXPECT_EQ(run.startStates.last(), false);
    EXPECT_EQ(run.progress.last(), 100);
    EXPECT_EQ(outputFiles().join(",").toStdString(),
              "long_h264_aac/long_h264_aac_1.mp4,long_h264_aac/long_h264_aac_2.mp4,"
              "long_h264_aac/long_h264_aac_3.mp4,long_h264_aac/long_h264_aac_4.mp4");
    const QStringList files = outputFiles();
    ASSERT_EQ(files.size(), 4);
    EXPECT_NEAR(probeFile(m_root + files[1]).duration, 1.0, 0.5); // 4 s to 5 s
    EXPECT_NEAR(probeFile(m_root + files[3]).duration, 2.0, 0.5); // 8 s to 10 s
    EXPECT_EQ(probeFile(m_root + files[3]).formatName, "mov,mp4,m4a,3gp,3g2,mj2");
}

TEST_F(ConversionManagerTest, ACancelledRunDoesNotCancelTheNextStart)
{
    addItems(fixture("long_h264_aac.mp4"), {{1, 2}, {3, 4}});
    QConverterObject converter;
    int finishCount = 0;
    int ends = 0;
    QObject::connect(&converter, &QConverterObject::emitConvertedFinishCount, [&] { ++finishCount; });
    QObject::connect(&converter, &QConverterObject::emitIsStartConverter, [&](bool started) {
        if (!started)
            ++ends;
    });
    QObject::connect(&converter, &QConverterObject::emitConvertProToCtrl, &converter, [&](int) {
        if (ends == 0)
            converter.OnCancelConvert();
    }, Qt::QueuedConnection);
    converter.startConvert(currentWorkRun(false));
    QTRY_COMPARE_WITH_TIMEOUT(ends, 1, 30000);
    const int cancelledRunFinished = finishCount;

    converter.startConvert(currentWorkRun(false));
    QTRY_COMPARE_WITH_TIMEOUT(ends, 2, 30000);
    QTRY_COMPARE_WITH_TIMEOUT(finishCount - cancelledRunFinished, 2, 30000);
}

TEST_F(ConversionManagerTest, TheCommandLineDrivesTheSamePath)
{
    const auto r = testsupport::runProcess(
        SNIPWELL_CLI, {"cut", "--container", "mkv", "--cut", "2-4", "--cut", "6-9", "--output-dir", m_root,
                       fixture("long_h264_aac.mp4")});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    const QStringList paths = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts).filter(".mkv");
    ASSERT_EQ(paths.size(), 2);
    EXPECT_NEAR(probeFile(paths[1]).duration, 3.0, 1.2); // plus the lead-in
    const auto bad = testsupport::runProcess(SNIPWELL_CLI, {"cut", "--output-dir", m_root, fixture("not_media.mp4")});
    EXPECT_EQ(bad.exitCode, 1);
}

TEST_F(ConversionManagerTest, FullDiskEndsInFailureWithoutAPartialFile)
{
    // A file-size limit makes writes fail as on a full disk.
    addItems(fixture("long_h264_aac.mp4"), {{0, 15}});
    ParserXML::readItemValue("SHOWDOWN_ITEM", "bIsShowDownComputer", "N"); // settings written before the limit
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 200 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const ManagerRun run = runManager(false);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(run.failures, 1);
    EXPECT_EQ(run.finishCount, 0);
    EXPECT_EQ(outputFiles().join(","), "");
    EXPECT_TRUE(m_commands.isEmpty());
}

TEST_F(ConversionManagerTest, SourceRemovedWhileConvertingStillEndsCleanly)
{
    // On this platform an open file outlives its name: the conversion either
    // completes a valid file or reports failure and leaves nothing.
    const QString copy = m_dir.filePath("source.mp4");
    ASSERT_TRUE(QFile::copy(fixture("long_h264_aac.mp4"), copy));
    addItems(copy, {{0, 18}});
    const ManagerRun run = runManager(false, [&](QConverterObject &, int) { QFile::remove(copy); });
    QFile::remove(copy);
    EXPECT_EQ(run.startStates.last(), false);
    if (run.failures == 0) {
        ASSERT_EQ(outputFiles().size(), 1);
        EXPECT_EQ(decodeErrors(m_root + outputFiles().first()), "");
    } else {
        EXPECT_TRUE(outputFiles().isEmpty());
    }
}

TEST_F(ConversionManagerTest, CancelDuringAMergeRemovesTheMergedFile)
{
    // The second range reads from a pipe fed in real time, so the cancel
    // lands while the merged file is being written.
    const QString fifo = m_dir.filePath("live_merge.ts");
    ASSERT_EQ(mkfifo(fifo.toUtf8().constData(), 0600), 0);
    QProcess feeder;
    feeder.start("ffmpeg", {"-nostdin", "-v", "error", "-re", "-i", fixture("long_h264_aac.ts"), "-c", "copy",
                            "-f", "mpegts", "-y", fifo});
    ASSERT_TRUE(feeder.waitForStarted());

    OutputFormatParams::instance().container = "mpegts";
    OutputFormatParams::instance().extension = "ts";
    addItems(fixture("long_h264_aac.ts"), {{1, 2}, {0, 0}});
    VoVideoConvertManager::instance()->itemAt(1)->m_videoPath = fifo;

    bool scheduled = false;
    bool cancelled = false;
    const ManagerRun run = runManager(true, [&](QConverterObject &c, int pro) {
        if (!scheduled && pro >= 50) {
            scheduled = true;
            cancelOnceWriting(c, [&] {
                cancelled = true;
                c.OnCancelConvert();
            });
        }
    });
    feeder.kill();
    feeder.waitForFinished();
    ASSERT_TRUE(cancelled);
    EXPECT_EQ(run.finishCount, 0);
    EXPECT_GE(run.failures, 1);
    EXPECT_EQ(outputFiles().join(","), "");
    EXPECT_EQ(run.startStates.last(), false);
}

namespace {

// The container a file really is, told by ffprobe (and, where one demuxer
// reads two containers, by the brand or the EBML document type).
QString containerOf(const QString &path)
{
    const QJsonObject format = testsupport::ffprobeJson(path)["format"].toObject();
    const QString name = format["format_name"].toString();
    if (name == "mov,mp4,m4a,3gp,3g2,mj2")
        return format["tags"].toObject()["major_brand"].toString() == "qt  " ? "mov" : "mp4";
    if (name == "matroska,webm") {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        return file.read(64).contains("webm") ? "webm" : "matroska";
    }
    return name;
}

// The containers each output suffix stands for.
QString containerOfSuffix(const QString &suffix)
{
    static const QMap<QString, QString> map{
        {"mp4", "mp4"},  {"m4v", "mp4"},    {"m4a", "mp4"},    {"3gp", "mp4"},  {"mov", "mov"},
        {"mkv", "matroska"}, {"webm", "webm"}, {"ts", "mpegts"}, {"m2ts", "mpegts"}, {"mts", "mpegts"},
        {"mpg", "mpeg"}, {"vob", "mpeg"},   {"avi", "avi"},    {"flv", "flv"},  {"wmv", "asf"},
        {"asf", "asf"},  {"wma", "asf"},    {"mp3", "mp3"},    {"wav", "wav"},  {"flac", "flac"},
        {"ogg", "ogg"},  {"ogv", "ogg"},    {"aac", "aac"}};
    return map.value(suffix.toLower());
}

} // namespace

TEST_F(ConversionManagerTest, OriginalContainerIsKeptAndNamedByItsSuffix)
{
    // One source per suffix of the open dialog that this machine can write,
    // made with the ffmpeg CLI; each is cut losslessly with "Original".
    const QString v = "testsrc2=size=320x240:rate=25:duration=3";
    const QString a = "sine=frequency=440:sample_rate=44100:duration=3";
    struct Source {
        QString name;
        QStringList make; // ffmpeg arguments before the output name; empty: a fixture as it is
    };
    const QVector<Source> sources{
        {"two_programs.ts", {}},
        {"two_audio_subs.mkv", {}},
        {"plain.webm", {}},
        {"quicktime.mov", {}},
        {"plain.avi", {}},
        {"h264_aac.mp4", {}},
        {"tone.mp3", {}}, {"tone.flac", {}}, {"tone.ogg", {}}, {"tone.wav", {}}, {"tone.m4a", {}},
        {"tone.wma", {}}, {"tone.aac", {}},
        {"clip.m4v", {"-i", fixture("h264_aac.mp4"), "-c", "copy", "-f", "mp4"}},
        {"clip.m2ts", {"-i", fixture("long_h264_aac.ts"), "-t", "4", "-c", "copy", "-f", "mpegts"}},
        {"clip.mts", {"-i", fixture("long_h264_aac.ts"), "-t", "4", "-c", "copy", "-f", "mpegts"}},
        {"clip.3gp", {"-i", fixture("h264_aac.mp4"), "-c", "copy", "-f", "3gp"}},
        {"clip.flv", {"-i", fixture("h264_aac.mp4"), "-c", "copy", "-f", "flv"}},
        {"clip.mpg", {"-f", "lavfi", "-i", v, "-f", "lavfi", "-i", a, "-c:v", "mpeg2video", "-g", "12", "-c:a", "mp2", "-f", "mpeg"}},
        {"clip.vob", {"-f", "lavfi", "-i", v, "-f", "lavfi", "-i", a, "-c:v", "mpeg2video", "-g", "12", "-c:a", "mp2", "-f", "vob"}},
        {"clip.wmv", {"-f", "lavfi", "-i", v, "-f", "lavfi", "-i", a, "-c:v", "wmv2", "-c:a", "wmav2", "-f", "asf"}},
        {"clip.ogv", {"-f", "lavfi", "-i", v, "-f", "lavfi", "-i", a, "-c:v", "libtheora", "-c:a", "libvorbis", "-f", "ogg"}},
        // A Matroska file whose name claims MP4: the output is Matroska and says so.
        {"lying.mp4", {"-i", fixture("two_audio_subs.mkv"), "-map", "0", "-c", "copy", "-f", "matroska"}},
    };
    for (const Source &source : sources) {
        QString path;
        if (source.make.isEmpty()) {
            path = fixture(source.name);
        } else {
            path = m_dir.filePath("src/" + source.name);
            QDir().mkpath(m_dir.filePath("src"));
            const auto made = testsupport::runProcess("ffmpeg", QStringList{"-nostdin", "-v", "error", "-y"} + source.make
                                                                    + QStringList{path});
            ASSERT_EQ(made.exitCode, 0) << source.name.toStdString() << made.err.constData();
        }
        VoVideoConvertManager::instance()->clear();
        addItems(path, {{0.5, 2.5}});
        const QStringList before = outputFiles();
        const ManagerRun run = runManager(false);
        QStringList written = outputFiles();
        for (const QString &f : before)
            written.removeOne(f);
        ASSERT_EQ(run.failures, 0) << source.name.toStdString();
        ASSERT_EQ(written.size(), 1) << source.name.toStdString();
        const QString output = m_root + written.first();
        const QString suffix = QFileInfo(output).suffix();
        EXPECT_EQ(containerOf(output), containerOfSuffix(suffix))
            << source.name.toStdString() << " -> " << written.first().toStdString();
        EXPECT_EQ(containerOf(output), containerOf(path)) << source.name.toStdString();
    }
}

TEST_F(ConversionManagerTest, FailureReasonReachesTheInterface)
{
    addItems(fixture("long_h264_aac.mp4"), {{0, 15}});
    ParserXML::readItemValue("SHOWDOWN_ITEM", "bIsShowDownComputer", "N");
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 200 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QStringList reasons;
    ManagerRun run;
    {
        QConverterObject converter;
        QEventLoop loop;
        QObject::connect(&converter, &QConverterObject::sendFailureReason, [&](const QString &r) { reasons << r; });
        QObject::connect(&converter, &QConverterObject::emitConvertedFinish, [&](bool ok) {
            ++(ok ? run.successes : run.failures);
            QTimer::singleShot(0, &loop, &QEventLoop::quit);
        });
        QTimer::singleShot(0, &converter, [&] { converter.startConvert(currentWorkRun(false)); });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
        EXPECT_EQ(converter.failureText(), reasons.value(0));
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(run.failures, 1);
    ASSERT_EQ(reasons.size(), 1);
    EXPECT_TRUE(reasons.first().contains("too large")) << reasons.first().toStdString();
    EXPECT_EQ(outputFiles().join(","), "");
}

TEST_F(ConversionManagerTest, CancelArrivingAsAnItemFinishesStopsCleanly)
{
    // The cancel lands after the first item's worker has reported its end
    // but before that report is handled: the stop's wait handles it in the
    // middle of the cancel, which must neither delete the converter being
    // stopped nor start the next item.
    addItems(fixture("long_h264_aac.mp4"), {{1, 2}, {3, 4}, {5, 6}});
    QConverterObject converter;
    std::atomic<bool> finishedReported{false};
    QObject::connect(
        &converter, &QConverterObject::seedConvertPro, &converter,
        [&](uint, convertState state) {
            if (state == convertFinished)
                finishedReported = true;
        },
        Qt::DirectConnection);
    int finishCount = 0;
    QVector<bool> startStates;
    QObject::connect(&converter, &QConverterObject::emitConvertedFinishCount, [&] { ++finishCount; });
    QObject::connect(&converter, &QConverterObject::emitIsStartConverter, [&](bool s) { startStates << s; });
    converter.startConvert(currentWorkRun(false));
    // Wait for the worker's report without handling it.
    QElapsedTimer t;
    t.start();
    while (!finishedReported && t.elapsed() < 30000)
        QThread::msleep(1);
    ASSERT_TRUE(finishedReported);
    converter.OnCancelConvert();
    // The first item's report is handled after the cancel; nothing follows it.
    QTRY_COMPARE_WITH_TIMEOUT(finishCount, 1, 10000);
    QCoreApplication::processEvents();
    EXPECT_EQ(finishCount, 1);
    ASSERT_FALSE(startStates.isEmpty());
    EXPECT_FALSE(startStates.last());
    EXPECT_EQ(outputFiles().join(","), "long_h264_aac/long_h264_aac_1.mp4");
    EXPECT_TRUE(m_commands.isEmpty());
}

TEST_F(ConversionManagerTest, AStopAnnouncesTheEndOnceAfterItHasReturnedSoTheConverterCanGoThen)
{
    // The stop waits for the worker while dispatching events; when the
    // worker is slow to end, the stopped item's report is handled inside
    // that wait. Whoever lets the converter go when it announces the end
    // (as the batch of the window does) must not pull it from under the
    // stop: the end comes once, after the stop has returned. How soon the
    // worker ends is up to the machine, so the stop is made many times,
    // each in the middle of an encode.
    OutputFormatParams &p = OutputFormatParams::instance();
    p.lossless = false;
    p.quality = 90;
    p.container = "mp4";
    p.extension = "mp4";
    p.videoCodec = "H264";
    p.videoCodecId = 28;
    p.audioCodec = "AAC";
    p.audioCodecId = 0x15002;
    addItems(fixture("long_h264_aac.mp4"), {{0, 20}});
    constexpr int rounds = 10;
    int stops = 0;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE(round);
        auto *converter = new QConverterObject;
        QPointer<QConverterObject> alive(converter);
        bool stopped = false;
        int stopLevel = -1; // the event loop the stop was made from
        int ends = 0;
        bool endedInsideTheWait = false;
        QObject::connect(converter, &QConverterObject::emitIsStartConverter, converter, [&, converter](bool started) {
            if (started)
                return;
            ++ends;
            // Announced from an event loop the stop runs: the stop has not
            // returned, and what is let go now goes inside it.
            endedInsideTheWait = endedInsideTheWait || (stopLevel >= 0 && QThread::currentThread()->loopLevel() > stopLevel);
            converter->deleteLater();
        });
        QObject::connect(
            converter, &QConverterObject::emitConvertProToCtrl, converter,
            [&, converter](int) {
                if (stopped)
                    return;
                stopped = true;
                stopLevel = QThread::currentThread()->loopLevel();
                converter->OnCancelConvert();
                stopLevel = -1;
            },
            Qt::QueuedConnection);
        converter->startConvert(currentWorkRun(false));
        QTRY_VERIFY_WITH_TIMEOUT(alive.isNull(), 30000);
        // Late queued reports would reach a deleted converter here.
        QCoreApplication::processEvents();
        EXPECT_EQ(ends, 1);
        EXPECT_FALSE(endedInsideTheWait);
        stops += stopped ? 1 : 0;
        if (HasFailure())
            break;
    }
    EXPECT_EQ(stops, rounds);
    EXPECT_TRUE(outputFiles().isEmpty()) << outputFiles().join(",").toStdString();
}

TEST_F(ConversionManagerTest, RangesOfSeveralFilesAreJoinedOnlyWhenTheyJoinAndAMisfitIsNamedBeforeAnythingIsWritten)
{
    // Recordings that join, one with parameter sets of its own: one file
    // that decodes cleanly.
    addItems(fixture("h264_aac.mp4"), {{0, 2}});
    addItems(fixture("join_params_h264.mp4"), {{0, 2}});
    ManagerRun run = runManager(true);
    EXPECT_EQ(run.failures, 0);
    QStringList files = outputFiles();
    ASSERT_EQ(files.size(), 1) << files.join(",").toStdString();
    EXPECT_NEAR(probeFile(m_root + files[0]).duration, 4.0, 0.2);
    EXPECT_EQ(decodeErrors(m_root + files[0]), "");

    // A recording whose sound is at another rate is named, with what
    // differs, and nothing is written.
    QDir(m_root).removeRecursively();
    QDir().mkpath(m_root);
    VoVideoConvertManager::instance()->clear();
    addItems(fixture("h264_aac.mp4"), {{0, 2}});
    addItems(fixture("join_48k.mp4"), {{0, 2}});
    QStringList reasons;
    {
        QConverterObject converter;
        QEventLoop loop;
        QObject::connect(&converter, &QConverterObject::sendFailureReason, [&](const QString &r) { reasons << r; });
        QObject::connect(&converter, &QConverterObject::emitIsStartConverter, [&](bool started) {
            if (!started)
                QTimer::singleShot(0, &loop, &QEventLoop::quit);
        });
        QTimer::singleShot(0, &converter, [&] { converter.startConvert(currentWorkRun(true)); });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    ASSERT_EQ(reasons.size(), 1);
    EXPECT_EQ(reasons.first().toStdString(),
              "The files cannot be joined without encoding: join_48k.mp4: audio 48 kHz, others 44.1 kHz. Choose a "
              "format to encode them into one file.");
    EXPECT_EQ(writtenBytes(), 0);
}
