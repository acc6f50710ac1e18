#pragma once
// Writes PNG files quickly (the build waits for them). An animated PNG
// plays its frames one after another and loops; it is made from pictures of
// one size, each shown for the same time. Every frame is a whole picture of
// its own, so a reader may show any frame without the ones before it.
#include <QImage>
#include <QString>
#include <QVector>

namespace effectgen {

// A still picture the same way.
bool writePng(const QString &file, const QImage &picture, QString &error);
bool writeApng(const QString &file, const QVector<QImage> &frames, int delayMs, QString &error);

} // namespace effectgen
