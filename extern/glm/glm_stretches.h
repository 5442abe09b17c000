// A part's stretches, each read with a scanner of its own, by both passes.
#pragma once

#include "glm_line_source.h"
#include "glm_reader.h"
#include "glm_scanner.h"

#include <cstdint>

namespace objreader {

// Reads the stretches that lines hands out, numbering their lines from line, with
// read(scanner, atTextStart), which returns false after recording a fault. Stops early when a
// part before index failed. Returns the line after the last stretch read.
template <class Read>
std::uint64_t readStretches(const Reading& reading, std::size_t index, LineSource& lines,
                            std::uint64_t line, Read&& read) {
    bool atTextStart = lines.partBegin() == 0;
    const char* begin = nullptr;
    const char* end = nullptr;
    while (lines.next(&begin, &end)) {
        if (reading.failedBefore(index)) {
            break;
        }
        Scanner scanner(begin, end, line);
        if (!read(scanner, atTextStart)) {
            break;
        }
        atTextStart = false;
        line = scanner.line();
    }
    return line;
}

} // namespace objreader
