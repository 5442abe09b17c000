// The reader's scanner: word, "%d", "%f" and bounded line reads over text held in memory or
// read from a file a stretch of whole lines at a time.
//
// It behaves like the stdio reads the reader was first written with, without a library call
// per token:
// - a word is a maximal run of non-blank characters ("%s"), returned as a view of the text,
//   so no word length can overflow anything;
// - a number skips blanks first, line breaks included, so it may continue on a later line;
//   a conversion that fails consumes nothing but those blanks and sets nothing;
// - a line piece is what fgets reads into a 128-byte buffer: at most 127 characters, up to
//   and including the line break.
// The byte after the text must be readable and no digit: runs of digits end on it without a
// test for the end. Where numbers are converted with the library (more digits than 64 bits
// hold, infinities, hexadecimal), the text must be followed by a zero byte. Zero bytes
// inside the text count as ordinary characters.
#pragma once

#include "glm_file_text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// Longest line piece, the size of the original reader's word buffer less its terminator.
constexpr std::size_t kObjLinePiece = 127;

class ObjScanner {
public:
    ObjScanner(const char* text, std::size_t size) : begin_(text), pos_(text), end_(text + size) {}
    // Over an open file; its stretches end after line breaks, so no token spans two.
    explicit ObjScanner(ObjFileText& file) : file_(&file) { refill(); }

    // Back to the start of the text, for the second pass.
    void rewind() {
        line_ = 1;
        if (file_ == nullptr) {
            pos_ = begin_;
        } else if (file_->rewind()) {
            refill();
        } else {
            pos_ = end_;
        }
    }

    // The 1-based line of the scanner's position.
    unsigned line() const { return line_; }

    // "%s": skips blanks and returns the next word; false at the end of the text. The view
    // lasts until the next read: reading on may move on to the file's next stretch.
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
        if (pos_ == end_) {
            refill();
        }
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

    // "%d". A value beyond 32 bits saturates, so that it reads as out of range, never wraps.
    bool readInt(std::int32_t* out) { return scanInt<true>(out); }
    // Consumes what "%d" would, without converting: for the pass that only counts.
    bool skipInt() { return scanInt<false>(nullptr); }

    // "%f": the same value as strtof gives for the same characters.
    bool readFloat(float* out);

    static bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

private:
    template <bool convert> bool scanInt(std::int32_t* out) {
        skipBlanks();
        const char* p = pos_;
        const bool negative = p != end_ && *p == '-';
        if (p != end_ && (*p == '-' || *p == '+')) {
            ++p;
        }
        const char* digits = p;
        std::uint32_t value = 0;
        for (; isDigit(*p); ++p) {
            if constexpr (convert) {
                value = value * 10 + static_cast<std::uint32_t>(*p - '0');
            }
        }
        if (p == digits) {
            return false;
        }
        if constexpr (convert) {
            // Up to nine digits cannot overflow; longer runs are converted again, saturating.
            std::int64_t magnitude = value;
            if (p - digits > 9) {
                magnitude = 0;
                for (const char* d = digits; d != p; ++d) {
                    magnitude =
                        std::min<std::int64_t>(magnitude * 10 + (*d - '0'), INT64_C(1) << 32);
                }
            }
            const std::int64_t signedValue = negative ? -magnitude : magnitude;
            *out = static_cast<std::int32_t>(
                std::clamp<std::int64_t>(signedValue, INT32_MIN, INT32_MAX));
        }
        pos_ = p;
        return true;
    }

    void skipBlanks() {
        do {
            while (pos_ != end_ && isBlank(*pos_)) {
                if (*pos_ == '\n') {
                    ++line_;
                }
                ++pos_;
            }
        } while (pos_ == end_ && refill());
    }

    // Moves on to the file's next stretch; false at its end (or for text in memory).
    bool refill() {
        const char* begin = nullptr;
        const char* end = nullptr;
        if (file_ == nullptr) {
            return false;
        }
        if (!file_->next(&begin, &end)) {
            // The old stretch has lost its terminating zero byte: stand on an empty text.
            static const char kNothing[] = "";
            begin_ = pos_ = end_ = kNothing;
            return false;
        }
        begin_ = pos_ = begin;
        end_ = end;
        return true;
    }

    ObjFileText* file_ = nullptr;
    const char* begin_ = nullptr;
    const char* pos_ = nullptr;
    const char* end_ = nullptr;
    unsigned line_ = 1;
};
