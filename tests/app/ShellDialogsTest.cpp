#include "AppPaths.h"
#include "CloseFlow.h"
#include "Languages.h"
#include "ParserXML.h"
#include "ProductInfo.h"
#include "ProgramMenu.h"
#include "ShellTray.h"
#include "QAboutDlg.h"
#include "QCheckButton.h"
#include "QImageButton.h"
#include "QShowCloseDlg.h"
#include "QTextImageButton.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

namespace {
void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(6, w->height() / 2));
}

// Answers the close question once it is up: the choice, the note, the button.
void answerCloseDialog(bool exit, bool note, bool ok, bool *asked)
{
    QTimer::singleShot(0, [=] {
        auto *dlg = qobject_cast<QShowCloseDlg *>(QApplication::activeModalWidget());
        *asked = dlg != nullptr;
        if (!dlg)
            return;
        click(exit ? dlg->exitChoice() : dlg->minimizeChoice());
        if (note)
            click(dlg->noteCheck());
        click(ok ? static_cast<QWidget *>(dlg->okButton()) : dlg->cancelButton());
    });
}

class CloseFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(settingsFolder()).removeRecursively();
        QDir().mkpath(settingsFolder());
    }
};
} // namespace

TEST(ShowCloseDlg, StartsFromTheStoredChoiceAndKeepsTheChoicesExclusive)
{
    QShowCloseDlg exitFirst(true);
    EXPECT_TRUE(exitFirst.isExitChosen());
    EXPECT_FALSE(exitFirst.minimizeChoice()->isChecked());
    EXPECT_FALSE(exitFirst.isNoteChecked());
    EXPECT_EQ(exitFirst.minimizeChoice()->pos(), QPoint(50, 55));
    EXPECT_EQ(exitFirst.exitChoice()->pos(), QPoint(50, 80));

    QShowCloseDlg dlg(false);
    dlg.show();
    EXPECT_FALSE(dlg.isExitChosen());
    click(dlg.exitChoice());
    EXPECT_TRUE(dlg.isExitChosen());
    EXPECT_FALSE(dlg.minimizeChoice()->isChecked());
    click(dlg.minimizeChoice());
    EXPECT_FALSE(dlg.isExitChosen());
    click(dlg.noteCheck());
    EXPECT_TRUE(dlg.isNoteChecked());
    click(dlg.noteCheck());
    EXPECT_FALSE(dlg.isNoteChecked());
}

TEST(ShowCloseDlg, OkAcceptsCancelAndCloseDoNot)
{
    for (int way = 0; way < 3; ++way) {
        QShowCloseDlg dlg(true);
        dlg.show();
        QWidget *button = way == 0 ? static_cast<QWidget *>(dlg.okButton())
                                   : way == 1 ? static_cast<QWidget *>(dlg.cancelButton()) : static_cast<QWidget *>(dlg.closeButton());
        click(button);
        EXPECT_FALSE(dlg.isVisible()) << way;
        EXPECT_EQ(dlg.result(), way == 0 ? QDialog::Accepted : QDialog::Rejected) << way;
    }
}

TEST(ShowCloseDlg, SaysSoWhenThereIsNoTray)
{
    QShowCloseDlg withTray(true, true);
    QShowCloseDlg withoutTray(true, false);
    EXPECT_EQ(withTray.minimizeChoice()->text(), "Minimize to Tray");
    EXPECT_NE(withoutTray.minimizeChoice()->text(), "Minimize to Tray");
    EXPECT_TRUE(withoutTray.minimizeChoice()->text().contains("no system tray"));
}

TEST(AboutDlg, ShowsNameVersionAndHomePage)
{
    QAboutDlg dlg;
    dlg.show();
    EXPECT_EQ(dlg.projectLabel()->text(), "Zelvane Snipwell");
    EXPECT_EQ(dlg.versionLabel()->text(), "Version 2.2.1");
    EXPECT_EQ(dlg.visitLabel()->text(), "Visit:");
    EXPECT_TRUE(dlg.homeLabel()->text().contains(product::homePageUrl().toString()));
    // Name and link fit inside the window.
    for (QLabel *label : {dlg.projectLabel(), dlg.versionLabel(), dlg.homeLabel()})
        EXPECT_TRUE(dlg.rect().contains(label->geometry())) << qPrintable(label->objectName());
    EXPECT_LE(dlg.homeLabel()->sizeHint().width(), dlg.width() - dlg.homeLabel()->x());
    click(dlg.closeButton());
    EXPECT_FALSE(dlg.isVisible());
}

TEST_F(CloseFlowTest, MinimizeGoesToTheTrayOrMinimisesWithoutOne)
{
    bool asked = false;
    answerCloseDialog(false, false, true, &asked);
    EXPECT_EQ(CloseFlow::decide(nullptr, true), CloseFlow::ToTray);
    EXPECT_TRUE(asked);
    EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "?"), "N");
    EXPECT_EQ(ParserXML::readItemValue("REMIND_ITEM", "isShowRemind", "?"), "Y"); // still asks next time

    answerCloseDialog(false, true, true, &asked);
    EXPECT_EQ(CloseFlow::decide(nullptr, false), CloseFlow::Minimize);
    // Remembered "to the tray" on a desktop without one still only minimises.
    EXPECT_EQ(CloseFlow::decide(nullptr, false), CloseFlow::Minimize);
    EXPECT_EQ(CloseFlow::decide(nullptr, true), CloseFlow::ToTray);
}

TEST_F(CloseFlowTest, CancelChangesNothing)
{
    bool asked = false;
    answerCloseDialog(false, true, false, &asked);
    EXPECT_EQ(CloseFlow::decide(nullptr, true), CloseFlow::Nothing);
    EXPECT_TRUE(asked);
    EXPECT_EQ(ParserXML::readItemValue("REMIND_ITEM", "isShowRemind", "?"), "Y");
    EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "?"), "Y");
}

TEST(ProgramMenu, OrderAndLook)
{
    ProgramMenu menu;
    QStringList texts;
    for (QAction *a : menu.actions())
        texts << a->text();
    EXPECT_EQ(texts, (QStringList{"Apply Segments To Other Files…", "Save Subtitles…", "Tracks…", "", "Add File…", "Open Project…", "Save Project", "Save Project As…", "Recent", "", "Undo", "Redo", "",
                                  "Preferences", "Home", "Help", "Check for Updates", "About"}));
    // The keys are named beside their entries.
    EXPECT_EQ(menu.actAddFile()->shortcut(), QKeySequence("Ctrl+Shift+A"));
    EXPECT_EQ(menu.actOpenProject()->shortcut(), QKeySequence("Ctrl+Shift+O"));
    EXPECT_EQ(menu.actSaveProject()->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(menu.actRedo()->shortcuts(), (QList<QKeySequence>{QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
    EXPECT_EQ(menu.menuStyle()->params().panelWidth, 1);
    EXPECT_EQ(menu.menuStyle()->params().panel, QColor(74, 74, 74));
    EXPECT_EQ(menu.menuStyle()->params().selectedBackground, QColor(105, 105, 105));
    EXPECT_EQ(ProgramMenu::popupPosition(QPoint(300, 40)), QPoint(250, 40));

    // The groups are told apart: each separator row holds a line that stands
    // out from the panel, with room around it.
    menu.ensurePolished();
    menu.resize(menu.sizeHint());
    const QImage image = menu.grab().toImage();
    const QColor panel = menu.menuStyle()->params().panel;
    for (QAction *a : menu.actions()) {
        if (!a->isSeparator())
            continue;
        const QRect row = menu.actionGeometry(a);
        EXPECT_GE(row.height(), 5);
        int lineY = -1;
        for (int y = row.top(); y <= row.bottom() && lineY < 0; ++y) {
            const QColor c = image.pixelColor(row.center().x(), y);
            if (std::abs(c.lightness() - panel.lightness()) >= 25)
                lineY = y;
        }
        EXPECT_GE(lineY, 0) << "no visible line in the separator at " << row.top();
    }
    // A disabled entry is drawn once, without a light double beside it.
    QAction *redo = menu.actRedo();
    redo->setEnabled(false);
    const QImage off = menu.grab().toImage();
    const QRect redoRow = menu.actionGeometry(redo);
    int light = 0;
    for (int y = redoRow.top(); y <= redoRow.bottom(); ++y)
        for (int x = redoRow.left(); x <= redoRow.right(); ++x)
            light += off.pixelColor(x, y).lightness() > 180 ? 1 : 0;
    EXPECT_EQ(light, 0);
}

TEST(ShellTray, MenuAndActivationBringTheWindowBack)
{
    QWidget window;
    window.show();
    ShellTray tray(&window);
    QStringList texts;
    for (QAction *a : tray.trayMenu()->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(texts, (QStringList{"Hidden (&H)", "Show Window (&S)", "-", "Quit (&Q)"}));

    tray.actHide()->trigger();
    EXPECT_FALSE(window.isVisible());
    emit tray.trayIcon()->activated(QSystemTrayIcon::Context);
    EXPECT_FALSE(window.isVisible()); // the context menu is not "show"
    emit tray.trayIcon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(window.isVisible());
    window.showMinimized();
    emit tray.trayIcon()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());
    tray.actHide()->trigger();
    tray.actShow()->trigger();
    EXPECT_TRUE(window.isVisible());
}

TEST(ShellWindows, FollowALanguageChangeWhileOpen)
{
    QShowCloseDlg close(true);
    QAboutDlg about;
    ProgramMenu menu;
    close.show();
    about.show();
    ASSERT_NE(installLanguage("Deutsch"), nullptr);
    QTRY_COMPARE(close.exitChoice()->text(), QString("Beenden"));
    EXPECT_EQ(close.noteCheck()->text(), "Dieses Fenster nicht mehr anzeigen");
    EXPECT_EQ(about.visitLabel()->text(), "Besuchen:");
    EXPECT_EQ(menu.actPreferences()->text(), "Einstellungen");
    EXPECT_EQ(menu.actOpenProject()->text(), QString::fromUtf8("Projekt öffnen…"));
    // The link follows the label that grew or shrank.
    EXPECT_GT(about.homeLabel()->x(), about.visitLabel()->geometry().right());
    ASSERT_NE(installLanguage(QString::fromUtf8("日本語")), nullptr);
    QTRY_COMPARE(menu.actUpdates()->text(), QString::fromUtf8("アップデートを確認"));
    EXPECT_EQ(close.cancelButton()->text(), QString::fromUtf8("キャンセル"));
    removeInstalledLanguage();
    QTRY_COMPARE(close.exitChoice()->text(), QString("Exit"));
    EXPECT_EQ(menu.actPreferences()->text(), "Preferences");
}
