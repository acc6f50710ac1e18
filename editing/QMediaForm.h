#pragma once
// The preview area of the editing dialog: the unedited source pane and the
// edited pane (laid out by the selected tab), the crop and watermark
// rectangles over them, and the level display of files without video.
#include "VEEditConfig.h"

#include <QPointer>
#include <QRect>
#include <QWidget>

class QAudioDataWidget;
class QMediaBorderFrame;
class QMediaElementWindow;
class VoPlayerManager;

class QMediaForm : public QWidget {
    Q_OBJECT
public:
    explicit QMediaForm(QWidget *parent = nullptr);
    void attachPlayer(VoPlayerManager *player);
    // The tab index decides which panes and frames show.
    void setMode(int mode);
    int mode() const { return m_mode; }
    bool hasVideo() const { return m_hasVideo; }
    QMediaElementWindow *sourcePane() const { return m_sourcePane; }
    QMediaElementWindow *editedPane() const { return m_editedPane; }
    QMediaBorderFrame *cropFrame() const { return m_cropFrame; }
    QMediaBorderFrame *watermarkFrame() const { return m_watermarkFrame; }
    QAudioDataWidget *levelDisplay() const { return m_level; }

public slots:
    void isHaveVideo(bool flag);
    void audioData(unsigned char *data, int sps);
    void playerChange();
    void CropAreaChange(VECropSettings cropSettings);
    void originalVideoElementSizeChange(QRect rect);
    void previewVideoElementSizeChange(QRect rect);
    void watermarkRectChange(VEWatermarkSettings watermarkSettings, int index);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void relayout();

    QAudioDataWidget *m_level = nullptr;
    QMediaElementWindow *m_sourcePane = nullptr;
    QMediaElementWindow *m_editedPane = nullptr;
    QMediaBorderFrame *m_cropFrame = nullptr;
    QMediaBorderFrame *m_watermarkFrame = nullptr;
    bool m_hasVideo = true;
    QPointer<VoPlayerManager> m_player;
    int m_mode = 0;
};
