// Cut lists through the program menu of the real main window: imports
// that replace or append after the window's question, faults and segments
// past the file's end told in messages, exports, segments from the file's
// chapters, and a merged conversion with a chapter per segment that
// ffprobe judges.
#include "FileDialogAnswer.h"
#include "ConfigState.h"
#include "MainWindowHelpers.h"
#include "MediaProbe.h"
#include "OutputFormatParams.h"
#include "ParserXML.h"
#include "ProgramMenu.h"
#include "QVideoConvertItem.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"
#include "QPreferencesDlg.h"
#include "QVoMessageBox.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"

#include <QAbstractButton>
#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QSignalSpy>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using testsupport::fixture;

namespace {

constexpr uint64_t sec = 1000000;

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

// Accepts the next file dialog with path (opening or saving).
void chooseInNextFileDialog(const QString &path, bool *seen)
{
    QTimer::singleShot(0, [path, seen] {
        QFileDialog *dialog = nullptr;
        waitUntil([&] { return (dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())); });
        ASSERT_NE(dialog, nullptr);
        *seen = true;
        testsupport::chooseInFileDialog(dialog, path);
    });
}

// Clicks a menu entry the way a user does: the title bar's menu button,
// then the entry in the menu that opened.
void clickMenuEntry(MainWindow &w, const char *name)
{
    auto *button = w.findChild<QAbstractButton *>("m_btnMenu");
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return w.programMenu()->isVisible(); }, 5000));
    QAction *action = w.programMenu()->findChild<QAction *>(name);
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled()) << name;
    QTest::mouseClick(w.programMenu(), Qt::LeftButton, Qt::NoModifier,
                      w.programMenu()->actionGeometry(action).center());
}

// Answers the window's message boxes: the replace question with the button
// asked for (0 Replace, 1 Append, -1 its close button), others with OK.
class Answers {
public:
    Answers()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QVoMessageBox *>(QApplication::activeModalWidget());
            if (!box || box->property("answered").toBool())
                return;
            box->setProperty("answered", true);
            box->prepare();
            if (box->objectName() == QLatin1String("m_replaceQuestion")) {
                questions << box->message();
                if (replaceChoice < 0)
                    QTest::mouseClick(reinterpret_cast<QWidget *>(box->closeButton()), Qt::LeftButton);
                else
                    box->buttons().at(replaceChoice)->click();
                return;
            }
            texts << box->message();
            box->buttons().first()->click();
        });
        m_timer.start();
    }
    int replaceChoice = 0;
    QStringList questions;
    QStringList texts;

private:
    QTimer m_timer;
};

struct Seg {
    double start;
    double end;
    QString label;
};

QList<Seg> segments()
{
    QList<Seg> out;
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    for (int i = 0; i < items->count(); ++i)
        out << Seg{items->itemAt(i)->m_TrimStartTime / 1e6, items->itemAt(i)->m_TrimEndTime / 1e6,
                   items->itemAt(i)->m_label};
    return out;
}

void expectSegments(const QList<Seg> &want)
{
    const QList<Seg> got = segments();
    ASSERT_EQ(got.size(), want.size());
    for (int i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(got[i].start, want[i].start, 0.001);
        EXPECT_NEAR(got[i].end, want[i].end, 0.001);
        EXPECT_EQ(got[i].label, want[i].label);
    }
}

class CutListWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ParserXML::writeItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
        ParserXML::writeItemValue("OutPut_path", "path_value", root.path() + "/");
    }
    void open(MainWindow &w, const char *name)
    {
        ASSERT_TRUE(importThroughSignal(w, {fixture(name)}));
        ASSERT_EQ(itemCount(), 1);
    }
    bool importMenu(MainWindow &w, const QString &path)
    {
        bool seen = false;
        chooseInNextFileDialog(path, &seen);
        // The list is read off the interface thread; its end is announced.
        QSignalSpy ended(&w, &MainWindow::cutListImported);
        clickMenuEntry(w, "actImportCutList");
        return seen && (!ended.isEmpty() || ended.wait(10000));
    }

    QTemporaryDir root;
    QTemporaryDir lists;
    QTemporaryDir &lists_ = lists;
};

} // namespace

TEST_F(CutListWindow, ImportsReplaceOrAppendAfterAskingAndFaultsLeaveTheWorkAlone)
{
    Answers answers;
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    open(w, "long_h264_aac.mp4"); // 20 s at 25 frames a second

    // A file just opened is replaced without a question. A byte order mark,
    // CRLF ends, a header row, a quoted label with a comma and an open end.
    const QString csv = writeFile(lists, "marks.csv",
                                  "\xEF\xBB\xBFstart,end,label\r\n2,5,Intro\r\n8.0,00:11,\"Part, \"\"two\"\"\"\r\n"
                                  "0:14,,Tail\r\n");
    ASSERT_TRUE(importMenu(w, csv));
    EXPECT_TRUE(answers.questions.isEmpty());
    expectSegments({{2, 5, "Intro"}, {8, 11, "Part, \"two\""}, {14, 20, "Tail"}});
    EXPECT_EQ(w.segmentManager()->currentEntry(), w.segmentManager()->entries().value(0));
    EXPECT_TRUE(w.segmentManager()->isListExpanded());

    // Now the work is the user's: asked, and appended. A drop-frame EDL is
    // read at the file's own 25 frames, so ';' is a fault there; this one
    // is non-drop, and one event reaches past the end of the file.
    const QString edl = writeFile(lists, "edit.edl",
                                  "TITLE: EDIT\nFCM: NON-DROP FRAME\n\n"
                                  "001  AX       AA/V  C        00:00:01:00 00:00:03:12 01:00:00:00 01:00:02:12\n"
                                  "* FROM CLIP NAME: Opening shot\n"
                                  "002  AX       AA/V  C        00:00:18:00 00:00:25:00 01:00:02:12 01:00:09:12\n"
                                  "003  AX       AA/V  C        00:00:30:00 00:00:31:00 01:00:09:12 01:00:10:12\n"
                                  "* FROM CLIP NAME: Beyond\n");
    answers.replaceChoice = 1;
    ASSERT_TRUE(importMenu(w, edl));
    ASSERT_EQ(answers.questions.size(), 1);
    EXPECT_TRUE(answers.questions[0].contains("(3)")) << answers.questions[0].toStdString();
    expectSegments({{2, 5, "Intro"},
                    {8, 11, "Part, \"two\""},
                    {14, 20, "Tail"},
                    {1, 3.48, "Opening shot"},
                    {18, 20, ""}});
    // The notes do not hold the import up: they come beside its end.
    ASSERT_TRUE(waitUntil([&] { return answers.texts.size() == 1; }, 5000)) << answers.texts.size();
    EXPECT_TRUE(answers.texts[0].contains("cut at its end: 2.")) << answers.texts[0].toStdString();
    EXPECT_TRUE(answers.texts[0].contains("left out: 3 “Beyond”.")) << answers.texts[0].toStdString();
    // The rows show the labels and numbers.
    QTRY_COMPARE(w.segmentManager()->entries().at(3)->labelText()->text(), QString("Opening shot"));
    QTRY_COMPARE(w.segmentManager()->entries().at(4)->labelText()->text(), QString("Segment 5"));

    // Closing the question cancels; replacing takes chapter text whose
    // last chapter ends at the file's end.
    const QString chapters = writeFile(lists, "chapters.txt", "0:00 Cold open\n0:07 - Middle\n0:15 | End\n");
    answers.replaceChoice = -1;
    ASSERT_TRUE(importMenu(w, chapters));
    EXPECT_EQ(segments().size(), 5);
    answers.replaceChoice = 0;
    ASSERT_TRUE(importMenu(w, chapters));
    expectSegments({{0, 7, "Cold open"}, {7, 15, "Middle"}, {15, 20, "End"}});

    // Faults: the line and the reason, and the work as it was.
    answers.texts.clear();
    const struct {
        const char *name;
        QByteArray bytes;
        const char *says;
    } faults[] = {
        {"bad.csv", "1,2,a\n3,4,b\nthree,5,c\n", "Line 3: “three” is not a time."},
        {"backwards.tsv", "5\t2\tback\n", "Line 1: A segment ends where or before it starts."},
        {"drop.edl", "001  AX  V  C  00:00:01;00 00:00:02;00 00:00:00;00 00:00:01;00\n", "Line 1"},
        {"two.cue", "FILE \"a.wav\" WAVE\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\nFILE \"b.wav\" WAVE\n",
         "Line 4: The sheet names a second file"},
        {"empty.csv", "start,end,label\n", "The file holds no segment."},
        {"binary.csv", QByteArray("\x00\x01\x02\x03", 4), "not text"},
        {"marks.srt", "1\n00:00:01,000 --> 00:00:02,000\nhi\n", "none of CSV, TSV"},
        {"late.csv", "25,30,after\n", "None of its segments lies within the file"},
    };
    int shown = 0;
    for (const auto &fault : faults) {
        SCOPED_TRACE(fault.name);
        ASSERT_TRUE(importMenu(w, writeFile(lists, fault.name, fault.bytes)));
        ++shown;
        ASSERT_TRUE(waitUntil([&] { return answers.texts.size() == shown; }, 5000)) << answers.texts.size();
        EXPECT_TRUE(answers.texts.last().contains(fault.says)) << answers.texts.last().toStdString();
        EXPECT_TRUE(answers.texts.last().contains(fault.name)) << answers.texts.last().toStdString();
        expectSegments({{0, 7, "Cold open"}, {7, 15, "Middle"}, {15, 20, "End"}});
    }
    EXPECT_EQ(answers.questions.size(), 3);
}

TEST_F(CutListWindow, ExportWritesTheWorkAndRefusesWhatAFormatCannotHold)
{
    Answers answers;
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    open(w, "long_h264_aac.mp4");
    ASSERT_TRUE(importMenu(w, writeFile(lists, "in.csv", "1.5,4,\"First, \"\"one\"\"\"\n6,9.25,\n")));
    expectSegments({{1.5, 4, "First, \"one\""}, {6, 9.25, ""}});

    bool seen = false;
    const QString csv = lists.filePath("out.csv");
    chooseInNextFileDialog(csv, &seen);
    QSignalSpy saved(&w, &MainWindow::cutListSaved);
    clickMenuEntry(w, "actExportCutList");
    ASSERT_TRUE(seen);
    ASSERT_TRUE(!saved.isEmpty() || saved.wait(10000));
    EXPECT_TRUE(saved.last().at(0).toBool());
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()).replace("\r\n", "\n"),
              "start,end,label\n00:00:01.500,00:00:04.000,\"First, \"\"one\"\"\"\n00:00:06.000,00:00:09.250,\n");
    EXPECT_TRUE(answers.texts.isEmpty());

    // Chapter text cannot hold a list that starts after 0:00.
    const QString txt = lists.filePath("out.txt");
    chooseInNextFileDialog(txt, &seen);
    saved.clear();
    clickMenuEntry(w, "actExportCutList");
    ASSERT_TRUE(!saved.isEmpty() || saved.wait(10000));
    EXPECT_FALSE(saved.last().at(0).toBool());
    ASSERT_TRUE(waitUntil([&] { return answers.texts.size() == 1; }, 5000)) << answers.texts.size();
    EXPECT_TRUE(answers.texts[0].contains("must begin at 0:00")) << answers.texts[0].toStdString();
    EXPECT_FALSE(QFile::exists(txt));

    // Back in: the same segments.
    answers.replaceChoice = 0;
    ASSERT_TRUE(importMenu(w, csv));
    expectSegments({{1.5, 4, "First, \"one\""}, {6, 9.25, ""}});
}

TEST_F(CutListWindow, SegmentsFromChaptersTakeTheirTitles)
{
    Answers answers;
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    open(w, "long_h264_aac.mp4");
    w.programMenu()->popup(QPoint(0, 0));
    EXPECT_FALSE(w.programMenu()->findChild<QAction *>("actChapterSegments")->isEnabled());
    w.programMenu()->hide();
    open(w, "chapters_cover.mp4");
    clickMenuEntry(w, "actChapterSegments");
    expectSegments({{0, 2, "Opening"}, {2, 4, "Middle"}, {4, 6, "Ending"}});
    EXPECT_TRUE(answers.questions.isEmpty());
    // Ranges running to the file's end read it whole: no message, not even
    // a note that the source ended early.
    EXPECT_TRUE(answers.texts.isEmpty()) << answers.texts.join('|').toStdString();
}

// The whole job: a list from elsewhere in each format, imported through
// the menu, converted losslessly into one merged file with a chapter per
// segment; ffprobe judges the length and the chapters.
TEST_F(CutListWindow, ImportedListsConvertToMergedFilesWithTheirChapters)
{
    Answers answers;
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    open(w, "long_h264_aac.mp4"); // 20 s at 25 frames a second

    // High-Speed mode through the format dialog, as a user picks it.
    bool answered = false;
    QTimer::singleShot(0, &w, [&] {
        QWidget *dialog = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (dialog = QApplication::activeModalWidget()) != nullptr; }));
        QWidget *radio = dialog->findChild<QWidget *>("m_radLosslessMode");
        ASSERT_NE(radio, nullptr);
        QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(8, radio->height() / 2));
        auto *ok = dialog->findChild<QAbstractButton *>("m_btnOk");
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
        answered = true;
    });
    QTest::mouseClick(w.findChild<QAbstractButton *>("m_btnFormat"), Qt::LeftButton);
    ASSERT_TRUE(answered);
    ASSERT_TRUE(OutputFormatParams::instance().lossless);

    QVideoCutManageDlg *panel = w.segmentManager();
    auto *merge = panel->findChild<QAbstractButton *>("m_chkMerger");
    auto *chapters = panel->findChild<QAbstractButton *>("m_chkChapters");
    ASSERT_TRUE(merge && chapters);
    EXPECT_FALSE(chapters->isVisible());
    QTest::mouseClick(merge, Qt::LeftButton);
    ASSERT_TRUE(chapters->isVisible());
    QTest::mouseClick(chapters, Qt::LeftButton);
    ASSERT_TRUE(chapters->isChecked());

    struct Chapter {
        double start;
        double end;
        QString title;
    };
    const struct {
        const char *name;
        QByteArray text;
        QList<Chapter> chapters;
    } lists[] = {
        {"list.csv", "0:01,0:03,One\n5,8,\"Two, too\"\n12,14,\n",
         {{0, 2, "One"}, {2, 5, "Two, too"}, {5, 7, "Segment 3"}}},
        {"list.edl",
         "TITLE: LIST\nFCM: NON-DROP FRAME\n\n"
         "001  AX       AA/V  C        00:00:02:00 00:00:04:00 00:00:00:00 00:00:02:00\n"
         "* FROM CLIP NAME: Alpha\n"
         "002  AX       AA/V  C        00:00:10:00 00:00:13:00 00:00:02:00 00:00:05:00\n",
         {{0, 2, "Alpha"}, {2, 5, "Segment 2"}}},
        {"chapters.txt", "0:00 Start\n0:06 - Later\n0:15 Last\n", {{0, 6, "Start"}, {6, 15, "Later"}, {15, 20, "Last"}}},
        {"list.cue",
         "FILE \"long_h264_aac.mp4\" WAVE\n  TRACK 01 AUDIO\n    TITLE \"Cue one\"\n    INDEX 01 00:01:00\n"
         "  TRACK 02 AUDIO\n    TITLE \"Cue two\"\n    INDEX 00 00:04:00\n    INDEX 01 00:07:00\n",
         {{0, 3, "Cue one"}, {3, 16, "Cue two"}}},
    };
    for (const auto &list : lists) {
        SCOPED_TRACE(list.name);
        ASSERT_TRUE(importMenu(w, writeFile(lists_, list.name, list.text)));
        ASSERT_EQ(itemCount(), list.chapters.size());

        QStringList before;
        for (QDirIterator it(ConfigState::instance().converterPath(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            before << it.next();
        QTest::keyClick(&w, Qt::Key_Return, Qt::ControlModifier);
        ASSERT_TRUE(waitUntil([&] { return MainWindow::isConverting(); }, 5000));
        ASSERT_TRUE(waitUntil([&] { return !MainWindow::isConverting(); }, 120000));
        QStringList made;
        for (QDirIterator it(ConfigState::instance().converterPath(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QString f = it.next();
            if (!before.contains(f))
                made << f;
        }
        ASSERT_EQ(made.size(), 1) << made.join(' ').toStdString();

        const Probe p = probeFile(made[0]);
        ASSERT_TRUE(p.ok);
        EXPECT_NEAR(p.duration, list.chapters.last().end, 0.15);
        const QJsonArray got = testsupport::ffprobeJson(made[0], {"-show_chapters"})["chapters"].toArray();
        ASSERT_EQ(got.size(), list.chapters.size());
        for (int i = 0; i < got.size(); ++i) {
            SCOPED_TRACE(i);
            const QJsonObject c = got[i].toObject();
            EXPECT_EQ(c["tags"].toObject()["title"].toString(), list.chapters[i].title);
            EXPECT_NEAR(c["start_time"].toString().toDouble(), list.chapters[i].start, 0.15);
            EXPECT_NEAR(c["end_time"].toString().toDouble(), list.chapters[i].end, 0.15);
        }
    }
    // Ranges running to the file's end read it whole: no message, not even
    // a note that the source ended early.
    EXPECT_TRUE(answers.texts.isEmpty()) << answers.texts.join('|').toStdString();
}

// Templates typed in the preferences name the outputs: labels and numbers
// in segment files, the span in a merged file; a slip is shown and not kept.
TEST_F(CutListWindow, OutputNamesFollowTheTemplatesOfThePreferences)
{
    Answers answers;
    MainWindow w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    open(w, "long_h264_aac.mp4");

    auto typeTemplates = [&](const QString &segment, const QString &merged, QString *hint) {
        bool seen = false;
        QTimer::singleShot(0, &w, [&] {
            QPreferencesDlg *dlg = nullptr;
            ASSERT_TRUE(waitUntil([&] { return (dlg = qobject_cast<QPreferencesDlg *>(QApplication::activeModalWidget())); }));
            for (const auto &[name, text] : {std::pair<const char *, QString>{"m_segmentTemplate", segment},
                                             std::pair<const char *, QString>{"m_mergedTemplate", merged}}) {
                auto *edit = dlg->findChild<QLineEdit *>(name);
                ASSERT_NE(edit, nullptr);
                QTest::mouseClick(edit, Qt::LeftButton);
                QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(edit, text);
            }
            *hint = dlg->findChild<QLabel *>("m_templateHint")->text();
            seen = true;
            QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
        });
        w.programMenu()->actPreferences()->trigger();
        ASSERT_TRUE(seen);
    };
    QString hint;
    typeTemplates("{n:02} {label} {start}.{ext}", "{name} {start}-{end}", &hint);
    EXPECT_TRUE(hint.startsWith("{name}")) << hint.toStdString();

    ASSERT_TRUE(importMenu(w, writeFile(lists, "names.csv", "1,3,Intro: \"A/B\"\n65.5,70,\n")));
    bool answered = false;
    QTimer::singleShot(0, &w, [&] {
        QWidget *dialog = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (dialog = QApplication::activeModalWidget()) != nullptr; }));
        QTest::mouseClick(dialog->findChild<QWidget *>("m_radLosslessMode"), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
        QTest::mouseClick(dialog->findChild<QAbstractButton *>("m_btnOk"), Qt::LeftButton);
        answered = true;
    });
    QTest::mouseClick(w.findChild<QAbstractButton *>("m_btnFormat"), Qt::LeftButton);
    ASSERT_TRUE(answered);

    auto convertAll = [&] {
        QStringList before;
        for (QDirIterator it(ConfigState::instance().converterPath(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            before << it.next();
        QTest::keyClick(&w, Qt::Key_Return, Qt::ControlModifier);
        EXPECT_TRUE(waitUntil([&] { return MainWindow::isConverting(); }, 5000));
        EXPECT_TRUE(waitUntil([&] { return !MainWindow::isConverting(); }, 120000));
        QStringList made;
        for (QDirIterator it(ConfigState::instance().converterPath(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QString f = it.next();
            if (!before.contains(f))
                made << QFileInfo(f).fileName();
        }
        made.sort();
        return made;
    };
    // The file is 20 s long: the second segment lies past its end and is
    // left out. Characters file systems refuse become '_'.
    EXPECT_EQ(convertAll(), QStringList{"01 Intro_ _A_B_ 00.00.01.000.mp4"});
    // Again: the same name is taken, so the number counts on.
    EXPECT_EQ(convertAll(), QStringList{"02 Intro_ _A_B_ 00.00.01.000.mp4"});

    QTest::mouseClick(w.segmentManager()->findChild<QAbstractButton *>("m_chkMerger"), Qt::LeftButton);
    EXPECT_EQ(convertAll(), QStringList{"long_h264_aac 00.00.01.000-00.00.03.000.mp4"});

    // A slip shows at once and keeps the template the user had.
    typeTemplates("{nn}.{ext}", "{name} {start}-{end}", &hint);
    EXPECT_TRUE(hint.contains("“{nn}” is not a placeholder")) << hint.toStdString();
    EXPECT_EQ(ParserXML::readItemValue("OUTPUTNAME_ITEM", "SegmentTemplate", ""), "{n:02} {label} {start}.{ext}");
}
