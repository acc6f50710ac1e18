#pragma once
// The user's work as one comparable value: the segments in order with
// their ranges, names and edits, the output settings and the mode. Undo
// keeps one per step; a segment's record is shared between steps that did
// not change it, so a long history costs little.
#include "CoverPicture.h"
#include "OutputFormatParams.h"
#include "VEEditConfig.h"

#include <QJsonObject>
#include <QString>
#include <QVector>
#include <cstdint>
#include <memory>

struct SegmentState {
    uint64_t start = 0;
    uint64_t end = 0;
    QString label;
    std::shared_ptr<const VEEditConfig> edit;
    CoverPicture cover; // shown on the row; not part of the comparison
    QJsonObject stored; // the segment's keys from a project file
};

struct OutputState {
    bool lossless = false;
    QString encodingCategory;
    QString encodingId;
    QString losslessCategory;
    QString losslessId;
    int quality = 1;
    bool frameExact = false;
    bool merge = false;
    OutputFormatParams params;
};

struct WorkState {
    QVector<std::shared_ptr<const SegmentState>> segments;
    int current = -1;   // the selected segment; selecting alone is no change
    bool simple = false;
    QVector<uint64_t> markers; // places a search marked on the timeline
    OutputState output;
};

bool sameSegment(const SegmentState &a, const SegmentState &b);
bool sameOutput(const OutputState &a, const OutputState &b);
// Equal segments, markers, mode and output; the selection and pictures may
// differ.
bool sameWork(const WorkState &a, const WorkState &b);
