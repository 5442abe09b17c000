#include "objtool_pipes.h"

#include "objtool_cleanup.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// One pipe and the thread that copies it.
struct PipeCopy {
    int source = -1; // the pipe's reading end
    // A writing end of objtool's own, closed once the writer is done: until then the copy
    // waits for the writer instead of ending before the writer has opened the pipe.
    int held = -1;
    int error = 0; // errno of the first write to the destination that failed
    bool arrived = false;
    std::thread thread;
};

int writeAll(int descriptor, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(descriptor, data, size);
        if (written < 0 && errno != EINTR) {
            return errno;
        }
        if (written > 0) {
            data += written;
            size -= std::size_t(written);
        }
    }
    return 0;
}

void copyPipe(PipeCopy* copy, int destination) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = read(copy->source, buffer, sizeof buffer);
        if (got == 0 || (got < 0 && errno != EINTR)) {
            return;
        }
        if (got > 0) {
            copy->arrived = true;
            // After a failed write the rest is read and dropped, so that the writer finishes.
            if (copy->error == 0 && destination >= 0) {
                copy->error = writeAll(destination, buffer, std::size_t(got));
            }
        }
    }
}

// The folder of pipes: made in the system's temporary folder, and removed with its pipes when
// the object ends, the copies finished first.
class PipeFolder {
public:
    PipeFolder() = default;
    ~PipeFolder() {
        finish();
        for (const std::string& name : names_) {
            unlink((folder_ + "/" + name).c_str());
        }
        if (!folder_.empty()) {
            rmdir(folder_.c_str());
        }
    }
    PipeFolder(const PipeFolder&) = delete;
    PipeFolder& operator=(const PipeFolder&) = delete;

    bool create(const std::vector<PipedFile>& files, std::string* error) {
        std::error_code ignored;
        const std::string temporary = std::filesystem::temp_directory_path(ignored).string();
        for (const PipedFile& file : files) {
            names_.push_back(file.name);
        }
        folder_ = makeRemovableFolder(temporary + "/objtool-XXXXXX", names_, &removed_);
        if (folder_.empty()) {
            *error = "can't make a folder in \"" + temporary + "\": " + std::strerror(errno);
            return false;
        }
        copies_ = std::vector<PipeCopy>(files.size());
        for (std::size_t i = 0; i < files.size(); i++) {
            const std::string path = folder_ + "/" + files[i].name;
            PipeCopy& copy = copies_[i];
            // Opened without waiting, for a pipe that no one writes yet; the copy then waits.
            if (mkfifo(path.c_str(), 0600) != 0 ||
                (copy.source = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) < 0 ||
                (copy.held = open(path.c_str(), O_WRONLY | O_CLOEXEC)) < 0 ||
                fcntl(copy.source, F_SETFL, O_RDONLY) != 0) {
                *error = "can't make a pipe in \"" + temporary + "\": " + std::strerror(errno);
                return false;
            }
            copy.thread = std::thread(copyPipe, &copy, files[i].destination);
        }
        return true;
    }

    const std::string& path() const { return folder_; }

    // Ends the copies once the writer has closed its ends; the copies' outcome is then final.
    std::vector<PipeCopy>& finish() {
        for (PipeCopy& copy : copies_) {
            if (copy.held >= 0) {
                close(copy.held);
                copy.held = -1;
            }
        }
        for (PipeCopy& copy : copies_) {
            if (copy.thread.joinable()) {
                copy.thread.join();
            }
            if (copy.source >= 0) {
                close(copy.source);
                copy.source = -1;
            }
        }
        return copies_;
    }

private:
    std::string folder_;
    std::vector<std::string> names_;
    std::optional<RemovedIfStopped> removed_;
    std::vector<PipeCopy> copies_;
};

} // namespace

bool writeThroughPipes(std::vector<PipedFile>* files, const FolderWrite& write,
                       std::string* error) {
    PipeFolder folder;
    if (!folder.create(*files, error) || !write(folder.path(), error)) {
        return false;
    }
    const std::vector<PipeCopy>& copies = folder.finish();
    for (std::size_t i = 0; i < files->size(); i++) {
        (*files)[i].arrived = copies[i].arrived;
        if (copies[i].error != 0) {
            *error = "can't write " + (*files)[i].shownAs + ": " + std::strerror(copies[i].error);
            return false;
        }
    }
    return true;
}
