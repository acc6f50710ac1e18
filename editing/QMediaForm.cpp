#include "QMediaForm.h"

#include "QAudioDataWidget.h"
#include "QMediaBorderFrame.h"
#include "QMediaDashedFrame.h"
#include "QMediaElementWindow.h"
#include "VoPlayerManager.h"

namespace {

enum Tab { Trim = 0, Adjust = 1, Watermark = 3, Audio = 5, Tag = 6 };

} // namespace

QMediaForm::QMediaForm(QWidget *parent) : QWidget(parent)
{
    m_level = new QAudioDataWidget(this);
    m_level->setFixedSize(395, 235);
    m_level->hide();
    m_sourcePane = new QMediaElementWindow(this);
    m_sourcePane->setObjectName("m_sourcePane");
    m_editedPane = new QMediaElementWindow(this);
    m_editedPane->setObjectName("m_editedPane");
    m_cropFrame = new QMediaBorderFrame(1, this);
    m_cropFrame->setObjectName("m_cropFrame");
    m_watermarkFrame = new QMediaBorderFrame(2, this);
    m_watermarkFrame->setObjectName("m_watermarkFrame");
    m_watermarkFrame->rectangle(0)->setMovable(true);
    connect(m_sourcePane, &QMediaElementWindow::emitVideoElementSizeChange, this,
            &QMediaForm::originalVideoElementSizeChange);
    connect(m_editedPane, &QMediaElementWindow::emitVideoElementSizeChange, this,
            &QMediaForm::previewVideoElementSizeChange);
    relayout();
}

void QMediaForm::attachPlayer(VoPlayerManager *player)
{
    m_player = player;
    if (!player)
        return;
    connect(player, &VoPlayerManager::emitIsHaveVideo, this, &QMediaForm::isHaveVideo);
    connect(player, &VoPlayerManager::emitAudioData, this, &QMediaForm::audioData);
    connect(player, &VoPlayerManager::emitPlayerChange, this, &QMediaForm::playerChange);
    connect(player, &VoPlayerManager::emitCropAreaChange, this, &QMediaForm::CropAreaChange);
    connect(player, &VoPlayerManager::emitCropSet, this, &QMediaForm::CropAreaChange);
    connect(player, &VoPlayerManager::emitWatermarkRectChange, this, &QMediaForm::watermarkRectChange);
    connect(m_cropFrame, SIGNAL(emitMouseMoveEvent(QMouseEvent *)), player, SLOT(mouseMoveEvent(QMouseEvent *)));
    connect(m_cropFrame, SIGNAL(emitMousePressEvent(QMouseEvent *)), player, SLOT(mousePressEvent(QMouseEvent *)));
    connect(m_cropFrame, SIGNAL(emitMouseReleaseEvent(QMouseEvent *)), player,
            SLOT(mouseReleaseEvent(QMouseEvent *)));
    connect(m_watermarkFrame, SIGNAL(emitMouseMoveEvent(QMouseEvent *)), player,
            SLOT(mouseWatermarkMoveEvent(QMouseEvent *)));
    connect(m_watermarkFrame, SIGNAL(emitMousePressEvent(QMouseEvent *)), player,
            SLOT(mouseWatermarkPressEvent(QMouseEvent *)));
    connect(m_watermarkFrame, SIGNAL(emitMouseReleaseEvent(QMouseEvent *)), player,
            SLOT(mouseWatermarkReleaseEvent(QMouseEvent *)));
    player->setVideoWindow(m_editedPane);
    player->setElementWindow(m_sourcePane);
}

void QMediaForm::setMode(int mode)
{
    m_mode = mode;
    relayout();
}

void QMediaForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void QMediaForm::relayout()
{
    const int W = width();
    const int H = height();
    const bool levelShown = !m_hasVideo && (m_mode == Trim || m_mode == Audio);
    m_level->setVisible(levelShown);
    m_level->move((W - m_level->width()) / 2, (H - m_level->height()) / 2);
    const bool panes = m_hasVideo && m_mode != Tag;
    if (m_mode == Trim) {
        m_sourcePane->hide();
        m_editedPane->setGeometry(6, 6, W - 12, H - 12);
    } else {
        const int half = (W - 18) / 2;
        m_sourcePane->setGeometry(6, 6, half, H - 12);
        m_editedPane->setGeometry(half + 12, 6, half, H - 12);
        m_sourcePane->setVisible(panes);
    }
    m_editedPane->setVisible(panes);
    m_cropFrame->setGeometry(m_sourcePane->geometry());
    m_cropFrame->setVisible(panes && m_mode == Adjust);
    m_cropFrame->raise();
    m_watermarkFrame->setGeometry(m_editedPane->geometry());
    m_watermarkFrame->setVisible(panes && m_mode == Watermark);
    m_watermarkFrame->raise();
    if (m_player) {
        CropAreaChange(m_player->crop());
        watermarkRectChange(m_player->overlay(0), 0);
    }
}

void QMediaForm::isHaveVideo(bool flag)
{
    m_hasVideo = flag;
    relayout();
}

void QMediaForm::audioData(unsigned char *data, int sps)
{
    m_level->setAudioData(data, sps);
}

void QMediaForm::playerChange()
{
    relayout();
}

void QMediaForm::CropAreaChange(VECropSettings crop)
{
    const QRect area = m_sourcePane->pictureRect();
    const VERect &r = crop.liveRect();
    const int Wp = area.width();
    const int Hp = area.height();
    QMediaDashedFrame *frame = m_cropFrame->rectangle(0);
    frame->setGeometry(int(area.left() + Wp * r.x + 0.5), int(area.top() + Hp * r.y + 0.5), int(Wp * r.width + 0.5),
                       int(Hp * r.height + 0.5));
    frame->show();
}

void QMediaForm::originalVideoElementSizeChange(QRect)
{
    if (m_player)
        CropAreaChange(m_player->crop());
}

void QMediaForm::previewVideoElementSizeChange(QRect)
{
    if (m_player)
        watermarkRectChange(m_player->overlay(0), 0);
}

void QMediaForm::watermarkRectChange(VEWatermarkSettings o, int index)
{
    if (index != 0)
        return;
    const QRect area = m_editedPane->pictureRect();
    const int Wp = area.width();
    const int Hp = area.height();
    QMediaDashedFrame *text = m_watermarkFrame->rectangle(0);
    text->setVisible(!o.text.empty());
    text->setGeometry(int(Wp * o.textX + area.left() + 0.5), int(Hp * o.textY + area.top() + 0.5),
                      int(Wp * o.textWidth + 2), int(Hp * o.textHeight + 2));
    QMediaDashedFrame *image = m_watermarkFrame->rectangle(1);
    image->setVisible(!o.imagePath.empty());
    image->setGeometry(int(Wp * o.imageX + area.left() + 0.5), int(Hp * o.imageY + area.top() + 0.5),
                       int(Wp * o.imageWidth + 2), int(Hp * o.imageHeight + 2));
}
