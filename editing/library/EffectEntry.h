#pragma once
// One entry of an installed content library (video effects, frames, sound
// effects), as read from its "config.xml".
#include <QList>
#include <QString>

#include <map>

// One picture an entry offers; an entry usually has one per picture shape
// so that the one closest to the video's proportion can be chosen.
struct FramePicture {
    QString fileName; // relative to the entry's folder
    int width = 0;
    int height = 0;
    int type = 0;     // 1 = an animated picture sequence that loops, 0 = a still picture
};

struct EffectEntry {
    int appMinVersion = 0;
    int version = 0;
    QString name;
    QString thumbnail; // relative to folder
    QString folder;    // absolute folder of the config.xml
    QString frameSetName;
    QList<FramePicture> frames;
    std::map<double, double> eq; // Hz -> dB, ascending frequency
    int rate = 100;              // percent
};
