// The reader's scanner: lines, words and "%f" numbers over text held in memory or read from
// a file a stretch of whole lines at a time.
//
// OBJ and MTL files are read a line at a time, each line read whole whatever its length:
// - a line ends at a line break, unless a backslash stands right before the break (a
//   carriage return may come between them): then the line goes on after it, and that
//   continuation reads as a blank. The scanner counts physical lines for messages;
// - a word is a maximal run of characters that are neither blanks nor a line's end, returned
//   as a view of the text: no word length can overflow anything;
// - numbers, words and the rest of a line are read within the current line only.
// A UTF-8 byte-order mark at the start of the text is skipped; UTF-16 and UTF-32 marks are
// reported for the reader to refuse.
//
// The text must be followed by a zero byte: runs of blanks, word characters and digits end
// on it without a test for the end, and the library converts numbers up to it. Zero bytes
// inside the text count as ordinary characters.
#pragma once

#include "glm_file_text.h"
#include "glm_text_search.h"

#include <cstddef>
#include <cstring>
#include <string_view>

namespace objreader {

class Scanner {
public:
    Scanner(const char* text, std::size_t size) : begin_(text), pos_(text), end_(text + size) {
        startText();
    }
    // Over an open file; its stretches end after whole lines, so no line spans two.
    explicit Scanner(FileText& file) : file_(&file) {
        refill();
        startText();
    }

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
        startText();
    }

    // The 1-based physical line of the scanner's position.
    unsigned line() const { return line_; }

    // "UTF-16" or "UTF-32" when the text starts with such a byte-order mark, else null.
    const char* refusedEncoding() const { return refusedEncoding_; }

    // Why a file's text ended; FileText::End::None for text in memory.
    FileText::End fileEnd() const { return file_ == nullptr ? FileText::End::None : file_->end(); }

    // Moves to the next line that holds a word and returns that word, its keyword; false at
    // the end of the text. The keyword's line must have been ended first.
    bool nextLine(std::string_view* keyword) {
        for (;;) {
            skipBlanks();
            if (pos_ == end_) {
                if (!refill()) {
                    return false;
                }
            } else if (*pos_ == '\n') {
                ++pos_;
                ++line_;
            } else {
                return word(keyword);
            }
        }
    }

    // The next word on the current line; false, with an empty word, at the line's end.
    bool word(std::string_view* out) {
        skipBlanks();
        const char* p = pos_;
        for (;;) {
            while (charClass(*p) == kWordChar) {
                ++p;
            }
            const CharClass stop = charClass(*p);
            if (p == end_ || !(stop == kZeroByte || (stop == kBackslash && continuation(p) == 0))) {
                break;
            }
            ++p; // a zero byte inside the text, or a backslash that continues nothing
        }
        *out = std::string_view(pos_, static_cast<std::size_t>(p - pos_));
        pos_ = p;
        return !out->empty();
    }

    // The rest of the current line from its next word on, continuations included, up to
    // its line break.
    std::string_view rest() {
        skipBlanks();
        const char* start = pos_;
        pos_ = lineEnd(pos_);
        return std::string_view(start, static_cast<std::size_t>(pos_ - start));
    }

    // Moves past the end of the current line.
    void endLine() {
        // Most lines end right after what was read of them, maybe after blanks.
        const char* p = pos_;
        while (isBlank(*p)) {
            ++p;
        }
        if (*p == '\n' && !continued(p, begin_)) {
            pos_ = p + 1;
            ++line_;
            return;
        }
        pos_ = lineEnd(pos_);
        if (pos_ != end_) {
            ++pos_;
            ++line_;
        }
    }

    // Moves past the end of the current physical line, whatever its last character: a
    // comment ends there.
    void endPhysicalLine() {
        const void* lineBreak = std::memchr(pos_, '\n', static_cast<std::size_t>(end_ - pos_));
        if (lineBreak == nullptr) {
            pos_ = end_;
        } else {
            pos_ = static_cast<const char*>(lineBreak) + 1;
            ++line_;
        }
    }

    // "%f" within the line: the same value as strtof gives for the same characters. A
    // conversion that fails consumes nothing but blanks and sets nothing.
    bool readFloat(float* out) { return readFloats(out, 1) == 1; }
    // Reads up to count values as readFloat does, stopping at the first that does not convert;
    // returns how many it read.
    int readFloats(float* values, int count);

    // For the reader's quick paths, which read common lines without the scanner's word by
    // word steps: where the scanner stands (at the start of a line between statements),
    // where the text ends (a zero byte stands there), moving within the current line, and
    // moving past the line break at lineBreak, which no backslash continues, or to the end
    // of the text.
    const char* position() const { return pos_; }
    const char* textEnd() const { return end_; }
    void moveTo(const char* p) { pos_ = p; }
    void passLineBreak(const char* lineBreak) {
        pos_ = lineBreak;
        if (pos_ != end_) {
            ++pos_;
            ++line_;
        }
    }

    // Blanks within a line; the line break is no blank.
    static bool isBlank(char c) { return objreader::isBlank(c); }
    static bool isDigit(char c) { return objreader::isDigit(c); }

private:
    // The length of the continuation at p (a backslash, maybe a carriage return, a line
    // break), or 0. The byte after the text stops the test, being no line break.
    static std::size_t continuation(const char* p) {
        if (p[1] == '\n') {
            return 2;
        }
        return p[1] == '\r' && p[2] == '\n' ? 3 : 0;
    }

    // The line break that ends the line that p stands in, or the end of the text; counts the
    // continued line breaks on the way.
    const char* lineEnd(const char* p) {
        for (;;) {
            p = findBreakOrBackslash(p, end_);
            if (p == end_ || *p == '\n') {
                return p;
            }
            const std::size_t length = continuation(p);
            line_ += length != 0 ? 1 : 0;
            p += length != 0 ? length : 1;
        }
    }

    void skipBlanks() {
        const char* p = pos_;
        for (;;) {
            while (charClass(*p) == kBlank) {
                ++p;
            }
            // A backslash is never the zero byte after the text.
            const std::size_t length = *p == '\\' ? continuation(p) : 0;
            if (length == 0) {
                break;
            }
            p += length;
            ++line_;
        }
        pos_ = p;
    }

    // Skips a UTF-8 byte-order mark at the start of the text and notes the refused ones.
    void startText();

    // readFloat for the texts that are no plain decimal, after the blanks.
    bool readOtherFloat(float* out);

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

    FileText* file_ = nullptr;
    const char* begin_ = nullptr;
    const char* pos_ = nullptr;
    const char* end_ = nullptr;
    unsigned line_ = 1;
    const char* refusedEncoding_ = nullptr;
};

} // namespace objreader
