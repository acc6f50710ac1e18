// Paints the program's pictures into an application folder:
//   skingen OUTDIR
// Every picture is written at 1x and as "name@2x.png", and the list of what
// was written goes to OUTDIR/image/skin.txt (path, frames, width, height).
//   skingen --sheet OUT.png [SCALE [PATH-FILTER]]
// draws every picture on one review sheet instead.
//   skingen --icons OUTDIR NAME
// writes the program's icon as a freedesktop icon theme folder:
// OUTDIR/hicolor/NxN/apps/NAME.png for each size, and the scalable one.
#include "Skin.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {
QString atTwoX(const QString &path)
{
    const int dot = path.lastIndexOf('.');
    return path.left(dot) + "@2x" + path.mid(dot);
}

bool writeImage(const QImage &image, const QString &file)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    // Write beside and rename, so a build that stops half-way never leaves a
    // truncated picture that looks up to date.
    const QString temp = file + ".part";
    if (!image.save(temp, "PNG"))
        return false;
    QFile::remove(file);
    return QFile::rename(temp, file);
}
// All pictures on a panel-coloured sheet, each labelled with its path, so a
// restyle can be reviewed at a glance.
int drawSheet(const QString &file, int scale, const QString &filter)
{
    const int columnWidth = 330, labelHeight = 14, gap = 10, columns = 4;
    QVector<QImage> images;
    QVector<skin::Picture> shown;
    for (const skin::Picture &pic : skin::pictures()) {
        if (pic.path.contains(filter)) {
            images << skin::render(pic, scale);
            shown << pic;
        }
    }
    // Lay out column by column with a running height per column.
    QVector<int> heights(columns, gap);
    QVector<QPoint> places;
    for (const QImage &img : images) {
        const int col = int(std::min_element(heights.begin(), heights.end()) - heights.begin());
        places << QPoint(gap + col * columnWidth * scale, heights[col]);
        const int h = qMin(img.height(), 260 * scale);
        heights[col] += labelHeight * scale + h + gap * scale;
    }
    QImage sheet(columns * columnWidth * scale + gap, *std::max_element(heights.begin(), heights.end()), QImage::Format_ARGB32);
    sheet.fill(QColor(51, 51, 51));
    QPainter p(&sheet);
    QFont font("DejaVu Sans");
    font.setPixelSize(10 * scale);
    p.setFont(font);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < images.size(); ++i) {
        const QImage &img = images[i];
        p.setPen(QColor(228, 228, 228));
        p.drawText(QRect(places[i], QSize(columnWidth * scale - gap, labelHeight * scale)), Qt::AlignLeft | Qt::AlignVCenter,
                   shown[i].path);
        const QSize room((columnWidth - gap) * scale, 260 * scale);
        const QSize fitted = img.size().boundedTo(room) == img.size() ? img.size() : img.size().scaled(room, Qt::KeepAspectRatio);
        const QRect target(places[i] + QPoint(0, labelHeight * scale), fitted);
        p.fillRect(target, QColor(34, 34, 34));
        p.drawImage(target, img);
    }
    p.end();
    return sheet.save(file) ? 0 : 1;
}

int writeIcons(const QString &out, const QString &name)
{
    int failures = 0;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const skin::Picture mark{QString(), size, size, skin::Recipe::Logo};
        const QString file = QStringLiteral("%1/hicolor/%2x%2/apps/%3.png").arg(out).arg(size).arg(name);
        if (!writeImage(skin::render(mark, 1), file)) {
            std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(file));
            ++failures;
        }
    }
    const QString svg = QStringLiteral("%1/hicolor/scalable/apps/%2.svg").arg(out, name);
    QDir().mkpath(QFileInfo(svg).absolutePath());
    QFile file(svg);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(skin::logoSvg().toUtf8()) < 0) {
        std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(svg));
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
} // namespace

int main(int argc, char **argv)
{
    // Painting needs fonts and a pixmap backend, never a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc >= 3 && QByteArray(argv[1]) == "--sheet")
        return drawSheet(QString::fromLocal8Bit(argv[2]), argc >= 4 ? qBound(1, atoi(argv[3]), 4) : 1,
                         argc >= 5 ? QString::fromLocal8Bit(argv[4]) : QString());
    if (argc == 4 && QByteArray(argv[1]) == "--icons")
        return writeIcons(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc != 2) {
        std::fprintf(stderr, "usage: skingen OUTDIR\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();

    QString manifest;
    QTextStream list(&manifest);
    int failures = 0;
    for (const skin::Picture &pic : skin::pictures()) {
        const int frames = skin::isStateRecipe(pic.recipe) ? 4 : 1;
        for (int scale : {1, 2}) {
            const QString file = out + (scale == 1 ? pic.path : atTwoX(pic.path));
            if (!writeImage(skin::render(pic, scale), file)) {
                std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(file));
                ++failures;
            }
        }
        list << pic.path << ' ' << frames << ' ' << pic.width * frames << ' ' << pic.height << '\n';
    }
    list.flush();

    QFile listFile(out + "/image/skin.txt");
    if (!listFile.open(QIODevice::WriteOnly | QIODevice::Truncate) || listFile.write(manifest.toUtf8()) < 0) {
        std::fprintf(stderr, "skingen: cannot write %s\n", qPrintable(listFile.fileName()));
        return 1;
    }
    return failures == 0 ? 0 : 1;
}
