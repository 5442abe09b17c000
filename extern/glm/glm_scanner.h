// The reader's scanner: lines, words and "%f" numbers over one stretch of whole lines.
//
// OBJ and MTL files are read a line at a time, each line read whole whatever its length:
// - a line ends at "\n", "\r\n" or a lone "\r", unless a backslash stands right before that
//   break: then the line goes on after it, and the continuation reads as a blank. The
//   scanner counts physical lines for messages;
// - a word is a maximal run of characters that are neither blanks nor a line's end, returned
//   as a view of the text: no word length can overflow anything;
// - numbers, words and the rest of a line are read within the current line only.
//
// The text must be followed by a zero byte and kReadAhead more bytes that may be read: runs of
// blanks, word characters and digits end on it without a test for the end, and searches read
// many bytes at a time. A zero byte inside the text stops every loop as the end does; the
// scanner then stands on it, and the reader refuses the text.
#pragma once

#include "glm_text_search.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace objreader {

class Scanner {
public:
    // Over [begin, end), whose first line has the number line.
    Scanner(const char* begin, const char* end, std::uint64_t line)
        : pos_(begin), end_(end), line_(line) {}

    // The physical line of the scanner's position.
    std::uint64_t line() const { return line_; }
    const char* position() const { return pos_; }
    void moveTo(const char* p) { pos_ = p; }
    bool atEnd() const { return pos_ == end_; }

    // At the start of a text: skips a UTF-8 byte-order mark; returns "UTF-16" or "UTF-32" for
    // the marks of texts that are not read, else null.
    const char* startText();

    // Skips blanks and continuations.
    void skipBlanks() {
        const char* p = pos_;
        for (;;) {
            while (charClass(*p) == kBlank) {
                ++p;
            }
            const std::size_t length = *p == '\\' ? continuation(p) : 0;
            if (length == 0) {
                break;
            }
            p += length;
            ++line_;
        }
        pos_ = p;
    }

    // The next word on the current line; empty at the line's end.
    std::string_view word() {
        skipBlanks();
        const char* const start = pos_;
        pos_ = wordEnd(pos_);
        return std::string_view(start, static_cast<std::size_t>(pos_ - start));
    }

    // Where the word at p ends: a word holds the backslashes that continue nothing.
    static const char* wordEnd(const char* p) {
        for (;;) {
            while (charClass(*p) == kWordChar) {
                ++p;
            }
            if (*p != '\\' || continuation(p) != 0) {
                return p;
            }
            ++p;
        }
    }

    // The rest of the current line from its next word on, continuations included, up to its
    // line break.
    std::string_view rest() {
        skipBlanks();
        const char* const start = pos_;
        pos_ = lineEnd(pos_);
        return std::string_view(start, static_cast<std::size_t>(pos_ - start));
    }

    // Moves past the end of the current line, or to the end of the text or a zero byte.
    void endLine() {
        // Most lines end right after what was read of them, maybe after blanks.
        const char* p = pos_;
        while (isBlank(*p)) {
            ++p;
        }
        passLineEnd(charClass(*p) == kLineBreak ? p : lineEnd(p));
    }

    // Moves past blanks, continuations, line breaks and comments to the next statement's
    // keyword; false at the end of the text or on a zero byte inside it.
    bool toStatement() {
        for (;;) {
            skipBlanks();
            if (*pos_ == '#') {
                endPhysicalLine();
            } else if (charClass(*pos_) == kLineBreak) {
                passLineEnd(pos_);
            } else {
                return *pos_ != '\0';
            }
        }
    }

    // Moves past the end of the current line from anywhere in it, reading nothing more.
    void skipLine() { passLineEnd(lineEnd(pos_)); }

    // Moves past the end of the current physical line, whatever its last character: a
    // comment ends there.
    void endPhysicalLine() {
        const char* p = findStop(pos_);
        while (*p == '\\') {
            p = findStop(p + 1);
        }
        passLineEnd(p);
    }

    // Moves past the line break at p, counting it; stays at p when p holds a zero byte.
    void passLineEnd(const char* p) {
        if (*p == '\n') {
            pos_ = p + 1;
            ++line_;
        } else if (*p == '\r') {
            pos_ = p + (p[1] == '\n' ? 2 : 1);
            ++line_;
        } else {
            pos_ = p;
        }
    }

    // "%f" within the line: the same value as strtof gives for the same characters. A
    // conversion that fails consumes nothing but blanks and sets nothing.
    bool readFloat(float* out) { return readFloats(out, 1) == 1; }
    // Reads up to count values as readFloat does, stopping at the first that does not convert;
    // returns how many it read.
    int readFloats(float* values, int count);

    // The length of the continuation at p (a backslash and a line break), or 0. The zero byte
    // after the text stops the test, being no line break.
    static std::size_t continuation(const char* p) {
        if (p[1] == '\n') {
            return 2;
        }
        if (p[1] == '\r') {
            return p[2] == '\n' ? 3 : 2;
        }
        return 0;
    }

private:
    // The line break or zero byte that ends the line that p stands in; counts the continued
    // line breaks on the way.
    const char* lineEnd(const char* p) {
        for (;;) {
            p = findStop(p);
            if (*p != '\\') {
                return p;
            }
            const std::size_t length = continuation(p);
            line_ += length != 0 ? 1 : 0;
            p += length != 0 ? length : 1;
        }
    }

    // readFloat for the texts that are no plain decimal, after the blanks.
    bool readOtherFloat(float* out);

    const char* pos_;
    const char* end_;
    std::uint64_t line_;
};

} // namespace objreader
