#pragma once
// The one hand-over of an item's edit record to a parameter set of the
// media library, used alike by a conversion and by the editing preview, so
// that the preview is given exactly what the encoder will be.
#include "VEEditConfig.h"
#include "MediaTypes.h"

// Picture values, stream and subtitle choice, subtitle look, the three
// overlays, background audio, geometry and the sound effect of config into
// the set p. lossless adds the copy masks of a stream-copy conversion.
void applyEditParams(MediaHandle p, const VEEditConfig &config, bool lossless);
