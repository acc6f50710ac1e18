// Makes the installed content libraries in an application folder:
//   effectgen OUTDIR STAMP
// OUTDIR/VideoEffects/<entry>/: a config.xml, one looping animated picture
//   per picture shape (16:9 and 9:16) and a thumbnail;
// OUTDIR/VideoFrames/<entry>/: a config.xml, one border picture per shape
//   (16:9, 4:3, 9:16) with a transparent middle, and a thumbnail;
// OUTDIR/AudioEffects/<entry>/: a config.xml with an equaliser curve or a
//   rate, and a thumbnail.
// The first entry of each library, "None", has no content: choosing it
// takes the effect away. Everything is painted from code with fixed seeds: every run writes the
// same files. STAMP is written last, when all went well.
#include "ApngWriter.h"
#include "EffectArt.h"
#include "SoundEffects.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

using namespace effectgen;

namespace {

// Animation: 3 s loops at 10 pictures a second.
constexpr int kFrames = 30;
constexpr int kDelayMs = 100;
const QSize kThumbnail(112, 84); // twice the list's 56 x 42, for sharp high-density screens

struct Shape {
    const char *suffix;
    QSize size;
};

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

bool writeText(const QString &file, const QString &text)
{
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(text.toUtf8());
    return f.commit();
}

bool fail(const QString &what)
{
    std::fprintf(stderr, "effectgen: %s\n", qPrintable(what));
    return false;
}

bool save(const QImage &picture, const QString &file)
{
    QString error;
    return writePng(file, picture, error) || fail(file + ": " + error);
}

// The "no effect" thumbnail: a slashed circle on a dark plate.
QImage noneThumbnail()
{
    QImage image(kThumbnail, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(40, 40, 44));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double r = kThumbnail.height() * 0.28;
    const QPointF c(kThumbnail.width() / 2.0, kThumbnail.height() / 2.0);
    p.setPen(QPen(QColor(200, 200, 200), kThumbnail.height() / 14.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    p.drawLine(c + QPointF(-r * 0.7, r * 0.7), c + QPointF(r * 0.7, -r * 0.7));
    return image;
}

// The first entry of every library: choosing it takes the effect away.
bool writeNone(const QString &root, const char *element)
{
    const QString dir = root + "/00_None";
    QDir().mkpath(dir);
    if (!save(noneThumbnail(), dir + "/thumbnail.png"))
        return false;
    const QString config = QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                   "<%1 APPMinVersion=\"1\" Version=\"1\" Name=\"None\" Thumbnail=\"thumbnail.png\"/>\n")
                               .arg(element);
    return writeText(dir + "/config.xml", config) || fail("cannot write " + dir + "/config.xml");
}

QString pictureLine(const QString &file, QSize size, int type)
{
    return QString("    <Picture FileName=\"%1\" Width=\"%2\" Height=\"%3\" Type=\"%4\"/>\n")
        .arg(escaped(file))
        .arg(size.width())
        .arg(size.height())
        .arg(type);
}

bool writeVideoEffects(const QString &root)
{
    const Shape shapes[] = {{"16x9", QSize(480, 270)}, {"9x16", QSize(270, 480)}};
    const QStringList names = videoEffectNames(), folders = videoEffectFolders();
    if (!writeNone(root, "VideoEffect"))
        return false;
    for (int k = 0; k < kVideoEffectCount; ++k) {
        const auto kind = static_cast<VideoEffect>(k);
        const QString dir = root + '/' + folders[k];
        QDir().mkpath(dir);
        QString pictures;
        for (Shape shape : shapes) {
            // A glow has no detail: a quarter of the pixels, scaled up when shown.
            if (kind == VideoEffect::LightLeak)
                shape.size /= 2;
            QVector<QImage> frames;
            for (int f = 0; f < kFrames; ++f)
                frames << paintVideoEffect(kind, f, kFrames, shape.size);
            const QString file = QString("effect_%1.png").arg(shape.suffix);
            QString error;
            if (!writeApng(dir + '/' + file, frames, kDelayMs, error))
                return fail(dir + '/' + file + ": " + error);
            pictures += pictureLine(file, shape.size, 1);
        }
        // The thumbnail: the effect painted small, so its particles stay visible.
        QImage thumb = thumbnailScene(kThumbnail);
        {
            QPainter p(&thumb);
            p.drawImage(0, 0, paintVideoEffect(kind, kFrames / 3, kFrames, kThumbnail));
        }
        if (!save(thumb, dir + "/thumbnail.png"))
            return false;
        const QString config = QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                       "<VideoEffect APPMinVersion=\"1\" Version=\"1\" Name=\"%1\" Thumbnail=\"thumbnail.png\">\n"
                                       "  <FrameInfo Name=\"%1\">\n%2  </FrameInfo>\n</VideoEffect>\n")
                                   .arg(escaped(names[k]), pictures);
        if (!writeText(dir + "/config.xml", config))
            return fail("cannot write " + dir + "/config.xml");
    }
    return true;
}

bool writeFrames(const QString &root)
{
    const Shape shapes[] = {{"16x9", QSize(1280, 720)}, {"4x3", QSize(960, 720)}, {"9x16", QSize(720, 1280)}};
    const QStringList names = frameNames(), folders = frameFolders();
    if (!writeNone(root, "VideoFrame"))
        return false;
    for (int k = 0; k < kFrameStyleCount; ++k) {
        const auto kind = static_cast<FrameStyle>(k);
        const QString dir = root + '/' + folders[k];
        QDir().mkpath(dir);
        QString pictures;
        for (const Shape &shape : shapes) {
            const QString file = QString("frame_%1.png").arg(shape.suffix);
            if (!save(paintFrame(kind, shape.size), dir + '/' + file))
                return false;
            pictures += pictureLine(file, shape.size, 0);
        }
        QImage thumb = thumbnailScene(kThumbnail);
        {
            QPainter p(&thumb);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(thumb.rect(), paintFrame(kind, QSize(kThumbnail.width() * 4, kThumbnail.height() * 4)));
        }
        if (!save(thumb, dir + "/thumbnail.png"))
            return false;
        const QString config = QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                       "<VideoFrame APPMinVersion=\"1\" Version=\"1\" Name=\"%1\" Thumbnail=\"thumbnail.png\">\n"
                                       "  <FrameInfo Name=\"%1\">\n%2  </FrameInfo>\n</VideoFrame>\n")
                                   .arg(escaped(names[k]), pictures);
        if (!writeText(dir + "/config.xml", config))
            return fail("cannot write " + dir + "/config.xml");
    }
    return true;
}

bool writeSoundEffects(const QString &root)
{
    if (!writeNone(root, "AudioEffect"))
        return false;
    for (const SoundEffect &effect : soundEffects()) {
        const QString dir = root + '/' + effect.folder;
        QDir().mkpath(dir);
        if (!save(soundThumbnail(effect, kThumbnail), dir + "/thumbnail.png"))
            return false;
        QString body;
        if (!effect.eq.isEmpty()) {
            body += "  <EQ>\n";
            for (const auto &point : effect.eq)
                body += QString("    <Point hz=\"%1\" db=\"%2\"/>\n").arg(point.first).arg(point.second);
            body += "  </EQ>\n";
        }
        body += QString("  <Rate Value=\"%1\"/>\n").arg(effect.rate);
        const QString config = QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                       "<AudioEffect APPMinVersion=\"1\" Version=\"1\" Name=\"%1\" Thumbnail=\"thumbnail.png\">\n"
                                       "%2</AudioEffect>\n")
                                   .arg(escaped(effect.name), body);
        if (!writeText(dir + "/config.xml", config))
            return fail("cannot write " + dir + "/config.xml");
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: effectgen OUTDIR STAMP\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    // Content of an older build must not linger beside the new.
    for (const char *folder : {"VideoEffects", "VideoFrames", "AudioEffects"})
        QDir(out + '/' + folder).removeRecursively();
    if (!writeVideoEffects(out + "/VideoEffects") || !writeFrames(out + "/VideoFrames")
        || !writeSoundEffects(out + "/AudioEffects"))
        return 1;
    return writeText(QString::fromLocal8Bit(argv[2]), "done\n") ? 0 : 1;
}
