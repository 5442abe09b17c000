// A part of a text, handed out a stretch of whole lines at a time.
//
// A line ends at a line break ("\n", "\r\n" or a lone "\r") that no backslash stands right
// before: a backslash there continues the line. A line start is the start of the text or the
// place right after such a break. A part of the text runs from the first line start at or
// after its begin to the first line start at or after its end, so parts that meet at one
// offset share no line and leave none out, whoever reads them.
//
// Each stretch ends at a line start and is followed by a zero byte, so no line is ever cut in
// two and loops over a line stop at its end without a test for it. The buffer holds 256 KiB
// and grows only for a longer line, up to the line limit: a longer line stops the reading.
#pragma once

#include "glm_text_source.h"

#include <cstddef>
#include <cstdint>

namespace objreader {

class LineSource {
public:
    // Why the stretches ended.
    enum class End { None, Read, ReadError, LongLine };

    explicit LineSource(const TextSource& source) : source_(source) {}
    LineSource(const LineSource&) = delete;
    LineSource& operator=(const LineSource&) = delete;
    ~LineSource();

    // Starts on the part of the text between the first line starts at or after begin and at
    // or after end.
    void startPart(std::uint64_t begin, std::uint64_t end);
    // Starts on [begin, end), whose ends a part found earlier.
    void startExact(std::uint64_t begin, std::uint64_t end);

    // The next stretch [*begin, *end); false when there is none, and end() says why.
    bool next(const char** begin, const char** end);

    End end() const { return end_; }
    // The system's error number of a read that failed.
    int error() const { return error_; }
    // Where the part begins in the text, once started; where it ends, once read.
    std::uint64_t partBegin() const { return partBegin_; }
    std::uint64_t partEnd() const { return partEnd_; }
    // Whether the part begins inside a line longer than the limit, which the part before it
    // refuses: it was given up, unread.
    bool abandoned() const { return abandoned_; }

private:
    // Reads until the buffer is full or the text ends; false on a read error.
    bool fill();
    // Whether the text has been read up to its end (or the exact part's).
    bool atTextEnd() const { return offset_ + filled_ >= textEnd_; }
    // Makes room for a line longer than the buffer; false when it is longer than the limit.
    bool grow();
    // Whether the stretch's first line, in a buffer grown to the limit, is longer than it.
    bool firstLineTooLong(std::size_t cut) const;
    // Drops the first count bytes of the buffer.
    void drop(std::size_t count);

    const TextSource& source_;
    char* buffer_ = nullptr; // capacity_ + 1 bytes
    std::size_t capacity_ = 0;
    std::size_t filled_ = 0;
    std::size_t handed_ = 0; // the stretch handed out, whose end the zero byte covers
    char covered_ = '\0';
    std::uint64_t offset_ = 0;  // where buffer_[0] lies in the text
    std::uint64_t textEnd_ = 0; // where reading stops
    std::uint64_t nominalEnd_ = 0;
    bool exact_ = false;
    bool finished_ = false; // the last stretch has been cut
    bool abandoned_ = false;
    bool wantAll_ = false; // the buffer held no whole line: fill it
    std::uint64_t partBegin_ = 0;
    std::uint64_t partEnd_ = 0;
    End end_ = End::None;
    int error_ = 0;
};

} // namespace objreader
