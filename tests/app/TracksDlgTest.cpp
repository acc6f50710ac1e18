// The Tracks window driven through its own controls on a file of three
// sound tracks and two subtitle streams: the plan it gives is converted by
// the real converter and the outputs judged by ffprobe; the offset of two
// sound tracks found from the window; wrong shifts refused in the window;
// the plan as a step of the main window's work, undone and converted.
#include "CAVConverter.h"
#include "MainWindowHelpers.h"
#include "ParserXML.h"
#include "ProgramMenu.h"
#include "ProjectSession.h"
#include "QPlayObject.h"
#include "QVideoCutManageDlg.h"
#include "WorkModel.h"
#include "OutputFormatParams.h"
#include "TestSupport.h"
#include "TracksDlg.h"
#include "QTextImageButton.h"
#include "VoVideoConvertItem.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QDirIterator>
#include <QJsonDocument>
#include <QTest>
#include <QUndoStack>
#include <atomic>
#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

void clickCell(QTableWidget *table, int row, int column)
{
    const QRect cell = table->visualItemRect(table->item(row, column));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
}

// Chooses the row whose data is code in an open-by-click combo box, by keys.
void chooseLanguage(QComboBox *box, const QString &code)
{
    QTest::mouseClick(box, Qt::LeftButton);
    QTRY_VERIFY(box->view()->isVisible());
    const int steps = box->findData(code) - box->currentIndex();
    for (int i = 0; i < std::abs(steps); ++i)
        QTest::keyClick(box->view(), steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    QTest::keyClick(box->view(), Qt::Key_Return);
    QTRY_VERIFY(!box->view()->isVisible());
}

void typeShift(QSpinBox *box, const QString &text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

std::atomic<int> g_state{0};
void record(int32_t, void *, int32_t state)
{
    if (state != 5 && state != 3) // not progress, not "starting"
        g_state = state;
}

// A lossless conversion of the whole file with the plan, by the converter.
bool convertWithPlan(const QString &src, const QString &dst, const QString &container, const QString &extension,
                     const TrackPlan &plan)
{
    VoVideoConvertItem item;
    if (!item.open(src))
        return false;
    OutputFormatParams params;
    params.lossless = true;
    params.container = container;
    params.extension = extension;
    params.videoCodecId = 0;
    params.audioCodecId = 0;
    item.applyOutputFormat(params);
    std::unique_ptr<ConvertJob> job(item.assembleConvertJob(params));
    job->trackPlan = plan;
    g_state = 0;
    CAVConverter converter;
    if (!converter.StartConvert(src.toUtf8().constData(), dst.toUtf8().constData(), *job, nullptr, &record, true))
        return false;
    const bool ended = QTest::qWaitFor([] { return g_state.load() != 0; }, 30000);
    EXPECT_EQ(g_state.load(), 2) << converter.lastError();
    return ended && g_state.load() == 2;
}

double lastEnd(const QString &file, int stream)
{
    const QJsonArray packets = testsupport::ffprobeJson(file, {"-show_packets", "-select_streams",
                                                               QString::number(stream)})["packets"].toArray();
    const QJsonObject last = packets.last().toObject();
    return last["pts_time"].toString().toDouble() + last["duration_time"].toString().toDouble();
}

} // namespace

// Drop the 32 kHz sound, move the 48 kHz one up to first, make it Spanish
// and the default, move the 44.1 kHz sound 200 ms earlier, drag the French
// subtitles above the English; converted into Matroska and MP4.
TEST(TracksDlg, ThePlanChosenInTheWindowIsWhatTheOutputsHold)
{
    const QString src = fixture("three_audio_two_subs.mkv");
    TracksDlg dlg(src, 4000000, TrackPlan());
    QSignalSpy read(&dlg, &TracksDlg::streamsRead);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    ASSERT_TRUE(read.count() > 0 || read.wait(20000));
    QTableWidget *table = dlg.table();
    ASSERT_EQ(table->rowCount(), 6);
    EXPECT_TRUE(table->item(1, 5)->text() == "Main");
    EXPECT_TRUE(table->item(2, 3)->text().contains("32000")) << table->item(2, 3)->text().toStdString();

    // Leave the 32 kHz track out: its keep box, by the keyboard.
    clickCell(table, 2, 1);
    QTest::keyClick(table, Qt::Key_Left);
    QTest::keyClick(table, Qt::Key_Space);
    QTRY_COMPARE(table->item(2, 0)->checkState(), Qt::Unchecked);
    // The 48 kHz track up twice: first among the sound.
    clickCell(table, 3, 1);
    QTest::mouseClick(dlg.upButton(), Qt::LeftButton);
    QTest::mouseClick(dlg.upButton(), Qt::LeftButton);
    EXPECT_TRUE(table->item(1, 3)->text().contains("48000"));
    EXPECT_FALSE(dlg.upButton()->isEnabled()); // the picture stays first
    chooseLanguage(dlg.languageBox(), "spa");
    EXPECT_EQ(table->item(1, 4)->text(), "Spanish");
    QTest::mouseClick(dlg.defaultCheck(), Qt::LeftButton, Qt::NoModifier, QPoint(8, dlg.defaultCheck()->height() / 2));
    EXPECT_EQ(table->item(1, 6)->text(), "default");
    EXPECT_EQ(table->item(2, 6)->text(), ""); // "Main" lost the flag
    // The 44.1 kHz track 200 ms earlier.
    clickCell(table, 2, 1);
    EXPECT_EQ(dlg.titleEdit()->text(), "Main");
    typeShift(dlg.shiftBox(), "-200");
    EXPECT_EQ(table->item(2, 7)->text(), "-200 ms");
    EXPECT_TRUE(dlg.noteLabel()->text().contains("cut off at a frame boundary"));
    // The French subtitles dragged above the English ones.
    const QPoint french = table->visualItemRect(table->item(5, 1)).center();
    const QPoint english = table->visualItemRect(table->item(4, 1)).center();
    QTest::mousePress(table->viewport(), Qt::LeftButton, Qt::NoModifier, french);
    QTest::mouseMove(table->viewport(), english);
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, Qt::NoModifier, english);
    EXPECT_EQ(table->item(4, 4)->text(), "French");
    EXPECT_EQ(table->item(5, 4)->text(), "English");

    QSignalSpy accepted(&dlg, &TracksDlg::planAccepted);
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    ASSERT_EQ(accepted.count(), 1);
    const TrackPlan plan = accepted.takeFirst().at(0).value<TrackPlan>();
    EXPECT_FALSE(dlg.isVisible());

    QTemporaryDir dir;
    for (const QString &extension : {QString("mkv"), QString("mp4")}) {
        SCOPED_TRACE(extension.toStdString());
        const QString dst = dir.filePath("tracks." + extension);
        ASSERT_TRUE(convertWithPlan(src, dst, extension == "mkv" ? "matroska" : "mp4", extension, plan));
        const QJsonArray streams = testsupport::ffprobeJson(dst, {"-show_streams"})["streams"].toArray();
        ASSERT_EQ(streams.size(), 5);
        EXPECT_EQ(streams[0].toObject()["codec_type"].toString(), "video");
        EXPECT_EQ(streams[1].toObject()["sample_rate"].toString(), "48000");
        EXPECT_EQ(streams[1].toObject()["tags"].toObject()["language"].toString(), "spa");
        EXPECT_EQ(streams[1].toObject()["disposition"].toObject()["default"].toInt(), 1);
        EXPECT_EQ(streams[2].toObject()["sample_rate"].toString(), "44100");
        EXPECT_EQ(streams[2].toObject()["disposition"].toObject()["default"].toInt(), 0);
        EXPECT_EQ(streams[3].toObject()["codec_type"].toString(), "subtitle");
        EXPECT_EQ(streams[3].toObject()["tags"].toObject()["language"].toString(), "fre");
        EXPECT_EQ(streams[4].toObject()["tags"].toObject()["language"].toString(), "eng");
        EXPECT_NEAR((lastEnd(dst, 2) - lastEnd(dst, 1)) - (lastEnd(src, 1) - lastEnd(src, 3)), -0.2, 1024.0 / 44100);
    }

    // The window's look with the plan, for review.
    const QString shots = qEnvironmentVariable("SNIPWELL_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        TracksDlg again(src, 4000000, plan);
        QSignalSpy readAgain(&again, &TracksDlg::streamsRead);
        again.show();
        ASSERT_TRUE(readAgain.wait(20000));
        clickCell(again.table(), 2, 1);
        EXPECT_TRUE(again.grab().save(QDir(shots).filePath("tracks-dialog.png")));
    }
}

// Find Offset on a file whose second track is the first 0.37 s later: the
// shift that lines it up is set; a shift as long as the file is refused in
// the window, which stays open; a track not of the file cannot be chosen.
TEST(TracksDlg, FindOffsetSetsTheShiftAndAShiftPastTheFileIsRefused)
{
    TracksDlg dlg(fixture("offset_pair.mkv"), 8000000, TrackPlan());
    QSignalSpy read(&dlg, &TracksDlg::streamsRead);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    ASSERT_TRUE(read.count() > 0 || read.wait(20000));
    ASSERT_EQ(dlg.table()->rowCount(), 2);
    clickCell(dlg.table(), 1, 1);
    ASSERT_TRUE(dlg.offsetButton()->isEnabled());
    QSignalSpy done(&dlg, &TracksDlg::offsetDone);
    QTest::mouseClick(dlg.offsetButton(), Qt::LeftButton);
    ASSERT_TRUE(done.wait(20000));
    EXPECT_TRUE(done.takeFirst().at(0).toBool()) << dlg.statusLabel()->text().toStdString();
    EXPECT_NEAR(dlg.shiftBox()->value(), -370, 10);
    EXPECT_TRUE(dlg.statusLabel()->text().contains("0.37")) << dlg.statusLabel()->text().toStdString();

    typeShift(dlg.shiftBox(), "9000");
    QSignalSpy accepted(&dlg, &TracksDlg::planAccepted);
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    EXPECT_EQ(accepted.count(), 0);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(dlg.statusLabel()->text().contains("as long as the file")) << dlg.statusLabel()->text().toStdString();

    // Unrelated sounds: no offset, and the reason.
    TracksDlg other(fixture("offset_unrelated.mkv"), 8000000, TrackPlan());
    QSignalSpy readOther(&other, &TracksDlg::streamsRead);
    other.show();
    ASSERT_TRUE(readOther.count() > 0 || readOther.wait(20000));
    clickCell(other.table(), 1, 1);
    QSignalSpy otherDone(&other, &TracksDlg::offsetDone);
    QTest::mouseClick(other.offsetButton(), Qt::LeftButton);
    ASSERT_TRUE(otherDone.wait(20000));
    EXPECT_FALSE(otherDone.takeFirst().at(0).toBool());
    EXPECT_EQ(other.shiftBox()->value(), 0);
    EXPECT_TRUE(other.statusLabel()->text().startsWith("No offset found")) << other.statusLabel()->text().toStdString();
}

namespace {

// The Tracks window of the main window, opened from the program menu, once
// it has read the source's streams.
TracksDlg *openTracks(MainWindow &w)
{
    emit w.programMenu()->aboutToShow();
    EXPECT_TRUE(w.programMenu()->actTracks()->isEnabled());
    w.programMenu()->actTracks()->trigger();
    TracksDlg *dlg = nullptr;
    EXPECT_TRUE(waitUntil([&] { return (dlg = w.findChild<TracksDlg *>()) && dlg->isVisible(); }));
    if (!dlg)
        return nullptr;
    QSignalSpy read(dlg, &TracksDlg::streamsRead);
    EXPECT_TRUE(dlg->table()->rowCount() > 0 || read.wait(20000));
    return dlg;
}

// The rows' sample rates in the window's order, "-" for a row left out.
QStringList soundRows(TracksDlg *dlg)
{
    QStringList rows;
    for (int r = 0; r < dlg->table()->rowCount(); ++r) {
        const QString about = dlg->table()->item(r, 3)->text();
        for (const char *rate : {"32000", "44100", "48000"})
            if (about.contains(rate))
                rows << (dlg->table()->item(r, 0)->checkState() == Qt::Checked ? QString(rate) : QStringLiteral("-"));
    }
    return rows;
}

QStringList filesUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

} // namespace

// In the main window: OK in the Tracks window is one named step; a second
// change undone from the program menu brings the first plan back, in the
// model and in the window shown again, and the conversion started then
// writes the sound tracks of that plan.
TEST(TracksDlg, OkIsAStepOfTheWorkAndUndoBringsBackThePlanTheConversionUses)
{
    QTemporaryDir out;
    QFile::remove(ParserXML::defaultSettingFile());
    QFile::remove(ParserXML::formatSettingFile());
    OutputFormatParams::instance() = OutputFormatParams();
    ParserXML::readItemValue("OutPut_path", "path_value", "");
    ParserXML::writeItemValue("OutPut_path", "path_value", out.path() + "/");
    MessageWatcher answers;
    MainWindow w;
    w.show();
    ASSERT_TRUE(importThroughSignal(w, {fixture("three_audio_two_subs.mkv")}));
    ASSERT_EQ(itemCount(), 1);
    QUndoStack *stack = w.project()->undoStack();
    const int stepsBefore = stack->count();
    const WorkModel *work = w.segmentManager()->work();
    EXPECT_TRUE(work->trackPlan().isEmpty());

    // First: the 32 kHz sound left out.
    TracksDlg *dlg = openTracks(w);
    ASSERT_TRUE(dlg);
    ASSERT_EQ(soundRows(dlg), (QStringList{"44100", "32000", "48000"}));
    clickCell(dlg->table(), 2, 1);
    QTest::keyClick(dlg->table(), Qt::Key_Left);
    QTest::keyClick(dlg->table(), Qt::Key_Space);
    QTRY_COMPARE(dlg->table()->item(2, 0)->checkState(), Qt::Unchecked);
    QSignalSpy firstOk(dlg, &TracksDlg::planAccepted);
    QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
    ASSERT_EQ(firstOk.count(), 1);
    const TrackPlan first = firstOk.at(0).at(0).value<TrackPlan>();
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(work->trackPlan(), first);
    EXPECT_EQ(stack->count(), stepsBefore + 1);
    EXPECT_EQ(stack->undoText(), "Change Tracks");
    ASSERT_TRUE(waitUntil([&] { return !w.findChild<TracksDlg *>(); }));

    // Then: the 48 kHz sound moved first. The window opens with the plan.
    dlg = openTracks(w);
    ASSERT_TRUE(dlg);
    ASSERT_EQ(soundRows(dlg), (QStringList{"44100", "-", "48000"}));
    clickCell(dlg->table(), 3, 1);
    QTest::mouseClick(dlg->upButton(), Qt::LeftButton);
    QTest::mouseClick(dlg->upButton(), Qt::LeftButton);
    ASSERT_EQ(soundRows(dlg), (QStringList{"48000", "44100", "-"}));
    QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
    EXPECT_NE(work->trackPlan(), first);
    EXPECT_EQ(stack->count(), stepsBefore + 2);
    ASSERT_TRUE(waitUntil([&] { return !w.findChild<TracksDlg *>(); }));
    // The preview plays the plan's first sound, the 48 kHz stream (#3), and
    // shows a picture again.
    EXPECT_TRUE(waitUntil([&] { return w.playObject() && w.playObject()->audioStream() == 3; }))
        << w.playObject()->audioStream();
    EXPECT_TRUE(waitUntil([&] { return w.playerPanel()->player() != 0; }));

    // Undo from the program menu, by the step's name.
    emit w.programMenu()->aboutToShow();
    EXPECT_EQ(w.programMenu()->actUndo()->text(), "Undo Change Tracks");
    w.programMenu()->actUndo()->trigger();
    ASSERT_TRUE(waitUntil([&] { return stack->index() == stepsBefore + 1; }));
    EXPECT_EQ(work->trackPlan(), first);
    EXPECT_TRUE(waitUntil([&] { return w.playObject()->audioStream() == 1 && w.playerPanel()->player() != 0; }))
        << w.playObject()->audioStream();
    dlg = openTracks(w);
    ASSERT_TRUE(dlg);
    EXPECT_EQ(soundRows(dlg), (QStringList{"44100", "-", "48000"}));
    dlg->reject();
    ASSERT_TRUE(waitUntil([&] { return !w.findChild<TracksDlg *>(); }));

    // Converted now (the format every run starts with, an encoding into MP4
    // with a picture, every sound at the format's rate): the sounds of the
    // plan shown, in its order, known by their languages (the 44.1 kHz
    // sound is English, the 48 kHz one German, the 32 kHz one has none).
    QTest::keyClick(&w, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(waitUntil([&] { return MainWindow::isConverting(); }, 5000));
    ASSERT_TRUE(waitUntil([&] { return !MainWindow::isConverting(); }, 120000));
    const QStringList made = filesUnder(out.path());
    ASSERT_EQ(made.size(), 1) << made.join(' ').toStdString();
    const QJsonArray streams = testsupport::ffprobeJson(made[0], {"-show_streams"})["streams"].toArray();
    QStringList languages;
    for (const QJsonValue &s : streams)
        if (s.toObject()["codec_type"].toString() == "audio")
            languages << s.toObject()["tags"].toObject()["language"].toString();
    EXPECT_EQ(languages, (QStringList{"eng", "ger"}));
}

// The plan chosen in the window is saved with the project and comes back
// when the project is opened in a fresh window: in the work and in the
// Tracks window.
TEST(TracksDlg, ThePlanIsSavedWithTheProjectAndOpensWithIt)
{
    QTemporaryDir dir;
    QFile::remove(ParserXML::defaultSettingFile());
    QFile::remove(ParserXML::formatSettingFile());
    OutputFormatParams::instance() = OutputFormatParams();
    const QString projectPath = dir.filePath("tracks.snipwell");
    const QString src = fixture("three_audio_two_subs.mkv");
    TrackPlan chosen;
    {
        MessageWatcher answers;
        MainWindow w;
        w.show();
        ASSERT_TRUE(importThroughSignal(w, {src}));
        TracksDlg *dlg = openTracks(w);
        ASSERT_TRUE(dlg);
        clickCell(dlg->table(), 2, 1);
        QTest::keyClick(dlg->table(), Qt::Key_Left);
        QTest::keyClick(dlg->table(), Qt::Key_Space);
        QTRY_COMPARE(dlg->table()->item(2, 0)->checkState(), Qt::Unchecked);
        QSignalSpy ok(dlg, &TracksDlg::planAccepted);
        QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
        ASSERT_EQ(ok.count(), 1);
        chosen = ok.at(0).at(0).value<TrackPlan>();
        ASSERT_TRUE(w.project()->saveProjectTo(projectPath));
    }
    // On disk, read as plain JSON: the 32 kHz stream (#2) is not kept.
    QFile file(projectPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject plan = QJsonDocument::fromJson(file.readAll()).object()["track_plan"].toObject();
    EXPECT_EQ(plan["sourcePath"].toString(), QFileInfo(src).absoluteFilePath());
    const QJsonArray entries = plan["entries"].toArray();
    ASSERT_EQ(entries.size(), 6);
    for (const QJsonValue &e : entries)
        EXPECT_EQ(e.toObject()["keep"].toBool(), e.toObject()["stream"].toInt() != 2);

    MessageWatcher answers;
    MainWindow w;
    w.show();
    bool opened = false;
    ASSERT_TRUE(w.project()->openProject(projectPath, [&](bool ok) { opened = ok; }));
    ASSERT_TRUE(waitUntil([&] { return opened && itemCount() == 1 && !w.isImporting(); }));
    EXPECT_EQ(w.segmentManager()->work()->trackPlan().entries, chosen.entries);
    TracksDlg *dlg = openTracks(w);
    ASSERT_TRUE(dlg);
    EXPECT_EQ(soundRows(dlg), (QStringList{"44100", "-", "48000"}));
    dlg->reject();
    EXPECT_TRUE(answers.texts.isEmpty()) << answers.texts.join('|').toStdString();
}
