// The drawn progress bar and slider, the scroll bar style and the menu style.
#include "WidgetTestHelpers.h"

#include "QVoBaseButton.h"
#include "QVoBaseProgress.h"
#include "QVoBaseSlider.h"
#include "QVoMenu.h"
#include "QVoScrollBar.h"
#include "SkinImage.h"

#include <QAction>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionMenuItem>
#include <QTest>
#include <gtest/gtest.h>

Q_DECLARE_METATYPE(QMouseEvent *)

namespace {
int countColour(const QImage &image, const QColor &colour, int tolerance = 0)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() == 255 && qAbs(c.red() - colour.red()) <= tolerance && qAbs(c.green() - colour.green()) <= tolerance
                && qAbs(c.blue() - colour.blue()) <= tolerance)
                ++n;
        }
    return n;
}
} // namespace

TEST(DrawnProgress, ValuesAreClampedAndReportedOnce)
{
    QVoBaseProgress bar;
    QSignalSpy changed(&bar, &QVoBaseProgress::valueChanged);
    bar.setValue(150.0);
    EXPECT_EQ(bar.value(), 100);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toDouble(), 100);
    bar.setValue(100.0);
    EXPECT_EQ(changed.count(), 1);
    bar.setValue(-5);
    EXPECT_EQ(bar.value(), 0);
    EXPECT_EQ(changed.count(), 2);

    bar.setValue(80);
    bar.setRange(100, 0); // swapped
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 100);
    bar.setMaximum(50); // the value follows without a signal
    EXPECT_EQ(bar.value(), 50);
    EXPECT_EQ(changed.count(), 3);
    bar.setMinimum(70); // above the maximum: swapped again
    EXPECT_EQ(bar.minimum(), 50);
    EXPECT_EQ(bar.maximum(), 70);
}

TEST(DrawnProgress, MarginsRadiusAndPlainPainting)
{
    QVoBaseProgress bar;
    bar.resize(200, 10);
    bar.setMargins(120, 80); // no room left: both become 0
    EXPECT_EQ(bar.startMargin(), 0);
    EXPECT_EQ(bar.endMargin(), 0);
    EXPECT_EQ(bar.drawRadius(), 5);
    bar.setEndRadius(20);
    EXPECT_EQ(bar.drawRadius(), 5);
    bar.setEndRadius(2);
    EXPECT_EQ(bar.drawRadius(), 2);
    bar.setRoundedEnds(false);
    EXPECT_EQ(bar.drawRadius(), 0);

    bar.setMargins(10, 10);
    EXPECT_EQ(bar.barRect(), QRect(10, 0, 180, 10));
    bar.setValue(50);
    EXPECT_EQ(bar.fillLength(), 90);
    const QImage image = bar.grab().toImage();
    EXPECT_EQ(image.pixelColor(60, 5), QColor(6, 176, 37));    // filled
    EXPECT_EQ(image.pixelColor(150, 5), QColor(230, 230, 230)); // track
    EXPECT_EQ(image.pixelColor(5, 5).alpha(), 0);               // margin
}

TEST(DrawnProgress, TrackPictureSetsTheBarHeight)
{
    QVoBaseProgress bar;
    bar.resize(200, 4);
    EXPECT_FALSE(bar.setTrackPicture("/image/none.png"));
    ASSERT_TRUE(bar.setTrackPicture("/image/Common_bg/progress_track.png"));
    ASSERT_TRUE(bar.setFillPicture("/image/Common_bg/progress_fill.png"));
    EXPECT_EQ(bar.height(), 8); // grown to the picture
    bar.resize(200, 20);
    EXPECT_EQ(bar.barRect(), QRect(0, 6, 200, 8));
    EXPECT_EQ(bar.drawRadius(), 4);
    bar.setValue(1); // a fill shorter than its ends stays inside the bar
    const QImage image = bar.grab().toImage();
    for (int y = 0; y < 20; ++y) {
        if (y < 6 || y > 13) {
            EXPECT_EQ(image.pixelColor(1, y).alpha(), 0) << y;
        }
    }
}

TEST(DrawnSlider, TwoHundredPixelExample)
{
    qRegisterMetaType<QMouseEvent *>();
    QVoBaseSlider slider;
    slider.resize(200, 20);
    slider.setHandlePicture("/VEditSource/slider_image.png");
    ASSERT_NE(slider.handle(), nullptr);
    slider.setMargins(10, 10);
    EXPECT_EQ(slider.startMargin(), 10);
    slider.setValue(50);
    slider.grab();
    EXPECT_EQ(slider.handle()->x() + slider.handle()->width() / 2, 99);
    EXPECT_EQ(slider.handle()->y(), (20 - slider.handle()->height()) / 2);

    slider.setValue(0);
    QSignalSpy progress(&slider, &QVoBaseSlider::sendProgressValue);
    QSignalSpy pressed(&slider, &QVoBaseSlider::sendPressEvent);
    QSignalSpy released(&slider, &QVoBaseSlider::sendReleseEvent);
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(progress.count(), 0);
    EXPECT_EQ(pressed.count(), 0);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(5, 10));
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_EQ(slider.value(), 50);
    ASSERT_EQ(progress.count(), 1);
    EXPECT_DOUBLE_EQ(progress.at(0).at(0).toDouble(), 0.5);
    EXPECT_EQ(pressed.count(), 1);
    // Dragging past the end stops at the maximum.
    widgettest::mouse(&slider, QEvent::MouseMove, QPoint(400, 10), slider.mapToGlobal(QPoint(400, 10)), Qt::NoButton,
                      Qt::LeftButton);
    EXPECT_EQ(slider.value(), 100);
    QTest::mouseRelease(&slider, Qt::LeftButton, {}, QPoint(400, 10));
    EXPECT_EQ(released.count(), 2);

    slider.setClickable(false);
    QTest::mousePress(&slider, Qt::LeftButton, {}, QPoint(50, 10));
    EXPECT_EQ(slider.value(), 100);
}

TEST(DrawnSlider, HandleDragKeysAndMissingPicture)
{
    qRegisterMetaType<QMouseEvent *>();
    QVoBaseSlider slider;
    slider.resize(200, 20);
    slider.setHandlePicture("/image/none.png");
    EXPECT_EQ(slider.handle()->size(), QSize(10, 20));
    // Margins smaller than half the handle become half its width.
    slider.setMargins(0, 0);
    EXPECT_EQ(slider.startMargin(), 5);
    EXPECT_EQ(slider.endMargin(), 5);

    QSignalSpy progress(&slider, &QVoBaseSlider::sendProgressValue);
    QSignalSpy pressed(&slider, &QVoBaseSlider::sendPressEvent);
    QVoBaseButton *handle = slider.handle();
    slider.grab();
    const QPoint start = handle->mapToGlobal(QPoint(5, 10));
    widgettest::press(handle, QPoint(5, 10));
    EXPECT_EQ(pressed.count(), 1);
    widgettest::dragTo(handle, slider.mapToGlobal(QPoint(5 + 95, 10)));
    EXPECT_EQ(slider.value(), 50);
    EXPECT_EQ(progress.count(), 1);
    widgettest::release(handle, start);

    QSignalSpy changed(&slider, &QVoBaseProgress::valueChanged);
    QTest::keyClick(&slider, Qt::Key_Right);
    EXPECT_EQ(slider.value(), 51);
    QTest::keyClick(&slider, Qt::Key_Down);
    QTest::keyClick(&slider, Qt::Key_Left);
    EXPECT_EQ(slider.value(), 49);
    EXPECT_EQ(changed.count(), 3);
    EXPECT_EQ(progress.count(), 1); // keys do not report progress
}

TEST(DrawnSlider, TabFocusLightsTheHandle)
{
    QWidget window;
    auto *first = new QVoBaseSlider(&window);
    auto *second = new QVoBaseSlider(&window);
    for (QVoBaseSlider *s : {first, second}) {
        s->resize(150, 20);
        s->setHandlePicture("/VEditSource/slider_image.png");
    }
    second->move(0, 30);
    window.show();
    QApplication::setActiveWindow(&window);
    first->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(first->handle()->state(), 1);
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(second->hasFocus());
    EXPECT_EQ(first->handle()->state(), 0);
    EXPECT_EQ(second->handle()->state(), 1);
    QTest::keyClick(second, Qt::Key_End);
    EXPECT_EQ(second->value(), 100);
    QTest::keyClick(second, Qt::Key_PageDown);
    EXPECT_EQ(second->value(), 90);
}

TEST(DrawnScrollBar, EmptyRangeShowsNeitherHandleNorArrows)
{
    QVoScrollBar bar(Qt::Vertical);
    EXPECT_EQ(bar.width(), 10);
    ScrollBarStyleParams params = bar.styleParams();
    EXPECT_EQ(params.extent, 11);
    params.alwaysShow = true;
    params.extent = 8;
    params.grooveColor = QColor(57, 55, 55);
    params.trackColor = QColor(20, 20, 200);
    params.arrowNormal = QColor(200, 20, 20);
    params.arrowBackground = QColor(91, 89, 89);
    params.handleNormal = QColor(20, 200, 20);
    bar.setStyleParams(params);
    EXPECT_EQ(bar.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &bar), 8);
    bar.resize(10, 150);

    bar.setRange(0, 0);
    const QImage empty = bar.grab().toImage();
    EXPECT_EQ(countColour(empty, params.handleNormal), 0);
    EXPECT_EQ(countColour(empty, params.arrowNormal, 8), 0);
    EXPECT_EQ(countColour(empty, params.trackColor), 0);

    bar.setRange(0, 100);
    bar.setPageStep(20);
    const QImage full = bar.grab().toImage();
    EXPECT_GT(countColour(full, params.handleNormal), 50);
    EXPECT_GE(countColour(full, params.arrowNormal, 8), 2); // one small triangle at each end
    EXPECT_GT(countColour(full, params.trackColor), 0);

    // Without always-show and without the mouse, only the handle shows.
    params.alwaysShow = false;
    bar.setStyleParams(params);
    const QImage quiet = bar.grab().toImage();
    EXPECT_GT(countColour(quiet, params.handleNormal), 50);
    EXPECT_EQ(countColour(quiet, params.arrowNormal, 8), 0);
}

TEST(DrawnScrollBar, ArrowPictureFramesAreDrawnTurnedForTheSubLine)
{
    QVoScrollBar bar(Qt::Vertical);
    ScrollBarStyleParams params = bar.styleParams();
    params.alwaysShow = true;
    // A four-frame picture whose normal frame is red on top, blue below.
    QPixmap picture(40, 12);
    picture.fill(Qt::gray);
    {
        QPainter p(&picture);
        p.fillRect(0, 0, 10, 6, Qt::red);
        p.fillRect(0, 6, 10, 6, Qt::blue);
    }
    params.arrowPicture = picture;
    bar.setStyleParams(params);
    bar.resize(10, 150);
    bar.setRange(0, 100);
    const QImage image = bar.grab().toImage();
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = Qt::Vertical;
    option.minimum = 0;
    option.maximum = 100;
    option.pageStep = bar.pageStep();
    const QRect sub = bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSubLine, &bar);
    const QRect add = bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, &bar);
    ASSERT_FALSE(sub.isEmpty());
    EXPECT_EQ(image.pixelColor(add.center().x(), add.top() + 1), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(add.center().x(), add.bottom() - 1), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(sub.center().x(), sub.top() + 1), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(sub.center().x(), sub.bottom() - 1), QColor(Qt::red));
}

namespace {
QImage drawItem(QVoMenuStyle &style, QStyle::State state, const QString &text)
{
    QStyleOptionMenuItem item;
    item.rect = QRect(0, 0, 160, 30);
    item.state = state;
    item.text = text;
    item.menuItemType = QStyleOptionMenuItem::Normal;
    item.checkType = QStyleOptionMenuItem::NotCheckable;
    QFont font("Tahoma");
    font.setPixelSize(14);
    font.setBold(true);
    item.font = font;
    item.fontMetrics = QFontMetrics(font);
    item.maxIconWidth = 0;
    QImage image(160, 30, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    style.drawControl(QStyle::CE_MenuItem, &item, &p);
    return image;
}
} // namespace

TEST(DrawnMenu, DisabledItemKeepsItsColourUnderTheMouse)
{
    QVoMenuStyle style;
    const MenuStyleParams &c = style.params();
    // Enabled and selected: highlighted, text in the selected colour.
    const QImage selected = drawItem(style, QStyle::State_Enabled | QStyle::State_Selected, "Preferences");
    EXPECT_EQ(selected.pixelColor(2, 2), c.selectedBackground);
    EXPECT_GT(countColour(selected, c.selectedText), 10);
    // Disabled and under the mouse: no highlight, text in the disabled colour.
    const QImage disabled = drawItem(style, QStyle::State_Selected, "Preferences");
    EXPECT_EQ(disabled.pixelColor(2, 2), c.disabledOverlay);
    EXPECT_EQ(countColour(disabled, c.selectedBackground), 0);
    EXPECT_GT(countColour(disabled, c.disabledText), 10);
    EXPECT_EQ(countColour(disabled, c.selectedText), 0);
    // The text starts right of a 20-pixel icon column and a 7-pixel gap.
    for (int x = 0; x < 27; ++x)
        for (int y = 0; y < 30; ++y)
            ASSERT_EQ(disabled.pixelColor(x, y), c.disabledOverlay) << x << "," << y;
}

TEST(DrawnMenu, MenuFlagsColoursAndSeparator)
{
    QVoMenu menu;
    EXPECT_EQ(int(menu.windowFlags()), 2057);
    EXPECT_TRUE(menu.noSystemShadow());
    menu.setPanelColor(QColor(62, 63, 63));
    menu.setEmptyAreaColor(QColor(62, 63, 63));
    menu.setTextColor(QColor(228, 228, 228));
    menu.setSeparatorColor(QColor(255, 0, 255));
    menu.setDisabledOverlayColor(QColor(70, 70, 70));
    menu.setDisabledTextColor(QColor(0, 0, 255));
    menu.setPanelWidth(2);
    EXPECT_EQ(menu.style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, &menu), 2);
    EXPECT_EQ(menu.style()->pixelMetric(QStyle::PM_MenuHMargin, nullptr, &menu), 0);
    EXPECT_EQ(menu.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &menu), 15);
    menu.addAction("Home");
    menu.addSeparator();
    QAction *off = menu.addAction("Check for Updates");
    off->setEnabled(false);
    menu.ensurePolished();
    menu.resize(menu.sizeHint());
    const QImage image = menu.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(62, 63, 63)); // the frame
    EXPECT_GT(countColour(image, QColor(255, 0, 255)), 20);
    EXPECT_GT(countColour(image, QColor(0, 0, 255), 30), 5);
    EXPECT_EQ(menu.actionGeometry(off).left(), 2); // no margins inside the panel
}
