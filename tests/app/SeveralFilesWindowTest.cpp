// A work cut from several files, as a user builds it in the real window:
// one file opened, more added with "Add File…" (its key), segments marked
// with the keys in each, merged losslessly. The file whose sound differs is
// named before anything is written, and the fix the window offers makes one
// file that ffprobe judges: its length, its sound's rate, the first part's
// pictures copied byte for byte, a clean decode across the joins.
#include "ConfigState.h"
#include "FileDialogAnswer.h"
#include "FormatWidget.h"
#include "MainWindowHelpers.h"
#include "MediaProbe.h"
#include "OutputFormatParams.h"
#include "ParserXML.h"
#include "ProjectSession.h"
#include "QPlayObject.h"
#include "QVideoConvertItem.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <QAbstractButton>
#include <QDirIterator>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUndoStack>
#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

// With SNIPWELL_SCREENSHOTS set to a folder, the window is kept there as
// the user sees it at the named moment (docs/screenshots is made so).
void keepPicture(QWidget *widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("SNIPWELL_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    // Rows placed a moment ago are laid out first.
    for (int i = 0; i < 3; ++i) {
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QApplication::processEvents();
    }
    widget->grab().save(folder + QLatin1Char('/') + name);
}

QStringList outputs()
{
    QStringList files;
    QDirIterator it(ConfigState::instance().converterPath(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

QString probeValue(const QString &path, const QString &stream, const QString &entry)
{
    QProcess p;
    p.start("ffprobe", {"-v", "error", "-select_streams", stream, "-show_entries", "stream=" + entry, "-of",
                        "csv=p=0", path});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The MD5 of every video packet with its presentation time, in file order.
QVector<QPair<double, QString>> packetHashes(const QString &path)
{
    QProcess p;
    p.start("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_data_hash", "MD5", "-show_entries",
                        "packet=pts_time,data_hash", "-of", "csv=p=0", path});
    p.waitForFinished(30000);
    QVector<QPair<double, QString>> hashes;
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(',');
        if (f.size() >= 2)
            hashes.append({f[0].toDouble(), f[1]});
    }
    return hashes;
}

struct Packet {
    double pts = 0, duration = 0;
    QString hash;
};

// Every packet of one stream ("v:0", "a:0") with its presentation time,
// duration and the MD5 of its bytes, in file order.
QVector<Packet> packets(const QString &path, const QString &stream)
{
    QProcess p;
    p.start("ffprobe", {"-v", "error", "-select_streams", stream, "-show_data_hash", "MD5", "-show_entries",
                        "packet=pts_time,duration_time,data_hash", "-of", "csv=p=0", path});
    p.waitForFinished(30000);
    QVector<Packet> list;
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(',');
        if (f.size() >= 3)
            list.append({f[0].toDouble(), f[1].toDouble(), f[2]});
    }
    return list;
}

// The PSNR (dB, average over the planes) of the picture a shows first at
// or after aTime against the one b shows first at or after bTime, decoded
// by the ffmpeg CLI; 1000 for identical pictures, -1 when it cannot tell.
double picturePsnr(const QString &a, double aTime, const QString &b, double bTime)
{
    const auto pick = [](int input, double t) {
        return QString("[%1:v]select='gte(t,%2)',setpts=PTS-STARTPTS,format=yuv420p[p%1]").arg(input).arg(t - 0.002);
    };
    QProcess p;
    p.start("ffmpeg", {"-nostdin", "-hide_banner", "-v", "info", "-i", a, "-i", b, "-filter_complex",
                       pick(0, aTime) + ";" + pick(1, bTime) + ";[p0][p1]psnr", "-frames:v", "1", "-f", "null", "-"});
    p.waitForFinished(60000);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    const int at = err.lastIndexOf("average:");
    if (at < 0)
        return -1;
    const QString value = err.mid(at + 8).section(' ', 0, 0).trimmed();
    return value == "inf" ? 1000 : value.toDouble();
}

class SeveralFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ParserXML::readItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
        ParserXML::writeItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
        ParserXML::readItemValue("OutPut_path", "path_value", "");
        ParserXML::writeItemValue("OutPut_path", "path_value", root.path() + "/");
    }

    void key(MainWindow &w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(&w, k, m); }

    void seek(MainWindow &w, double seconds) { seekLikeTheTimeline(w, seconds); }

    void mark(MainWindow &w, double start, double end)
    {
        seek(w, end);
        key(w, Qt::Key_O);
        seek(w, start);
        key(w, Qt::Key_I);
        ASSERT_TRUE(marksLanded(w));
        VoVideoConvertItem *item = w.cutTool()->currentItem();
        ASSERT_NE(item, nullptr);
        EXPECT_NEAR(item->m_TrimStartTime / 1e6, start, 0.05);
        EXPECT_NEAR(item->m_TrimEndTime / 1e6, end, 0.05);
    }

    // "Add File…" by its key, the file chosen in the dialog it opens; waits
    // until the file's segment is in the list and its picture playing.
    void addFile(MainWindow &w, const QString &path)
    {
        const int before = itemCount();
        bool seen = false;
        QTimer::singleShot(0, [path, &seen] {
            QFileDialog *dialog = nullptr;
            waitUntil([&] { return (dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())); });
            ASSERT_NE(dialog, nullptr);
            seen = true;
            testsupport::chooseInFileDialog(dialog, path);
        });
        key(w, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_TRUE(seen);
        ASSERT_TRUE(waitUntil([&] { return itemCount() == before + 1 && !w.isImporting(); }));
        ASSERT_TRUE(waitUntil([&] { return w.playObject()->path() == path; }));
        ASSERT_TRUE(waitUntil([&] { return !w.playerPanel()->isPaused(); }));
        key(w, Qt::Key_Space);
    }

    QString projectPath() const { return root.filePath("three files.snipwell"); }
    QTemporaryDir root;
    void TearDown() override { root.setAutoRemove(!HasFailure()); }
};

} // namespace

TEST_F(SeveralFiles, AddedFilesAreMarkedInTheirOwnPlayerAndAMisfitIsNamedAndMatchedInOneFile)
{
    const QString first = fixture("long_h264_aac.mp4");
    const QString fits = fixture("join_params_h264.mp4");  // other encoder settings, same shape
    const QString otherRate = fixture("join_48k.mp4");     // sound at 48 kHz, the others at 44.1
    {
        MainWindow w;
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        ASSERT_TRUE(importThroughSignal(w, {first}));
        ASSERT_TRUE(waitUntil([&] { return !w.playerPanel()->isPaused(); }));
        key(w, Qt::Key_Space);
        mark(w, 2, 5);

        addFile(w, fits);
        ASSERT_EQ(itemCount(), 2);
        // The new segment is the current one and the player plays its file:
        // the keys mark in that file.
        EXPECT_EQ(w.cutTool()->currentItem()->m_videoPath, fits);
        mark(w, 0, 1.5);
        addFile(w, otherRate);
        ASSERT_EQ(itemCount(), 3);
        // Adding a file is one step of the work, undone and redone by its
        // keys: the row comes back as a segment of its own file.
        ASSERT_TRUE(waitUntil([&] { return w.project()->undoStack()->undoText() == "Add join_48k.mp4"; }, 5000))
            << w.project()->undoStack()->undoText().toStdString();
        key(w, Qt::Key_Z, Qt::ControlModifier);
        ASSERT_TRUE(waitUntil([&] { return itemCount() == 2; }, 5000));
        key(w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        ASSERT_TRUE(waitUntil([&] { return itemCount() == 3; }, 5000));
        EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(2)->m_videoPath, otherRate);
        EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(1)->m_videoPath, fits);
        EXPECT_NEAR(VoVideoConvertManager::instance()->itemAt(1)->m_TrimEndTime / 1e6, 1.5, 0.05);

        // Each row shows its file: three colours, and the unnamed segments'
        // names say which file.
        const QList<QVideoConvertItem *> rows = w.segmentManager()->entries();
        ASSERT_EQ(rows.size(), 3);
        QSet<QRgb> colours;
        for (QVideoConvertItem *row : rows) {
            ASSERT_TRUE(row->sourceColour().isValid());
            colours.insert(row->sourceColour().rgb());
        }
        EXPECT_EQ(colours.size(), 3);
        EXPECT_EQ(rows[1]->sourceName(), "join_params_h264.mp4");
        keepPicture(&w, "main-window-three-files.png");

        // Choosing the first file's segment brings its file back into the
        // player, at the segment's start.
        QTest::mouseClick(rows[0], Qt::LeftButton, Qt::NoModifier, QPoint(rows[0]->width() / 2, 3));
        ASSERT_TRUE(waitUntil([&] { return w.playObject()->path() == first; }));
        ASSERT_TRUE(waitUntil([&] { return std::abs(double(w.playerPanel()->position()) / 1e6 - 2) < 0.3; }, 5000));

        // Simple Mode shows one file's timeline: refused with a reason.
        auto *line = w.segmentManager()->findChild<QAbstractButton *>("m_btnStyleLine");
        ASSERT_NE(line, nullptr);
        QTest::mouseClick(line, Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] {
            return QVoMessageBox::openBoxNamed(w.segmentManager(), "simpleModeSeveralFiles") != nullptr;
        }, 5000));
        QVoMessageBox::openBoxNamed(w.segmentManager(), "simpleModeSeveralFiles")->buttons().first()->click();
        EXPECT_FALSE(w.segmentManager()->isSimpleMode());

        chooseOutputMode(w, true);
        auto *merge = w.segmentManager()->findChild<QAbstractButton *>("m_chkMerger");
        ASSERT_NE(merge, nullptr);
        QTest::mouseClick(merge, Qt::LeftButton);
        ASSERT_TRUE(merge->isChecked());

        // The lossless merge stops before writing and says which file
        // differs, and how.
        const QStringList before = outputs();
        key(w, Qt::Key_Return, Qt::ControlModifier);
        QVoMessageBox *offer = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (offer = QVoMessageBox::openBoxNamed(w.segmentManager(), "joinMisfit")); },
                              60000));
        EXPECT_TRUE(offer->message().contains("join_48k.mp4: audio 48 kHz, others 44.1 kHz"))
            << offer->message().toStdString();
        EXPECT_EQ(outputs(), before);
        keepPicture(offer, "msgbox-join-misfit.png");
        ASSERT_TRUE(waitUntil([&] { return !MainWindow::isConverting(); }));

        // "Match the Sound": the sound of the third file is encoded to the
        // first one's rate, the pictures copied.
        offer->prepare();
        ASSERT_EQ(offer->buttons().size(), 3);
        QTest::mouseClick(offer->buttons().first(), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return MainWindow::isConverting(); }, 5000));
        ASSERT_TRUE(waitUntil([&] { return !MainWindow::isConverting(); }, 120000));
        QStringList made = outputs();
        for (const QString &f : before)
            made.removeAll(f);
        ASSERT_EQ(made.size(), 1) << made.join(' ').toStdString();
        const QString out = made.first();

        const Probe p = probeFile(out);
        ASSERT_TRUE(p.ok);
        EXPECT_EQ(p.count("video"), 1);
        EXPECT_EQ(p.count("audio"), 1);
        // A copy starts at key frames: 2 s is one in the first file, 0 s in the
        // second.
        EXPECT_NEAR(p.duration, 3 + 1.5 + 2, 0.15);
        EXPECT_EQ(probeValue(out, "a:0", "sample_rate"), "44100");
        EXPECT_EQ(decodeErrors(out), QString());

        // The first part is a stream copy: the packets of its middle are the
        // source's, byte for byte.
        const auto source = packetHashes(first);
        const auto written = packetHashes(out);
        // Forty packets in file order from the first one shown after 0.5 s
        // (about 1.6 s of pictures, all inside the first part).
        QStringList writtenMiddle;
        for (const auto &h : written)
            if (!writtenMiddle.isEmpty() || h.first > 0.5)
                writtenMiddle << h.second;
        writtenMiddle = writtenMiddle.mid(0, 40);
        ASSERT_EQ(writtenMiddle.size(), 40);
        QStringList sourceAll;
        for (const auto &h : source)
            sourceAll << h.second;
        const int at = sourceAll.indexOf(writtenMiddle.first());
        ASSERT_GE(at, 0);
        EXPECT_EQ(sourceAll.mid(at, writtenMiddle.size()).join(' ').toStdString(), writtenMiddle.join(' ').toStdString())
            << out.toStdString();

        // Each part begins with its source's picture at its start: found by
        // the bytes of the picture after it (the pictures are copied; a key
        // picture may carry its file's parameter sets in front), decoded on
        // both sides and compared (a join that lost its parameter sets
        // decodes to something else); the parts' times follow one another.
        const QStringList sources{first, fits, otherRate};
        const double starts[] = {2, 0, 0};
        const QVector<Packet> outVideo = packets(out, "v:0");
        QVector<double> joins;
        for (int part = 0; part < 3; ++part) {
            SCOPED_TRACE(part);
            const QVector<Packet> src = packets(sources[part], "v:0");
            int key = -1;
            for (int i = 0; i + 1 < src.size() && key < 0; ++i)
                if (std::abs(src[i].pts - starts[part]) < 0.02)
                    key = i;
            ASSERT_GE(key, 0);
            int next = -1;
            for (int i = 1; i < outVideo.size() && next < 0; ++i)
                if (outVideo[i].hash == src[key + 1].hash && (joins.isEmpty() || outVideo[i].pts > joins.last()))
                    next = i;
            ASSERT_GE(next, 1) << "the part's pictures are not in the output";
            const double at = outVideo[next - 1].pts;
            joins << at;
            EXPECT_GE(picturePsnr(out, at, sources[part], src[key].pts), 50.0) << at;
        }
        EXPECT_NEAR(joins[0], 0, 0.02);
        EXPECT_NEAR(joins[1], 3, 0.05);
        EXPECT_NEAR(joins[2], 4.5, 0.1);

        // The sound of each part ends where its pictures end, within one
        // sound frame, and the next part's sound follows without a gap or
        // an overlap: the copied sound of the first two parts is found by
        // its bytes; the third part's was encoded to match.
        const QVector<Packet> outAudio = packets(out, "a:0");
        ASSERT_FALSE(outAudio.isEmpty());
        const double frame = outAudio.first().duration > 0 ? outAudio.first().duration : 1024.0 / 44100;
        for (int part = 0; part < 2; ++part) {
            SCOPED_TRACE(part);
            QSet<QString> mine;
            for (const Packet &packet : packets(sources[part], "a:0"))
                mine.insert(packet.hash);
            int last = -1;
            for (int i = 0; i < outAudio.size(); ++i)
                if (mine.contains(outAudio[i].hash) && outAudio[i].pts < joins[part + 1])
                    last = i;
            ASSERT_GE(last, 0);
            ASSERT_LT(last + 1, outAudio.size());
            const double end = outAudio[last].pts + outAudio[last].duration;
            EXPECT_NEAR(end, joins[part + 1], frame + 0.001) << "sound of the part ends at " << end;
            EXPECT_NEAR(outAudio[last + 1].pts, end, 0.001) << "the next part's sound starts apart from it";
        }
        EXPECT_NEAR(outAudio.last().pts + outAudio.last().duration, p.duration, frame + 0.05);

        // Saved as a project (its key), the work keeps its three files.
        ProjectSession::setSaveChooser([&](QWidget *, const QString &) { return projectPath(); });
        key(w, Qt::Key_S, Qt::ControlModifier);
        ProjectSession::setSaveChooser({});
        ASSERT_TRUE(QFileInfo(projectPath()).isFile());
        // Every file is saved with what finds it again should it move: its
        // size and the digests of its ends (read when it was added).
        QFile saved(projectPath());
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        const QJsonObject project = QJsonDocument::fromJson(saved.readAll()).object();
        const QJsonArray more = project["sources"].toArray();
        ASSERT_EQ(more.size(), 2);
        for (int i = 0; i < 2; ++i) {
            const QJsonObject further = more[i].toObject();
            EXPECT_EQ(further["path"].toString(), (QStringList{fits, otherRate}[i]));
            EXPECT_EQ(qint64(further["size"].toDouble()), QFileInfo(further["path"].toString()).size());
            EXPECT_EQ(further["head_sha256"].toString().size(), 64);
            EXPECT_EQ(further["tail_sha256"].toString().size(), 64);
        }
    }

    // Opened again in a new window, each segment is back with its file.
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ProjectSession::setOpenChooser([&](QWidget *, const QString &) { return projectPath(); });
    key(w, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    ProjectSession::setOpenChooser({});
    ASSERT_TRUE(waitUntil([&] { return itemCount() == 3 && !w.isImporting() && w.project()->projectPath() != ""; }));
    const QStringList files{first, fits, otherRate};
    const double ends[] = {5, 1.5, 2};
    for (int i = 0; i < 3; ++i) {
        const VoVideoConvertItem *item = VoVideoConvertManager::instance()->itemAt(i);
        EXPECT_EQ(item->m_videoPath, files[i]) << i;
        EXPECT_NEAR(item->m_TrimEndTime / 1e6, ends[i], 0.05) << i;
    }
    EXPECT_EQ(w.segmentManager()->entries().at(2)->sourceName(), "join_48k.mp4");
}
