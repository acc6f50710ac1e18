// Image-state buttons: the shared state rules, the selected flag, the
// disabled-looks-pressed flag, the counter badge and the press offsets.
#include "WidgetTestHelpers.h"

#include "CountBadge.h"
#include "QCheckButton.h"
#include "QCustomImageWidget.h"
#include "QImageButton.h"
#include "QImageButtonEx.h"
#include "QImageWidget.h"
#include "QTextImageButton.h"
#include "QVoBaseButton.h"
#include "QVoCheckBox.h"
#include "QVoRadioButton.h"
#include "SkinImage.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace widgettest;

namespace {
const QString playStrip = QStringLiteral("/image/PlayDlg/btn_play.png");

// Drives any image-state control through the rules and checks each state.
template <typename W, typename StateOf>
void checkStateRules(W &w, StateOf state)
{
    EXPECT_EQ(state(), 0);
    enter(&w);
    EXPECT_EQ(state(), 1);
    leave(&w);
    EXPECT_EQ(state(), 0);
    enter(&w);
    QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(state(), 2);
    leave(&w); // leaving while pressed keeps the pressed look
    EXPECT_EQ(state(), 2);
    QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(state(), 0);

    w.setEnabled(false);
    EXPECT_EQ(state(), 3);
    enter(&w);
    EXPECT_EQ(state(), 3);
    QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(state(), 3);
    QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(3, 3));
    leave(&w);
    EXPECT_EQ(state(), 3);
    w.setEnabled(true);
    EXPECT_EQ(state(), 0);
}

// What the widget paints, on a transparent ground (no window background).
QImage render(QWidget &w)
{
    QImage image(w.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QImage frameOf(const QString &path, int frame)
{
    const QPixmap strip = skin::load(path);
    return strip.copy(skin::frameSource(strip, frame)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
} // namespace

TEST(ImageButton, FollowsTheStateRulesAndTakesOneFrameSize)
{
    QImageButton b;
    ASSERT_TRUE(b.setImage(playStrip));
    EXPECT_EQ(b.size(), skin::frameSize(skin::load(playStrip)));
    checkStateRules(b, [&] { return b.state(); });
    enter(&b);
    EXPECT_EQ(b.cursor().shape(), Qt::PointingHandCursor);
}

TEST(ImageButton, DisabledDrawsFrameThreeOrPressedWithTheFlag)
{
    QImageButton b;
    ASSERT_TRUE(b.setImage(playStrip));
    b.setEnabled(false);
    enter(&b);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(b.paintedFrame(), 3);
    EXPECT_EQ(render(b), frameOf(playStrip, 3));

    b.setDisabledLooksPressed(true);
    EXPECT_EQ(b.paintedFrame(), 2);
    EXPECT_EQ(render(b), frameOf(playStrip, 2));
}

TEST(ImageButton, ReportsMovesWhilePressedWithThePressOffset)
{
    QWidget host;
    host.resize(200, 100);
    QImageButton b(&host);
    ASSERT_TRUE(b.setImage(playStrip));
    b.move(40, 10);
    host.show();
    QSignalSpy moves(&b, &QImageButton::mouseMove);
    mouse(&b, QEvent::MouseMove, QPoint(5, 5), b.mapToGlobal(QPoint(5, 5)), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(moves.count(), 0); // not pressed: nothing to drag

    press(&b, QPoint(7, 4));
    EXPECT_EQ(b.pressOffset(), 7);
    dragTo(&b, b.mapToGlobal(QPoint(30, 4)));
    dragTo(&b, b.mapToGlobal(QPoint(45, 9)));
    ASSERT_EQ(moves.count(), 2);
    EXPECT_EQ(moves.at(1).at(1).toInt(), 7); // the press offset, not the position
    release(&b, b.mapToGlobal(QPoint(45, 9)));
    dragTo(&b, b.mapToGlobal(QPoint(50, 9)));
    EXPECT_EQ(moves.count(), 2);
}

TEST(TextImageButton, SelectedDrawsPressedFrameWhateverTheState)
{
    QTextImageButton b;
    ASSERT_TRUE(b.setImage("/image/Format_Dlg/tab_btn_bg_image.png"));
    checkStateRules(b, [&] { return b.state(); });

    b.setSelected(true);
    enter(&b);
    EXPECT_EQ(b.state(), 1);
    EXPECT_EQ(b.paintedFrame(), 2);
    EXPECT_EQ(render(b), frameOf("/image/Format_Dlg/tab_btn_bg_image.png", 2));
    leave(&b);
    EXPECT_EQ(b.paintedFrame(), 2);
    b.setSelected(false);
    EXPECT_EQ(b.paintedFrame(), 0);
}

TEST(TextImageButton, TextColourFollowsStateCheckedAndSelected)
{
    QTextImageButton b;
    b.setImage("/pic/btn_common.png");
    const QColor n(1, 2, 3), h(4, 5, 6), p(7, 8, 9), d(10, 11, 12), c(13, 14, 15);
    b.setTextColors(n, h, p, d);
    b.setCheckedColor(c);
    EXPECT_EQ(b.textColor(), n);
    enter(&b);
    EXPECT_EQ(b.textColor(), h);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(b.textColor(), p);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(2, 2));
    b.setSelected(true);
    EXPECT_EQ(b.textColor(), c);
    b.setEnabled(false);
    EXPECT_EQ(b.textColor(), d);
}

TEST(TextImageButton, StretchedFrameKeepsItsCorners)
{
    QTextImageButton b;
    ASSERT_TRUE(b.setImage("/pic/btn_common.png", QRect(0, 0, 200, 30)));
    EXPECT_EQ(b.size(), QSize(200, 30));
    const QImage shown = render(b);
    const QImage frame = frameOf("/pic/btn_common.png", 0);
    const int cw = frame.width() / 3, ch = frame.height() / 3;
    EXPECT_EQ(shown.copy(0, 0, cw, ch), frame.copy(0, 0, cw, ch));
    EXPECT_EQ(shown.copy(200 - cw, 30 - ch, cw, ch), frame.copy(frame.width() - cw, frame.height() - ch, cw, ch));
}

TEST(ImageButtonEx, CountsAndShowsTheBadge)
{
    EXPECT_EQ(countbadge::text(1), "1");
    EXPECT_EQ(countbadge::text(99), "99");
    EXPECT_EQ(countbadge::text(100), "99+");
    EXPECT_EQ(countbadge::rect(QRect(0, 0, 44, 36)), QRect(23, 5, 20, 20));

    QImageButtonEx b;
    ASSERT_TRUE(b.setImage("/image/CutListDlg/btn_open.png"));
    const QImage plain = render(b);
    const QRect badge = countbadge::rect(b.rect());
    b.addItemCount();
    EXPECT_EQ(b.itemCount(), 1);
    const QImage one = render(b);
    EXPECT_NE(one.copy(badge), plain.copy(badge));
    EXPECT_EQ(one.copy(0, 0, badge.left(), b.height()), plain.copy(0, 0, badge.left(), b.height()));
    for (int i = 0; i < 99; ++i)
        b.addItemCount();
    EXPECT_EQ(b.itemCount(), 100);
    EXPECT_NE(render(b).copy(badge), one.copy(badge)); // "99+" in place of "1"
    b.resetItemCount();
    EXPECT_EQ(render(b), plain);
}

TEST(VoBaseButton, EmitsMouseTrafficWithOffsetsAndFollowsTheRules)
{
    QWidget host;
    host.resize(200, 80);
    QVoBaseButton b(&host);
    ASSERT_TRUE(b.setImage("/image/CutToolDlg/btn_silder_left.png"));
    b.move(50, 5);
    host.show();
    QSignalSpy down(&b, &QVoBaseButton::mouseDown), up(&b, &QVoBaseButton::mouseRelease),
        moved(&b, &QVoBaseButton::mouseMove), entered(&b, &QVoBaseButton::mouseEnter), left(&b, &QVoBaseButton::mouseLeave);
    enter(&b);
    press(&b, QPoint(4, 6));
    dragTo(&b, b.mapToGlobal(QPoint(20, 6)));
    release(&b, b.mapToGlobal(QPoint(20, 6)));
    leave(&b);
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down.at(0).at(1).toInt(), 4);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.at(0).at(1).toInt(), 4);
    ASSERT_EQ(up.count(), 1);
    EXPECT_EQ(up.at(0).at(1).toInt(), 4);
    EXPECT_EQ(entered.count(), 1);
    EXPECT_EQ(left.count(), 1);
    checkStateRules(b, [&] { return b.state(); });
}

TEST(CustomImageWidget, FollowsTheStateRules)
{
    QCustomImageWidget w;
    ASSERT_TRUE(w.setImage("/image/Common_bg/bg_combobox2.png"));
    w.resize(159, 24);
    checkStateRules(w, [&] { return w.state(); });
}

TEST(CheckButton, PressTogglesOrChecksInRadioMode)
{
    QCheckButton c;
    ASSERT_TRUE(c.setPictures("/image/Common_bg/btn_check_on1.png", "/image/Common_bg/btn_check_off1.png"));
    c.resize(150, 22);
    QSignalSpy clicked(&c, &QCheckButton::clicked);
    QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_TRUE(c.isChecked());
    EXPECT_EQ(c.state(), 2);
    QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_FALSE(c.isChecked());
    EXPECT_EQ(c.state(), 0);
    c.setRadioMode(true);
    QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(5, 10));
    QTest::mousePress(&c, Qt::LeftButton, {}, QPoint(5, 10));
    EXPECT_TRUE(c.isChecked());
    EXPECT_EQ(clicked.count(), 4);

    // The picture is vertically centred without a top; fit-width leaves 6
    // pixels between picture and text.
    EXPECT_EQ(c.pictureRect(), QRect(0, 4, 14, 14));
    c.setText("Merge Segments");
    c.fitWidth();
    EXPECT_EQ(c.width(), 14 + QFontMetrics(c.textFont()).horizontalAdvance("Merge Segments") + 6);
    c.setPicturePosition(3, 1);
    EXPECT_EQ(c.pictureRect(), QRect(3, 1, 14, 14));
}

TEST(VoRadioButton, ImageButtonLookShowsTheCheckedChoicePressed)
{
    QVoRadioButton r("Exit");
    ASSERT_TRUE(r.setImageButtonLook("/image/btn_prefer.png"));
    r.resize(86, 32);
    EXPECT_EQ(r.paintedFrame(), 0);
    enter(&r);
    EXPECT_EQ(r.paintedFrame(), 1);
    QTest::mouseClick(&r, Qt::LeftButton, {}, QPoint(80, 16)); // far right: the whole button answers
    EXPECT_TRUE(r.isChecked());
    EXPECT_EQ(r.paintedFrame(), 2);
    r.setEnabled(false);
    EXPECT_EQ(r.paintedFrame(), 3);
}

TEST(VoCheckBox, PaintsItsBoxPicturesAndAnswersOnItsWholeWidth)
{
    QVoCheckBox plain("Plain");
    EXPECT_FALSE(plain.hasBoxPictures());

    QVoCheckBox box("Don't show this window again");
    ASSERT_TRUE(box.setBoxPictures("/VEditSource/btn_check_off.png", "/VEditSource/btn_check_on.png"));
    box.resize(240, 20);
    const QImage off = render(box);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(200, 10));
    EXPECT_TRUE(box.isChecked());
    const QImage on = render(box);
    const QRect picture = box.boxRect(box);
    EXPECT_EQ(picture, QRect(0, 3, 14, 14));
    const QImage onPicture = skin::load("/VEditSource/btn_check_on.png").toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(on.copy(picture), onPicture);
    EXPECT_NE(off.copy(picture), on.copy(picture));
}

TEST(ImageWidget, FixedOrResizableAndDraggable)
{
    QImageWidget panel;
    ASSERT_TRUE(panel.setImage("/pic/bg_msg.png", false));
    EXPECT_EQ(panel.minimumSize(), QSize(180, 180));
    EXPECT_EQ(panel.maximumSize(), QSize(180, 180));
    ASSERT_TRUE(panel.setImage("/pic/bg_msg.png", true));
    panel.resize(300, 50);
    EXPECT_EQ(panel.size(), QSize(300, 50));

    QImageWidget filled;
    filled.setFillColor(QColor(62, 62, 62));
    filled.resize(10, 10);
    EXPECT_EQ(render(filled).pixelColor(5, 5), QColor(62, 62, 62));

    QWidget host;
    host.resize(400, 300);
    QImageWidget chip(&host);
    chip.resize(40, 40);
    chip.move(10, 10);
    host.show();
    press(&chip, QPoint(5, 5));
    dragTo(&chip, chip.mapToGlobal(QPoint(5, 5)) + QPoint(50, 20));
    EXPECT_EQ(chip.pos(), QPoint(10, 10)); // not draggable
    release(&chip, chip.mapToGlobal(QPoint(5, 5)));
    chip.setDraggable(true);
    press(&chip, QPoint(5, 5));
    dragTo(&chip, chip.mapToGlobal(QPoint(5, 5)) + QPoint(50, 20));
    EXPECT_EQ(chip.pos(), QPoint(60, 30));
    release(&chip, chip.mapToGlobal(QPoint(5, 5)));
}
