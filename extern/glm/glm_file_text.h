// A text file handed to the scanner a stretch of whole lines at a time.
//
// The file is read through one buffer (1 MiB, 128 KiB after a rewind, more only for a
// longer line), so reading a model takes little memory beyond the model itself, and the
// scanner works on text that stays in the processor's cache. Each stretch ends after a line break
// that no backslash continues (or at the end of the file) and is followed by a zero byte, so no
// statement is ever cut in two. A line longer than kLineLimit stops the reading: the buffer never
// grows past it, whatever the file holds (/dev/zero, say).
#pragma once

#include <cstddef>
#include <cstdio>

namespace objreader {

// The longest line read, continuations included: room for real polygons of millions of
// corners, and a bound on the memory that any file can make the reader take.
constexpr std::size_t kLineLimit = std::size_t{64} << 20;
constexpr const char* kLineLimitText = "64 MiB";

// Whether the line break at lineBreak is continued: a backslash (and maybe a carriage
// return) stands right before it. text is where the text starts.
inline bool continued(const char* lineBreak, const char* text) {
    std::size_t before = static_cast<std::size_t>(lineBreak - text);
    if (before > 0 && text[before - 1] == '\r') {
        --before;
    }
    return before > 0 && text[before - 1] == '\\';
}

class FileText {
public:
    // Why the stretches ended.
    enum class End { None, Read, ReadError, LongLine };

    FileText() = default;
    FileText(const FileText&) = delete;
    FileText& operator=(const FileText&) = delete;
    ~FileText();

    // Opens the file; false when it cannot be opened or read (a folder, say).
    bool open(const char* path);

    // The next stretch [*begin, *end); false when there is none, and end() says why.
    bool next(const char** begin, const char** end);

    // Back to the start of the file, to be read in smaller pieces; false on a read error.
    bool rewind();

    // Why the last call to next returned false: the file was read, a read failed, or a line
    // was longer than kLineLimit. None while stretches keep coming.
    End end() const { return end_; }

private:
    // Back to the start of the file and the first stretch read; false on a read error.
    bool restart();
    bool fill();

    std::FILE* file_ = nullptr;
    char* buffer_ = nullptr; // capacity_ + 1 bytes, from malloc so that it grows in place
    std::size_t capacity_ = 0;
    std::size_t filled_ = 0; // bytes in the buffer
    std::size_t handed_ = 0; // bytes of the buffer handed out
    char covered_ = '\0';    // the byte that the terminating zero covers
    bool atEnd_ = false;     // the file has no more bytes
    End end_ = End::None;
};

} // namespace objreader
