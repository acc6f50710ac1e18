// The shell of the main window as a user meets it: the program menu and its
// windows, the close button with its question, the tray, and a language
// chosen in the preferences reaching every panel at once.
#include "LocalHttpServer.h"
#include "MainWindowHelpers.h"

#include "AppPaths.h"
#include "ConfigState.h"
#include "FormatWidget.h"
#include "Languages.h"
#include "ParserXML.h"
#include "ProductInfo.h"
#include "ProgramMenu.h"
#include "QAboutDlg.h"
#include "QCheckButton.h"
#include "QImageButton.h"
#include "QPreferencesDlg.h"
#include "QShowCloseDlg.h"
#include "QTextImageButton.h"
#include "QUpdateDlg.h"
#include "QVideoCutDlg.h"
#include "QVideoCutManageDlg.h"
#include "QVideoPlayDlg.h"
#include "QVoComboBox.h"
#include "ShellTray.h"
#include "UpdateComponent.h"

#include "TestSupport.h"
#include "QTextImageButton.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <gtest/gtest.h>

#include <memory>

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

void click(QWidget *w)
{
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(6, w->height() / 2));
}

// Runs `answer` on the modal window of type T as soon as it is up. The
// watch ends with the answer or when the returned handle goes out of scope.
template <typename T>
std::unique_ptr<QTimer> whenModal(std::function<void(T *)> answer, bool *seen = nullptr)
{
    auto poll = std::make_unique<QTimer>();
    poll->setInterval(10);
    QTimer *timer = poll.get();
    QObject::connect(timer, &QTimer::timeout, [timer, answer, seen] {
        auto *dlg = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        timer->stop();
        if (seen)
            *seen = true;
        answer(dlg);
    });
    poll->start();
    return poll;
}

std::unique_ptr<QTimer> answerClose(bool exit, bool note)
{
    return whenModal<QShowCloseDlg>([exit, note](QShowCloseDlg *dlg) {
        click(exit ? dlg->exitChoice() : dlg->minimizeChoice());
        if (note)
            click(dlg->noteCheck());
        click(dlg->okButton());
    });
}

void chooseLanguage(QPreferencesDlg *dlg, const QString &name)
{
    auto *combo = dlg->findChild<QVoComboBox *>("m_cmbLan");
    const int target = combo->findText(name);
    ASSERT_GE(target, 0);
    combo->setFocus();
    while (combo->currentIndex() != target)
        QTest::keyClick(combo, combo->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
}

QImageButton *titleButton(MainWindow &w, const char *name)
{
    return w.findChild<QImageButton *>(QString::fromLatin1(name));
}

class MainWindowShell : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(settingsFolder()).removeRecursively();
        QDir().mkpath(settingsFolder());
        removeInstalledLanguage();
        ShellTray::overrideTrayAvailable(-1);
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void TearDown() override
    {
        removeInstalledLanguage();
        ShellTray::overrideTrayAvailable(-1);
    }
};

} // namespace

TEST_F(MainWindowShell, MenuButtonOpensTheMenuInItsOrderAndItsEntriesOpenTheirWindows)
{
    MainWindow w;
    w.show();
    click(titleButton(w, "m_btnMenu"));
    QTRY_VERIFY(w.programMenu()->isVisible());
    QStringList texts;
    for (QAction *a : w.programMenu()->actions())
        texts << a->text();
    // The ways to make segments at once and to apply them to other files,
    // the project entries and undo first, each group set apart by a line.
    EXPECT_EQ(texts, (QStringList{"Import Cut List…", "Export Cut List…", "Segments From Chapters", "Detect Cuts…",
                                  "Apply Segments To Other Files…", "Save Subtitles…", "Tracks…", "",
                                  "Add File…", "Open Project…", "Save Project", "Save Project As…", "Recent", "", "Undo", "Redo", "",
                                  "Preferences", "Home", "Help", "Check for Updates", "About"}));
    w.programMenu()->hide();

    UrlCatcher browser;
    QDesktopServices::setUrlHandler("https", &browser, "open");
    w.programMenu()->actHome()->trigger();
    w.programMenu()->actHelp()->trigger();
    QDesktopServices::unsetUrlHandler("https");
    ASSERT_EQ(browser.urls.size(), 2);
    EXPECT_EQ(browser.urls[0], product::homePageUrl());
    EXPECT_EQ(browser.urls[1].path(), "/api/product/redirect");
    const QUrlQuery help(browser.urls[1]);
    EXPECT_EQ(help.queryItemValue("pid"), product::identifier());
    EXPECT_EQ(help.queryItemValue("page_type"), "help");

    bool aboutSeen = false;
    QPoint aboutCentre;
    const auto aboutAnswer = whenModal<QAboutDlg>([&aboutCentre](QAboutDlg *dlg) {
        aboutCentre = dlg->geometry().center();
        click(dlg->closeButton());
    }, &aboutSeen);
    w.programMenu()->actAbout()->trigger();
    EXPECT_TRUE(aboutSeen);
    EXPECT_LE((aboutCentre - w.geometry().center()).manhattanLength(), 2);

    // The update check asks the feed and answers in its own window.
    LocalHttpServer server([](QTcpSocket *s, const QByteArray &) {
        LocalHttpServer::reply(s, 200, "<rss><channel><item><version>2.2.1</version></item></channel></rss>");
    });
    w.updates()->setAppcastUrl(server.url("/api/product/version?pid=1&ver=2.2.1.43").toUtf8());
    w.programMenu()->actUpdates()->trigger();
    ASSERT_NE(w.updates()->dialog(), nullptr);
    QTRY_COMPARE(w.updates()->dialog()->messageText(),
                 QString("You are up to date: Zelvane Snipwell 2.2.1 is the newest version."));
    w.updates()->dialog()->close();
}

TEST_F(MainWindowShell, ExitWithoutReminderIsRememberedAndTheNextCloseExitsWithoutAsking)
{
    {
        MainWindow w;
        w.show();
        const auto answer = answerClose(true, true);
        click(titleButton(w, "m_btnClose"));
        QTRY_VERIFY(!w.isVisible());
        EXPECT_EQ(ParserXML::readItemValue("REMIND_ITEM", "isShowRemind", "?"), "N");
        EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "?"), "Y");
    }
    MainWindow w;
    w.show();
    bool asked = false;
    const auto watch = whenModal<QShowCloseDlg>([](QShowCloseDlg *dlg) { dlg->reject(); }, &asked);
    click(titleButton(w, "m_btnClose"));
    QTRY_VERIFY(!w.isVisible());
    EXPECT_FALSE(asked);
}

TEST_F(MainWindowShell, ExitDuringAConversionStopsItAndLeavesNoPartialFile)
{
    QTemporaryDir out;
    auto written = [&out] {
        QStringList files;
        // Hidden too: an output is written under a hidden temporary name.
        QDirIterator it(out.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        return files;
    };
    MainWindow w;
    ConfigState::instance().setConverterPath(out.path() + "/");
    w.show();
    ASSERT_TRUE(importThroughSignal(w, {testsupport::fixture("long_h264_aac.mp4")}));
    ASSERT_EQ(itemCount(), 1);
    // Every run starts in Encoding mode: long enough to be caught under way.
    click(w.cutTool()->findChild<QTextImageButton *>("m_btnConvert"));
    ASSERT_TRUE(MainWindow::isConverting());
    ASSERT_TRUE(waitUntil([&] { return !written().isEmpty() && QFileInfo(written().first()).size() > 0; }));

    const auto answer = answerClose(true, false);
    click(titleButton(w, "m_btnClose"));
    QTRY_VERIFY(!w.isVisible());
    EXPECT_FALSE(MainWindow::isConverting());
    EXPECT_TRUE(written().isEmpty()) << written().join(", ").toStdString();
}

TEST_F(MainWindowShell, MinimizeToTrayHidesAndTheTrayIconBringsTheWindowBack)
{
    ShellTray::overrideTrayAvailable(1);
    MainWindow w;
    w.show();
    const auto answer = answerClose(false, false);
    click(titleButton(w, "m_btnClose"));
    QTRY_VERIFY(!w.isVisible());
    EXPECT_EQ(ParserXML::readItemValue("CLOSE_ITEM", "bIsCloseDlg", "?"), "N");
    emit w.tray()->trayIcon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isMinimized());
}

TEST_F(MainWindowShell, WithoutATrayTheWindowIsMinimisedNeverHidden)
{
    ShellTray::overrideTrayAvailable(0);
    MainWindow w;
    w.show();
    const auto answer = answerClose(false, true);
    click(titleButton(w, "m_btnClose"));
    QTRY_VERIFY(w.isMinimized());
    EXPECT_TRUE(w.isVisible());
    // Remembered, the next close does the same without asking.
    w.showNormal();
    click(titleButton(w, "m_btnClose"));
    QTRY_VERIFY(w.isMinimized());
    EXPECT_TRUE(w.isVisible());
}

TEST_F(MainWindowShell, ALanguageChosenInThePreferencesReachesEveryPanelAtOnce)
{
    MainWindow w;
    w.show();
    auto *close = titleButton(w, "m_btnClose");
    auto *start = w.cutTool()->findChild<QLabel *>("m_labStart");
    auto *addSegment = w.segmentManager()->findChild<QAbstractButton *>("m_btnAddItem");
    auto *convert = w.cutTool()->findChild<QAbstractButton *>("m_btnConvert");
    auto *drag = w.playerPanel()->findChild<QLabel *>("m_labDrag");
    FormatWidget *format = FormatWidget::instance(&w);
    ASSERT_TRUE(close && start && addSegment && convert && drag && format);
    ASSERT_EQ(format->encodingTabs().size(), 5);

    // Every button names its key, in the language of the interface.
    struct Expect {
        QString language, close, start, addSegment, convert, drag, menu, format;
        QStringList tabs;
    };
    const QList<Expect> languages{
        {"Deutsch", "Schließen", "Startzeit:", "Abschnitt hinzufügen (Einfg)", "Konvertierung starten (Strg+Eingabe)",
         "Mediendateien zum Starten hierher ziehen", "Einstellungen", "Ausgabeformat",
         {"Allgemeine Videos", "HD-Videos", "Geräte", "Web", "Audio"}},
        {QString::fromUtf8("日本語"), QString::fromUtf8("閉じる"), QString::fromUtf8("開始時間:"),
         QString::fromUtf8("セグメントを追加 (Ins)"), QString::fromUtf8("変換を開始 (Ctrl+Enter)"),
         QString::fromUtf8("ここにメディアファイルをドラッグして開始"), QString::fromUtf8("環境設定"),
         QString::fromUtf8("出力形式"),
         {QString::fromUtf8("一般ビデオ"), QString::fromUtf8("HDビデオ"), QString::fromUtf8("デバイス"),
          QString::fromUtf8("ウェブ"), QString::fromUtf8("オーディオ")}},
    };
    for (const Expect &e : languages) {
        bool seen = false;
        const auto answer = whenModal<QPreferencesDlg>([&e](QPreferencesDlg *dlg) {
            chooseLanguage(dlg, e.language);
            click(dlg->okButton());
        }, &seen);
        w.programMenu()->actPreferences()->trigger();
        ASSERT_TRUE(seen);
        // Deliver the language change (to the application, then from it to
        // every window) and look at once: nothing may arrive later.
        for (int round = 0; round < 3; ++round)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        EXPECT_EQ(close->toolTip(), e.close);
        EXPECT_EQ(start->text(), e.start);
        EXPECT_EQ(addSegment->toolTip(), e.addSegment);
        EXPECT_EQ(convert->toolTip(), e.convert);
        EXPECT_EQ(drag->text(), e.drag);
        EXPECT_EQ(w.programMenu()->actPreferences()->text(), e.menu);
        EXPECT_EQ(format->titleText(), e.format);
        QStringList tabs;
        for (QTextImageButton *tab : format->encodingTabs())
            tabs << tab->text();
        EXPECT_EQ(tabs, e.tabs);
        EXPECT_EQ(format->losslessTabs().value(0)->text(), e.tabs.value(0));
        EXPECT_EQ(ParserXML::readItemValue("Language_item", "Language_Name", "?"), e.language);
    }

    // While another language is previewed, the main window keeps its own;
    // Cancel leaves the interface in the language it had.
    QString startWhilePreviewing, cancelWhilePreviewing;
    const auto cancel = whenModal<QPreferencesDlg>([&](QPreferencesDlg *dlg) {
        chooseLanguage(dlg, "Deutsch");
        for (int round = 0; round < 3; ++round)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        startWhilePreviewing = start->text();
        cancelWhilePreviewing = dlg->cancelButton()->text();
        chooseLanguage(dlg, "English");
        for (int round = 0; round < 3; ++round)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        EXPECT_EQ(dlg->cancelButton()->text(), "Cancel");
        EXPECT_EQ(start->text(), QString::fromUtf8("開始時間:"));
        click(dlg->cancelButton());
    });
    w.programMenu()->actPreferences()->trigger();
    EXPECT_EQ(startWhilePreviewing, QString::fromUtf8("開始時間:"));
    EXPECT_EQ(cancelWhilePreviewing, "Abbrechen");
    for (int round = 0; round < 3; ++round)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    EXPECT_EQ(close->toolTip(), QString::fromUtf8("閉じる"));
    EXPECT_EQ(start->text(), QString::fromUtf8("開始時間:"));
    EXPECT_EQ(addSegment->toolTip(), QString::fromUtf8("セグメントを追加 (Ins)"));
}

TEST_F(MainWindowShell, PreferencesReachTheUpdatesAndTheOutputFolder)
{
    MainWindow w;
    w.show();
    EXPECT_FALSE(w.updates()->automaticCheckForUpdates());
    const auto answer = whenModal<QPreferencesDlg>([](QPreferencesDlg *dlg) {
        click(dlg->findChild<QCheckButton *>("m_radAutoUpdate"));
        click(dlg->okButton());
    });
    w.programMenu()->actPreferences()->trigger();
    EXPECT_TRUE(w.updates()->automaticCheckForUpdates());
    EXPECT_TRUE(w.updates()->automaticTimer()->isActive());
    EXPECT_EQ(ParserXML::readItemValue("OutPut_path", "path_value", "?"), ConfigState::instance().converterPath());
    EXPECT_TRUE(ConfigState::instance().converterPath().endsWith("/Zelvane Snipwell/Converted/"));
}

#include "MainWindowShellTest.moc"
