#include "glm_line_source.h"
#include "glm_digits.h"
#include "glm_text_search.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace objreader {

namespace {

// Stretches are read this many bytes at a time: a few such buffers per reading add little
// to the memory it takes, and the text they hold stays in the processor's cache.
constexpr std::size_t kStretchBytes = std::size_t{256} << 10;
constexpr std::size_t kSmallRead = std::size_t{4} << 10;
// A line of the limit and its "\r\n" fit in the largest buffer.
constexpr std::size_t kLargestBuffer = kLineLimit + 2;
constexpr std::size_t kNowhere = SIZE_MAX;

enum class Start { No, Yes, Unknown };

// Whether offset i of text (1 <= i <= size) is a line start. A lone carriage return at the
// end is one only at the end of the text: a "\n" may follow. Bytes before the text are taken
// for no backslash: text always starts at a line start, or a little before the place looked at.
Start lineStartAt(const char* text, std::size_t i, std::size_t size, bool atEnd) {
    std::size_t lineBreak = i - 1;
    if (text[lineBreak] == '\n') {
        lineBreak -= lineBreak > 0 && text[lineBreak - 1] == '\r' ? 1 : 0;
    } else if (text[lineBreak] == '\r') {
        if (i == size && !atEnd) {
            return Start::Unknown;
        }
        if (i < size && text[i] == '\n') {
            return Start::No;
        }
    } else {
        return Start::No;
    }
    return lineBreak > 0 && text[lineBreak - 1] == '\\' ? Start::No : Start::Yes;
}

// The first line start in [from, size] of text, or kNowhere; from >= 1.
std::size_t firstLineStart(const char* text, std::size_t from, std::size_t size, bool atEnd) {
    for (std::size_t i = from; i <= size; i++) {
        if (charClass(text[i - 1]) != kLineBreak) {
            continue;
        }
        const Start start = lineStartAt(text, i, size, atEnd);
        if (start != Start::No) {
            return start == Start::Yes ? i : kNowhere;
        }
    }
    return kNowhere;
}

// The last line start in (0, size] of text, or 0.
std::size_t lastLineStart(const char* text, std::size_t size, bool atEnd) {
    for (std::size_t i = size; i > 0; i--) {
        if (charClass(text[i - 1]) == kLineBreak &&
            lineStartAt(text, i, size, atEnd) == Start::Yes) {
            return i;
        }
    }
    return 0;
}

// The length of the first line of text, without its line break; size when text holds no
// whole line.
std::size_t firstLineLength(const char* text, std::size_t size, bool atEnd) {
    const std::size_t start = firstLineStart(text, 1, size, atEnd);
    if (start == kNowhere) {
        return size;
    }
    const bool crlf = text[start - 1] == '\n' && start >= 2 && text[start - 2] == '\r';
    return start - 1 - (crlf ? 1 : 0);
}

} // namespace

LineSource::~LineSource() {
    std::free(buffer_);
}

void LineSource::startPart(std::uint64_t begin, std::uint64_t end) {
    exact_ = false;
    nominalEnd_ = end;
    textEnd_ = source_.size();
    finished_ = abandoned_ = wantAll_ = false;
    end_ = End::None;
    handed_ = filled_ = 0;
    // Read from a little before begin, to see whether the bytes there continue a line.
    offset_ = begin - std::min<std::uint64_t>(begin, 3);
    partBegin_ = begin;
    while (begin != 0) {
        if (!fill()) {
            return;
        }
        const std::size_t from = begin > offset_ ? static_cast<std::size_t>(begin - offset_) : 1;
        const std::size_t start = firstLineStart(buffer_, from, filled_, atTextEnd());
        if (start != kNowhere) {
            drop(start);
            partBegin_ = offset_;
            break;
        }
        if (atTextEnd()) {
            partBegin_ = textEnd_;
            break;
        }
        if (offset_ + filled_ - begin > kLargestBuffer) {
            // begin lies in a line longer than the limit, which an earlier part refuses.
            abandoned_ = true;
            partBegin_ = offset_ + filled_;
            break;
        }
        drop(filled_ - std::min<std::size_t>(filled_, 3)); // the last bytes stay for the next look
        wantAll_ = true;
    }
    wantAll_ = false;
    if (abandoned_ || partBegin_ >= nominalEnd_ || partBegin_ >= textEnd_) {
        finished_ = true;
        partEnd_ = partBegin_;
    }
}

void LineSource::startExact(std::uint64_t begin, std::uint64_t end) {
    exact_ = true;
    offset_ = partBegin_ = begin;
    textEnd_ = partEnd_ = std::min<std::uint64_t>(end, source_.size());
    finished_ = begin >= textEnd_;
    wantAll_ = false;
    abandoned_ = false;
    end_ = End::None;
    handed_ = filled_ = 0;
}

bool LineSource::fill() {
    // A part reads little past its nominal end at first: most parts end right there, and a
    // small part (as tests cut them) costs no more than its size.
    std::size_t target = capacity_;
    if (!exact_ && !wantAll_) {
        const std::uint64_t toEnd = nominalEnd_ - std::min(nominalEnd_, offset_);
        target = static_cast<std::size_t>(std::min<std::uint64_t>(
            kStretchBytes, std::max<std::uint64_t>(toEnd, filled_) + kSmallRead));
    }
    if (buffer_ == nullptr) {
        // A small text takes a small buffer.
        capacity_ = static_cast<std::size_t>(std::min<std::uint64_t>(
            kStretchBytes, (source_.size() + kSmallRead) & ~(kSmallRead - 1)));
        buffer_ = static_cast<char*>(std::malloc(capacity_ + 1 + kReadAhead));
        if (buffer_ == nullptr) {
            error_ = ENOMEM;
            end_ = End::ReadError;
            return false;
        }
    }
    target = std::min(target, capacity_);
    while (filled_ < target && !atTextEnd()) {
        const std::uint64_t wanted =
            std::min<std::uint64_t>(target - filled_, textEnd_ - offset_ - filled_);
        const std::int64_t got =
            source_.read(offset_ + filled_, buffer_ + filled_, static_cast<std::size_t>(wanted));
        if (got < 0) {
            error_ = errno;
            end_ = End::ReadError;
            return false;
        }
        if (got == 0) {
            textEnd_ = offset_ + filled_; // the file shrank
        }
        filled_ += static_cast<std::size_t>(got);
    }
    // What the scanner may read past a stretch's end is set, whatever the file held.
    std::memset(buffer_ + filled_, 0, 1 + kReadAhead);
    return true;
}

void LineSource::drop(std::size_t count) {
    std::memmove(buffer_, buffer_ + count, filled_ - count);
    filled_ -= count;
    offset_ += count;
}

bool LineSource::grow() {
    std::size_t needed = 2 * capacity_;
    if (const char* text = source_.memory()) {
        // Text in memory shows the line's length before anything is copied: an endless line
        // costs no second copy of it.
        const std::size_t rest = static_cast<std::size_t>(
            std::min<std::uint64_t>(source_.size() - offset_, kLargestBuffer + 1));
        const bool toTheEnd = offset_ + rest == source_.size();
        if (firstLineLength(text + offset_, rest, toTheEnd) > kLineLimit) {
            return false;
        }
        needed = std::max(needed, rest);
    }
    if (capacity_ >= kLargestBuffer) {
        return false;
    }
    capacity_ = std::min(needed, kLargestBuffer);
    char* grown = static_cast<char*>(std::realloc(buffer_, capacity_ + 1 + kReadAhead));
    if (grown == nullptr) {
        return false;
    }
    buffer_ = grown;
    return true;
}

bool LineSource::firstLineTooLong(std::size_t cut) const {
    return capacity_ > kLineLimit && firstLineLength(buffer_, cut, true) > kLineLimit;
}

bool LineSource::next(const char** begin, const char** end) {
    if (handed_ != 0) {
        buffer_[handed_] = covered_;
        drop(handed_);
        handed_ = 0;
    }
    if (end_ != End::None) {
        return false;
    }
    if (finished_) {
        end_ = End::Read;
        return false;
    }
    std::size_t cut = 0;
    for (;;) {
        if (!fill()) {
            return false;
        }
        const bool atEnd = atTextEnd();
        cut = kNowhere;
        if (exact_ && atEnd) {
            cut = filled_;
        } else if (!exact_ && (offset_ + filled_ >= nominalEnd_ || atEnd)) {
            // The part ends at the first line start at or after its nominal end.
            const std::size_t from = static_cast<std::size_t>(
                std::max<std::uint64_t>(nominalEnd_ - std::min(nominalEnd_, offset_), 1));
            cut = from <= filled_ ? firstLineStart(buffer_, from, filled_, atEnd) : kNowhere;
            cut = cut == kNowhere && atEnd ? filled_ : cut;
        }
        if (cut != kNowhere) {
            finished_ = true;
            partEnd_ = offset_ + cut;
        } else {
            cut = lastLineStart(buffer_, filled_, atEnd);
        }
        if (cut != 0 || finished_) {
            break;
        }
        if (filled_ < capacity_ && !wantAll_) {
            wantAll_ = true; // no whole line yet: the next fill reads all it can
            continue;
        }
        if (!grow()) {
            end_ = End::LongLine;
            return false;
        }
    }
    wantAll_ = false;
    if (firstLineTooLong(cut)) {
        end_ = End::LongLine;
        return false;
    }
    if (cut == 0) {
        end_ = End::Read;
        return false;
    }
    covered_ = buffer_[cut];
    buffer_[cut] = '\0';
    handed_ = cut;
    *begin = buffer_;
    *end = buffer_ + cut;
    return true;
}

} // namespace objreader
