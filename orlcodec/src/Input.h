#pragma once
// Byte sources under an AVIOContext of our own. FFmpeg's file protocol
// reads with blocking read(2), which no interrupt callback can end (a FIFO
// or a stalled network mount would hang an open forever); these sources
// read without blocking and poll in short slices, asking the interrupt
// callback between slices.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

extern "C" {
#include <libavformat/avio.h>
}

namespace orl {

class Input {
public:
    virtual ~Input();
    Input(const Input &) = delete;
    Input &operator=(const Input &) = delete;

    AVIOContext *avio() const { return m_avio; }
    bool seekable() const { return m_seekable; }

protected:
    Input() = default;
    // Creates the AVIOContext over read/seek; false on allocation failure.
    bool createContext(bool seekable);
    virtual int read(uint8_t *buf, int size) = 0;
    virtual int64_t seek(int64_t offset, int whence) = 0;

private:
    static int readThunk(void *opaque, uint8_t *buf, int size);
    static int64_t seekThunk(void *opaque, int64_t offset, int whence);

    AVIOContext *m_avio = nullptr;
    bool m_seekable = false;
};

// A local file (or FIFO, device) read through a non-blocking descriptor.
// interrupt is asked whenever no data is ready; it must outlive the input.
std::unique_ptr<Input> openFileInput(const std::string &path, const AVIOInterruptCB &interrupt,
                                     std::string &error);

// Bytes in memory; shares the vector, which must not change meanwhile.
std::unique_ptr<Input> openMemoryInput(std::shared_ptr<const std::vector<uint8_t>> bytes,
                                       std::string &error);

} // namespace orl
