#include "glm_file_text.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace objreader {

namespace {

// The first reading goes in big pieces, for fewer reads; a reading after a rewind, which for
// a model runs while its arrays fill, in small ones, so that it adds little to the peak of
// the memory that reading a model takes.
constexpr std::size_t kBufferSize = std::size_t{1} << 20;
constexpr std::size_t kRereadBufferSize = std::size_t{1} << 16;

// The last line break in [text, text + size) that ends a line, or null.
const char* lastLineEnd(const char* text, std::size_t size) {
    while (size != 0) {
        const char* lineBreak = static_cast<const char*>(memrchr(text, '\n', size));
        if (lineBreak == nullptr || !continued(lineBreak, text)) {
            return lineBreak;
        }
        size = static_cast<std::size_t>(lineBreak - text);
    }
    return nullptr;
}

} // namespace

FileText::~FileText() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
    std::free(buffer_);
}

bool FileText::open(const char* path) {
    file_ = std::fopen(path, "rb");
    if (file_ == nullptr) {
        return false;
    }
    // Every read goes into the buffer below: the stream needs no buffer of its own.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    capacity_ = kBufferSize;
    buffer_ = static_cast<char*>(std::malloc(capacity_ + 1));
    // A first read tells a folder, which opens but cannot be read, from a file.
    return restart();
}

bool FileText::rewind() {
    if (capacity_ > kRereadBufferSize) {
        capacity_ = kRereadBufferSize;
        buffer_ = static_cast<char*>(std::realloc(buffer_, capacity_ + 1));
    }
    return restart();
}

bool FileText::restart() {
    std::rewind(file_);
    filled_ = 0;
    handed_ = 0;
    atEnd_ = false;
    end_ = End::None;
    return fill();
}

// Reads until the buffer is full or the file ends.
bool FileText::fill() {
    while (filled_ < capacity_ && !atEnd_) {
        const std::size_t count = std::fread(buffer_ + filled_, 1, capacity_ - filled_, file_);
        filled_ += count;
        if (count == 0) {
            atEnd_ = true;
            end_ = std::ferror(file_) != 0 ? End::ReadError : end_;
        }
    }
    return end_ != End::ReadError;
}

bool FileText::next(const char** begin, const char** end) {
    // What is left after the last stretch moves to the front.
    if (handed_ != 0) {
        buffer_[handed_] = covered_;
    }
    filled_ -= handed_;
    std::memmove(buffer_, buffer_ + handed_, filled_);
    handed_ = 0;
    for (;;) {
        if (!fill()) {
            return false;
        }
        const char* lineEnd = lastLineEnd(buffer_, filled_);
        if (atEnd_ || lineEnd != nullptr) {
            handed_ = atEnd_ ? filled_ : static_cast<std::size_t>(lineEnd - buffer_) + 1;
            break;
        }
        // A line longer than the buffer: the buffer grows to hold it whole, up to the limit.
        if (capacity_ > kLineLimit) {
            end_ = End::LongLine;
            return false;
        }
        capacity_ = std::min(2 * capacity_, kLineLimit + 1);
        buffer_ = static_cast<char*>(std::realloc(buffer_, capacity_ + 1));
    }
    if (handed_ == 0) {
        end_ = End::Read;
        return false;
    }
    covered_ = buffer_[handed_];
    buffer_[handed_] = '\0';
    *begin = buffer_;
    *end = buffer_ + handed_;
    return true;
}

} // namespace objreader
