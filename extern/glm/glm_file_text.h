// A text file handed to the scanner a stretch of whole lines at a time.
//
// The file is read through one buffer (1 MiB, more only for a longer line), so reading a
// model takes little memory beyond the model itself, and the scanner works on text that
// stays in the processor's cache. Each stretch ends after a line break (or at the end of
// the file) and is followed by a zero byte, so no word or number is ever cut in two.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>

class ObjFileText {
public:
    ObjFileText() = default;
    ObjFileText(const ObjFileText&) = delete;
    ObjFileText& operator=(const ObjFileText&) = delete;
    ~ObjFileText();

    // Opens the file; false when it cannot be opened or read (a folder, say).
    bool open(const char* path);

    // The next stretch [*begin, *end); false at the end of the file or on a read error.
    bool next(const char** begin, const char** end);

    // Back to the start of the file; false on a read error.
    bool rewind();

    // Whether a read failed; the text handed out so far is then incomplete.
    bool failed() const { return failed_; }

private:
    bool fill();

    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t filled_ = 0; // bytes in the buffer
    std::size_t handed_ = 0; // bytes of the buffer handed out
    char covered_ = '\0';    // the byte that the terminating zero covers
    bool atEnd_ = false;
    bool failed_ = false;
};
