// The facade: format detection with its stream checks, then the save order
// over every block of the detected type. The first input byte picks the
// extension, so that every requested type and the fallback order are taken.
#include "AudioTagFile.h"
#include "FuzzBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    static const char16_t *const names[] = {u"a.wav", u"a.wma", u"a.mp3", u"a.aac", u"a.m4a",
                                            u"a.ogg", u"a.ape", u"a.flac", u"a.mp4"};
    const char16_t *name = names[data[0] % 9];
    std::vector<uint8_t> image(data + 1, data + size);
    fuzzblock::fixOggChecksums(image);
    auto stream = std::make_unique<MemoryTagStream>(std::move(image), int64_t(size) + (4 << 20));
    AudioTagFile file;
    if (file.openStream(std::move(stream), name) != 0)
        return 0;
    for (int i = 0; i < file.itemCount(); ++i)
        file.item(i);
    file.clearAll();
    const std::u16string title = u"Title";
    const std::vector<uint8_t> bytes = tagtext::utf16leBytes(title);
    file.addItem(-1, KindTitle, ValueText, int(bytes.size()), bytes.data());
    file.addItem(-1, KindTrack, ValueText, 6, u"7/9");
    file.save();
    file.clearAll();
    file.save();
    return 0;
}
