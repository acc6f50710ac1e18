// The sound's outline under the Simple Mode strip, read from a real file
// with silences at known times (detect.mp4: tone, silence 2-3.5 s, tone,
// silence 6-6.5 s, tone, silence 9-12 s) and drawn into the timeline.
#include "ParserXML.h"
#include "QSimpleTimeLine.h"
#include "QTimeContainer.h"
#include "QVideoCutManageDlg.h"
#include "TestSupport.h"
#include "VoDetector.h"
#include "VoVideoConvertItem.h"
#include "VoVideoConvertManager.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class WaveformTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VoVideoConvertManager::instance()->clear();
        ParserXML::writeItemValue("LISTMODEL_ITEM", "ListModel_Line", "Y");
        panel.reset(new QVideoCutManageDlg);
        panel->resize(900, 50);
        panel->show();
        panel->OnBtnShowList();
        panel->resize(900, 245);
    }
    void TearDown() override
    {
        panel.reset();
        VoVideoConvertManager::instance()->clear();
    }

    // Drawn pixels of the outline's colour in column x of the band.
    static int outlinePixels(const QImage &image, int x, int top)
    {
        int n = 0;
        for (int y = top; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 200 && c.red() < 150)
                ++n;
        }
        return n;
    }

    std::unique_ptr<QVideoCutManageDlg> panel;
};

} // namespace

// Columns in the silences show the middle line only, columns in the tone a
// tall outline; the outline is kept for the file afterwards.
TEST_F(WaveformTest, OutlineShowsTheSilencesWhereTheyAre)
{
    VoVideoConvertItem source;
    const QString path = testsupport::fixture("detect.mp4");
    ASSERT_TRUE(source.open(path));
    panel->setLineBgImage(&source);
    QSimpleTimeLine *line = panel->timeLine();
    QTRY_VERIFY_WITH_TIMEOUT(line->waveformSettled(), 10000);
    QTimeContainer *area = line->container();
    ASSERT_TRUE(area->hasWaveform());
    ASSERT_GT(area->height(), 140);
    const QImage image = area->grab().toImage();
    const int W = image.width();
    const int top = 124;
    auto column = [&](double seconds) { return int(seconds / 12.0 * W); };
    for (double t : {2.5, 2.75, 3.2, 9.5, 10.5, 11.5})
        EXPECT_LE(outlinePixels(image, column(t), top), 1) << "silence at " << t << " s";
    for (double t : {0.5, 1.5, 4.0, 5.5, 7.0, 8.5})
        EXPECT_GE(outlinePixels(image, column(t), top), (image.height() - top) / 2) << "tone at " << t << " s";
    EXPECT_TRUE(VoDetector::hasCachedWaveform(path));
}

// A file without sound settles with no outline and the strip where it was.
TEST_F(WaveformTest, FileWithoutSoundHasNoOutline)
{
    VoVideoConvertItem source;
    ASSERT_TRUE(source.open(testsupport::fixture("still_10min.mp4")));
    panel->setLineBgImage(&source);
    QTRY_VERIFY_WITH_TIMEOUT(panel->timeLine()->waveformSettled(), 10000);
    EXPECT_FALSE(panel->timeLine()->container()->hasWaveform());
}

// Closing the panel while the outline is still being read: the timeline's
// worker is waited for without running the interface's queued events, which
// could otherwise reach the panel's widgets while they are being deleted.
TEST_F(WaveformTest, ClosingWhileTheOutlineIsReadRunsNoQueuedEventOnTheWay)
{
    VoVideoConvertItem source;
    ASSERT_TRUE(source.open(testsupport::fixture("long_h264_aac.mp4")));
    panel->setLineBgImage(&source);
    QObject receiver;
    bool delivered = false;
    QMetaObject::invokeMethod(&receiver, [&] { delivered = true; }, Qt::QueuedConnection);
    panel.reset();
    EXPECT_FALSE(delivered);
    QCoreApplication::processEvents();
    EXPECT_TRUE(delivered);
}
