#include "ShellScenes.h"

#include "BatchApplyDlg.h"
#include "SaveSubtitlesDlg.h"
#include "MainWindow.h"
#include "ProgramMenu.h"
#include "ProjectSession.h"
#include "QVoMessageBox.h"
#include "QImageButton.h"
#include "QAboutDlg.h"
#include "QPreferencesDlg.h"
#include "QShowCloseDlg.h"
#include "QTextImageButton.h"
#include "QUpdateDlg.h"
#include "UpdateChecker.h"

#include <QAction>
#include <QEventLoop>
#include <QTimer>
#include <QDateTime>
#include <QApplication>
#include <QLabel>
#include <QUrl>

namespace shellscenes {

QWidget *preferences(bool convertPage)
{
    auto *dlg = new QPreferencesDlg;
    if (convertPage)
        dlg->pageButtons().at(1)->click();
    return dlg;
}

QWidget *batchApplyResult()
{
    auto *dlg = new BatchApplyDlg(2, 3);
    const QString folder = QStringLiteral("/home/ana/Videos/");
    dlg->showFile(0, folder + QStringLiteral("short.mp4"));
    dlg->addResult(folder + QStringLiteral("short.mp4"), true,
                   QStringLiteral("2 files written Segment 2 (0:00:04.0-0:00:08.0) ends past the end of the file "
                                  "(0:00:05.0); it was cut there."));
    dlg->showFile(1, folder + QStringLiteral("damaged.mp4"));
    dlg->addResult(folder + QStringLiteral("damaged.mp4"), false,
                   QStringLiteral("no known media format found, or the data is damaged"));
    dlg->showFile(2, folder + QStringLiteral("long.mp4"));
    dlg->addResult(folder + QStringLiteral("long.mp4"), true, QStringLiteral("2 files written"));
    dlg->showProgress(100);
    dlg->showEnd(false);
    return dlg;
}

QWidget *saveSubtitles(const QString &media)
{
    auto *dlg = new SaveSubtitlesDlg(media, {{1000000, 3000000}}, QStringLiteral("/home/ana/Videos/Subtitles"));
    // The streams are read off the interface thread: wait for them here.
    QEventLoop loop;
    QObject::connect(dlg, &SaveSubtitlesDlg::streamsRead, &loop, &QEventLoop::quit);
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    loop.exec();
    return dlg;
}

QWidget *closeDialog()
{
    return new QShowCloseDlg(true, true);
}

QWidget *unsavedQuestion()
{
    QVoMessageBox *box = ProjectSession::discardQuestion(nullptr, QStringLiteral("holiday.mp4"));
    box->prepare();
    return box;
}

QWidget *restoreQuestion()
{
    QVoMessageBox *box = ProjectSession::restoreQuestion(nullptr, QStringLiteral("holiday.mp4"),
                                                         QDateTime(QDate(2026, 12, 9), QTime(18, 42)));
    box->prepare();
    return box;
}

QWidget *about()
{
    return new QAboutDlg;
}

QWidget *updateAvailable()
{
    auto *dlg = new QUpdateDlg;
    UpdateResult result;
    result.outcome = UpdateResult::NewVersion;
    result.version = QStringLiteral("2.3.0");
    result.notesUrl = QUrl(QStringLiteral("https://www.zelvane.com/snipwell/notes/2.3.0"));
    dlg->showResult(result, QStringLiteral("Zelvane Snipwell"), QStringLiteral("2.2.1"));
    return dlg;
}

QWidget *menuOpen(QWidget *frame, bool onUndo)
{
    // A popup is a window of its own; paint its real rendering into the
    // window where it opens, with the pointer on its second entry. In the
    // main window that is the window's own menu under its menu button.
    auto *window = qobject_cast<MainWindow *>(frame);
    ProgramMenu fallback;
    ProgramMenu *menu = window ? window->programMenu() : &fallback;
    QPoint cursor(frame->width() - 1 - 4 * 26 + 12, 28);
    if (window) {
        if (auto *button = window->findChild<QImageButton *>(QStringLiteral("m_btnMenu")))
            cursor = button->geometry().center() + QPoint(0, button->height() / 2 + 2);
    }
    menu->popup(QPoint(0, 0));
    emit menu->aboutToShow();
    menu->setActiveAction(onUndo ? menu->actUndo() : menu->actSaveProject());
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    const QPixmap picture = menu->grab();
    menu->hide();
    auto *shown = new QLabel(frame);
    shown->setPixmap(picture);
    shown->resize(picture.size() / picture.devicePixelRatio());
    const QPoint at = ProgramMenu::popupPosition(cursor);
    // The window system keeps a popup on the screen; here, inside the window.
    shown->move(qMin(at.x(), frame->width() - shown->width() - 6), at.y());
    shown->raise();
    shown->show();
    return frame;
}

} // namespace shellscenes
