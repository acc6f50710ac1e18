#pragma once
// Turns one decoded frame into an encoded picture (JPEG or PNG): scale with
// swscale, turn by the display rotation, encode.
#include "orlcodec.h"

#include <memory>
#include <string>
#include <vector>

struct AVFrame;

namespace orl {

struct EncodedPicture {
    orl_picture pub{};
    std::vector<uint8_t> bytes;
};

// rotation: clockwise degrees (0, 90, 180, 270) to turn the frame by;
// width/height: size of the finished (turned) picture, both > 0.
std::unique_ptr<EncodedPicture> encodePicture(const AVFrame *frame, int rotation, int width,
                                              int height, int format, std::string &error);

} // namespace orl
