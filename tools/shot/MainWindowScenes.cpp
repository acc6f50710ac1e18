#include "MainWindowScenes.h"

#include "MainWindow.h"
#include "ParserXML.h"
#include "QDetectDlg.h"
#include "QLoadingDlg.h"
#include "QSimpleTimeLine.h"
#include "QVoBaseProgress.h"
#include "QVoCheckBox.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QTextImageButton.h"
#include "QVideoPlayDlg.h"
#include "QVoMessageBox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QStandardPaths>
#include <QTimer>
#include <functional>

namespace mainwindowscenes {
namespace {

// The window reads and writes settings and converts into the documents
// folder: a scene keeps all of that in a scratch home of its own.
void useScratchHome()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QString home = QDir::tempPath() + QStringLiteral("/snipwell-shot-%1").arg(QCoreApplication::applicationPid());
    QDir(home).removeRecursively();
    QDir().mkpath(home + "/.local/share");
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_DATA_HOME", (home + "/.local/share").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
}

void setSetting(const char *item, const char *attribute, const char *value)
{
    ParserXML::readItemValue(QLatin1String(item), QLatin1String(attribute), QLatin1String(value));
    ParserXML::writeItemValue(QLatin1String(item), QLatin1String(attribute), QLatin1String(value));
}

void waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void pressKey(QWidget *w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(w, &release);
}

void seek(MainWindow *w, double seconds)
{
    emit w->segmentManager()->sendPlayProToPlay(uint64_t(seconds * 1e6));
    waitFor([] { return false; }, 120);
}

MainWindow *openWindow(const QString &mediaPath)
{
    auto *w = new MainWindow;
    w->show();
    waitFor([] { return false; }, 100);
    if (!mediaPath.isEmpty()) {
        w->addImportFile({mediaPath});
        waitFor([w] { return !w->isImporting(); }, 10000);
        waitFor([] { return false; }, 300);
        pressKey(w, Qt::Key_Space);
    }
    return w;
}

// Three segments, the way a user marks them: end first, then start.
void markSegments(MainWindow *w, const double (&ranges)[3][2] = {{2, 5}, {8, 11}, {14, 17}})
{
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            pressKey(w, Qt::Key_Insert);
        seek(w, ranges[i][1]);
        pressKey(w, Qt::Key_O);
        seek(w, ranges[i][0]);
        pressKey(w, Qt::Key_I);
    }
    seek(w, 9.5);
}
} // namespace

QWidget *empty()
{
    useScratchHome();
    return openWindow(QString());
}

QWidget *withSegments(const QString &mediaPath, bool simpleMode)
{
    useScratchHome();
    setSetting("LISTMODEL_ITEM", "ListModel_Line", simpleMode ? "Y" : "N");
    MainWindow *w = openWindow(mediaPath);
    markSegments(w);
    waitFor([] { return false; }, 600);
    return w;
}

QWidget *loadingDialog(const QString &mediaPath)
{
    useScratchHome();
    auto *dialog = new QLoadingDlg;
    // A path as a user's would read, not the build tree's.
    const QString name = mediaPath.isEmpty() ? QStringLiteral("holiday.mp4") : QFileInfo(mediaPath).fileName();
    dialog->setAddingPath(QStringLiteral("/home/user/Videos/") + name);
    dialog->setAddedCount(QStringLiteral("2/3"));
    dialog->setProgress(66.7);
    return dialog;
}

QWidget *converting(const QString &mediaPath)
{
    useScratchHome();
    // A run starts in Encoding mode, which takes long enough to be caught
    // under way.
    setSetting("LISTMODEL_ITEM", "ListModel_Line", "N");
    MainWindow *w = openWindow(mediaPath);
    // Long segments, so that the run is still under way once it can tell
    // the time left.
    markSegments(w, {{0, 6.5}, {7, 13.5}, {14, 20}});
    pressKey(w, Qt::Key_Return, Qt::ControlModifier);
    waitFor([] { return MainWindow::isConverting(); }, 5000);
    QLabel *figure = w->segmentManager()->progressText();
    waitFor([figure] { return figure->text().contains(QStringLiteral("·")); }, 10000);
    return w;
}

QWidget *partialDownload(const QString &mediaPath)
{
    useScratchHome();
    setSetting("LISTMODEL_ITEM", "ListModel_Line", "Y");
    auto *w = new MainWindow;
    w->show();
    waitFor([] { return false; }, 100);
    // The notice is modal and holds the import until answered: once it has
    // been up a moment (the picture and the ruler drawn behind it), the
    // window and the box are pictured together, and the box is answered.
    QPixmap picture;
    QElapsedTimer shown;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QVoMessageBox *>(top);
            if (!box || !box->isVisible() || box->property("answered").toBool())
                continue;
            if (!shown.isValid())
                shown.start();
            if (shown.elapsed() < 700)
                return;
            box->setProperty("answered", true);
            picture = w->grab();
            QPainter p(&picture);
            QPoint at = box->geometry().topLeft() - w->geometry().topLeft();
            if (!QRect(QPoint(0, 0), w->size()).contains(QRect(at, box->size())))
                at = QPoint((w->width() - box->width()) / 2, (w->height() - box->height()) / 2);
            p.drawPixmap(at, box->grab());
            p.end();
            box->prepare();
            if (!box->buttons().isEmpty())
                box->buttons().first()->click();
            else
                box->reject();
        }
    });
    poll.start();
    w->addImportFile({mediaPath});
    waitFor([w] { return !w->isImporting(); }, 10000);
    poll.stop();
    auto *label = new QLabel;
    label->setPixmap(picture);
    label->resize(picture.size() / picture.devicePixelRatio());
    w->deleteLater();
    return label;
}

QWidget *detectDialog(const QString &mediaPath)
{
    useScratchHome();
    setSetting("DETECT_ITEM", "Black", "Y");
    setSetting("DETECT_ITEM", "Freeze", "Y");
    setSetting("DETECT_ITEM", "Silence", "N");
    auto *dialog = new QDetectDlg(mediaPath, 0);
    dialog->adjustSize();
    dialog->show();
    waitFor([] { return false; }, 100);
    dialog->OnDetect();
    auto *bar = dialog->findChild<QVoBaseProgress *>(QStringLiteral("m_progressBar"));
    waitFor([bar] { return bar && bar->value() >= 150; }, 10000);
    return dialog;
}

QWidget *detectResult(const QString &mediaPath, bool markers)
{
    useScratchHome();
    setSetting("LISTMODEL_ITEM", "ListModel_Line", "Y");
    setSetting("DETECT_ITEM", "Silence", markers ? "N" : "Y");
    setSetting("DETECT_ITEM", "Scene", markers ? "Y" : "N");
    setSetting("DETECT_ITEM", "Use", markers ? "Markers" : "Between");
    MainWindow *w = openWindow(mediaPath);
    // The dialog is answered with Return once it is up, as a user would.
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, [&poll] {
        auto *dialog = qobject_cast<QDetectDlg *>(QApplication::activeModalWidget());
        if (!dialog || dialog->isSearching())
            return;
        poll.stop();
        pressKey(dialog, Qt::Key_Return);
    });
    poll.start();
    w->ActOnDetect();
    poll.stop();
    seek(w, 6.2);
    QSimpleTimeLine *timeline = w->segmentManager()->timeLine();
    waitFor([timeline] { return !timeline || timeline->waveformSettled(); }, 10000);
    waitFor([] { return false; }, 600);
    return w;
}

} // namespace mainwindowscenes
