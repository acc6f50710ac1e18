// The menu combo box, the spin box, the renaming label, the styled scroll
// bar and the busy indicator.
#include "WidgetTestHelpers.h"

#include "QCustomComboBox.h"
#include "QCustomSpinBox.h"
#include "QProgressIndicator.h"
#include "RetractLabel.h"
#include "StyleScrollBar.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(CustomComboBox, RowsCurrentRowAndRemoval)
{
    QCustomComboBox combo;
    EXPECT_EQ(combo.currentIndex(), -1);
    combo.addItem("High Quality");
    EXPECT_EQ(combo.currentIndex(), 0); // the first row becomes current
    EXPECT_EQ(combo.currentText(), "High Quality");
    EXPECT_EQ(combo.toolTip(), "High Quality");
    combo.addItem("Small Size");
    combo.addItem("Customized");
    combo.setItemValue(1, 0);
    EXPECT_EQ(combo.itemValue(1).toInt(), 0);
    EXPECT_FALSE(combo.itemValue(0).isValid());
    EXPECT_EQ(combo.menu()->actions().size(), 3);

    combo.setCurrentIndex(7); // out of range: ignored
    EXPECT_EQ(combo.currentIndex(), 0);
    combo.setCurrentIndex(2);
    EXPECT_EQ(combo.currentText(), "Customized");

    combo.removeItem(99); // out of range: the last row goes
    EXPECT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(1), "Small Size");
    EXPECT_EQ(combo.menu()->actions().size(), 2);
    EXPECT_EQ(combo.currentIndex(), 1);

    combo.clear();
    EXPECT_EQ(combo.count(), 0);
    EXPECT_EQ(combo.currentIndex(), -1);
    EXPECT_TRUE(combo.currentText().isEmpty());
    EXPECT_TRUE(combo.menu()->actions().isEmpty());
}

TEST(CustomComboBox, PickingTheCurrentRowEmitsNothing)
{
    QCustomComboBox combo;
    combo.addItem("JPG");
    combo.addItem("PNG");
    QSignalSpy activated(&combo, &QCustomComboBox::activated);
    QSignalSpy changed(&combo, &QCustomComboBox::currentIndexChanged);
    combo.itemAction(0)->trigger();
    EXPECT_EQ(activated.count(), 0);
    EXPECT_EQ(changed.count(), 0);
    combo.itemAction(1)->trigger();
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated.at(0).at(0).toInt(), 1);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(combo.currentText(), "PNG");
    combo.itemAction(1)->trigger();
    EXPECT_EQ(activated.count(), 1);
}

TEST(CustomComboBox, MenuRowsAreSizedToTheWidestText)
{
    QCustomComboBox combo;
    combo.resize(200, 24);
    combo.setMinRowWidth(10);
    combo.addItem("A");
    combo.addItem("A much longer row text");
    QFont font("Tahoma");
    font.setPointSize(8);
    const QFontMetrics fm(font);
    const QString expected = QString("QMenu:item{height:%1px;width:%2;}")
                                 .arg(fm.height() + 5)
                                 .arg(fm.horizontalAdvance("A much longer row text") + 5);
    EXPECT_TRUE(combo.menu()->styleSheet().endsWith(expected)) << combo.menu()->styleSheet().toStdString();
    combo.setMinRowWidth(400); // never narrower than the minimum row width
    EXPECT_TRUE(combo.menu()->styleSheet().contains("width:400;"));
}

TEST(CustomComboBox, PressOpensTheMenuAfterThePress)
{
    QCustomComboBox combo;
    combo.resize(150, 24);
    combo.show();
    QSignalSpy asked(&combo, &QCustomComboBox::emitShowItemMenu);
    QTest::mousePress(&combo, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(asked.count(), 1);
    QApplication::processEvents();
    EXPECT_FALSE(combo.menu()->isVisible()); // no rows: no menu
    QTest::mouseRelease(&combo, Qt::LeftButton, {}, QPoint(10, 10));

    combo.addItem("One");
    combo.setMenuOffset(12);
    QTest::mousePress(&combo, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(combo.menu()->isVisible()); // queued: not inside the press
    QApplication::processEvents();
    EXPECT_TRUE(combo.menu()->isVisible());
    EXPECT_EQ(combo.menu()->pos(), combo.mapToGlobal(QPoint(12, combo.height())));
    combo.menu()->hide();
}

TEST(CustomSpinBox, StaysBelowTheMaximumAndAtOrAboveTheMinimum)
{
    QCustomSpinBox spin;
    spin.resize(78, 22);
    spin.setRange(0, 10);
    QSignalSpy changed(&spin, &QCustomSpinBox::valueChanged);
    for (int i = 0; i < 15; ++i)
        QTest::mouseClick(spin.upButton(), Qt::LeftButton);
    EXPECT_EQ(spin.value(), 9);
    EXPECT_EQ(spin.lineEdit()->text(), "9");
    EXPECT_EQ(changed.count(), 9);

    spin.lineEdit()->clear();
    QTest::keyClicks(spin.lineEdit(), "15");
    EXPECT_EQ(spin.lineEdit()->text(), "9");
    EXPECT_EQ(spin.value(), 9);

    spin.lineEdit()->clear();
    QTest::keyClicks(spin.lineEdit(), "-3");
    EXPECT_EQ(spin.lineEdit()->text(), "0");
    EXPECT_EQ(spin.value(), 0);

    spin.OnBtnDown();
    EXPECT_EQ(spin.value(), 0);
    spin.OnBtnUp();
    spin.OnBtnUp();
    EXPECT_EQ(spin.value(), 2);
    spin.editTextChange(QString());
    EXPECT_EQ(spin.lineEdit()->text(), "0");
    EXPECT_EQ(spin.value(), 0);
    spin.editTextChange("7");
    EXPECT_EQ(spin.value(), 7);
}

TEST(RetractLabel, RefusesForbiddenCharactersAndKeepsTheExtension)
{
    RetractLabel label;
    label.resize(200, 20);
    label.setName("clip.mp4");
    label.setKeepExtension(true);
    QSignalSpy renamed(&label, &RetractLabel::emitChangeName);
    label.startRename();
    EXPECT_TRUE(label.isRenaming());
    EXPECT_EQ(label.lineEdit()->text(), "clip");

    label.lineEdit()->selectAll();
    QTest::keyClicks(label.lineEdit(), "clip2");
    EXPECT_EQ(label.lineEdit()->text(), "clip2");
    QTest::keyClicks(label.lineEdit(), ":");
    EXPECT_EQ(label.lineEdit()->text(), "clip2"); // the old text comes back
    for (const char *bad : {"a/b", "a*b", "a\"b", "a<b", "a>b", "a|b", "a?b", "a\\b"}) {
        label.NameChange(bad);
        EXPECT_EQ(label.lineEdit()->text(), "clip2") << bad;
    }
    label.RenameOK();
    EXPECT_FALSE(label.isRenaming());
    EXPECT_EQ(label.name(), "clip2.mp4");
    EXPECT_EQ(label.text(), "clip2.mp4");
    EXPECT_EQ(renamed.count(), 1);

    label.setKeepExtension(false);
    label.startRename();
    label.lineEdit()->setText("other.mkv");
    label.RenameOK();
    EXPECT_EQ(label.name(), "other.mkv");

    // An empty name is dropped rather than turning the file into ".mkv".
    label.setKeepExtension(true);
    label.startRename();
    label.lineEdit()->clear();
    label.RenameOK();
    EXPECT_EQ(label.name(), "other.mkv");
    EXPECT_EQ(renamed.count(), 2);
}

TEST(StyleScrollBar, AppendsArrowClausesWithForwardSlashes)
{
    StyleScrollBar bar;
    EXPECT_EQ(bar.orientation(), Qt::Vertical);
    EXPECT_EQ(bar.styleSheet(), StyleScrollBar::baseStyleSheet());
    EXPECT_TRUE(bar.styleSheet().startsWith("QScrollBar:vertical{width:8px;background:rgba(0,0,0,0%);"));
    bar.setUpArrowImages("C:\\app\\up.png", QString());
    EXPECT_TRUE(bar.styleSheet().endsWith(
        "QScrollBar::sub-line:vertical{height:9px;width:8px;border-image:url(C:/app/up.png);subcontrol-position:top;}"));
    EXPECT_FALSE(bar.styleSheet().contains("sub-line:vertical:hover"));
    bar.setDownArrowImages("/a/down.png", "/a/down2.png");
    EXPECT_TRUE(bar.styleSheet().endsWith(
        "QScrollBar::add-line:vertical{height:9px;width:8px;border-image:url(/a/down.png);subcontrol-position:bottom;}"
        "QScrollBar::add-line:vertical:hover{height:9px;width:8px;border-image:url(/a/down2.png);subcontrol-position:bottom;}"));
}

TEST(ProgressIndicator, CapsuleGeometryFollowsTheSize)
{
    const auto small = QProgressIndicator::geometryFor(QSize(20, 20));
    EXPECT_DOUBLE_EQ(small.outerRadius, 9.5);
    EXPECT_DOUBLE_EQ(small.innerRadius, 4.75);
    EXPECT_DOUBLE_EQ(small.capsuleLength, 4.75);
    EXPECT_DOUBLE_EQ(small.capsuleWidth, 4.75 * 0.35);
    EXPECT_DOUBLE_EQ(small.cornerRadius, small.capsuleWidth / 2);
    const auto large = QProgressIndicator::geometryFor(QSize(81, 64)); // the smaller side counts
    EXPECT_DOUBLE_EQ(large.outerRadius, 31.5);
    EXPECT_DOUBLE_EQ(large.capsuleWidth, large.capsuleLength * 0.23);

    QProgressIndicator busy;
    EXPECT_EQ(busy.sizeHint(), QSize(20, 20));
    EXPECT_EQ(busy.heightForWidth(33), 33);
}

namespace {
QImage paintIndicator(QProgressIndicator &busy)
{
    QImage image(busy.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    busy.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

int alphaSum(const QImage &image, const QRect &area)
{
    int sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += qAlpha(image.pixel(x, y));
    return sum;
}
} // namespace

TEST(ProgressIndicator, PaintsTwelveFadingCapsulesOnlyWhenShown)
{
    QProgressIndicator busy;
    busy.resize(20, 20);
    busy.setColor(Qt::black);
    EXPECT_EQ(alphaSum(paintIndicator(busy), busy.rect()), 0); // stopped and not displayed

    busy.setDisplayedWhenStopped(true);
    const QImage image = paintIndicator(busy);
    // Angle 0: capsule 0 points up at full alpha, capsule 6 points down at
    // half alpha; capsule 11 (just clockwise of the top) is the faintest.
    const QRect top(8, 0, 5, 6), bottom(8, 15, 5, 5);
    const int up = alphaSum(image, top), down = alphaSum(image, bottom);
    EXPECT_GT(up, 0);
    EXPECT_NEAR(double(down) / up, 0.5, 0.12);
    EXPECT_EQ(qAlpha(image.pixel(10, 10)), 0); // the hub stays empty

    // Large enough for whole pixels inside a capsule: the leading one is
    // fully opaque, the one opposite half transparent.
    busy.resize(64, 64);
    const QImage big = paintIndicator(busy);
    EXPECT_EQ(qAlpha(big.pixel(30, 6)), 255);
    EXPECT_NEAR(qAlpha(big.pixel(30, 55)), 128, 3);
    EXPECT_EQ(qAlpha(big.pixel(4, 4)), 0); // between capsules and outside
}

TEST(ProgressIndicator, TurnsThirtyDegreesPerTick)
{
    QProgressIndicator busy;
    busy.setAnimationDelay(5);
    busy.startAnimation();
    EXPECT_TRUE(busy.isAnimated());
    EXPECT_EQ(busy.angle(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return busy.angle() > 0; }, 5000));
    EXPECT_EQ(busy.angle() % 30, 0);
    busy.stopAnimation();
    EXPECT_FALSE(busy.isAnimated());
    const int stopped = busy.angle();
    // A timer of the animation's own delay fires five times: a tick the
    // stop failed to end would have turned the indicator meanwhile.
    int ticks = 0;
    QTimer sentinel;
    QObject::connect(&sentinel, &QTimer::timeout, [&] { ++ticks; });
    sentinel.start(5);
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 5, 5000);
    EXPECT_EQ(busy.angle(), stopped);
    busy.setAnimationDelay(40);
    EXPECT_FALSE(busy.isAnimated()); // a new delay does not start a stopped indicator
    EXPECT_EQ(busy.property("delay").toInt(), 40);
}
