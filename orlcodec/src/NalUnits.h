#pragma once
// H.264 and HEVC payload plumbing for splicing encoded pictures into copied
// ones: splitting and joining NAL units in both framings, reading
// parameter-set ids, and the decoder configuration records of MP4/Matroska.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orl {

using Bytes = std::vector<uint8_t>;

// NAL units of a packet; each without its start code or length field.
std::vector<Bytes> splitAnnexB(const uint8_t *data, size_t size);
// False when a length field runs past the end (a damaged packet).
bool splitLengthPrefixed(const uint8_t *data, size_t size, int lengthSize, std::vector<Bytes> &out);
Bytes joinAnnexB(const std::vector<Bytes> &nals);
Bytes joinLengthPrefixed(const std::vector<Bytes> &nals, int lengthSize);

int h264NalType(const Bytes &nal);
int hevcNalType(const Bytes &nal);

enum {
    kH264Idr = 5,
    kH264Sps = 7,
    kH264Pps = 8,
    kHevcVps = 32,
    kHevcSps = 33,
    kHevcPps = 34,
    kHevcCraNut = 21,
    kHevcBlaWRadl = 17,
    kHevcBlaNLp = 18,
    kHevcIdrNLp = 20,
};

// The id an H.264 SPS declares, or the pps id of a PPS; -1 when unreadable.
int h264SpsId(const Bytes &nal);
int h264PpsId(const Bytes &nal);

// A decoder configuration record (avcC or hvcC) or an Annex B extradata.
struct ParameterSets {
    bool lengthPrefixed = false; // the stream's packets carry length fields
    int lengthSize = 4;
    std::vector<Bytes> nals;     // every parameter set, in record order
    Bytes record;                // the record as read (avcC/hvcC), empty for Annex B
};

bool readParameterSets(const uint8_t *extradata, size_t size, bool hevc, ParameterSets &out);

// avcC with the sets of `extra` (SPS and PPS) added to the record's lists.
Bytes avcRecordWith(const ParameterSets &base, const std::vector<Bytes> &extra);

} // namespace orl
