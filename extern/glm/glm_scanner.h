// The reader's scanner: word, "%d", "%f" and bounded line reads over text held in memory.
//
// It behaves like the stdio reads the reader was first written with, without a library call
// per token:
// - a word is a maximal run of non-blank characters ("%s"), returned as a view of the text,
//   so no word length can overflow anything;
// - a number skips blanks first, line breaks included, so it may continue on a later line;
//   a conversion that fails consumes nothing but those blanks and sets nothing;
// - a line piece is what fgets reads into a 128-byte buffer: at most 127 characters, up to
//   and including the line break.
// The text must be followed by a zero byte (the float fallback relies on it); zero bytes
// inside it count as ordinary characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Longest line piece, the size of the original reader's word buffer less its terminator.
constexpr std::size_t kObjLinePiece = 127;

class ObjScanner {
public:
    ObjScanner(const char* text, std::size_t size) : begin_(text), pos_(text), end_(text + size) {}

    // Back to the start of the text, for the second pass.
    void rewind() {
        pos_ = begin_;
        line_ = 1;
    }

    // The 1-based line of the scanner's position.
    unsigned line() const { return line_; }
    bool atEnd() const { return pos_ == end_; }

    // "%s": skips blanks and returns the next word; false at the end of the text.
    bool word(std::string_view* out) {
        skipBlanks();
        const char* start = pos_;
        while (pos_ != end_ && !isBlank(*pos_)) {
            ++pos_;
        }
        *out = std::string_view(start, static_cast<std::size_t>(pos_ - start));
        return pos_ != start;
    }

    // One bounded line read: up to kObjLinePiece characters, stopping after a line break.
    std::string_view linePiece() {
        const std::size_t available = static_cast<std::size_t>(end_ - pos_);
        const std::size_t limit = available < kObjLinePiece ? available : kObjLinePiece;
        const char* start = pos_;
        const void* found = std::memchr(pos_, '\n', limit);
        if (found != nullptr) {
            pos_ = static_cast<const char*>(found) + 1;
            ++line_;
        } else {
            pos_ += limit;
        }
        return std::string_view(start, static_cast<std::size_t>(pos_ - start));
    }

    // A literal character of a scanf pattern: consumed only when it is next.
    bool literal(char c) {
        if (pos_ != end_ && *pos_ == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    // "%d": a value beyond 32 bits saturates, so that it reads as out of range, never wraps.
    bool readInt(std::int32_t* out) {
        skipBlanks();
        const char* p = pos_;
        const bool negative = p != end_ && *p == '-';
        if (p != end_ && (*p == '-' || *p == '+')) {
            ++p;
        }
        if (p == end_ || !isDigit(*p)) {
            return false;
        }
        std::int64_t value = 0;
        for (; p != end_ && isDigit(*p); ++p) {
            if (value <= INT64_C(1) << 32) {
                value = value * 10 + (*p - '0');
            }
        }
        value = negative ? -value : value;
        *out = value > INT32_MAX   ? INT32_MAX
               : value < INT32_MIN ? INT32_MIN
                                   : static_cast<std::int32_t>(value);
        pos_ = p;
        return true;
    }

    // "%f": the same value as strtof gives for the same characters.
    bool readFloat(float* out);

    static bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

private:
    void skipBlanks() {
        while (pos_ != end_ && isBlank(*pos_)) {
            if (*pos_ == '\n') {
                ++line_;
            }
            ++pos_;
        }
    }

    const char* begin_;
    const char* pos_;
    const char* end_;
    unsigned line_ = 1;
};
