#pragma once
// The installed sound effects: equaliser curves and playback rates.
#include <QImage>
#include <QList>
#include <QPair>
#include <QString>

namespace effectgen {

struct SoundEffect {
    QString folder;
    QString name;
    QList<QPair<double, double>> eq; // Hz, dB
    int rate = 100;
};

QList<SoundEffect> soundEffects();
// The effect's curve (or its speed) drawn as a thumbnail.
QImage soundThumbnail(const SoundEffect &effect, QSize size);

} // namespace effectgen
