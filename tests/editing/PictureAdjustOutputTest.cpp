// Brightness, contrast, saturation and hue typed into the Effect tab reach
// the converted file as the values the tab shows: the output's picture is
// judged against the ffmpeg CLI's own eq/hue rendering of the same source
// frame. The preview shares the mapping with the output, so comparing the
// two could never see a wrong value handed to the engine; this can.
#include "PreviewComparison.h"
#include "QEffectOperationForm.h"
#include "QTextImageButton.h"
#include "QVideoEditTag.h"
#include "QVideoEditingDlg.h"
#include "QVoBaseButton.h"
#include "VoPlayerManager.h"
#include "TestSupport.h"

#include <QImage>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>

using testsupport::fixture;

namespace {

constexpr int kEffectTab = 2;
constexpr double kFrameTime = 1.6;

struct Means {
    std::array<double, 3> rgb{{0, 0, 0}};
};

Means meansOf(const QString &png)
{
    const QImage image = QImage(png).convertToFormat(QImage::Format_RGB32);
    Means m;
    if (image.isNull())
        return m;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            m.rgb[0] += qRed(line[x]);
            m.rgb[1] += qGreen(line[x]);
            m.rgb[2] += qBlue(line[x]);
        }
    }
    for (double &c : m.rgb)
        c /= double(image.width()) * image.height();
    return m;
}

// Replaces the edit's number: the first key typed replaces the selection.
// (Emptying the edit first would leave the "0" it then shows in front.)
void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// The four edits of the tab, typed as a user types them; OK; the result.
VEEditConfig editedThroughTheTab(int brightness, int contrast, int saturation, int hue)
{
    QVideoEditingDlg dlg;
    dlg.setMediaSource(fixture("h264_aac.mp4"), 0, 0);
    dlg.setInitialConfig(VEEditConfig());
    dlg.setBoundToTrim(true);
    dlg.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.isLoaded(); }, 10000));
    dlg.player()->onPause();
    QTest::mouseClick(dlg.tabBar()->button(kEffectTab), Qt::LeftButton);
    auto *form = qobject_cast<QEffectOperationForm *>(dlg.tabForm(kEffectTab));
    EXPECT_TRUE(form && form->isVisible());
    if (!form)
        return VEEditConfig();
    typeInto(form->brightnessEdit(), QString::number(brightness));
    typeInto(form->contrastEdit(), QString::number(contrast));
    typeInto(form->saturationEdit(), QString::number(saturation));
    typeInto(form->hueEdit(), QString::number(hue));
    EXPECT_EQ(form->brightnessEdit()->text(), QString::number(brightness));
    EXPECT_EQ(form->contrastEdit()->text(), QString::number(contrast));
    EXPECT_EQ(form->saturationEdit()->text(), QString::number(saturation));
    EXPECT_EQ(form->hueEdit()->text(), QString::number(hue));
    QTest::mouseClick(dlg.okButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    return dlg.editConfig();
}

class PictureAdjustOutputTest : public previewcompare::PreviewComparison {
protected:
    // The converted file's frame against ffmpeg's rendering of the source
    // frame with filter; prints and returns the largest channel mean
    // difference, checks that the picture agrees and that the edit shows.
    void expectOutputLike(const VEEditConfig &edits, const QString &filter, const QString &tag)
    {
        const QString src = fixture("h264_aac.mp4");
        const QString out = m_dir.filePath(tag + ".mp4");
        ASSERT_TRUE(previewcompare::encode(src, out, edits));
        const QString written = m_dir.filePath(tag + "_output.png");
        ASSERT_TRUE(previewcompare::outputFrame(out, kFrameTime, written));
        const QString reference = m_dir.filePath(tag + "_reference.png");
        const auto r = testsupport::runProcess("ffmpeg", {"-nostdin", "-v", "error", "-y", "-ss",
                                                          QString::number(kFrameTime, 'f', 3), "-i", src, "-vf",
                                                          filter, "-frames:v", "1", reference});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QString unedited = m_dir.filePath(tag + "_source.png");
        ASSERT_TRUE(previewcompare::outputFrame(src, kFrameTime, unedited));

        const Means got = meansOf(written), want = meansOf(reference), before = meansOf(unedited);
        double worst = 0, shown = 0;
        for (int c = 0; c < 3; ++c) {
            worst = std::max(worst, std::abs(got.rgb[c] - want.rgb[c]));
            shown = std::max(shown, std::abs(want.rgb[c] - before.rgb[c]));
        }
        const double psnr = previewcompare::psnr(written, reference);
        const double editPsnr = previewcompare::psnr(reference, unedited);
        std::printf("%s (%s): channel means off by %.2f, PSNR %.1f dB, edit moves a mean by %.1f (%.1f dB)\n",
                    qPrintable(tag), qPrintable(filter), worst, psnr, shown, editPsnr);
        // The encoder keeps means within a few hundredths; one step of the
        // eq filter's brightness moves them by more than 1.
        EXPECT_LT(worst, 0.5) << tag.toStdString();
        EXPECT_GE(psnr, 38.0) << tag.toStdString();
        // The edit itself shows: the unedited picture is far further from the
        // reference than the output is (saturation and hue keep the means
        // close, so the pictures are compared).
        EXPECT_GT(psnr - editPsnr, 20.0) << tag.toStdString();
    }
};

} // namespace

TEST_F(PictureAdjustOutputTest, EachSliderValueIsWrittenAsTheReferenceFilterRendersIt)
{
    // The engine's brightness of −254..254 is eq's −0.5..0.5; eq itself
    // works in steps of 0.01 (about 5 of ours), so the brightness values are
    // taken just below a step: an offset of a few units crosses it and
    // shows. 130 gives 76 (eq 0.1496), 60 gives −102 (eq −0.2008).
    expectOutputLike(editedThroughTheTab(130, 100, 100, 100), "eq=brightness=0.1496", "brightness_up");
    expectOutputLike(editedThroughTheTab(60, 100, 100, 100), "eq=brightness=-0.2008", "brightness_down");
    // Contrast 150 stores 200 (twice the source's), 70 stores 70.
    expectOutputLike(editedThroughTheTab(100, 150, 100, 100), "eq=contrast=2.0", "contrast_up");
    expectOutputLike(editedThroughTheTab(100, 70, 100, 100), "eq=contrast=0.7", "contrast_down");
    // Saturation is the percentage itself.
    expectOutputLike(editedThroughTheTab(100, 100, 160, 100), "eq=saturation=1.6", "saturation");
    // Hue 150 turns by 90 degrees, 40 by −108.
    expectOutputLike(editedThroughTheTab(100, 100, 100, 150), "hue=h=90", "hue_up");
    expectOutputLike(editedThroughTheTab(100, 100, 100, 40), "hue=h=-108", "hue_down");
    // All four at once: eq first, then the turn of hue.
    expectOutputLike(editedThroughTheTab(130, 120, 140, 120),
                     "eq=brightness=0.1496:contrast=1.4:saturation=1.4,hue=h=36", "all");
}
