#pragma once
// The surface the player's pictures appear on. The player's present thread
// hands each picture to the sink; the widget keeps only the newest (an
// older one not yet painted is dropped, so the player never waits on the
// interface) and Qt paints it, fitted to the widget.
#include "MediaTypes.h"

#include <QImage>
#include <QWidget>
#include <memory>

class QVoVideoShowWidget : public QWidget {
    Q_OBJECT
public:
    explicit QVoVideoShowWidget(QWidget *parent = nullptr);
    ~QVoVideoShowWidget() override;

    // Makes this widget the player's video window; 0 detaches. Detaching
    // (also on destruction) returns only after a delivery in progress ends.
    void attach(MediaHandle player);
    MediaHandle attachedPlayer() const { return m_player; }
    // The same as the player's element window (the unedited picture of the
    // editing preview); detached likewise.
    void attachElement(MediaHandle player);
    // Fit the picture inside the widget with its own proportions (bars of
    // the background colour) instead of stretching it.
    void setKeepAspect(bool keep);
    // Tells the attached player the size the pictures are shown at (this
    // widget's, in device pixels), now and on every resize, so that it
    // converts, and while playing decodes, no more than is shown. Off by
    // default: the pictures come at their full size.
    void setShownSizeFollows(bool on);
    // Where the picture is drawn, in widget pixels; the whole widget before
    // the first picture or when stretching.
    QRect pictureRect() const;

    // Copy of the newest picture (null before the first).
    QImage currentImage() const;
    // Pictures delivered and pictures painted so far.
    int deliveredCount() const;
    void clearImage();

signals:
    void emitDrawImageData();
    void emitDrawYUVImageData();

protected slots:
    void drawImageData();
    void drawYUVImageData();

private slots:
    void pictureArrived();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void tellShownSize();

    struct Private;
    std::unique_ptr<Private> d;
    MediaHandle m_player = 0;
    MediaHandle m_elementPlayer = 0;
    bool m_keepAspect = false;
    bool m_shownSizeFollows = false;
};
