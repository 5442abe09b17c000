#include "glm_file_text.h"

#include <cstring>

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 20;

} // namespace

ObjFileText::~ObjFileText() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool ObjFileText::open(const char* path) {
    file_ = std::fopen(path, "rb");
    if (file_ == nullptr) {
        return false;
    }
    capacity_ = kBufferSize;
    buffer_.reset(new char[capacity_ + 1]);
    // A first read tells a folder, which opens but cannot be read, from a file.
    return rewind();
}

bool ObjFileText::rewind() {
    std::rewind(file_);
    filled_ = 0;
    handed_ = 0;
    atEnd_ = false;
    failed_ = false;
    return fill();
}

// Reads until the buffer is full or the file ends.
bool ObjFileText::fill() {
    while (filled_ < capacity_ && !atEnd_) {
        const std::size_t count =
            std::fread(buffer_.get() + filled_, 1, capacity_ - filled_, file_);
        filled_ += count;
        if (count == 0) {
            atEnd_ = true;
            failed_ = std::ferror(file_) != 0;
        }
    }
    return !failed_;
}

bool ObjFileText::next(const char** begin, const char** end) {
    // What is left after the last stretch moves to the front.
    if (handed_ != 0) {
        buffer_[handed_] = covered_;
    }
    filled_ -= handed_;
    std::memmove(buffer_.get(), buffer_.get() + handed_, filled_);
    handed_ = 0;
    for (;;) {
        if (!fill()) {
            return false;
        }
        const char* lastBreak = nullptr;
        for (std::size_t i = filled_; i > 0 && lastBreak == nullptr; i--) {
            lastBreak = buffer_[i - 1] == '\n' ? &buffer_[i - 1] : nullptr;
        }
        if (lastBreak != nullptr || atEnd_) {
            handed_ = lastBreak != nullptr && !atEnd_
                          ? static_cast<std::size_t>(lastBreak - buffer_.get()) + 1
                          : filled_;
            break;
        }
        // A line longer than the buffer: the buffer grows to hold it whole.
        std::unique_ptr<char[]> larger(new char[2 * capacity_ + 1]);
        std::memcpy(larger.get(), buffer_.get(), filled_);
        buffer_ = std::move(larger);
        capacity_ *= 2;
    }
    if (handed_ == 0) {
        return false;
    }
    covered_ = buffer_[handed_];
    buffer_[handed_] = '\0';
    *begin = buffer_.get();
    *end = buffer_.get() + handed_;
    return true;
}
