#include "CutScenes.h"

#include "QSimpleTimeLine.h"
#include "QVideoCutDlg.h"
#include "VoGrabberClass.h"
#include "VoVideoConvertItem.h"
#include "orlcodec.h"

#include "OutputFormatParams.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>

namespace cutscenes {

QWidget *cutTool(const QString &mediaPath, bool converting)
{
    auto *dlg = new QVideoCutDlg;
    dlg->resize(900, 110);
    auto *item = new VoVideoConvertItem(dlg);
    if (!mediaPath.isEmpty() && item->open(mediaPath)) {
        item->m_TrimStartTime = item->m_duration / 4;
        item->m_TrimEndTime = item->m_duration * 3 / 4;
        dlg->setItem(item);
        dlg->setControlsEnabled(true);
        dlg->videoPlayPro(45);
    }
    dlg->setConverting(converting);
    // Nothing typed yet: no edit should show a focus selection.
    dlg->setFocusPolicy(Qt::StrongFocus);
    dlg->setFocus();
    return dlg;
}

QWidget *keyFramesCutTool(const QString &mediaPath)
{
    // High-Speed without frame-exact cuts, a start between key frames: the
    // ticks on the slider and the hint where the output really starts.
    OutputFormatParams &params = OutputFormatParams::instance();
    params.lossless = true;
    params.frameExactCut = false;
    auto *dlg = new QVideoCutDlg;
    dlg->resize(900, 110);
    auto *item = new VoVideoConvertItem(dlg);
    if (!mediaPath.isEmpty() && item->open(mediaPath)) {
        item->m_TrimStartTime = 5000000;
        item->m_TrimEndTime = 15600000;
        dlg->setItem(item);
        dlg->setControlsEnabled(true);
        dlg->videoPlayPro(30);
        // The key frames arrive from a background search.
        QElapsedTimer waited;
        waited.start();
        while (dlg->keyFrames().isEmpty() && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    dlg->setFocusPolicy(Qt::StrongFocus);
    dlg->setFocus();
    return dlg;
}

namespace {

// Key-frame pictures at ten even steps, as the segment manager's worker
// delivers them.
void fillStrip(QSimpleTimeLine *line, const QString &path)
{
    VoGrabberClass g;
    if (!g.open(path))
        return;
    for (int i = 0; i < 10; ++i) {
        const QImage image = g.grabImage(g.duration() * uint64_t(i) / 10, g.width(), g.height(),
                                         ORL_PICTURE_JPEG | ORL_PICTURE_KEY_FRAME);
        if (!image.isNull())
            line->addThumbnail(image.scaledToHeight(120, Qt::SmoothTransformation));
    }
}

} // namespace

QWidget *timeline(const QString &mediaPath)
{
    auto *line = new QSimpleTimeLine;
    line->resize(760, 200);
    line->setPlayHeadImage(QStringLiteral("/image/CutListDlg/btn_silder_proess.png"), 4);
    VoVideoConvertItem item;
    if (!mediaPath.isEmpty() && item.open(mediaPath))
        line->setTime(item.m_duration);
    line->prepareThumbnails(10);
    fillStrip(line, mediaPath);
    const float ranges[][2] = {{0.04f, 0.28f}, {0.36f, 0.62f}, {0.71f, 0.93f}};
    for (const auto &r : ranges)
        line->addTrimTime(TimeItemInfo{r[0], r[1], r[1] - r[0], 0, 0});
    line->selectIndex(1);
    line->setProgressValue(0.47);
    return line;
}

} // namespace cutscenes
