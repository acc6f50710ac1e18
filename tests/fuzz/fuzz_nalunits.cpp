// NAL unit splitting and joining in both framings, parameter-set ids and
// decoder configuration records. Splitting what was joined gives the units
// back; a record extended with more sets reads back with all of them.
#include "NalUnits.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace orl;

// A broken promise names itself before the abort that ends the run.
#define require(condition) \
    do { \
        if (!(condition)) { \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #condition); \
            std::abort(); \
        } \
    } while (0)

void checkRecord(const uint8_t *data, size_t size, bool hevc)
{
    ParameterSets sets;
    if (!readParameterSets(data, size, hevc, sets))
        return;
    for (const Bytes &nal : sets.nals) {
        h264SpsId(nal);
        h264PpsId(nal);
        hevcNalType(nal);
    }
    if (hevc || !sets.lengthPrefixed)
        return;
    require(sets.lengthSize >= 1 && sets.lengthSize <= 4);
    // Sets the record already holds, added again: the extended record
    // lists each twice, parameter sets first, in order.
    std::vector<Bytes> sps, rest;
    for (const Bytes &n : sets.nals)
        (h264NalType(n) == kH264Sps ? sps : rest).push_back(n);
    const Bytes extended = avcRecordWith(sets, sets.nals);
    ParameterSets again;
    require(readParameterSets(extended.data(), extended.size(), false, again));
    require(again.lengthPrefixed && again.lengthSize == sets.lengthSize);
    std::vector<Bytes> expected;
    for (const Bytes &n : sps)
        expected.push_back(n);
    for (const Bytes &n : sps)
        expected.push_back(n);
    const size_t pps = rest.size();
    for (size_t i = 0; i < pps; ++i)
        expected.push_back(rest[i]);
    for (const Bytes &n : rest)
        if (h264NalType(n) == kH264Pps)
            expected.push_back(n);
    // Lists longer than a record can count are not what a caller makes.
    if (2 * sps.size() > 31 || pps + pps > 255)
        return;
    require(again.nals == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::vector<Bytes> nals = splitAnnexB(data, size);
    for (const Bytes &n : nals) {
        require(!n.empty() && n.back() != 0);
        h264NalType(n);
        h264SpsId(n);
        h264PpsId(n);
    }
    // Units without start codes in them survive a join and split.
    const Bytes joined = joinAnnexB(nals);
    require(splitAnnexB(joined.data(), joined.size()) == nals);

    for (int lengthSize = 1; lengthSize <= 4; ++lengthSize) {
        std::vector<Bytes> units;
        if (splitLengthPrefixed(data, size, lengthSize, units))
            require(joinLengthPrefixed(units, lengthSize) == Bytes(data, data + size));
    }
    checkRecord(data, size, false);
    checkRecord(data, size, true);
    return 0;
}
