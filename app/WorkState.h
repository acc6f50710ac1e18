#pragma once
// The output settings of the user's work as one comparable value: undo
// keeps them before and after a step that changed them, and a project
// stores them.
#include "OutputFormatParams.h"

#include <QString>

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

    bool operator==(const OutputState &o) const;
    bool operator!=(const OutputState &o) const { return !(*this == o); }
};
