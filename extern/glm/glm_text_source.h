// Where a reading's text comes from. A regular file is read where it lies, at any offset, by
// every thread that reads a part of it, as often as the reading needs. Anything that can be
// read only once (a pipe, a FIFO, standard input, a character device such as /dev/zero) is
// read once into memory, up to the first line longer than the line limit, and then read from
// there. Text that the caller holds in memory is read in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace objreader {

// The longest line read, continuations included, line break not: room for real polygons of
// millions of corners, and a bound on the memory that any file can make the reader take.
constexpr std::size_t kLineLimit = std::size_t{64} << 20;
constexpr const char* kLineLimitText = "64 MiB";

class TextSource {
public:
    TextSource() = default;
    TextSource(const TextSource&) = delete;
    TextSource& operator=(const TextSource&) = delete;
    ~TextSource();

    // Opens path, or takes descriptor when it is not -1 (reading from where it stands; it is
    // left open). False, with the system's error number in *error, when the text cannot be
    // opened or read: a folder, say, gives EISDIR.
    bool open(const char* path, int descriptor, int* error);

    // Reads text held by the caller, which must outlive the source.
    void view(std::string_view text);

    std::uint64_t size() const { return size_; }

    // Copies up to count bytes from offset into buffer. Returns the number copied, 0 at the
    // end of the text, or -1 with errno set when a read fails.
    std::int64_t read(std::uint64_t offset, char* buffer, std::size_t count) const;

    // The text, when it is held in memory; null for a file read where it lies.
    const char* memory() const { return text_; }

    // Whether the file read where it lies has changed since it was opened: its size or its
    // time of last change.
    bool changed() const;

private:
    // Reads the descriptor to its end into held_; false with errno set on a read error.
    bool readOnce();

    int descriptor_ = -1;
    bool ownsDescriptor_ = false;
    std::uint64_t base_ = 0; // where the text starts in the file
    std::uint64_t size_ = 0;
    std::int64_t changedAt_[2] = {0, 0}; // seconds and nanoseconds
    std::uint64_t fileSize_ = 0;
    char* held_ = nullptr; // what was read once, from malloc
    const char* text_ = nullptr;
};

} // namespace objreader
