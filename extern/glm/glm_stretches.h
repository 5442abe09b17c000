// A text's stretches, each read with a scanner of its own, by both passes over the OBJ file
// and by the material libraries; and the reasons, in the reader's words, that stop a text.
#pragma once

#include "glm_line_source.h"
#include "glm_scanner.h"

#include <cstdint>
#include <string>

namespace objreader {

inline std::string byteOrderMarkReason(const char* encoding) {
    return std::string("the file starts with a ") + encoding +
           " byte-order mark; only ASCII and UTF-8 text is read";
}

inline constexpr const char* kZeroByteReason = "the line holds a zero byte; only text is read";

inline std::string longLineReason() {
    return std::string("the line is longer than ") + kLineLimitText;
}

// How reading the stretches ended: the line after the last stretch read, and the byte-order
// mark of a text that is not read ("UTF-16", "UTF-32"), or null.
struct StretchesRead {
    std::uint64_t line;
    const char* refusedEncoding;
};

// Reads the stretches that lines hands out, numbering their lines from line, with
// read(scanner), which returns false to stop. A text's start skips a UTF-8 byte-order mark and
// stops at another.
template <class Read>
StretchesRead readStretches(LineSource& lines, std::uint64_t line, Read&& read) {
    bool atTextStart = lines.partBegin() == 0;
    const char* begin = nullptr;
    const char* end = nullptr;
    while (lines.next(&begin, &end)) {
        Scanner scanner(begin, end, line);
        if (const char* encoding = atTextStart ? scanner.startText() : nullptr) {
            return {line, encoding};
        }
        atTextStart = false;
        if (!read(scanner)) {
            break;
        }
        line = scanner.line();
    }
    return {line, nullptr};
}

} // namespace objreader
