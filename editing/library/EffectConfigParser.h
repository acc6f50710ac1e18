#pragma once
// Reading of the content libraries' "config.xml" files. The content is
// installed data, but a user may drop their own folders beside it: nothing
// in a file can stop a scan, and absurd values are left out or capped with
// one log line each.
#include "EffectEntry.h"

#include <optional>

namespace effectconfig {

// Caps against runaway content.
constexpr int kMaxPicturesPerEntry = 32;
constexpr int kMaxEqPoints = 64;
constexpr int kMaxEntries = 256;
constexpr qint64 kMaxConfigBytes = 1024 * 1024;
constexpr int kMaxPictureSide = 8192;
constexpr int kMinRate = 25;
constexpr int kMaxRate = 400;

// The entry of one config.xml; nothing when the file is missing, too big or
// not well-formed XML. folder is left empty (the caller knows where it is).
std::optional<EffectEntry> parse(const QString &file);

// Leaves out the pictures of entry that cannot be shown: a declared size
// that is not a picture size, a file that is missing or whose header does
// not read as a picture. False (with a log line) when the entry named
// pictures and none is left.
bool keepShowablePictures(EffectEntry &entry, const QString &configFile);

} // namespace effectconfig
