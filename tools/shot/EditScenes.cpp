#include "EditScenes.h"

#include "QCaptureSettingDlg.h"
#include "QMediaBorderFrame.h"
#include "QSubtitleOperationForm.h"
#include "QSubtitleSettingDlg.h"
#include "QVoComboBox.h"
#include "QMediaForm.h"
#include "QMediaElementWindow.h"
#include "QVideoEditTag.h"
#include "QVideoEditingDlg.h"
#include "QVideoEditingSettings.h"
#include "QTextImageButton.h"
#include "VoPlayerManager.h"
#include "VoVideoConvertItem.h"

#include <QApplication>
#include <QFile>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTest>

namespace editscenes {

namespace {

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

QVideoEditingDlg *loaded(const QString &mediaPath)
{
    auto *dlg = new QVideoEditingDlg;
    dlg->setMediaSource(mediaPath, 0, 0);
    dlg->setBoundToTrim(true);
    dlg->show();
    QElapsedTimer t;
    t.start();
    while (!dlg->isLoaded() && t.elapsed() < 15000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    settle(1200); // a moment of playback, then a still picture
    if (dlg->player())
        dlg->player()->onPause();
    return dlg;
}

} // namespace

QWidget *editDialog(const QString &mediaPath, int tab)
{
    QVideoEditingDlg *dlg = loaded(mediaPath);
    if (tab == 1) {
        VECropSettings crop;
        crop.cropRect = VERect{0.12, 0.1, 0.7, 0.8};
        crop.panRect = crop.cropRect;
        crop.aspectMode = 3;
        crop.aspectNum = 16;
        crop.aspectDen = 9;
        dlg->settings()->setCrop(crop);
    } else if (tab == 2) {
        VEPictureAdjust picture;
        picture.saturation = 170;
        picture.contrast = 120;
        dlg->settings()->setPicture(picture);
    } else if (tab == 3) {
        VEWatermarkSettings w;
        w.text = "Snipwell";
        w.textX = 0.06;
        w.textY = 0.08;
        w.fontSize = 36;
        const QString picture = QFileInfo(mediaPath).dir().filePath("wm_alpha.png");
        if (QFileInfo::exists(picture)) {
            w.imagePath = picture.toStdString();
            w.imageX = 0.62;
            w.imageY = 0.6;
        }
        dlg->settings()->setWatermark(w, 1, true);
        dlg->player()->setWatermarkContent(w, 0, true);
    } else if (tab == 5) {
        // The segment manager hands the dialog the item's tracks.
        VoVideoConvertItem item;
        if (item.open(mediaPath))
            dlg->settings()->setAudioTracks(item.m_editConfig.audioTracks);
        VEAudioSettings audio = dlg->settings()->audio();
        const QString background = QFileInfo(mediaPath).dir().filePath("bg_tone.wav");
        if (QFileInfo::exists(background))
            audio.backgroundPath = background.toStdString();
        audio.volume = 80;
        audio.weight = 35;
        dlg->settings()->setAudio(audio, true);
        VESoundEffect effect = dlg->settings()->soundEffect();
        effect.volume = 80;
        effect.fadeIn = 1500000;
        dlg->settings()->setSoundEffect(effect);
    } else if (tab == 6) {
        VEAudioTagInfo tags = dlg->settings()->tags();
        tags.title = "Harbour Lights";
        tags.artist = "The Night Ferry";
        tags.album = "Tide Tables";
        tags.genre = "Electronic";
        tags.track = "3/12";
        tags.year = "2021";
        tags.comment = "Recorded live on the quay.";
        QFile cover(QFileInfo(mediaPath).dir().filePath("cover.png"));
        if (cover.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = cover.readAll();
            tags.coverData.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
            tags.coverSize = bytes.size();
        }
        dlg->settings()->setTags(tags);
    }
    QTest::mouseClick(dlg->tabBar()->button(tab), Qt::LeftButton);
    if (tab == 4) {
        // A subtitle file beside the fixtures, burned in, at the top.
        const QString subtitle = QFileInfo(mediaPath).dir().filePath("subs.srt");
        if (QFileInfo::exists(subtitle))
            dlg->subtitleForm()->addSubtitleFile(subtitle);
    }
    settle(300);
    return dlg;
}

QWidget *snapshotSettings()
{
    auto *dlg = new QCaptureSettingDlg;
    dlg->formatCombo()->setCurrentIndex(1);
    dlg->show();
    settle(200);
    return dlg;
}

QWidget *fontDialog()
{
    // The holder outlives the scene's window: it is the window's child.
    auto *dlg = new QSubtitleSettingDlg;
    auto *settings = new QVideoEditingSettings(dlg);
    VESubtitleStyle style;
    style.fontColor = 0xffffd040u;
    style.outlineColor = 0xff202060u;
    style.outlineSize = 2.0;
    style.spacingH = 0.05;
    style.spacingV = 0.05;
    settings->setSubtitleStyle(style);
    dlg->setSettings(settings);
    dlg->show();
    settle(200);
    return dlg;
}

QWidget *cropDrag(const QString &mediaPath)
{
    QVideoEditingDlg *dlg = loaded(mediaPath);
    QTest::mouseClick(dlg->tabBar()->button(1), Qt::LeftButton);
    settle(200);
    QMediaBorderFrame *frame = dlg->mediaForm()->cropFrame();
    const QRect area = dlg->mediaForm()->sourcePane()->pictureRect();
    // Press on the top-left corner and drag it inwards, button still held.
    const QPoint from = area.topLeft();
    const QPoint to = area.topLeft() + QPoint(area.width() / 4, area.height() / 5);
    QTest::mousePress(frame, Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= 8; ++i) {
        QMouseEvent move(QEvent::MouseMove, from + (to - from) * i / 8, Qt::LeftButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(frame, &move);
    }
    settle(300);
    return dlg;
}

} // namespace editscenes
