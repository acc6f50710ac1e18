// "Detect Cuts…" in the program menu: the file searched for silence,
// black, scene changes and frozen pictures, and what was found made into
// segments or markers on the timeline, as one step of undo.
#include "MainWindow.h"

#include "ProgramMenu.h"
#include "ProjectSession.h"
#include "QDetectDlg.h"
#include "QSimpleTimeLine.h"
#include "QVideoCutManageDlg.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QAction>
#include <QEvent>

#include <memory>

namespace {

// Follows the interface language, as the menu's own entries do.
class DetectLanguageWatch : public QObject {
public:
    DetectLanguageWatch(QObject *watched, std::function<void()> onChange)
        : QObject(watched), m_onChange(std::move(onChange))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::LanguageChange)
            m_onChange();
        return false;
    }

private:
    std::function<void()> m_onChange;
};

} // namespace

void MainWindow::buildDetectAction()
{
    m_actDetect = new QAction(m_menu);
    m_actDetect->setObjectName(QStringLiteral("actDetect"));
    // After the other ways of making segments at once, before the
    // separator that ends them.
    const QList<QAction *> actions = m_menu->actions();
    m_menu->insertAction(actions.value(actions.indexOf(m_actChapterSegments) + 1), m_actDetect);
    connect(m_actDetect, &QAction::triggered, this, &MainWindow::ActOnDetect);
    connect(m_menu, &QMenu::aboutToShow, this, &MainWindow::refreshDetectAction);
    new DetectLanguageWatch(m_menu, [this] { refreshDetectAction(); });
    refreshDetectAction();
}

void MainWindow::refreshDetectAction()
{
    m_actDetect->setText(tr("Detect Cuts…"));
    m_actDetect->setEnabled(currentItem() && !isConverting() && !isImporting());
}

void MainWindow::ActOnDetect()
{
    VoVideoConvertItem *current = currentItem();
    if (!current || isConverting() || isImporting())
        return;
    // The work may change while the dialog is open (a file handed over
    // from another start); the segments are made from a copy of the
    // source as it was.
    std::shared_ptr<VoVideoConvertItem> source(current->clone());
    QDetectDlg dlg(source->m_videoPath, int64_t(source->m_duration), this);
    dlg.adjustSize();
    centreDialog(&dlg);
    if (dlg.exec() != QDialog::Accepted)
        return;
    if (isConverting() || isImporting() || !currentItem() || currentItem()->m_videoPath != source->m_videoPath)
        return;
    if (dlg.markersChosen()) {
        QVector<uint64_t> times;
        for (int64_t t : dlg.markers())
            times.append(uint64_t(t));
        m_videoItemDlg->timeLine()->setMarkers(times);
        // The markers are drawn on Simple Mode's timeline; the switch asks
        // first when the segments overlap. One step, after the answer.
        if (m_videoItemDlg->isSimpleMode())
            m_project->record(tr("Detect Cuts"));
        else
            m_videoItemDlg->requestSimpleMode([this](bool) { m_project->record(tr("Detect Cuts")); });
        return;
    }
    if (dlg.pieces().empty())
        return;

    const std::vector<detectcuts::Piece> pieces = dlg.pieces();
    askReplaceSegments(int(pieces.size()), source->m_videoPath,
                       tr("The work already has segments (%1). Replace them with the %2 found, or append "
                          "those after them?"),
                       [this, source, pieces](bool go, bool replace) {
                           if (!go)
                               return;
                           QList<VoVideoConvertItem *> made;
                           for (const detectcuts::Piece &piece : pieces) {
                               VoVideoConvertItem *item = source->clone();
                               item->m_TrimStartTime = uint64_t(piece.start_us);
                               item->m_TrimEndTime = uint64_t(piece.end_us);
                               item->m_label.clear();
                               made.append(item);
                           }
                           m_videoItemDlg->placeSegments(made, replace);
                           // One step, whatever the dialogs in between recorded.
                           m_project->record(tr("Detect Cuts"));
                       });
}
