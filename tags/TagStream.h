#pragma once
// Random-access byte stream the tag blocks read and edit: a file, or a
// memory image for the fuzz targets.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TagStream {
public:
    virtual ~TagStream() = default;
    // Bytes read or written; 0 at the end or on error.
    virtual int64_t read(void *buffer, int64_t n) = 0;
    virtual int64_t write(const void *buffer, int64_t n) = 0;
    // Length of the stream, -1 when unknown.
    virtual int64_t size() = 0;
    // Sets the end of the stream at n.
    virtual bool resize(int64_t n) = 0;
    virtual int64_t tell() = 0;
    // The new position; a block compares it with what it asked for.
    virtual int64_t seek(int64_t position) = 0;
};

class FileTagStream final : public TagStream {
public:
    // Opens an existing regular file for reading and writing; nullptr when
    // that is not possible.
    static std::unique_ptr<FileTagStream> open(const std::string &utf8Path);
    // Takes ownership of an open descriptor.
    explicit FileTagStream(int fd) : m_fd(fd) {}
    ~FileTagStream() override;
    FileTagStream(const FileTagStream &) = delete;
    FileTagStream &operator=(const FileTagStream &) = delete;

    int64_t read(void *buffer, int64_t n) override;
    int64_t write(const void *buffer, int64_t n) override;
    int64_t size() override;
    bool resize(int64_t n) override;
    int64_t tell() override { return m_position; }
    int64_t seek(int64_t position) override;
    // Forces the written bytes to the disk.
    bool sync();
    int fd() const { return m_fd; }

private:
    int m_fd = -1;
    int64_t m_position = 0;
};

class MemoryTagStream final : public TagStream {
public:
    // maxSize bounds how far writes may grow the image, so a hostile input
    // cannot make the fuzz targets exhaust memory.
    explicit MemoryTagStream(std::vector<uint8_t> data = {}, int64_t maxSize = int64_t(1) << 30)
        : m_data(std::move(data)), m_maxSize(maxSize) {}

    int64_t read(void *buffer, int64_t n) override;
    int64_t write(const void *buffer, int64_t n) override;
    int64_t size() override { return int64_t(m_data.size()); }
    bool resize(int64_t n) override;
    int64_t tell() override { return m_position; }
    int64_t seek(int64_t position) override;
    const std::vector<uint8_t> &data() const { return m_data; }

private:
    std::vector<uint8_t> m_data;
    int64_t m_position = 0;
    int64_t m_maxSize;
};
