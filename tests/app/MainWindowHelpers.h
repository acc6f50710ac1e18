#pragma once
// Shared by the main-window tests: a watcher that answers every message box
// the window shows (and remembers its text), and small helpers to start an
// import and wait for it as a user would.
#include "FormatWidget.h"
#include "MainWindow.h"
#include "OutputFormatParams.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QLoadingDlg.h"
#include "QTextImageButton.h"
#include "QVideoPlayDlg.h"
#include "QVoMessageBox.h"
#include "VoVideoConvertManager.h"

#include <QAbstractButton>
#include <QApplication>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// Answers each message box with its first button (OK, or Yes) shortly after
// it appears; the texts are kept in the order they were shown. The question
// about unsaved work before another file opens is answered apart, with
// "Discard" unless told otherwise (0 Save, 1 Discard, 2 Cancel), and kept
// in questions.
class MessageWatcher {
public:
    MessageWatcher()
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start();
    }
    QStringList texts;
    QStringList questions;
    int discardAnswer = 1;

private:
    void poll()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *box = qobject_cast<QVoMessageBox *>(w);
            if (!box || !box->isVisible() || box->property("answered").toBool())
                continue;
            box->setProperty("answered", true);
            box->prepare();
            const bool discard = box->objectName() == QLatin1String("discardQuestion");
            (discard ? questions : texts) << box->message();
            if (discard)
                box->buttons().at(discardAnswer)->click();
            else if (!box->buttons().isEmpty())
                box->buttons().first()->click();
            else
                box->reject();
        }
    }
    QTimer m_timer;
};

// Waits (events running) until cond holds or ms pass.
inline bool waitUntil(const std::function<bool()> &cond, int ms = 20000)
{
    return QTest::qWaitFor(cond, ms);
}

// A mark made while a step or seek decodes lands with its picture: waits
// until nothing the window was asked for still waits for one.
inline bool marksLanded(MainWindow &w)
{
    return waitUntil([&w] { return !w.playerPanel()->isWaitingForPicture(); });
}

inline int itemCount() { return VoVideoConvertManager::instance()->count(); }

// Imports paths through the window's own drop signal and waits until the
// loading dialog has gone.
inline bool importThroughSignal(MainWindow &w, const QStringList &paths)
{
    // From the event loop, as a drop arrives; done once the signal has been
    // handled and the import it started has finished.
    bool delivered = false;
    QTimer::singleShot(0, &w, [&w, paths, &delivered] {
        emit w.emitAddFileNames(paths);
        delivered = true;
    });
    // A question about unsaved work comes first; the import starts from
    // its answer.
    return waitUntil([&w, &delivered] {
        return delivered && !QVoMessageBox::openBoxNamed(&w, QStringLiteral("discardQuestion")) && !w.isImporting();
    });
}

// Seeks the way the timeline does, and waits for the player to report.
inline void seekLikeTheTimeline(MainWindow &w, double seconds)
{
    QSignalSpy pro(w.playerPanel(), &QVideoPlayDlg::emitPlayProValue);
    emit w.segmentManager()->sendPlayProToPlay(uint64_t(seconds * 1e6));
    ASSERT_TRUE(waitUntil([&] { return pro.count() > 0; }, 5000));
}

// Opens the format dialog with the cut tool's button and accepts it in
// High-Speed (stream copy) or Encoding mode.
inline void chooseOutputMode(MainWindow &w, bool highSpeed)
{
    bool answered = false;
    QTimer::singleShot(0, &w, [&] {
        FormatWidget *dialog = nullptr;
        ASSERT_TRUE(waitUntil([&] { return (dialog = qobject_cast<FormatWidget *>(QApplication::activeModalWidget())); }));
        QWidget *radio = dialog->findChild<QWidget *>(highSpeed ? "m_radLosslessMode" : "m_radCustomize");
        ASSERT_NE(radio, nullptr);
        QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(8, radio->height() / 2));
        auto *ok = dialog->findChild<QAbstractButton *>("m_btnOk");
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
        answered = true;
    });
    auto *format = w.cutTool()->findChild<QAbstractButton *>("m_btnFormat");
    ASSERT_NE(format, nullptr);
    QTest::mouseClick(format, Qt::LeftButton);
    ASSERT_TRUE(answered);
    EXPECT_EQ(OutputFormatParams::instance().lossless, highSpeed);
}
