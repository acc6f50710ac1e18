#include "SegmentScenes.h"

#include "OutputFormatParams.h"
#include "ParserXML.h"
#include "QSimpleTimeLine.h"
#include "QVideoCutManageDlg.h"
#include "QVoMessageBox.h"
#include "MainWindow.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollArea>

namespace segmentscenes {

namespace {

constexpr uint64_t sec = 1000000;

struct Range {
    double start;
    double end; // 0 = to the end
};

// A panel holding segments of the file as the main window would add them;
// the segment at `current` is the selected one.
QVideoCutManageDlg *panelWith(const QString &mediaPath, bool simple, const QVector<Range> &ranges, int current)
{
    ParserXML::writeItemValue(QStringLiteral("LISTMODEL_ITEM"), QStringLiteral("ListModel_Line"),
                              simple ? QStringLiteral("Y") : QStringLiteral("N"));
    OutputFormatParams::instance().lossless = true;
    auto *panel = new QVideoCutManageDlg;
    panel->resize(860, 50);
    panel->show();
    VoVideoConvertItem source;
    if (!source.open(mediaPath))
        return panel;
    if (simple)
        panel->setTimelineTotal(source.m_duration);
    for (int i = 0; i < ranges.size(); ++i) {
        VoVideoConvertItem *item = source.clone();
        item->m_TrimStartTime = static_cast<uint64_t>(ranges[i].start * sec);
        item->m_TrimEndTime = static_cast<uint64_t>(ranges[i].end * sec);
        item->m_isCurrent = true;
        VoVideoConvertManager::instance()->insert(item, -1);
        panel->addConvertItem(item);
        if (simple) {
            // The timeline gives a new segment the rest of the axis; the user
            // then narrows it.
            const double d = static_cast<double>(source.m_duration);
            panel->setTimelineStart(ranges[i].start * sec / d);
            panel->setTimelineEnd(ranges[i].end > 0 ? ranges[i].end * sec / d : 1.0);
        }
    }
    if (current >= 0)
        panel->OnClickItem(current);
    return panel;
}

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

QWidget *freeMode(const QString &mediaPath)
{
    QVideoCutManageDlg *panel = panelWith(mediaPath, false, {{0, 4.5}, {3, 9}, {10.5, 14}, {15, 0}}, 1);
    panel->OnBtnShowList();
    panel->setListHeight(25);
    settle(200);
    return panel;
}

QWidget *simpleModeWith(const QString &mediaPath, const QVector<Range> &ranges, int current, double playedPercent)
{
    QVideoCutManageDlg *panel = panelWith(mediaPath, true, ranges, current);
    panel->OnBtnShowList();
    if (VoVideoConvertItem *item = VoVideoConvertManager::instance()->itemAt(0))
        panel->setLineBgImage(item);
    panel->videoPlayPro(playedPercent);
    QElapsedTimer t;
    t.start();
    while ((!panel->stripWorkerIdle() || !panel->timeLine()->waveformSettled()) && t.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    settle(200);
    return panel;
}

QWidget *simpleMode(const QString &mediaPath)
{
    return simpleModeWith(mediaPath, {{1, 5}, {7, 11.5}, {14, 18}}, 1, 40);
}

QWidget *waveform(const QString &mediaPath)
{
    // The segments between the silences of the file, as the detection
    // makes them.
    return simpleModeWith(mediaPath, {{0, 2}, {3.5, 6}, {6.5, 9}}, 1, 25);
}

QWidget *collapsed(const QString &mediaPath)
{
    QVideoCutManageDlg *panel = panelWith(mediaPath, false, {{0, 4.5}, {6, 9}, {12, 16}}, 2);
    settle(100);
    return panel;
}

QWidget *switchQuestion()
{
    auto *box = new QVoMessageBox;
    box->setTitle(QStringLiteral("Zelvane Snipwell"));
    box->setMessage(QVideoCutManageDlg::tr("Switching to the Simple Mode will change the segment length!"));
    box->setKind(QVoMessageBox::Warning);
    box->setButtons(QVoMessageBox::YesNoButtons);
    box->prepare();
    return box;
}

QWidget *labelled(const QString &mediaPath, bool simple)
{
    QVideoCutManageDlg *panel = panelWith(mediaPath, simple, {{0, 4.5}, {6, 11.5}, {13, 18}}, 1);
    const char *labels[] = {"Cold open", "Interview, part \"two\"", ""};
    VoVideoConvertManager *items = VoVideoConvertManager::instance();
    for (int i = 0; i < items->count() && i < 3; ++i)
        items->itemAt(i)->m_label = QString::fromUtf8(labels[i]);
    panel->refreshLabels();
    panel->OnBtnShowList();
    if (simple) {
        if (VoVideoConvertItem *item = items->itemAt(0))
            panel->setLineBgImage(item);
        QElapsedTimer t;
        t.start();
        while (!panel->stripWorkerIdle() && t.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
    } else {
        panel->setListHeight(10);
    }
    settle(200);
    return panel;
}

QWidget *importQuestion()
{
    auto *box = new QVoMessageBox;
    box->setTitle(QStringLiteral("Zelvane Snipwell"));
    box->setKind(QVoMessageBox::Help);
    box->setButtons(QVoMessageBox::YesNoButtons);
    box->setButtonText(QVoMessageBox::Yes, MainWindow::tr("Replace"));
    box->setButtonText(QVoMessageBox::No, MainWindow::tr("Append"));
    box->setMessage(MainWindow::tr("The work already has segments (%1). Replace them with the %2 from the list, or "
                                   "append those after them?")
                        .arg(3)
                        .arg(12));
    box->prepare();
    return box;
}

} // namespace segmentscenes
