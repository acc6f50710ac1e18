#pragma once
// Fills the process-wide output parameters from the stored output mode and
// format with the format's default choices, so that a conversion started
// from the main window uses what the user chose last.
class ProfileCatalogue;

// True when the record was filled; false leaves it as a plain lossless
// copy into the source's container.
bool applyStoredOutputFormat(ProfileCatalogue &encoding, ProfileCatalogue &lossless);
