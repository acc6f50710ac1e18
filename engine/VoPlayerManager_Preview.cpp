// The preview player's rectangles: the crop rectangle dragged over the
// unedited picture and the watermark boxes dragged over the edited one.
#include "PreviewGeometry.h"
#include "VoPlayerManager.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImageReader>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

using namespace previewgeometry;

namespace {

QRect inclusiveArea(const QVoVideoShowWidget *w)
{
    return w ? w->pictureRect() : QRect();
}

void setCursorOn(QObject *sender, int zone)
{
    if (auto *w = qobject_cast<QWidget *>(sender))
        w->setCursor(cursorFor(zone));
}

// Text sizes are points on a picture 480 high, as the encoder lays them out.
constexpr double kReferenceHeight = 480.0;

} // namespace

QSize VoPlayerManager::editedSize() const
{
    if (m_videoWindow) {
        const QImage image = m_videoWindow->currentImage();
        if (!image.isNull())
            return image.size();
    }
    return displaySize();
}

QSizeF VoPlayerManager::measuredTextSize(const VEWatermarkSettings &o) const
{
    const QSize frame = editedSize();
    if (o.text.empty() || frame.isEmpty())
        return QSizeF(0, 0);
    QFont font(o.fontName.empty() ? QStringLiteral("Sans") : QString::fromStdString(o.fontName));
    const double scale = frame.height() / kReferenceHeight;
    font.setPixelSize(std::max(6, static_cast<int>(std::lround(o.fontSize * scale))));
    font.setBold(o.bold != 0);
    font.setItalic(o.italic != 0);
    const QFontMetricsF metrics(font);
    double width = 0;
    const QStringList lines = QString::fromStdString(o.text).split('\n');
    for (const QString &line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const double height = metrics.height() * lines.size();
    const double w = width * std::max(1, o.textScaleX) / 100.0 / frame.width();
    const double h = height * std::max(1, o.textScaleY) / 100.0 / frame.height();
    return QSizeF(std::min(1.0, w), std::min(1.0, h));
}

QSizeF VoPlayerManager::measuredImageSize(const VEWatermarkSettings &o) const
{
    const QSize frame = editedSize();
    if (o.imagePath.empty() || frame.isEmpty())
        return QSizeF(0, 0);
    const QSize picture = QImageReader(QString::fromStdString(o.imagePath)).size();
    if (picture.isEmpty())
        return QSizeF(0, 0);
    // As the encoder scales it: its own size times its scale, never beyond the frame.
    const double w = std::min<double>(picture.width() * std::max(1, o.imageScaleX) / 100.0, frame.width());
    const double h = std::min<double>(picture.height() * std::max(1, o.imageScaleY) / 100.0, frame.height());
    return QSizeF(w / frame.width(), h / frame.height());
}

void VoPlayerManager::readBack(VEWatermarkSettings &o, bool positionsToo) const
{
    const QSizeF text = measuredTextSize(o);
    o.textWidth = text.width();
    o.textHeight = text.height();
    const QSizeF image = measuredImageSize(o);
    o.imageWidth = image.width();
    o.imageHeight = image.height();
    if (positionsToo && !o.imagePath.empty()) {
        o.imageX = std::clamp(o.imageX, 0.0, std::max(0.0, 1.0 - o.imageWidth));
        o.imageY = std::clamp(o.imageY, 0.0, std::max(0.0, 1.0 - o.imageHeight));
    }
}

void VoPlayerManager::setWatermarkContent(const VEWatermarkSettings &overlay, int index, bool readBackFlag)
{
    VEWatermarkSettings o = overlay;
    m_currentOverlay = index;
    setOverlay(index, o);
    if (readBackFlag) {
        readBack(o, true);
        if (index == 0)
            m_edits.watermark = o;
        emit emitWatermarkRectChange(o, index);
    }
}

void VoPlayerManager::setWatermarkProperties(const VEWatermarkSettings &overlay, int index, bool readBackFlag)
{
    setWatermarkContent(overlay, index, readBackFlag);
}

QRect VoPlayerManager::cropArea() const
{
    return inclusiveArea(m_elementWindow);
}

QRect VoPlayerManager::watermarkArea() const
{
    return inclusiveArea(m_videoWindow);
}

// ---------------------------------------------------------------- crop ---

void VoPlayerManager::mousePressEvent(QMouseEvent *event)
{
    const VERect &r = m_edits.crop.liveRect();
    m_cropZone = hitZone(cropArea(), r.x, r.y, r.width, r.height, event->pos());
    m_cropPress = event->pos();
    m_cropSaved = r;
}

void VoPlayerManager::mouseMoveEvent(QMouseEvent *event)
{
    if (m_cropZone == None) {
        const VERect &r = m_edits.crop.liveRect();
        setCursorOn(sender(), hitZone(cropArea(), r.x, r.y, r.width, r.height, event->pos()));
        return;
    }
    const VERect moved = dragCrop(m_cropZone, m_cropPress, event->pos(), m_cropSaved, cropArea(), m_edits.crop);
    VECropSettings crop = m_edits.crop;
    storeCrop(crop, moved, sourceSize());
    emit emitCropAreaChange(crop);
    setCrop(crop);
}

void VoPlayerManager::mouseReleaseEvent(QMouseEvent *)
{
    m_cropZone = None;
}

// ----------------------------------------------------------- watermark ---

int VoPlayerManager::boxZoneAt(int box, const QPoint &p) const
{
    const VEWatermarkSettings &o = m_edits.watermark;
    if (box == 0) {
        if (!o.textEnabled || o.text.empty())
            return None;
        const QSizeF s = measuredTextSize(o);
        return hitZone(watermarkArea(), o.textX, o.textY, s.width(), s.height(), p);
    }
    if (!o.imageEnabled || o.imagePath.empty())
        return None;
    const QSizeF s = measuredImageSize(o);
    return hitZone(watermarkArea(), o.imageX, o.imageY, s.width(), s.height(), p);
}

void VoPlayerManager::mouseWatermarkPressEvent(QMouseEvent *event)
{
    VEWatermarkSettings &o = m_edits.watermark;
    const int first = o.textOnTop ? 0 : 1;
    for (int box : {first, 1 - first}) {
        const int zone = boxZoneAt(box, event->pos());
        if (zone == None)
            continue;
        m_boxZone[box] = zone;
        m_boxZone[1 - box] = None;
        o.textOnTop = box == 0 ? 1 : 0;
        m_boxPress = event->pos();
        const QSizeF s = box == 0 ? measuredTextSize(o) : measuredImageSize(o);
        m_boxSaved[0] = box == 0 ? o.textX : o.imageX;
        m_boxSaved[1] = box == 0 ? o.textY : o.imageY;
        m_boxSaved[2] = s.width();
        m_boxSaved[3] = s.height();
        m_boxSavedScale[0] = box == 0 ? o.textScaleX : o.imageScaleX;
        m_boxSavedScale[1] = box == 0 ? o.textScaleY : o.imageScaleY;
        return;
    }
}

void VoPlayerManager::mouseWatermarkMoveEvent(QMouseEvent *event)
{
    if (m_currentOverlay != 0)
        m_currentOverlay = 0;
    const int box = m_boxZone[0] != None ? 0 : (m_boxZone[1] != None ? 1 : -1);
    if (box < 0) {
        setCursorOn(sender(), Qt::ArrowCursor);
        const int first = m_edits.watermark.textOnTop ? 0 : 1;
        for (int b : {first, 1 - first}) {
            const int zone = boxZoneAt(b, event->pos());
            if (zone != None) {
                setCursorOn(sender(), zone);
                break;
            }
        }
        return;
    }
    Box saved;
    saved.x = m_boxSaved[0];
    saved.y = m_boxSaved[1];
    saved.w = m_boxSaved[2];
    saved.h = m_boxSaved[3];
    saved.scaleX = m_boxSavedScale[0];
    saved.scaleY = m_boxSavedScale[1];
    const Box n = dragBox(m_boxZone[box], m_boxPress, event->pos(), saved, watermarkArea());
    VEWatermarkSettings o = m_edits.watermark;
    if (box == 0) {
        o.textX = n.x;
        o.textY = n.y;
        o.textWidth = n.w;
        o.textHeight = n.h;
        o.textScaleX = n.scaleX;
        o.textScaleY = n.scaleY;
    } else {
        o.imageX = n.x;
        o.imageY = n.y;
        o.imageWidth = n.w;
        o.imageHeight = n.h;
        o.imageScaleX = n.scaleX;
        o.imageScaleY = n.scaleY;
    }
    setWatermarkProperties(o, 0, true);
    emit emitWatermarkSettingChange(m_edits.watermark, 0);
}

void VoPlayerManager::mouseWatermarkReleaseEvent(QMouseEvent *)
{
    setWatermarkProperties(m_edits.watermark, 0, true);
    for (int &zone : m_boxZone)
        zone = None;
}
