// The program menu and its windows, the tray, what the close button does,
// update checks and the interface language.
#include "MainWindow.h"

#include "CloseFlow.h"
#include "ProgramMenu.h"
#include "ProjectSession.h"
#include "QPlayObject.h"
#include "QAboutDlg.h"
#include "QPreferencesDlg.h"
#include "ShellTray.h"
#include "TracksDlg.h"
#include "UpdateComponent.h"

#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"

#include "AppPaths.h"
#include "ConversionRun.h"
#include "VoVideoConvertItem.h"
#include "WorkModel.h"
#include "Languages.h"
#include "ParserXML.h"
#include "ProductInfo.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>

#include <memory>

void MainWindow::buildMenuAndTray()
{
    m_menu = new ProgramMenu(this);
    connect(m_menu->actHome(), &QAction::triggered, this, &MainWindow::ActOnHome);
    connect(m_menu->actHelp(), &QAction::triggered, this, &MainWindow::ActOnHelp);
    connect(m_menu->actAbout(), &QAction::triggered, this, &MainWindow::ActOnAbout);
    connect(m_menu->actPreferences(), &QAction::triggered, this, &MainWindow::ActOnPreferDlg);
    connect(m_menu->actUpdates(), &QAction::triggered, this, &MainWindow::ActOnUpdates);
    connect(m_menu->actApplySegments(), &QAction::triggered, this, &MainWindow::ActOnApplySegments);
    connect(m_menu->actSaveSubtitles(), &QAction::triggered, this, &MainWindow::ActOnSaveSubtitles);
    connect(m_menu->actAddFile(), &QAction::triggered, this, &MainWindow::OnAddSourceFile);
    connect(m_menu, &QMenu::aboutToShow, this,
            [this] { m_menu->actAddFile()->setEnabled(!isConverting() && !isImporting()); });
    // The streams the outputs keep: the plan is part of the work, so OK is
    // one step of it, undone and redone with the rest.
    connect(m_menu, &QMenu::aboutToShow, this, [this] {
        m_menu->actTracks()->setEnabled(currentItem() && !isConverting() && !isImporting());
    });
    connect(m_menu->actTracks(), &QAction::triggered, this, [this] {
        const VoVideoConvertItem *item = currentItem();
        if (!item || isConverting() || isImporting())
            return;
        const TrackPlan &held = m_videoItemDlg->work()->trackPlan();
        // A plan of another source is no plan of this one.
        const TrackPlan plan = held.sourcePath == item->m_videoPath.toStdString() ? held : TrackPlan();
        auto *dlg = new TracksDlg(item->m_videoPath, qint64(item->m_duration), plan, this);
        dlg->setAttribute(Qt::WA_DeleteOnClose);
        connect(dlg, &TracksDlg::planAccepted, this, [this](const TrackPlan &chosen) {
            if (isConverting() || isImporting())
                return;
            m_videoItemDlg->work()->setTrackPlan(chosen);
            m_videoItemDlg->noteStep(tr("Change Tracks"));
        });
        dlg->open();
    });
    // The preview plays the sound as the outputs will have it, whichever
    // way the plan changed (the window, undo, a project); once the change
    // has been recorded as a step, since the player may open again for it.
    connect(m_videoItemDlg->work(), &WorkModel::trackPlanChanged, this, &MainWindow::showTrackPlanInPlayer,
            Qt::QueuedConnection);
    buildCutListActions();
    buildDetectAction();

    // The tray shows this window again on a click of its icon.
    m_tray = new ShellTray(this);

    m_updates = new UpdateComponent(this);
    m_updates->init();
    m_updates->setAppcastUrl(product::appcastUrl().toString(QUrl::FullyEncoded).toUtf8());
    m_updates->setAppDetails(product::company(), productTitle(), product::version());
}

void MainWindow::showTrackPlanInPlayer()
{
    if (!m_playObject || m_playObject->isOpening())
        return;
    const TrackPlan &plan = m_videoItemDlg->work()->trackPlan();
    const QString path = m_playObject->path();
    // The sound the outputs have first is the one heard.
    int wanted = -1;
    if (!path.isEmpty() && plan.sourcePath == path.toStdString())
        for (const TrackPlanEntry &e : plan.keptInOutputOrder())
            if (e.kind == 2) {
                wanted = e.stream;
                break;
            }
    const int before = m_playObject->preferredAudioStreamFor(path);
    m_playObject->setPreferredAudioStream(path, wanted);
    const bool otherSound = wanted != before && (wanted < 0 || wanted != m_playObject->audioStream());
    if (otherSound && m_videoPlayDlg->player() && !m_itemOpening && !m_reopening) {
        // Another sound stream is another open, on the holder's thread; the
        // picture shown and the pause come back, and the shift follows once
        // it has opened.
        const uint64_t position = m_videoPlayDlg->position();
        const bool paused = m_videoPlayDlg->isPaused();
        m_videoPlayDlg->close();
        reopenPlayer(path, position, paused);
        m_videoCutToolbar->setControlsEnabled(true);
        return;
    }
    m_playObject->setSoundShiftFor(plan);
}

void MainWindow::OnMenu()
{
    m_menu->popup(ProgramMenu::popupPosition(QCursor::pos()));
}

void MainWindow::ActOnHome()
{
    QDesktopServices::openUrl(product::homePageUrl());
}

void MainWindow::ActOnHelp()
{
    QDesktopServices::openUrl(product::helpUrl());
}

void MainWindow::ActOnAbout()
{
    QAboutDlg dlg(this);
    centreDialog(&dlg);
    dlg.exec();
}

void MainWindow::ActOnPreferDlg()
{
    QPreferencesDlg dlg;
    connect(&dlg, &QPreferencesDlg::emitAutoUpdate, this, &MainWindow::setAutoUpdate);
    connect(&dlg, &QPreferencesDlg::emitLangugeChangeSet, this, &MainWindow::LangugeChangeSet);
    centreDialog(&dlg);
    // The dialog previews a language on its own controls only; this window
    // keeps the language it has until the choice is taken.
    dlg.exec();
    QPreferencesDlg::storeOutputFolder();
}

void MainWindow::ActOnUpdates()
{
    m_updates->checkUpdateWithUi(this);
}

void MainWindow::setAutoUpdate(bool bUpdate)
{
    m_updates->setAutomaticCheckForUpdates(bUpdate);
}

void MainWindow::LangugeChangeSet(bool bChange)
{
    // Installing sends every window a language change; each panel
    // retranslates itself from it.
    if (bChange)
        installLanguage(ParserXML::readItemValue("Language_item", "Language_Name", "English"));
}

void MainWindow::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    m_tray->iconActivated(reason);
}

void MainWindow::OnClose()
{
    switch (CloseFlow::decide(this, ShellTray::trayAvailable())) {
    case CloseFlow::Quit:
        // Already on its way out: the work stopped for it is ending.
        if (m_exitPending)
            break;
        // Hiding keeps the work; ending the program would lose it. The
        // question does not wait: its answer goes on from here.
        m_project->confirmDiscard([this](bool mayGo) {
            if (!mayGo || m_exitPending)
                return;
            m_exitPending = true;
            stopWorkForExit([this] { startCloseAnimation(); });
        });
        break;
    case CloseFlow::ToTray:
        hide();
        break;
    case CloseFlow::Minimize:
        // Without a tray a hidden window could not be reached again.
        showMinimized();
        break;
    case CloseFlow::Nothing:
        break;
    }
}

void MainWindow::stopWorkForExit(const std::function<void()> &then)
{
    // Both are asked at once; the program goes on when the second has ended.
    auto left = std::make_shared<int>(2);
    const auto ended = [left, then] {
        if (--*left == 0)
            then();
    };
    stopBatchForExit(ended);
    m_videoItemDlg->stopConversionForExit(ended);
}

void MainWindow::endProgram()
{
    m_exitPending = true;
    stopWorkForExit([this] {
        // No one can be asked about unsaved work now; the next start offers it.
        m_project->keepForRecovery();
        // Settings are written as they change; close() lets the window put
        // away what it keeps until it closes, as after "Exit".
        close();
        QCoreApplication::exit(0);
    });
}

// Called on every language change. The cut tool, the player panel and the
// format dialog follow the change on their own; the segment list is told.
void MainWindow::retranslateMenu()
{
    if (m_videoItemDlg)
        m_videoItemDlg->retranslate();
    if (m_menu)
        m_menu->retranslateUi();
    if (m_tray)
        m_tray->retranslateUi();
}
