// The drawing helper, the drawn line edit, text edit and spin box.
#include "WidgetTestHelpers.h"

#include "QVoBaseButton.h"
#include "QVoDoubleSpinBox.h"
#include "QVoLineEdit.h"
#include "QVoTextEdit.h"

#include <QFocusEvent>
#include <QPainter>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QValidator>
#include <gtest/gtest.h>

namespace {
QValidator::State check(const QValidator *validator, QString text)
{
    int pos = 0;
    return validator->validate(text, pos);
}

void showFocused(QWidget *w)
{
    w->window()->show();
    QApplication::setActiveWindow(w->window());
    w->setFocus();
    QApplication::processEvents();
}
} // namespace

TEST(DrawHelper, StateFramesFollowTheMouseAndPicturesCanBeDropped)
{
    QVoLineEdit edit;
    edit.resize(120, 24);
    ASSERT_TRUE(edit.setBackgroundImage("/image/Common_bg/bg_edit.png"));
    edit.setStateFrames(true);
    const QImage normal = edit.grab().toImage();
    widgettest::enter(&edit);
    EXPECT_EQ(edit.drawState(), 1);
    const QImage hover = edit.grab().toImage();
    EXPECT_NE(normal, hover);
    widgettest::leave(&edit);
    EXPECT_EQ(edit.drawState(), 0);
    edit.setEnabled(false);
    EXPECT_EQ(edit.drawState(), 3);
    widgettest::enter(&edit);
    EXPECT_EQ(edit.drawState(), 3);
    edit.setEnabled(true);
    edit.setSelected(true); // draws as pressed whatever the state
    const QImage selected = edit.grab().toImage();
    edit.setSelected(false);
    QTest::mousePress(&edit, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(edit.drawState(), 2);
    EXPECT_EQ(edit.grab().toImage(), selected);
    QTest::mouseRelease(&edit, Qt::LeftButton, {}, QPoint(5, 5));

    // A missing picture reports false and drops the old one.
    EXPECT_FALSE(edit.setBackgroundImage("/image/none.png"));
    EXPECT_FALSE(edit.hasBackgroundImage());
}

TEST(DrawHelper, IconRectangleIsCompletedOnFirstPaint)
{
    QVoLineEdit edit;
    edit.resize(120, 30);
    QPixmap icon(16, 10);
    icon.fill(Qt::red);
    EXPECT_FALSE(edit.setIconImage(QPixmap()));
    ASSERT_TRUE(edit.setIconImage(icon));
    edit.setIconRect(4, -1, 3, -2); // own width, own height, centred
    QImage image(120, 30, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    edit.paintIcon(p);
    p.end();
    EXPECT_EQ(edit.iconRect(), QRect(4, 10, 16, 10));
    EXPECT_EQ(QColor(image.pixel(10, 15)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(10, 5)), QColor(Qt::white));
}

TEST(DrawnLineEdit, DigitsOnlyAcceptsPositiveWholeNumbers)
{
    QVoLineEdit edit;
    edit.setDigitsOnly();
    const QValidator *v = edit.validator();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(check(v, "10"), QValidator::Acceptable);
    EXPECT_EQ(check(v, "007"), QValidator::Acceptable);
    EXPECT_NE(check(v, "0"), QValidator::Acceptable);
    EXPECT_NE(check(v, "000"), QValidator::Acceptable);
    EXPECT_NE(check(v, ""), QValidator::Acceptable);
    EXPECT_EQ(check(v, "1a"), QValidator::Invalid);

    // Typing goes through the validator.
    showFocused(&edit);
    QTest::keyClicks(&edit, "4x2");
    EXPECT_EQ(edit.text(), "42");
    EXPECT_TRUE(edit.hasAcceptableInput());
}

TEST(DrawnLineEdit, PlaceholderClearsWhileFocused)
{
    QVoLineEdit edit;
    edit.setPlaceholderMode(true, "Enter text here", QColor(120, 120, 120));
    EXPECT_EQ(edit.placeholderText(), "Enter text here");
    EXPECT_EQ(edit.palette().color(QPalette::PlaceholderText), QColor(120, 120, 120));
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &in);
    EXPECT_TRUE(edit.placeholderText().isEmpty());
    EXPECT_EQ(edit.palette().color(QPalette::Text), edit.textColor());
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &out);
    EXPECT_EQ(edit.placeholderText(), "Enter text here");
    edit.setText("typed");
    QApplication::sendEvent(&edit, &in);
    QApplication::sendEvent(&edit, &out);
    EXPECT_TRUE(edit.placeholderText().isEmpty());
}

TEST(DrawnTextEdit, InnerEditIsInsetAndReportsPlainText)
{
    QVoTextEdit box;
    box.resize(200, 80);
    ASSERT_TRUE(box.setBackgroundImage("/image/Common_bg/bg_textedit.png"));
    EXPECT_TRUE(box.textEdit()->styleSheet().contains("transparent"));
    box.setMargins(4, 3, 2, 1);
    EXPECT_EQ(box.textEdit()->geometry(), QRect(4, 3, 194, 76));
    box.resize(100, 40);
    box.grab();
    EXPECT_EQ(box.textEdit()->geometry(), QRect(4, 3, 94, 36));
    QSignalSpy changed(&box, &QVoTextEdit::textChanged);
    box.textEdit()->setPlainText("Line one\nLine two");
    ASSERT_GE(changed.count(), 1);
    EXPECT_EQ(changed.last().at(0).toString(), "Line one\nLine two");
    EXPECT_EQ(box.focusProxy(), box.textEdit());
}

TEST(DrawnSpinBox, ButtonsAndKeysStep)
{
    QWidget window;
    auto *spin = new QVoDoubleSpinBox(&window);
    spin->setGeometry(0, 0, 78, 22);
    spin->setDecimals(0);
    spin->setRange(0, 100);
    spin->setValue(50);
    ASSERT_TRUE(spin->setBackgroundImage("/VEditSource/spinBox_bg.png"));
    spin->setButtonImages("/image/none_up.png", "/VEditSource/spinBox_down.png");
    EXPECT_EQ(spin->upButton(), nullptr); // no up picture: no buttons
    spin->setButtonImages("/VEditSource/spinBox_up.png", "/VEditSource/spinBox_down.png");
    ASSERT_NE(spin->upButton(), nullptr);
    showFocused(spin);
    EXPECT_EQ(spin->upButton()->x(), 78 - spin->upButton()->width());
    EXPECT_EQ(spin->upButton()->y(), 0);
    EXPECT_EQ(spin->downButton()->y(), 22 - spin->downButton()->height());
    EXPECT_LE(spin->findChild<QLineEdit *>()->geometry().right(), spin->upButton()->x() - 1);

    QTest::mouseClick(spin->upButton(), Qt::LeftButton);
    EXPECT_EQ(spin->value(), 51);
    QTest::mouseClick(spin->downButton(), Qt::LeftButton);
    QTest::mouseClick(spin->downButton(), Qt::LeftButton);
    EXPECT_EQ(spin->value(), 49);

    ASSERT_TRUE(spin->hasFocus()); // the buttons did not take it
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->value(), 50);
    QTest::keyClick(spin, Qt::Key_Down);
    QTest::keyClick(spin, Qt::Key_Down);
    EXPECT_EQ(spin->value(), 48);
    QTest::keyClick(spin, Qt::Key_PageUp);
    EXPECT_EQ(spin->value(), 58);

    spin->setEnabled(false);
    EXPECT_FALSE(spin->upButton()->isEnabled());
    EXPECT_EQ(spin->drawState(), 3);
}
