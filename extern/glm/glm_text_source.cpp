#include "glm_text_source.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace objreader {

TextSource::~TextSource() {
    if (ownsDescriptor_) {
        close(descriptor_);
    }
    std::free(held_);
}

bool TextSource::open(const char* path, int descriptor, int* error) {
    descriptor_ = descriptor;
    if (descriptor_ == -1) {
        descriptor_ = ::open(path, O_RDONLY | O_CLOEXEC);
        ownsDescriptor_ = descriptor_ != -1;
    }
    struct stat status {};
    if (descriptor_ == -1 || fstat(descriptor_, &status) != 0) {
        *error = errno;
        return false;
    }
    if (S_ISDIR(status.st_mode)) {
        *error = EISDIR;
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        if (!readOnce()) {
            *error = errno;
            return false;
        }
        return true;
    }
    changedAt_[0] = status.st_mtim.tv_sec;
    changedAt_[1] = status.st_mtim.tv_nsec;
    fileSize_ = static_cast<std::uint64_t>(status.st_size);
    const off_t position = lseek(descriptor_, 0, SEEK_CUR);
    base_ = position > 0 ? static_cast<std::uint64_t>(position) : 0;
    size_ =
        static_cast<std::uint64_t>(status.st_size) - std::min<std::uint64_t>(base_, status.st_size);
    return true;
}

void TextSource::view(std::string_view text) {
    text_ = text.data();
    size_ = text.size();
}

bool TextSource::readOnce() {
    std::size_t capacity = std::size_t{1} << 20;
    std::size_t filled = 0;
    std::size_t lineStart = 0; // just after the last line break read
    for (;;) {
        if (filled == capacity) {
            char* grown = static_cast<char*>(std::realloc(held_, 2 * capacity));
            if (grown == nullptr) {
                errno = ENOMEM;
                return false;
            }
            held_ = grown;
            capacity *= 2;
        } else if (held_ == nullptr) {
            held_ = static_cast<char*>(std::malloc(capacity));
            if (held_ == nullptr) {
                errno = ENOMEM;
                return false;
            }
        }
        // A megabyte at a time, so that an endless input stops within a megabyte of the limit.
        const ssize_t count =
            ::read(descriptor_, held_ + filled, std::min(capacity - filled, std::size_t{1} << 20));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return false;
        }
        if (count == 0) {
            break;
        }
        const std::size_t piece = static_cast<std::size_t>(count);
        for (const int lineBreak : {'\n', '\r'}) {
            const void* last = memrchr(held_ + filled, lineBreak, piece);
            if (last != nullptr) {
                lineStart = std::max<std::size_t>(
                    lineStart,
                    static_cast<std::size_t>(static_cast<const char*>(last) - held_) + 1);
            }
        }
        filled += piece;
        // A line past the limit is refused where it stands: the rest is never needed, and
        // an endless input (/dev/zero) ends here.
        if (filled - lineStart > kLineLimit + 2) {
            break;
        }
    }
    text_ = held_;
    size_ = filled;
    return true;
}

bool TextSource::changed() const {
    struct stat status {};
    if (text_ != nullptr) {
        return false;
    }
    return fstat(descriptor_, &status) != 0 || status.st_mtim.tv_sec != changedAt_[0] ||
           status.st_mtim.tv_nsec != changedAt_[1] ||
           static_cast<std::uint64_t>(status.st_size) != fileSize_;
}

std::int64_t TextSource::read(std::uint64_t offset, char* buffer, std::size_t count) const {
    if (offset >= size_) {
        return 0;
    }
    count = static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset));
    if (text_ != nullptr) {
        std::memcpy(buffer, text_ + offset, count);
        return static_cast<std::int64_t>(count);
    }
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = pread(descriptor_, buffer + done, count - done,
                                  static_cast<off_t>(base_ + offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break; // the file shrank: the reading finds it changed
        }
        done += static_cast<std::size_t>(got);
    }
    return static_cast<std::int64_t>(done);
}

} // namespace objreader
