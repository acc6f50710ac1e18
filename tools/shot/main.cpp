// Renders a named scene offscreen and writes it as a PNG:
//   shot NAME OUT.png
//   shot --list
// SNIPWELL_SHOT_LANGUAGE names an interface language to render in.
// Translucent windows are laid on a neutral backdrop so their edges show.
#include "Scenes.h"

#include "Languages.h"

#include <QApplication>
#include <QFileInfo>
#include <QDir>
#include <QFontDatabase>
#include <QPainter>
#include <QWidget>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir fonts(QStringLiteral("/usr/share/wine/fonts"));
    for (const QString &name : fonts.entryList({"tahoma*.ttf"}, QDir::Files))
        QFontDatabase::addApplicationFont(fonts.filePath(name));

    // Reviews of a translation: SNIPWELL_SHOT_LANGUAGE=Deutsch shot ...
    if (!qEnvironmentVariableIsEmpty("SNIPWELL_SHOT_LANGUAGE"))
        installLanguage(qEnvironmentVariable("SNIPWELL_SHOT_LANGUAGE"));

    if (argc == 2 && QByteArray(argv[1]) == "--list") {
        for (const QString &name : scenes::names())
            std::printf("%s\n", qPrintable(name));
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: shot NAME OUT.png | shot --list\n");
        return 2;
    }
    // A scene over a file that is not there would render an empty picture
    // (or wait on a message box nobody sees): refuse instead.
    const QString media = qEnvironmentVariable("SNIPWELL_SHOT_MEDIA");
    if (!media.isEmpty() && !QFileInfo::exists(media)) {
        std::fprintf(stderr, "shot: media %s not found\n", qPrintable(media));
        return 2;
    }
    std::unique_ptr<QWidget> widget(scenes::create(QString::fromLocal8Bit(argv[1])));
    if (!widget) {
        std::fprintf(stderr, "shot: unknown scene %s\n", argv[1]);
        return 2;
    }
    widget->show();
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    const QPixmap grabbed = widget->grab();
    const int pad = 16;
    const qreal ratio = grabbed.devicePixelRatio();
    QImage out(QSize(grabbed.width() + int(2 * pad * ratio), grabbed.height() + int(2 * pad * ratio)), QImage::Format_ARGB32);
    out.setDevicePixelRatio(ratio);
    out.fill(QColor(24, 24, 24));
    QPainter p(&out);
    p.drawPixmap(QPoint(pad, pad), grabbed);
    p.end();
    if (!out.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "shot: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
