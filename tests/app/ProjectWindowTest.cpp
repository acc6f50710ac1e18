// Projects, undo and redo in the real main window with the real engine:
// the user's keys, buttons and dialogs change the segments; the program
// menu saves, opens and undoes; ffprobe and ffmpeg judge the outputs.
#include "ConfigState.h"
#include "EditRecordJson.h"
#include "FileDialogAnswer.h"
#include "FormatDialogDriver.h"
#include "MainWindowHelpers.h"
#include "MediaProbe.h"
#include "ParserXML.h"
#include "ProgramMenu.h"
#include "ProjectFile.h"
#include "ProjectSession.h"
#include "QPlayObject.h"
#include "QDualSlider.h"
#include "QSliderCtrlBtn.h"
#include "QVideoEditTag.h"
#include "QVoBaseButton.h"
#include "QEffectOperationForm.h"
#include "QVideoConvertItem.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoEditingDlg.h"
#include "QVideoPlayDlg.h"
#include "QVoCheckBox.h"
#include "SegmentEditing.h"
#include "TestSupport.h"
#include "VoVideoConvertItem.h"
#include "QSimpleTimeLine.h"
#include "QTimeContainer.h"
#include "QTimeItem.h"
#include "QCustomTimeEdit.h"
#include "WorkModel.h"

#include <QAbstractButton>
#include <QDirIterator>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QJsonObject>
#include <QJsonDocument>
#include <QJsonArray>
#include <QLockFile>
#include <QMimeData>
#include <QPointer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using testsupport::fixture;

namespace {

// A segment as the conversion will see it.
struct Seg {
    uint64_t start;
    uint64_t end;
    QJsonObject edit;
    QString label;
    bool operator==(const Seg &o) const
    {
        return start == o.start && end == o.end && edit == o.edit && label == o.label;
    }
};

struct Work {
    QVector<Seg> segments;
    bool simple;
    bool operator==(const Work &o) const { return segments == o.segments && simple == o.simple; }
};

std::ostream &operator<<(std::ostream &os, const Work &w)
{
    os << (w.simple ? "simple" : "free") << ":";
    for (const Seg &s : w.segments)
        os << " [" << s.start << "," << s.end << "]";
    return os;
}

Work work(MainWindow &w)
{
    Work out{{}, w.segmentManager()->isSimpleMode()};
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    for (int i = 0; i < items->count(); ++i) {
        const VoVideoConvertItem *item = items->itemAt(i);
        out.segments.append(
            {item->m_TrimStartTime, item->m_TrimEndTime, projectjson::editToJson(item->m_editConfig), item->m_label});
    }
    return out;
}

// Where the rows, the timeline's boxes or their labels show something else
// than the work model holds: empty when every view agrees with it.
std::string viewsDisagree(MainWindow &w)
{
    QVideoCutManageDlg *list = w.segmentManager();
    const WorkModel *model = list->work();
    std::ostringstream out;
    const auto &rows = list->entries();
    if (rows.size() != model->count())
        out << "rows " << rows.size() << " model " << model->count() << "; ";
    const bool simple = list->isSimpleMode();
    const auto &boxes = list->timeLine()->container()->items();
    if (simple && boxes.size() != model->count())
        out << "boxes " << boxes.size() << " model " << model->count() << "; ";
    for (int i = 0; i < model->count(); ++i) {
        const WorkSegment &seg = model->at(i);
        const uint64_t duration = model->source(seg.source).duration_us;
        if (i < rows.size()) {
            const QVideoConvertItem *row = rows.at(i);
            if (!row->item() || row->item()->m_segmentId != seg.id)
                out << "row " << i << " shows another segment; ";
            if (row->startTimeEdit()->time() / 1000 != seg.start_us / 1000
                || row->endTimeEdit()->time() / 1000 != seg.end_us / 1000)
                out << "row " << i << " shows " << row->startTimeEdit()->time() << "-" << row->endTimeEdit()->time()
                    << " for " << seg.start_us << "-" << seg.end_us << "; ";
            if (!seg.label.isEmpty() && row->labelText()->toolTip() != seg.label)
                out << "row " << i << " label " << row->labelText()->toolTip().toStdString() << "; ";
        }
        if (simple && i < boxes.size() && duration > 0) {
            const TimeItemInfo info = boxes.at(i)->info();
            const double start = double(seg.start_us) / double(duration);
            const double end = double(seg.end_us) / double(duration);
            // The boxes keep fractions in single precision.
            if (std::abs(info.startPos - start) > 1e-6 || std::abs(info.endPos - end) > 1e-6)
                out << "box " << i << " at " << info.startPos << "-" << info.endPos << " for " << start << "-" << end
                    << "; ";
            if (boxes.at(i)->label() != seg.label)
                out << "box " << i << " label " << boxes.at(i)->label().toStdString() << "; ";
        }
    }
    return out.str();
}

// What holds the window's keys, for a failure's message.
std::string modalDescription()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return "none";
    std::string out = modal->metaObject()->className() + std::string(" ") + modal->objectName().toStdString();
    if (auto *box = qobject_cast<QVoMessageBox *>(modal))
        out += " \"" + box->message().toStdString() + "\" answered " + (box->property("answered").toBool() ? "yes" : "no");
    return out;
}

void key(MainWindow &w, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QTest::keyClick(&w, k, m);
    // What the key set off runs before the next key, as between a user's keys.
    QCoreApplication::processEvents();
}

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(widget->width() / 2, widget->height() / 2));
    QCoreApplication::processEvents();
}

QAbstractButton *listButton(MainWindow &w, const char *name)
{
    return w.segmentManager()->findChild<QAbstractButton *>(QLatin1String(name));
}

QStringList outputsUnder(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

// ffmpeg's own PSNR of b against a over the whole picture ("inf" when equal).
double psnr(const QString &a, const QString &b)
{
    const testsupport::ProcessResult r =
        testsupport::runProcess("ffmpeg", {"-v", "info", "-nostats", "-i", a, "-i", b, "-lavfi", "psnr", "-f", "null", "-"});
    const QRegularExpressionMatch m = QRegularExpression("average:(inf|[0-9.]+)").match(QString::fromUtf8(r.err));
    if (!m.hasMatch())
        return -1;
    return m.captured(1) == "inf" ? 1000 : m.captured(1).toDouble();
}

// Answers what the window asks as a user would, whenever it appears: the
// open-file dialog with a file, the question about unsaved work with one of
// its buttons (0 Save, 1 Discard, 2 Cancel), any other message with OK.
// It polls rather than waits, so that no answer runs inside another's loop.
class Answers {
public:
    Answers()
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }
    QString file;
    int button = 2;
    QStringList questions;
    QStringList messages;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->property("answered").toBool())
            return;
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            modal->setProperty("answered", true);
            testsupport::chooseInFileDialog(dialog, file, Qt::QueuedConnection);
        } else if (auto *box = qobject_cast<QVoMessageBox *>(modal)) {
            modal->setProperty("answered", true);
            box->prepare();
            const bool question = box->objectName() == QLatin1String("discardQuestion");
            (question ? questions : messages) << box->message();
            box->buttons().at(question ? button : 0)->click();
        }
    }
    QTimer m_timer;
};

void dropOn(MainWindow &w, const QString &path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at(w.width() / 2, 100);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &drop);
}

class ProjectWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(ParserXML::defaultSettingFile());
        QFile::remove(ParserXML::formatSettingFile());
        OutputFormatParams::instance() = OutputFormatParams();
        ParserXML::readItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
        ParserXML::writeItemValue("LISTMODEL_ITEM", "ListModel_Line", "N");
        ParserXML::readItemValue("OutPut_path", "path_value", "");
        ParserXML::writeItemValue("OutPut_path", "path_value", out.path() + "/");
        ProjectSession::setSaveChooser({});
        ProjectSession::setOpenChooser({});
    }
    void TearDown() override
    {
        ProjectSession::setSaveChooser({});
        ProjectSession::setOpenChooser({});
    }

    void open(MainWindow &w, const QString &name)
    {
        ASSERT_TRUE(importThroughSignal(w, {fixture(name)}));
        ASSERT_EQ(itemCount(), 1);
        ASSERT_TRUE(waitUntil([&] { return !w.playerPanel()->isPaused(); }));
        key(w, Qt::Key_Space); // pause
    }

    void seek(MainWindow &w, double seconds)
    {
        QSignalSpy pro(w.playerPanel(), &QVideoPlayDlg::emitPlayProValue);
        emit w.segmentManager()->sendPlayProToPlay(uint64_t(seconds * 1e6));
        ASSERT_TRUE(waitUntil([&] { return pro.count() > 0; }, 5000));
    }

    void mark(MainWindow &w, double start, double end)
    {
        seek(w, end);
        key(w, Qt::Key_O);
        seek(w, start);
        key(w, Qt::Key_I);
        // The marks land with the pictures they were made on.
        ASSERT_TRUE(marksLanded(w));
    }

    QStringList convert(MainWindow &w)
    {
        const QStringList before = outputsUnder(out.path());
        key(w, Qt::Key_Return, Qt::ControlModifier);
        EXPECT_TRUE(waitUntil([&] { return MainWindow::isConverting(); }, 5000));
        EXPECT_TRUE(waitUntil([&] { return !MainWindow::isConverting(); }, 120000));
        QStringList made = outputsUnder(out.path());
        for (const QString &f : before)
            made.removeAll(f);
        return made;
    }

    // The menu's entries, as the user picks them from the title bar's menu.
    void pick(MainWindow &w, QAction *action)
    {
        emit w.programMenu()->aboutToShow();
        ASSERT_TRUE(action->isEnabled()) << action->objectName().toStdString();
        action->trigger();
        QCoreApplication::processEvents();
    }

    QTemporaryDir out;
    QTemporaryDir projects;
};

} // namespace

TEST_F(ProjectWindow, TwoThousandRandomChangesUndoToTheStartAndRedoToTheEnd)
{
    MessageWatcher answers; // the mode switch's question and "no room" notes
    MainWindow w;
    w.show();
    open(w, "h264_aac.mp4");
    QUndoStack *stack = w.project()->undoStack();
    EXPECT_EQ(stack->count(), 0);
    const Work start = work(w);

    QRandomGenerator random(20261210);
    for (int op = 0; op < 2000; ++op) {
        const int n = itemCount();
        const bool simple = w.segmentManager()->isSimpleMode();
        switch (random.bounded(10)) {
        case 0:
        case 1:
            if (n < 8)
                key(w, Qt::Key_Insert);
            break;
        case 2:
            if (n > 1)
                key(w, Qt::Key_Delete);
            break;
        case 3:
            if (!simple && listButton(w, "m_btnUp")->isEnabled())
                click(listButton(w, "m_btnUp"));
            break;
        case 4:
            if (!simple && listButton(w, "m_btnDown")->isEnabled())
                click(listButton(w, "m_btnDown"));
            break;
        case 5:
        case 6:
            key(w, Qt::Key_Right);
            key(w, random.bounded(2) ? Qt::Key_I : Qt::Key_O);
            break;
        case 7:
            key(w, Qt::Key_Left);
            key(w, random.bounded(2) ? Qt::Key_I : Qt::Key_O);
            break;
        case 8:
            // Another segment becomes current: selecting alone is no step.
            w.segmentManager()->OnClickItem(int(random.bounded(quint32(n))));
            QCoreApplication::processEvents();
            break;
        case 9:
            if (random.bounded(8) == 0)
                click(listButton(w, simple ? "m_btnStyleList" : "m_btnStyleLine"));
            break;
        }
    }
    // What the keys asked for has landed, as the user sees it before going on.
    ASSERT_TRUE(waitUntil([&] { return w.playerPanel()->isSettled(); }, 60000));
    const Work end = work(w);
    ASSERT_FALSE(end == start);
    EXPECT_GE(stack->count(), 100);
    const int steps = stack->count();

    // Undo waits for the marks and adds still on their way to a picture;
    // after each step the rows, boxes and labels show the work's segments.
    int disagreements = 0;
    auto undoOrRedo = [&](Qt::Key k, Qt::KeyboardModifiers m) {
        key(w, k, m);
        EXPECT_TRUE(waitUntil([&] { return w.playerPanel()->isSettled(); }, 60000));
        const std::string differs = viewsDisagree(w);
        if (!differs.empty() && disagreements++ < 5)
            ADD_FAILURE() << "after " << stack->index() << " of " << steps << ": " << differs;
    };
    ASSERT_EQ(viewsDisagree(w), "");
    for (int i = 0; i < steps; ++i)
        undoOrRedo(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(stack->canUndo()) << stack->index() << " of " << steps << " focus "
                                   << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "none")
                                   << " modal " << modalDescription();
    EXPECT_EQ(work(w), start);
    for (int i = 0; i < steps; ++i)
        undoOrRedo(i % 2 ? Qt::Key_Y : Qt::Key_Z, i % 2 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(stack->canRedo());
    EXPECT_EQ(work(w), end);
}

TEST_F(ProjectWindow, ADragIsOneStepAndTheMenuUndoesIt)
{
    MainWindow w;
    w.show();
    open(w, "h264_aac.mp4");
    QUndoStack *stack = w.project()->undoStack();
    const Work before = work(w);
    // The cut tool's start handle, dragged a third of the way in several moves.
    QDualSlider *slider = w.cutTool()->trimSlider();
    QWidget *handle = slider->startHandle();
    auto send = [](QWidget *target, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
        QMouseEvent e(type, local, target->mapToGlobal(local), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
        QApplication::sendEvent(target, &e);
        QCoreApplication::processEvents();
    };
    send(handle, QEvent::MouseButtonPress, QPoint(3, 3), Qt::LeftButton);
    QPoint at;
    for (int x = 10; x <= slider->width() / 3; x += 10) {
        at = handle->mapFromGlobal(slider->mapToGlobal(QPoint(x + 3, 0)));
        send(handle, QEvent::MouseMove, at, Qt::LeftButton);
    }
    send(handle, QEvent::MouseButtonRelease, at, Qt::NoButton);
    const Work dragged = work(w);
    ASSERT_GT(dragged.segments.at(0).start, before.segments.at(0).start + 1000000);
    EXPECT_EQ(stack->count(), 1);
    EXPECT_TRUE(w.project()->titleText().startsWith("*h264_aac.mp4")) << w.project()->titleText().toStdString();
    // The menu names the step it would take back, and then the one it would do again.
    emit w.programMenu()->aboutToShow();
    EXPECT_EQ(w.programMenu()->actUndo()->text(), "Undo Move Start of Segment 1");
    EXPECT_EQ(w.programMenu()->actRedo()->text(), "Redo");

    pick(w, w.programMenu()->actUndo());
    EXPECT_EQ(work(w), before);
    EXPECT_EQ(w.programMenu()->actUndo()->text(), "Undo");
    EXPECT_EQ(w.programMenu()->actRedo()->text(), "Redo Move Start of Segment 1");
    EXPECT_EQ(w.cutTool()->trimStart(), before.segments.at(0).start);
    EXPECT_FALSE(w.project()->titleText().startsWith("*"));
    pick(w, w.programMenu()->actRedo());
    EXPECT_EQ(work(w), dragged);
}

TEST_F(ProjectWindow, ASavedCutReopensInAFreshWindowAndConvertsTheSame)
{
    const QString projectPath = projects.filePath("three parts.snipwell");
    QStringList first;
    QJsonObject firstEdit;
    {
        MessageWatcher answers;
        MainWindow w;
        w.show();
        open(w, "long_h264_aac.mp4");
        mark(w, 1.0, 2.0);
        key(w, Qt::Key_Insert);
        mark(w, 5.0, 6.5);
        key(w, Qt::Key_Insert);
        mark(w, 10.0, 11.0);
        ASSERT_EQ(itemCount(), 3);

        // The last segment's picture is brightened in "Video Edit".
        installSegmentEditing(w.segmentManager(), [](QVideoEditingDlg &dlg) {
            dlg.show();
            EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.isLoaded(); }, 10000));
            QTest::mouseClick(dlg.tabBar()->button(2), Qt::LeftButton);
            auto *form = qobject_cast<QEffectOperationForm *>(dlg.tabForm(2));
            EXPECT_NE(form, nullptr);
            if (form) {
                form->brightnessEdit()->setFocus();
                form->brightnessEdit()->selectAll();
                QTest::keyClicks(form->brightnessEdit(), "60");
            }
            QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
            return dlg.result();
        });
        const int stepsBeforeEdit = w.project()->undoStack()->count();
        QVideoConvertItem *row = w.segmentManager()->entries().at(2);
        click(row->findChild<QAbstractButton *>("m_btnEdit"));
        ASSERT_NE(VoVideoConvertManager::instance()->itemAt(2)->m_editConfig.picture.brightness, 0);
        EXPECT_EQ(VoVideoConvertManager::instance()->itemAt(1)->m_editConfig.picture.brightness, 0);
        EXPECT_EQ(w.project()->undoStack()->count(), stepsBeforeEdit + 1);
        firstEdit = projectjson::editToJson(VoVideoConvertManager::instance()->itemAt(2)->m_editConfig);

        // An Encoding format other than the one every run starts with.
        bool chosen = false;
        QTimer::singleShot(0, &w, [&] {
            FormatWidget *dialog = nullptr;
            ASSERT_TRUE(waitUntil([&] { return (dialog = qobject_cast<FormatWidget *>(QApplication::activeModalWidget())); }));
            formatdriver::pressTile(dialog, false, "General Video", "4004");
            formatdriver::chooseRow(formatdriver::child<QVoComboBox>(dialog, "m_cmbQuality"), 1);
            formatdriver::click(formatdriver::child<QTextImageButton>(dialog, "m_btnOk"));
            chosen = true;
        });
        click(w.cutTool()->findChild<QAbstractButton *>("m_btnFormat"));
        ASSERT_TRUE(chosen);
        ASSERT_EQ(OutputFormatParams::instance().extension, "avi");
        // The format's OK was one step too.
        EXPECT_EQ(w.project()->undoStack()->count(), stepsBeforeEdit + 2);

        ProjectSession::setSaveChooser([&](QWidget *, const QString &suggested) {
            EXPECT_TRUE(suggested.endsWith("long_h264_aac.snipwell")) << suggested.toStdString();
            return projectPath;
        });
        pick(w, w.programMenu()->actSaveProject());
        ASSERT_TRUE(QFileInfo(projectPath).isFile());
        EXPECT_EQ(w.project()->titleText(), "three parts — Zelvane Snipwell");
        first = convert(w);
        ASSERT_EQ(first.size(), 3) << first.join(' ').toStdString();
        EXPECT_TRUE(answers.texts.isEmpty()) << answers.texts.join('|').toStdString();
    }

    // A new start: nothing of the first run's choices is left.
    QFile::remove(ParserXML::defaultSettingFile());
    QFile::remove(ParserXML::formatSettingFile());
    OutputFormatParams::instance() = OutputFormatParams();
    ParserXML::readItemValue("OutPut_path", "path_value", "");
    ParserXML::writeItemValue("OutPut_path", "path_value", out.path() + "/second/");
    MessageWatcher answers;
    MainWindow w;
    w.show();
    ASSERT_EQ(OutputFormatParams::instance().extension, "mp4");
    ProjectSession::setOpenChooser([&](QWidget *, const QString &) { return projectPath; });
    QTimer::singleShot(0, &w, [&] { pick(w, w.programMenu()->actOpenProject()); });
    ASSERT_TRUE(waitUntil([&] { return itemCount() == 3 && !w.isImporting(); }));
    EXPECT_EQ(w.project()->projectPath(), QFileInfo(projectPath).absoluteFilePath());
    EXPECT_EQ(OutputFormatParams::instance().extension, "avi");
    EXPECT_EQ(projectjson::editToJson(VoVideoConvertManager::instance()->itemAt(2)->m_editConfig), firstEdit);
    EXPECT_FALSE(w.project()->undoStack()->canUndo());
    EXPECT_EQ(w.project()->titleText(), "three parts — Zelvane Snipwell");

    const QStringList second = convert(w);
    ASSERT_EQ(second.size(), 3) << second.join(' ').toStdString();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(second[i].toStdString());
        const Probe a = probeFile(first[i]);
        const Probe b = probeFile(second[i]);
        ASSERT_TRUE(a.ok && b.ok);
        EXPECT_NEAR(b.duration, a.duration, 0.05);
        ASSERT_EQ(b.streams.size(), a.streams.size());
        for (int s = 0; s < a.streams.size(); ++s) {
            EXPECT_EQ(b.streams[s].type, a.streams[s].type);
            EXPECT_EQ(b.streams[s].codec, a.streams[s].codec);
        }
        EXPECT_GE(psnr(first[i], second[i]), 40.0);
    }
    EXPECT_TRUE(answers.texts.isEmpty()) << answers.texts.join('|').toStdString();
}

TEST_F(ProjectWindow, AProjectsUnknownKeysStayWithTheirSegmentThroughDeleteAddAndUndo)
{
    // A project written by a later version: each segment carries a key this
    // version does not know.
    const QString first = projects.filePath("later.snipwell");
    {
        MessageWatcher answers;
        MainWindow w;
        w.show();
        open(w, "long_h264_aac.mp4");
        mark(w, 1.0, 2.0);
        key(w, Qt::Key_Insert);
        mark(w, 5.0, 6.5);
        ASSERT_EQ(itemCount(), 2);
        ProjectSession::setSaveChooser([&](QWidget *, const QString &) { return first; });
        pick(w, w.programMenu()->actSaveProject());
        ASSERT_TRUE(QFileInfo(first).isFile());
    }
    QFile file(first);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    // The source's fingerprint was read aside while the user marked.
    EXPECT_EQ(root.value("source").toObject().value("head_sha256").toString().size(), 64);
    QJsonArray segments = root.value("segments").toArray();
    ASSERT_EQ(segments.size(), 2);
    for (int i = 0; i < 2; ++i) {
        QJsonObject segment = segments[i].toObject();
        segment.insert("later_note", QStringLiteral("note of segment %1").arg(i + 1));
        segments[i] = segment;
    }
    root.insert("segments", segments);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QJsonDocument(root).toJson());
    file.close();

    MessageWatcher answers;
    MainWindow w;
    w.show();
    ProjectSession::setOpenChooser([&](QWidget *, const QString &) { return first; });
    QTimer::singleShot(0, &w, [&] { pick(w, w.programMenu()->actOpenProject()); });
    ASSERT_TRUE(waitUntil([&] { return itemCount() == 2 && !w.isImporting(); }));
    // The first segment goes, a new one comes, the delete is undone and
    // done again: each note stays with its own segment, the new one has none.
    w.segmentManager()->OnClickItem(0);
    QCoreApplication::processEvents();
    key(w, Qt::Key_Delete);
    ASSERT_EQ(itemCount(), 1);
    key(w, Qt::Key_Insert);
    ASSERT_TRUE(waitUntil([&] { return itemCount() == 2 && w.playerPanel()->isSettled(); }));
    pick(w, w.programMenu()->actUndo());
    pick(w, w.programMenu()->actUndo());
    ASSERT_TRUE(waitUntil([&] { return itemCount() == 2 && w.playerPanel()->isSettled(); }));
    pick(w, w.programMenu()->actRedo());
    pick(w, w.programMenu()->actRedo());
    ASSERT_TRUE(waitUntil([&] { return itemCount() == 2 && w.playerPanel()->isSettled(); }));
    const QString second = projects.filePath("saved again.snipwell");
    ProjectSession::setSaveChooser([&](QWidget *, const QString &) { return second; });
    pick(w, w.programMenu()->actSaveProjectAs());
    QFile saved(second);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QJsonArray after = QJsonDocument::fromJson(saved.readAll()).object().value("segments").toArray();
    ASSERT_EQ(after.size(), 2);
    EXPECT_EQ(after[0].toObject().value("later_note").toString(), "note of segment 2");
    EXPECT_EQ(after[0].toObject().value("start_us").toDouble(), 5000000.0);
    EXPECT_FALSE(after[1].toObject().contains("later_note")) << QJsonDocument(after[1].toObject()).toJson().constData();
}

TEST_F(ProjectWindow, BadProjectFilesAreRefusedAndChangeNothing)
{
    MessageWatcher answers;
    MainWindow w;
    w.show();
    open(w, "h264_aac.mp4");
    key(w, Qt::Key_Insert);
    const Work before = work(w);
    const int steps = w.project()->undoStack()->count();

    // A good project to spoil in different ways.
    ProjectSession::setSaveChooser([&](QWidget *, const QString &) { return projects.filePath("good.snipwell"); });
    pick(w, w.programMenu()->actSaveProject());
    QFile good(projects.filePath("good.snipwell"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    QByteArray newer = bytes;
    newer.replace(QByteArray("\"version\": ") + QByteArray::number(ProjectFile::kVersion), "\"version\": 7");
    QByteArray damaged = bytes;
    damaged.replace("\"segments\":", "\"segments\"#");
    QByteArray wrongType = bytes;
    wrongType.replace("\"start_us\": ", "\"start_us\": \"soon\", \"x\": ");
    QFile media(fixture("h264_aac.mp4"));
    ASSERT_TRUE(media.open(QIODevice::ReadOnly));
    const struct {
        const char *name;
        QByteArray data;
        const char *says;
    } cases[] = {
        {"truncated.snipwell", bytes.left(bytes.size() / 3), "incomplete"},
        {"damaged.snipwell", damaged, "damaged"},
        {"newer.snipwell", newer, "newer version"},
        {"wrong-value.snipwell", wrongType, "segments[0].start_us"},
        {"video.snipwell", media.read(4096), "damaged"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = projects.filePath(c.name);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.data);
        f.close();
        answers.texts.clear();
        ProjectSession::setOpenChooser([&](QWidget *, const QString &) { return path; });
        pick(w, w.programMenu()->actOpenProject());
        ASSERT_TRUE(waitUntil([&] { return !answers.texts.isEmpty(); }, 5000));
        EXPECT_TRUE(answers.texts.first().contains(c.name)) << answers.texts.first().toStdString();
        EXPECT_TRUE(answers.texts.first().contains(c.says)) << answers.texts.first().toStdString();
        EXPECT_EQ(work(w), before);
        EXPECT_EQ(w.project()->undoStack()->count(), steps);
        EXPECT_EQ(w.project()->projectPath(), QFileInfo(projects.filePath("good.snipwell")).absoluteFilePath());
        QFile again(path);
        ASSERT_TRUE(again.open(QIODevice::ReadOnly));
        EXPECT_EQ(again.readAll(), c.data);
    }
    // A project whose source is gone says which file it needs.
    QByteArray moved = bytes;
    moved.replace(fixture("h264_aac.mp4").toUtf8(), "/nowhere/h264_aac.mp4");
    // Another size too (-1 when saved before the file's digests were read).
    moved = QString::fromUtf8(moved).replace(QRegularExpression(QStringLiteral("\"size\": -?[0-9]+")),
                                             QStringLiteral("\"size\": 17")).toUtf8();
    QFile f(projects.filePath("lost.snipwell"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(moved);
    f.close();
    answers.texts.clear();
    ProjectSession::setOpenChooser([&](QWidget *, const QString &) { return f.fileName(); });
    pick(w, w.programMenu()->actOpenProject());
    ASSERT_TRUE(waitUntil([&] { return !answers.texts.isEmpty(); }, 5000));
    EXPECT_TRUE(answers.texts.first().contains("/nowhere/h264_aac.mp4")) << answers.texts.first().toStdString();
    EXPECT_EQ(work(w), before);
}

TEST_F(ProjectWindow, ClosingWithUnsavedChangesAsksFirst)
{
    MainWindow w;
    w.show();
    open(w, "h264_aac.mp4");
    key(w, Qt::Key_Insert);
    ASSERT_TRUE(w.project()->hasUnsavedChanges());
    // Exit, not the tray: only then is the work at stake.
    ParserXML::readItemValue("REMIND_ITEM", "isShowRemind", "Y");
    ParserXML::writeItemValue("REMIND_ITEM", "isShowRemind", "N");
    ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y");
    ParserXML::writeItemValue("CLOSE_ITEM", "bIsCloseDlg", "Y");
    auto *close = w.findChild<QAbstractButton *>("m_btnClose");

    auto answerWith = [](int which, QString *text) {
        QTimer::singleShot(0, [which, text] {
            QVoMessageBox *box = nullptr;
            ASSERT_TRUE(waitUntil([&] { return (box = qobject_cast<QVoMessageBox *>(QApplication::activeModalWidget())); }, 5000));
            box->prepare();
            *text = box->message();
            ASSERT_EQ(box->buttons().size(), 3);
            EXPECT_EQ(box->buttons().at(0)->text(), "Save");
            EXPECT_EQ(box->buttons().at(1)->text(), "Discard");
            EXPECT_EQ(box->buttons().at(2)->text(), "Cancel");
            box->buttons().at(which)->click();
        });
    };
    QString asked;
    answerWith(2, &asked);
    click(close);
    EXPECT_TRUE(asked.contains("h264_aac.mp4")) << asked.toStdString();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(itemCount(), 2);

    // Save writes the project, and the window goes.
    const QString path = projects.filePath("kept.snipwell");
    ProjectSession::setSaveChooser([&](QWidget *, const QString &) { return path; });
    answerWith(0, &asked);
    click(close);
    QTRY_VERIFY(!w.isVisible());
    Project saved;
    QString error;
    ASSERT_TRUE(ProjectFile::read(path, &saved, &error)) << error.toStdString();
    EXPECT_EQ(saved.segments.size(), 2);
    EXPECT_EQ(w.project()->recentPaths().value(0), QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(w.project()->recentPaths().value(1), fixture("h264_aac.mp4"));
}

TEST_F(ProjectWindow, TheAutosaveOfAKilledSessionIsOfferedAtTheNextStartAndRestored)
{
    const QString folder = ProjectSession::autosaveFolder();
    EXPECT_EQ(folder, QDir::homePath() + "/.local/state/zelvane-snipwell");
    const QString killed = folder + "/session-999999.snipwell";
    QString own;
    Work marked;
    {
        MainWindow w;
        w.show();
        open(w, "h264_aac.mp4");
        own = w.project()->autosavePath();
        EXPECT_TRUE(own.endsWith(QStringLiteral("session-%1.snipwell").arg(QCoreApplication::applicationPid())));
        key(w, Qt::Key_Insert);
        key(w, Qt::Key_Insert);
        marked = work(w);
        ASSERT_TRUE(waitUntil([&] { return QFileInfo::exists(own); }, 3 * ProjectSession::kAutosaveDelayMs));
        // What a killed program leaves: its file, and no one holding its lock.
        ASSERT_TRUE(QFile::copy(own, killed));
    }
    EXPECT_FALSE(QFileInfo::exists(own)); // a normal end tidies up
    // A session still running (its lock held) is left alone.
    QLockFile running(folder + "/session-888888.lock");
    ASSERT_TRUE(running.tryLock(0));
    ASSERT_TRUE(QFile::copy(killed, folder + "/session-888888.snipwell"));

    MessageWatcher answers; // "Yes"
    MainWindow w;
    w.show();
    // The question does not wait for its answer: what follows it comes
    // when it is answered.
    bool followed = false;
    w.project()->offerRestore([&] { followed = true; });
    EXPECT_FALSE(followed);
    ASSERT_TRUE(waitUntil([&] { return followed; }, 5000));
    ASSERT_EQ(answers.texts.size(), 1);
    EXPECT_TRUE(answers.texts.first().startsWith("Restore the segments of h264_aac.mp4 from "))
        << answers.texts.first().toStdString();
    ASSERT_TRUE(waitUntil([&] { return itemCount() == 3 && !w.isImporting(); }));
    EXPECT_EQ(work(w), marked);
    EXPECT_TRUE(w.project()->hasUnsavedChanges());
    EXPECT_TRUE(w.project()->titleText().startsWith("*h264_aac.mp4")) << w.project()->titleText().toStdString();
    EXPECT_FALSE(QFileInfo::exists(killed));
    EXPECT_TRUE(QFileInfo::exists(folder + "/session-888888.snipwell"));
    EXPECT_FALSE(w.project()->recentPaths().join(' ').contains("session-"));
    QFile::remove(folder + "/session-888888.snipwell");
}

TEST_F(ProjectWindow, TheQuestionAboutUnsavedWorkIsAskedOnceAndItsAnswerOpensTheFileItWasAskedFor)
{
    MainWindow w;
    w.show();
    open(w, "long_h264_aac.mp4");
    mark(w, 2.0, 4.0);
    key(w, Qt::Key_Insert);
    ASSERT_TRUE(w.project()->hasUnsavedChanges());
    const QString other = fixture("h264_aac.mp4");

    // A drop asks; nothing has changed yet.
    dropOn(w, other);
    QPointer<QVoMessageBox> box;
    ASSERT_TRUE(waitUntil([&] { return (box = QVoMessageBox::openBoxNamed(&w, "discardQuestion")); }, 5000));
    EXPECT_FALSE(w.isImporting());
    EXPECT_EQ(itemCount(), 2);
    // Another file while the question is open (a second drop arrives
    // before the first is answered) asks nothing more and opens nothing.
    w.addImportFile({fixture("mpeg2_broadcast.ts")});
    int open = 0;
    for (QVoMessageBox *b : w.findChildren<QVoMessageBox *>())
        open += b->isVisible();
    EXPECT_EQ(open, 1);
    EXPECT_FALSE(w.isImporting());

    // Discard, through its button: the file the question was asked for opens.
    box->prepare();
    QTest::mouseClick(box->buttons().at(1), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] {
        return !w.isImporting() && itemCount() == 1 && VoVideoConvertManager::instance()->itemAt(0)->m_videoPath == other;
    }));
    EXPECT_FALSE(box && box->isVisible());
    EXPECT_FALSE(w.project()->hasUnsavedChanges());
}

TEST_F(ProjectWindow, AnotherFileOverUnsavedWorkAsksFirstAndCancelKeepsEverything)
{
    Answers answers;
    MainWindow w;
    w.show();
    open(w, "long_h264_aac.mp4");
    mark(w, 2.0, 4.0);
    key(w, Qt::Key_Insert);
    const Work before = work(w);
    QUndoStack *stack = w.project()->undoStack();
    const int steps = stack->count();
    ASSERT_TRUE(w.project()->hasUnsavedChanges());
    // The window system names the work as the drawn title does.
    EXPECT_EQ(w.windowTitle().toStdString(), "*long_h264_aac.mp4 — Zelvane Snipwell");
    const QString other = fixture("h264_aac.mp4");
    auto unchanged = [&](const char *how) {
        SCOPED_TRACE(how);
        EXPECT_FALSE(w.isImporting());
        EXPECT_EQ(work(w), before);
        EXPECT_EQ(stack->count(), steps);
        EXPECT_TRUE(w.project()->hasUnsavedChanges());
        EXPECT_EQ(w.playObject()->path(), fixture("long_h264_aac.mp4"));
        EXPECT_NE(w.playerPanel()->player(), 0);
        EXPECT_EQ(w.windowTitle().toStdString(), "*long_h264_aac.mp4 — Zelvane Snipwell");
    };

    // Cancel, whichever way the other file comes: Ctrl+O, a drop, a later start.
    answers.file = other;
    answers.button = 2;
    key(w, Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(waitUntil([&] { return answers.questions.size() == 1 && !QApplication::activeModalWidget(); }));
    EXPECT_TRUE(answers.questions.first().contains("long_h264_aac.mp4")) << answers.questions.first().toStdString();
    unchanged("Ctrl+O");
    dropOn(w, other);
    ASSERT_TRUE(waitUntil([&] { return answers.questions.size() == 2 && !QApplication::activeModalWidget(); }));
    unchanged("drop");
    w.openHandedOverFiles({other});
    ASSERT_TRUE(waitUntil([&] { return answers.questions.size() == 3 && !QApplication::activeModalWidget(); }));
    unchanged("later start");
    // The player goes on with the old file.
    QTest::mouseClick(w.playerPanel()->findChild<QAbstractButton *>("m_btnPlay"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !w.playerPanel()->isPaused(); }));
    key(w, Qt::Key_Space);

    // Discarded, but the file cannot be opened: the work stays, unsaved.
    answers.button = 1;
    dropOn(w, fixture("not_media.mp4"));
    ASSERT_TRUE(waitUntil([&] { return answers.messages.size() == 1 && !w.isImporting(); }));
    EXPECT_EQ(answers.questions.size(), 4);
    EXPECT_TRUE(answers.messages.first().startsWith("Open file failed.")) << answers.messages.first().toStdString();
    unchanged("failed open");

    // Saved through the Open button: the project holds the work, the file replaces it.
    const QString projectPath = projects.filePath("before other.snipwell");
    ProjectSession::setSaveChooser([&](QWidget *, const QString &) { return projectPath; });
    answers.button = 0;
    QTest::mouseClick(w.cutTool()->findChild<QAbstractButton *>("m_btnAddFile"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] {
        return itemCount() == 1 && VoVideoConvertManager::instance()->itemAt(0)->m_videoPath == other && !w.isImporting();
    }));
    EXPECT_EQ(answers.questions.size(), 5);
    Project saved;
    QString error;
    ASSERT_TRUE(ProjectFile::read(projectPath, &saved, &error)) << error.toStdString();
    ASSERT_EQ(saved.segments.size(), before.segments.size());
    for (int i = 0; i < before.segments.size(); ++i) {
        EXPECT_EQ(saved.segments[i].start_us, before.segments[i].start);
        EXPECT_EQ(saved.segments[i].end_us, before.segments[i].end);
    }
    EXPECT_FALSE(w.project()->hasUnsavedChanges());
    EXPECT_EQ(w.windowTitle().toStdString(), "h264_aac.mp4 — Zelvane Snipwell");

    // Nothing unsaved: the next file opens without a word.
    dropOn(w, fixture("long_h264_aac.mp4"));
    ASSERT_TRUE(waitUntil([&] {
        return VoVideoConvertManager::instance()->itemAt(0)->m_videoPath == fixture("long_h264_aac.mp4") && !w.isImporting();
    }));
    EXPECT_EQ(answers.questions.size(), 5);
    EXPECT_EQ(answers.messages.size(), 1);
}
