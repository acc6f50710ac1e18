#pragma once
// How a library picture is fitted to a video: which of an entry's pictures
// is used, and which part of it shows when it covers the video.
#include "EffectEntry.h"
#include "VEEditConfig.h"

namespace effectfit {

// Index of the picture whose proportion is closest to width/height of the
// video (-1 without pictures). A picture of no width or height counts as
// proportion -1. lastExactWins: among pictures that match exactly, the last
// one is taken (frames) instead of the first (video effects).
int choosePicture(const QList<FramePicture> &pictures, int videoWidth, int videoHeight, bool lastExactWins);

// The part of picture (fractions of it) that shows when it is scaled to
// cover a video of videoWidth x videoHeight and centred on it.
VERect coverSourceRect(const FramePicture &picture, int videoWidth, int videoHeight);

} // namespace effectfit
