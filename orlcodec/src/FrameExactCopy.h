#pragma once
// The frame-exact variant of a stream copy: whether a source and container
// allow it, setting it up on the copy's input and output, and checking the
// written file.
#include "SmartCut.h"

#include <memory>
#include <string>

namespace orl {

class CopyInput;
class CopyOutput;
class Job;

// Whether pictures of codec can be cut frame-exact into format, before any
// file is read (ORL_EXACT_*); why gets the reason when they cannot.
int frameExactObstacle(const AVOutputFormat *format, AVCodecID codec, std::string &why);

// A prepared cut of [start, start + length) (µs from the start of the
// file, length 0 = to the end), or null with why set.
std::unique_ptr<SmartCut> planFrameExact(CopyInput &input, const std::string &src, const AVOutputFormat *format,
                                         uint64_t start_us, uint64_t length_us, Job &job, std::string &why);

// Gives the output's video stream the private data of the spliced stream.
bool describeFrameExact(const SmartCut &cut, CopyInput &input, CopyOutput &output);

// Decodes the written file and holds it against the source's pictures.
bool checkFrameExact(const SmartCut &cut, const std::string &dst, double minPsnr, Job &job, std::string &why);

} // namespace orl
