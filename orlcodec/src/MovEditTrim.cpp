#include "MovEditTrim.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace orl {

namespace {

struct FileCloser {
    void operator()(FILE *f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

uint64_t readBE(const uint8_t *p, int n)
{
    uint64_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | p[i];
    return v;
}

void writeBE(uint8_t *p, int n, uint64_t v)
{
    for (int i = n - 1; i >= 0; --i) {
        p[i] = static_cast<uint8_t>(v & 0xff);
        v >>= 8;
    }
}

struct Box {
    uint64_t offset = 0;  // of the header
    uint64_t size = 0;    // whole box
    uint32_t header = 8;
    uint32_t type = 0;
};

constexpr uint32_t fourcc(const char *s)
{
    return (uint32_t(uint8_t(s[0])) << 24) | (uint32_t(uint8_t(s[1])) << 16) | (uint32_t(uint8_t(s[2])) << 8)
        | uint32_t(uint8_t(s[3]));
}

// Child boxes of buf[begin, end).
std::vector<Box> children(const std::vector<uint8_t> &buf, uint64_t begin, uint64_t end)
{
    std::vector<Box> out;
    uint64_t pos = begin;
    while (pos + 8 <= end) {
        Box b;
        b.offset = pos;
        b.size = readBE(&buf[pos], 4);
        b.type = static_cast<uint32_t>(readBE(&buf[pos + 4], 4));
        if (b.size == 1) {
            if (pos + 16 > end)
                break;
            b.size = readBE(&buf[pos + 8], 8);
            b.header = 16;
        } else if (b.size == 0) {
            b.size = end - pos;
        }
        if (b.size < b.header || b.size > end - pos)
            break;
        out.push_back(b);
        pos += b.size;
    }
    return out;
}

const Box *find(const std::vector<Box> &boxes, const char *type)
{
    for (const Box &b : boxes)
        if (b.type == fourcc(type))
            return &b;
    return nullptr;
}

} // namespace

bool trimMovPresentation(const std::string &path, uint64_t length_us, std::string &error)
{
    FilePtr f(std::fopen(path.c_str(), "r+b"));
    if (!f) {
        error = "cannot reopen the output";
        return false;
    }
    // Find the movie box among the top-level boxes.
    uint64_t pos = 0;
    uint64_t moovOffset = 0, moovSize = 0;
    for (;;) {
        uint8_t head[16];
        if (fseeko(f.get(), static_cast<off_t>(pos), SEEK_SET) != 0 || std::fread(head, 1, 8, f.get()) != 8)
            break;
        uint64_t size = readBE(head, 4);
        const uint32_t type = static_cast<uint32_t>(readBE(head + 4, 4));
        if (size == 1) {
            if (std::fread(head + 8, 1, 8, f.get()) != 8)
                break;
            size = readBE(head + 8, 8);
        }
        // A size that would carry the position past the end of the
        // number range wraps it back to the start: a box list without end.
        if (size < 8 || size > UINT64_MAX - pos)
            break;
        if (type == fourcc("moov")) {
            moovOffset = pos;
            moovSize = size;
            break;
        }
        pos += size;
    }
    if (moovSize == 0 || moovSize > (64u << 20)) {
        error = "no movie box";
        return false;
    }
    // A movie box that claims more than the file holds is not read: the
    // memory for it would be taken for nothing.
    if (fseeko(f.get(), 0, SEEK_END) != 0) {
        error = "cannot read the movie box";
        return false;
    }
    const off_t fileSize = ftello(f.get());
    if (fileSize < 0 || moovOffset + moovSize > static_cast<uint64_t>(fileSize)) {
        error = "the movie box runs past the end of the file";
        return false;
    }
    std::vector<uint8_t> moov(moovSize);
    if (fseeko(f.get(), static_cast<off_t>(moovOffset), SEEK_SET) != 0
        || std::fread(moov.data(), 1, moov.size(), f.get()) != moov.size()) {
        error = "cannot read the movie box";
        return false;
    }
    const std::vector<Box> top = children(moov, moovSize > 8 && readBE(&moov[0], 4) == 1 ? 16 : 8, moov.size());
    const Box *mvhd = find(top, "mvhd");
    if (!mvhd || mvhd->size < mvhd->header + 32) {
        error = "no movie header";
        return false;
    }
    uint8_t *mv = &moov[mvhd->offset + mvhd->header];
    const bool mvV1 = mv[0] == 1;
    const uint64_t timescale = readBE(mv + (mvV1 ? 20 : 12), 4);
    if (timescale == 0) {
        error = "movie timescale 0";
        return false;
    }
    const uint64_t wanted = (length_us * timescale + 500000) / 1000000;

    uint64_t movieDuration = 0;
    for (const Box &trak : top) {
        if (trak.type != fourcc("trak"))
            continue;
        const std::vector<Box> inTrak = children(moov, trak.offset + trak.header, trak.offset + trak.size);
        const Box *tkhd = find(inTrak, "tkhd");
        const Box *edts = find(inTrak, "edts");
        if (!tkhd || !edts)
            continue;
        const std::vector<Box> inEdts = children(moov, edts->offset + edts->header, edts->offset + edts->size);
        const Box *elst = find(inEdts, "elst");
        if (!elst || elst->size < elst->header + 8)
            continue;
        uint8_t *el = &moov[elst->offset + elst->header];
        const bool v1 = el[0] == 1;
        const uint64_t count = readBE(el + 4, 4);
        const int entrySize = v1 ? 20 : 12;
        if (count > (elst->size - elst->header - 8) / entrySize)
            continue;
        uint64_t consumed = 0;
        for (uint64_t i = 0; i < count; ++i) {
            uint8_t *e = el + 8 + i * entrySize;
            uint64_t duration = readBE(e, v1 ? 8 : 4);
            const uint64_t room = wanted > consumed ? wanted - consumed : 0;
            if (duration > room) {
                duration = room;
                writeBE(e, v1 ? 8 : 4, duration);
            }
            consumed += duration;
        }
        uint8_t *tk = moov.data() + tkhd->offset + tkhd->header;
        const bool tkV1 = tkhd->size > tkhd->header && tk[0] == 1; // an empty header has no version
        if (tkhd->size >= tkhd->header + (tkV1 ? 36u : 24u))
            writeBE(tk + (tkV1 ? 28 : 20), tkV1 ? 8 : 4, consumed);
        if (consumed > movieDuration)
            movieDuration = consumed;
    }
    if (movieDuration > 0)
        writeBE(mv + (mvV1 ? 24 : 16), mvV1 ? 8 : 4, movieDuration);

    if (fseeko(f.get(), static_cast<off_t>(moovOffset), SEEK_SET) != 0
        || std::fwrite(moov.data(), 1, moov.size(), f.get()) != moov.size() || std::fflush(f.get()) != 0) {
        error = "cannot update the movie box";
        return false;
    }
    return true;
}

} // namespace orl
