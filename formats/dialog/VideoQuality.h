#pragma once
// The quality preset of the format dialog. The values are stored in the
// settings as decimal numbers, so they never change.
enum VideoQuality {
    SmallSize = 0,
    HighQuality = 1,
    Customized = 2,
};
