// The two message dialogs: flags and kinds to icons, button sets and the
// standard-button values they return, sizing and placement.
#include "WidgetTestHelpers.h"

#include "QImageButton.h"
#include "QTextImageButton.h"
#include "QVoMessageBox.h"
#include "QVoMessageDlg.h"

#include "AppPaths.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {
QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// Runs `act` on the modal dialog once the static helper has shown it.
template <typename Dialog, typename Act>
void whenShown(Act act)
{
    QTimer::singleShot(0, [act] {
        auto *dlg = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        act(dlg);
    });
}

int clickResult(QDialog &dlg, QAbstractButton *button)
{
    dlg.show();
    dlg.setResult(0);
    QTest::mouseClick(button, Qt::LeftButton);
    return dlg.result();
}
} // namespace

TEST(VoMessageDlg, WarningWithOkOnly)
{
    QVoMessageDlg dlg;
    dlg.setFlags(0x12);
    dlg.setMessage("Attention: Please don't change advanced settings if you are \nnon-professional user.");
    EXPECT_EQ(dlg.typeIconPath(), "/pic/warning.png");
    EXPECT_FALSE(dlg.typeIconRect().isEmpty());
    EXPECT_EQ(dlg.okButton()->text(), "OK");
    EXPECT_FALSE(dlg.cancelButton()->isVisibleTo(&dlg));
    EXPECT_EQ(dlg.title(), "Zelvane Video Cutter");
    EXPECT_EQ(clickResult(dlg, dlg.okButton()), 0x400);
    EXPECT_EQ(clickResult(dlg, dlg.closeButton()), 0x400000);
}

TEST(VoMessageDlg, ButtonSetsAndResults)
{
    QVoMessageDlg yesNo;
    yesNo.setFlags(0x400);
    EXPECT_EQ(yesNo.okButton()->text(), "YES");
    EXPECT_EQ(yesNo.cancelButton()->text(), "NO");
    EXPECT_TRUE(yesNo.cancelButton()->isVisibleTo(&yesNo));
    EXPECT_EQ(clickResult(yesNo, yesNo.okButton()), 0x4000);
    EXPECT_EQ(clickResult(yesNo, yesNo.cancelButton()), 0x10000);
    EXPECT_EQ(clickResult(yesNo, yesNo.closeButton()), 0x10000);

    QVoMessageDlg okStop;
    okStop.setFlags(0x100);
    EXPECT_EQ(okStop.cancelButton()->text(), "Stop");
    EXPECT_EQ(clickResult(okStop, okStop.okButton()), 0x400);
    EXPECT_EQ(clickResult(okStop, okStop.cancelButton()), 0x400000);

    // "Restart" is left to the caller's own connection.
    QVoMessageDlg restart;
    restart.setFlags(0x200);
    EXPECT_EQ(restart.okButton()->text(), "Restart");
    EXPECT_EQ(restart.cancelButton()->text(), "Restart Later");
    EXPECT_EQ(clickResult(restart, restart.okButton()), 0);
    EXPECT_TRUE(restart.isVisible());
    EXPECT_EQ(clickResult(restart, restart.cancelButton()), 0x400000);
}

TEST(VoMessageDlg, IconBits)
{
    QVoMessageDlg dlg;
    dlg.setFlags(0x22);
    EXPECT_EQ(dlg.typeIconPath(), "/pic/Success.png");
    dlg.setFlags(0x32);
    EXPECT_EQ(dlg.typeIconPath(), "/pic/error.png");
    dlg.setFlags(0x30); // no 0x02: no icon
    EXPECT_TRUE(dlg.typeIconPath().isEmpty());
    EXPECT_TRUE(dlg.typeIconRect().isNull());
}

TEST(VoMessageDlg, GrowsToFitItsMessageAndPlacesTheIcon)
{
    QVoMessageDlg dlg;
    dlg.setMessage("Short.");
    const QSize normal = dlg.size();
    EXPECT_EQ(normal, QSize(360, 176));

    const QFontMetrics fm([] { QFont f("Tahoma"); f.setPixelSize(12); return f; }());
    const QString line = QString("x").repeated(60);
    ASSERT_GT(fm.horizontalAdvance(line), 360 - 81);
    ASSERT_LT(fm.horizontalAdvance(line), 487);
    dlg.setMessage(line);
    EXPECT_EQ(dlg.width(), fm.horizontalAdvance(line) + 81);
    dlg.setFlags(0x12);
    EXPECT_EQ(dlg.width(), fm.horizontalAdvance(line) + 113);
    EXPECT_EQ(dlg.geometry().center().x(), available().center().x()); // re-centred

    dlg.setMessage(QString("word ").repeated(400)); // widest allowed, then taller
    EXPECT_EQ(dlg.width(), 487 + 113);
    EXPECT_GT(dlg.height(), normal.height());
    EXPECT_GE(dlg.textRect().top(), 36);
    const QRect icon = dlg.typeIconRect();
    EXPECT_EQ(icon.right() + 1 + 10, dlg.textRect().left());
    EXPECT_LE(qAbs(icon.center().y() - dlg.textRect().center().y()), 1);
    EXPECT_LE(dlg.okButton()->geometry().bottom(), dlg.height());
    EXPECT_GT(dlg.okButton()->y(), dlg.textRect().bottom());
}

TEST(VoMessageDlg, StaticHelperReturnsTheAnswer)
{
    whenShown<QVoMessageDlg>([](QVoMessageDlg *dlg) {
        EXPECT_EQ(dlg->title(), "Custom");
        EXPECT_EQ(dlg->parentWidget(), nullptr);
        QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
    });
    EXPECT_EQ(QVoMessageDlg::ShowMsg("Stop now?", "Custom", 0x400), 0x4000);
    whenShown<QVoMessageDlg>([](QVoMessageDlg *dlg) { QTest::mouseClick(dlg->closeButton(), Qt::LeftButton); });
    EXPECT_EQ(QVoMessageDlg::ShowMsg("Stop now?", QString(), 0x400), 0x10000);
}

TEST(VoMessageBox, KindsAndButtonSets)
{
    EXPECT_EQ(QVoMessageBox::iconPath(1), "/pic/warning.png");
    EXPECT_EQ(QVoMessageBox::iconPath(3), "/pic/Success.png");
    EXPECT_EQ(QVoMessageBox::iconPath(4), "/pic/error.png");
    EXPECT_EQ(QVoMessageBox::iconPath(5), "/pic/help.png");
    EXPECT_TRUE(QVoMessageBox::iconPath(2).isEmpty());

    struct Case {
        int set;
        QStringList texts;
        QList<int> results;
    };
    const QList<Case> cases{{1, {"OK"}, {0x400}}, {2, {"Cancel"}, {0x400000}}, {4, {"Yes", "No"}, {0x4000, 0x10000}}};
    for (const Case &c : cases) {
        for (int i = 0; i < c.texts.size(); ++i) {
            QVoMessageBox box;
            box.setMessage("Message");
            box.setKind(4);
            box.setButtons(c.set);
            box.prepare();
            ASSERT_EQ(box.buttons().size(), c.texts.size());
            EXPECT_EQ(box.buttons()[i]->text(), c.texts[i]);
            EXPECT_FALSE(box.iconRect().isEmpty());
            EXPECT_EQ(clickResult(box, box.buttons()[i]), c.results[i]);
        }
    }
    QVoMessageBox box;
    box.setButtons(4);
    box.setButtonText(0x4000, "Switch");
    box.prepare();
    EXPECT_EQ(box.buttons()[0]->text(), "Switch");
    EXPECT_EQ(clickResult(box, box.closeButton()), 0x200000);
}

TEST(VoMessageBox, ReturnAnswersWithTheFirstButtonEscapeWithNone)
{
    // A question about lost work: Return saves, Escape takes nothing back.
    struct Case {
        int set;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int result;
    };
    const QList<Case> cases{{4, Qt::Key_Return, Qt::NoModifier, 0x4000},
                            {8, Qt::Key_Enter, Qt::KeypadModifier, 0x4000},
                            {1, Qt::Key_Return, Qt::NoModifier, 0x400},
                            {8, Qt::Key_Escape, Qt::NoModifier, 0}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        whenShown<QVoMessageBox>([c](QVoMessageBox *box) {
            QTest::keyClick(box, c.key, c.modifiers);
            // A key that answers nothing must not leave the test waiting.
            if (box->isVisible())
                box->done(-1);
        });
        EXPECT_EQ(QVoMessageBox::ShowMessage(nullptr, "Restore the segments?", QString(), 5, c.set), c.result);
    }
    // Ctrl+Return is not an answer.
    QVoMessageBox box;
    box.setButtons(4);
    box.show();
    QTest::keyClick(&box, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(box.isVisible());
}

TEST(VoMessageBox, WrapsLongLinesAndCentresItself)
{
    QVoMessageBox box;
    box.setMessage(QString("segment ").repeated(200));
    box.setKind(1);
    box.prepare();
    EXPECT_LE(box.textRect().width(), 500 + 1);
    EXPECT_GT(box.textRect().height(), 3 * 14);
    const QPoint centre = available().center();
    EXPECT_LE((box.geometry().center() - centre).manhattanLength(), 2); // no parent: the screen

    QWidget owner;
    owner.setGeometry(300, 200, 700, 500);
    QVoMessageBox child(&owner);
    child.setMessage("Open file failed. ");
    child.prepare();
    EXPECT_LE((child.geometry().center() - owner.frameGeometry().center()).manhattanLength(), 2);

    QWidget corner;
    corner.setGeometry(0, 0, 60, 40);
    QVoMessageBox clipped(&corner);
    clipped.setMessage("Open audio device failed. ");
    clipped.prepare();
    EXPECT_EQ(clipped.pos(), QPoint(50, 50)); // coordinates that are not positive become 50

    QWidget onTop(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    QVoMessageBox topBox(&onTop);
    topBox.prepare();
    EXPECT_TRUE(topBox.windowFlags() & Qt::WindowStaysOnTopHint);
}

TEST(VoMessageBox, StaticHelperTitlesAndAnswers)
{
    whenShown<QVoMessageBox>([](QVoMessageBox *box) {
        EXPECT_EQ(box->titleText(), productTitle());
        ASSERT_EQ(box->buttons().size(), 2);
        QTest::mouseClick(box->buttons()[0], Qt::LeftButton);
    });
    EXPECT_EQ(QVoMessageBox::ShowMessage(nullptr, "Switching to the Simple Mode will change the segment length!", QString(), 1, 4),
              0x4000);
    whenShown<QVoMessageBox>([](QVoMessageBox *box) {
        EXPECT_TRUE(box->titleText().isEmpty());
        QTest::mouseClick(box->buttons()[0], Qt::LeftButton);
    });
    EXPECT_EQ(QVoMessageBox::ShowMessage(nullptr, "The output path is invalid!", QLatin1String(""), 4, 1), 0x400);
}

TEST(VoMessageBox, OpenedBoxAnswersLaterAndNamedBoxesDoNotStack)
{
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    QList<int> answers;
    QPointer<QVoMessageBox> first = QVoMessageBox::showMessage(
        &owner, "The conversion has ended.", QString(), 1, 4, [&](int answer) { answers << answer; }, "runEnded");
    // Returned at once: no loop of its own, the box is open and modal to
    // the owner's window only.
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowModality(), Qt::WindowModal);
    EXPECT_TRUE(answers.isEmpty());
    EXPECT_EQ(QVoMessageBox::openBoxNamed(&owner, "runEnded"), first.data());

    // A second report under the same name takes the first one's place:
    // the first hears Close, one box stays open.
    QPointer<QVoMessageBox> second = QVoMessageBox::showMessage(
        &owner, "The conversion has ended again.", QString(), 1, 4, [&](int answer) { answers << answer; },
        "runEnded");
    EXPECT_EQ(answers, QList<int>{QVoMessageBox::Close});
    EXPECT_FALSE(first && first->isVisible());
    QTRY_VERIFY(!first);
    EXPECT_EQ(owner.findChildren<QVoMessageBox *>().size(), 1);
    EXPECT_EQ(QVoMessageBox::openBoxNamed(&owner, "runEnded"), second.data());
    // Another name is another box.
    EXPECT_EQ(QVoMessageBox::openBoxNamed(&owner, "other"), nullptr);

    // The answer is the button clicked; the box then goes away by itself,
    // and an answered box still waiting for deletion counts as closed.
    second->prepare();
    QTest::mouseClick(second->buttons().at(1), Qt::LeftButton);
    EXPECT_EQ(answers, (QList<int>{QVoMessageBox::Close, QVoMessageBox::No}));
    EXPECT_EQ(QVoMessageBox::openBoxNamed(&owner, "runEnded"), nullptr);
    QTRY_VERIFY(!second);

    // An owner that goes while its box is open takes the box along and the
    // answer never comes.
    auto *gone = new QWidget;
    gone->show();
    bool called = false;
    QPointer<QVoMessageBox> orphan =
        QVoMessageBox::showMessage(gone, "Open file failed.", QString(), 4, 1, [&](int) { called = true; });
    delete gone;
    EXPECT_FALSE(orphan);
    QCoreApplication::processEvents();
    EXPECT_FALSE(called);
}

TEST(VoMessageDlg, OpenedDialogAnswersLater)
{
    QWidget owner;
    owner.show();
    int result = 0;
    QPointer<QVoMessageDlg> dlg = QVoMessageDlg::openMsg(&owner, "Invalid path", QString(), 0x400,
                                                         [&](int answer) { result = answer; });
    ASSERT_TRUE(dlg);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(result, 0);
    QTest::mouseClick(dlg->okButton(), Qt::LeftButton);
    EXPECT_EQ(result, 0x4000);
    QTRY_VERIFY(!dlg);
}

TEST(VoMessageDlg, ButtonTextsAreTranslated)
{
    QTranslator german;
    ASSERT_TRUE(german.load(appFolder() + "/Language/snipwell_de.qm"));
    QCoreApplication::installTranslator(&german);
    QVoMessageDlg dlg;
    dlg.setFlags(0x400);
    QVoMessageBox box;
    box.setButtons(2);
    box.prepare();
    QCoreApplication::removeTranslator(&german);
    EXPECT_EQ(dlg.okButton()->text(), "JA");
    EXPECT_EQ(dlg.cancelButton()->text(), "NEIN");
    EXPECT_EQ(dlg.title(), "Zelvane Videoschneider");
    EXPECT_EQ(box.buttons()[0]->text(), "Abbrechen");
}

TEST(VoMessageDlg, DragsFromItsTopOnly)
{
    QVoMessageDlg dlg;
    dlg.setMessage("Drag me");
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    dlg.move(200, 150);
    const QPoint start = dlg.pos();
    widgettest::press(&dlg, QPoint(150, 60)); // below the top 39 pixels
    widgettest::dragTo(&dlg, dlg.mapToGlobal(QPoint(150, 60)) + QPoint(40, 40));
    widgettest::release(&dlg, dlg.mapToGlobal(QPoint(150, 60)));
    EXPECT_EQ(dlg.pos(), start);
    widgettest::press(&dlg, QPoint(150, 30));
    widgettest::dragTo(&dlg, dlg.mapToGlobal(QPoint(150, 30)) + QPoint(40, 25));
    widgettest::release(&dlg, dlg.mapToGlobal(QPoint(150, 30)));
    EXPECT_EQ(dlg.pos(), start + QPoint(40, 25));
}
