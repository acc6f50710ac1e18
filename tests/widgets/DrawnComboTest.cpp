// The drawn combo boxes: plain fallback, popup geometry, row marking, the
// check-box combo's two modes, and the keyboard kept from QComboBox.
#include "WidgetTestHelpers.h"

#include "QCheckboxCombobox.h"
#include "QComboboxCheckbox.h"
#include "QVoBaseButton.h"
#include "QVoComboBox.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
const char *kBody = "/image/Common_bg/bg_combobox2.png";
const char *kArrow = "/image/Common_bg/btn_arrow.png";

// Qt refuses focus to windows that are not active; offscreen, activate.
void showFocused(QWidget *w)
{
    w->window()->show();
    QApplication::setActiveWindow(w->window());
    w->setFocus();
    QApplication::processEvents();
}

bool popupOpen(const QComboBox &combo) { return combo.view()->isVisible(); }
} // namespace

TEST(DrawnCombo, WithoutPictureItIsAPlainComboBox)
{
    QComboBox plain;
    QVoComboBox drawn;
    for (QComboBox *c : {&plain, static_cast<QComboBox *>(&drawn)}) {
        c->resize(140, 24);
        c->addItem("High Quality");
        c->addItem("Small Size");
        c->addItem("Customized");
        c->removeItem(1);
        c->setCurrentIndex(1);
    }
    drawn.addItem("Extra"); // our overload falls back as well
    drawn.removeItem(2);
    EXPECT_FALSE(drawn.isPictureMode());
    EXPECT_EQ(drawn.count(), 2);
    EXPECT_EQ(drawn.currentText(), "Customized");
    EXPECT_TRUE(drawn.styleSheet().isEmpty());
    // Same pixels as the plain combo.
    EXPECT_EQ(drawn.grab().toImage(), plain.grab().toImage());
    EXPECT_FALSE(drawn.setBackgroundImage("/image/no-such-picture.png"));
    EXPECT_FALSE(drawn.isPictureMode());
    EXPECT_EQ(drawn.grab().toImage(), plain.grab().toImage());
}

TEST(DrawnCombo, RowsMoveIntoPictureModeAndDrawnTextFollows)
{
    QVoComboBox combo;
    combo.resize(159, 24);
    combo.addItem("English", "en");
    combo.addItem("Deutsch", "de");
    combo.setCurrentIndex(1);
    ASSERT_TRUE(combo.setBackgroundImage(kBody));
    ASSERT_TRUE(combo.isPictureMode());
    EXPECT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_EQ(combo.itemData(0).toString(), "en");
    ASSERT_NE(combo.rowWidget(1), nullptr);
    EXPECT_EQ(combo.rowWidget(1)->drawText(), "Deutsch");
    EXPECT_EQ(combo.drawText(), "Deutsch");
    EXPECT_EQ(combo.toolTip(), "Deutsch");

    combo.setItemText(1, "German");
    EXPECT_EQ(combo.drawText(), "German");
    EXPECT_EQ(combo.rowWidget(1)->drawText(), "German");
    combo.removeItem(1);
    EXPECT_EQ(combo.drawText(), "English");
    combo.removeItem(5); // out of range: nothing
    EXPECT_EQ(combo.count(), 1);
    combo.clear();
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_TRUE(combo.drawText().isEmpty());
}

TEST(DrawnCombo, SeparatorSharesAndLastRowLine)
{
    QVoComboBox combo;
    combo.resize(159, 24);
    ASSERT_TRUE(combo.setBackgroundImage(kBody));
    combo.addItems({"A", "B", "C"});
    combo.setSeparator(3, Qt::red);
    combo.show();
    combo.showPopup();
    QListWidget *list = combo.popupList();
    EXPECT_EQ(list->item(0)->sizeHint().height(), 19 + 2);
    EXPECT_EQ(list->item(1)->sizeHint().height(), 19 + 1 + 2);
    EXPECT_EQ(list->item(2)->sizeHint().height(), 19 + 1);
    combo.hidePopup();

    combo.markLastRow();
    combo.showPopup();
    EXPECT_EQ(list->item(2)->sizeHint().height(), 19 + 1 + 1);
    combo.hidePopup();

    // The middle row paints its bands in the separator colour, top and bottom.
    QVoComboBoxItem *middle = combo.rowWidget(1);
    middle->resize(159, 22);
    const QImage image = middle->grab().toImage();
    EXPECT_EQ(QColor(image.pixel(40, 0)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(40, 21)), QColor(Qt::red));
    EXPECT_NE(QColor(image.pixel(40, 10)), QColor(Qt::red));
}

TEST(DrawnCombo, PopupWidthRules)
{
    QVoComboBox combo;
    combo.resize(159, 24);
    ASSERT_TRUE(combo.setBackgroundImage(kBody));
    combo.setPopupBorder(1, QColor(62, 63, 63));
    combo.addItems({"English", "Deutsch"});
    combo.show();
    combo.showPopup();
    EXPECT_EQ(combo.popupWidth(), 159 - 2);
    combo.hidePopup();

    const QString wide = "A language name far wider than the combo itself";
    combo.addItem(wide);
    combo.setRowTextMargins(4, 0, 6, 0);
    combo.showPopup();
    const int expected = QFontMetrics(combo.rowWidget(2)->font()).horizontalAdvance(wide) + 4 + 6 + 1;
    EXPECT_EQ(combo.popupWidth(), expected);
    EXPECT_EQ(combo.popupList()->item(0)->sizeHint().width(), expected);
    combo.hidePopup();
    combo.showPopup();
    combo.hidePopup();
    // Reopening replaces the width clause rather than piling it up.
    EXPECT_EQ(combo.styleSheetText().count("min-width:"), 1);
    EXPECT_TRUE(combo.styleSheetText().contains(QString("min-width: %1px}").arg(expected)));
}

TEST(DrawnCombo, StyleClausesAreReplacedWithHexColours)
{
    QVoComboBox combo;
    ASSERT_TRUE(combo.setBackgroundImage(kBody));
    combo.setRowBackground(QColor(62, 63, 63));
    combo.setRowBackground(QColor(10, 20, 30));
    combo.setPopupBorder(1, QColor(1, 2, 3));
    combo.setPopupBorder(2, QColor(4, 5, 6));
    const QString sheet = combo.styleSheetText();
    EXPECT_EQ(sheet.count("QListView::item {background:"), 1);
    EXPECT_TRUE(sheet.contains("QListView::item {background: #0a141e;}"));
    EXPECT_EQ(sheet.count("border: "), 1);
    EXPECT_TRUE(sheet.contains("border: 2px solid #040506}"));
    EXPECT_TRUE(sheet.startsWith("QComboBox {background-color:transparent;border:none}"));
    EXPECT_EQ(combo.styleSheet(), sheet);
}

TEST(DrawnCombo, HoverBackgroundSwitchesOnCurrentRowMarking)
{
    QVoComboBox combo;
    combo.resize(120, 24);
    ASSERT_TRUE(combo.setBackgroundImage(kBody));
    combo.addItems({"One", "Two"});
    combo.setRowHoverBackground(QColor(229, 243, 255)); // the default: no change
    EXPECT_FALSE(combo.rowTemplate().markCurrentRow);
    combo.setRowSelectedBackground(QColor(105, 105, 105));
    combo.setRowBackground(QColor(62, 63, 63));
    combo.setRowHoverBackground(QColor(80, 80, 80));
    EXPECT_TRUE(combo.rowTemplate().markCurrentRow);
    EXPECT_TRUE(combo.rowWidget(1)->rowTemplate().markCurrentRow);

    // With marking on, the list's current row paints as selected and the
    // other rows in the row background.
    combo.setCurrentIndex(1);
    combo.popupList()->setCurrentRow(1);
    QVoComboBoxItem *current = combo.rowWidget(1);
    QVoComboBoxItem *other = combo.rowWidget(0);
    current->resize(120, 19);
    other->resize(120, 19);
    EXPECT_EQ(QColor(current->grab().toImage().pixel(100, 9)), QColor(105, 105, 105));
    EXPECT_EQ(QColor(other->grab().toImage().pixel(100, 9)), QColor(62, 63, 63));
    widgettest::enter(other);
    EXPECT_EQ(QColor(other->grab().toImage().pixel(100, 9)), QColor(80, 80, 80));
}

TEST(DrawnCombo, ArrowOpensPopupAndTextStaysClearOfIt)
{
    QWidget window;
    auto *combo = new QVoComboBox(&window);
    combo->setGeometry(10, 10, 159, 24);
    ASSERT_TRUE(combo->setBackgroundImage(kBody));
    EXPECT_FALSE(combo->setArrowImage("/image/Common_bg/missing_arrow.png"));
    EXPECT_EQ(combo->arrowButton(), nullptr);
    ASSERT_TRUE(combo->setArrowImage(kArrow, true));
    combo->setArrowPosition(159 - 13, -1);
    combo->addItems({"English", "Deutsch"});
    window.show();
    QApplication::processEvents();
    QVoBaseButton *arrow = combo->arrowButton();
    EXPECT_EQ(arrow->x(), 159 - 13);
    EXPECT_EQ(arrow->y(), (24 - arrow->height()) / 2);
    combo->grab(); // painting raises the right text margin
    EXPECT_GE(combo->textMargins().right(), 13);

    QSignalSpy clicked(combo, &QVoComboBox::emitClicked);
    QTest::mouseClick(arrow, Qt::LeftButton);
    EXPECT_TRUE(popupOpen(*combo));
    EXPECT_EQ(clicked.count(), 1);
    combo->hidePopup();
    EXPECT_FALSE(popupOpen(*combo));
    combo->setEnabled(false);
    EXPECT_FALSE(arrow->isEnabled());
    EXPECT_EQ(combo->drawState(), 3);
}

TEST(DrawnCombo, EditableComboOpensOnlyFromItsArrow)
{
    QWidget window;
    auto *combo = new QVoComboBox(&window);
    combo->setGeometry(0, 0, 159, 24);
    ASSERT_TRUE(combo->setBackgroundImage(kBody));
    ASSERT_TRUE(combo->setArrowImage(kArrow));
    combo->setEditable(true);
    combo->setTextMargins(4, 0, 17, 1);
    combo->setRowTextColor(QColor(1, 2, 3));
    combo->addItems({"25", "30"});
    window.show();
    QApplication::processEvents();
    combo->grab();
    // The typed text sits on the drawn body, clear of the arrow.
    EXPECT_EQ(combo->lineEdit()->geometry(), QRect(4, 0, 159 - 4 - 17, 23));
    EXPECT_TRUE(combo->lineEdit()->styleSheet().contains("color:#010203"));

    QSignalSpy clicked(combo, &QVoComboBox::emitClicked);
    widgettest::press(combo, QPoint(2, 2));
    widgettest::release(combo, combo->mapToGlobal(QPoint(2, 2)));
    QApplication::processEvents();
    EXPECT_FALSE(popupOpen(*combo));
    EXPECT_EQ(clicked.count(), 1);
    QTest::mouseClick(combo->arrowButton(), Qt::LeftButton);
    EXPECT_TRUE(popupOpen(*combo));
    combo->hidePopup();
}

TEST(DrawnCombo, KeyboardChangesRowsAndOpensAndClosesThePopup)
{
    QWidget window;
    auto *before = new QLineEdit(&window);
    auto *combo = new QVoComboBox(&window);
    auto *after = new QLineEdit(&window);
    combo->setGeometry(10, 40, 159, 24);
    ASSERT_TRUE(combo->setBackgroundImage(kBody));
    ASSERT_TRUE(combo->setArrowImage(kArrow));
    combo->addItems({"Deutsch", "English", "Français", "日本語"});
    showFocused(combo);
    ASSERT_TRUE(combo->hasFocus());

    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(combo->drawText(), "English");
    QTest::keyClick(combo, Qt::Key_PageDown);
    EXPECT_EQ(combo->currentIndex(), 2);
    QTest::keyClick(combo, Qt::Key_End);
    EXPECT_EQ(combo->currentIndex(), 3);
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(combo->currentIndex(), 2);
    QTest::keyClick(combo, Qt::Key_Home);
    EXPECT_EQ(combo->currentIndex(), 0);
    QTest::keyClicks(combo, "F"); // typing selects
    EXPECT_EQ(combo->currentText(), "Français");

    // Alt+Down opens, Escape closes without choosing.
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(popupOpen(*combo));
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    EXPECT_FALSE(popupOpen(*combo));
    EXPECT_EQ(combo->currentIndex(), 2);

    // F4 opens, arrows move, Enter chooses.
    QSignalSpy activated(combo, qOverload<int>(&QComboBox::activated));
    QTest::keyClick(combo, Qt::Key_F4);
    ASSERT_TRUE(popupOpen(*combo));
    QTest::keyClick(combo->view(), Qt::Key_Up);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_FALSE(popupOpen(*combo));
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(activated.count(), 1);

    // The arrow button takes no focus: Tab goes on to the next field.
    QTest::keyClick(combo, Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
    QTest::keyClick(after, Qt::Key_Backtab);
    EXPECT_TRUE(combo->hasFocus());
    (void)before;
}

TEST(CheckboxCombo, MultipleChoiceTextJoinsCheckedRows)
{
    QCheckboxCombobox combo;
    combo.resize(160, 24);
    ASSERT_TRUE(combo.setBackgroundImage(kBody));
    combo.setBoxPictures("/VEditSource/btn_check_off.png", "/VEditSource/btn_check_on.png");
    combo.addItems({"A", "B", "C"});
    EXPECT_TRUE(combo.drawText().isEmpty());
    QSignalSpy states(&combo, &QCheckboxCombobox::emitStateChange);
    combo.setRowChecked(0, true);
    combo.setRowChecked(2, true);
    EXPECT_EQ(combo.drawText(), "A;C");
    ASSERT_EQ(states.count(), 2);
    EXPECT_EQ(states.at(1).at(0).toInt(), 2);
    EXPECT_EQ(states.at(1).at(1).toInt(), int(Qt::Checked));
    // Changing the current row does not replace the list of checked rows.
    combo.setCurrentIndex(1);
    EXPECT_EQ(combo.drawText(), "A;C");
    combo.setRowChecked(0, false);
    combo.setRowChecked(2, false);
    EXPECT_TRUE(combo.drawText().isEmpty());

    combo.setRowChecked(1, true);
    QPointer<QComboboxCheckbox> removedBox = combo.rowCheckbox(0);
    QPointer<QVoComboBoxItem> removedRow = combo.rowWidget(0);
    combo.removeItem(0);
    EXPECT_TRUE(removedBox.isNull()); // row and box go with their item
    EXPECT_TRUE(removedRow.isNull());
    EXPECT_EQ(combo.drawText(), "B");
    EXPECT_TRUE(combo.isRowChecked(0));
    EXPECT_FALSE(combo.isRowChecked(7));
    EXPECT_EQ(combo.rowCheckbox(7), nullptr);

    QSignalSpy clicks(&combo, &QCheckboxCombobox::emitClickCheckbox);
    QTest::mouseClick(combo.rowCheckbox(1), Qt::LeftButton);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 1);
    EXPECT_EQ(combo.drawText(), "B;C");
    combo.clear();
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(combo.rowCheckbox(0), nullptr);
    EXPECT_TRUE(combo.drawText().isEmpty());
}

TEST(CheckboxCombo, SingleChoicePressPicksRowAndClosesPopup)
{
    QCheckboxCombobox combo;
    combo.resize(160, 24);
    ASSERT_TRUE(combo.setBackgroundImage(kBody));
    combo.setBoxPictures("/VEditSource/btn_check_off.png", "/VEditSource/btn_check_on.png");
    combo.addItems({"Top", "Middle", "Bottom"});
    combo.setRowChecked(2, true);
    combo.setMultipleChoice(false);
    EXPECT_TRUE(combo.rowCheckbox(0)->radioLook());
    EXPECT_TRUE(combo.isRowChecked(0)); // follows the current row
    EXPECT_FALSE(combo.isRowChecked(2));
    EXPECT_EQ(combo.drawText(), "Top");

    combo.show();
    combo.showPopup();
    ASSERT_TRUE(popupOpen(combo));
    QTest::mouseClick(combo.rowCheckbox(1), Qt::LeftButton);
    EXPECT_FALSE(popupOpen(combo));
    EXPECT_EQ(combo.currentIndex(), 1);
    EXPECT_EQ(combo.drawText(), "Middle");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(combo.isRowChecked(i), i == 1) << i;

    // The keyboard moves the choice as well.
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_TRUE(combo.isRowChecked(2));
    EXPECT_FALSE(combo.isRowChecked(1));

    combo.setMultipleChoice(true);
    EXPECT_FALSE(combo.rowCheckbox(0)->radioLook());
    EXPECT_EQ(combo.drawText(), "Bottom");
}
