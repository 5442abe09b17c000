// Files that appear whole or not at all: they are written into a fresh folder beside their
// destination under their final names, and moved into place only once all are complete.
#pragma once

#include <string>
#include <utility>
#include <vector>

class StagingFolder {
public:
    StagingFolder() = default;
    // Removes the folder and whatever is still in it.
    ~StagingFolder();
    StagingFolder(const StagingFolder&) = delete;
    StagingFolder& operator=(const StagingFolder&) = delete;

    // Makes the folder in directory, to be moved into destination; false with a message when
    // it cannot. Until the folder is committed or destroyed, a process that ends through
    // exit() (as the model library's writer does when a write fails) removes it too and
    // says on standard error that destination was left as it was.
    bool create(const std::string& directory, const std::string& destination, std::string* error);
    // Where the file of this name is written.
    std::string file(const std::string& name) const;
    // Moves each (name, destination) whose file was written, in order; false with a message
    // when a move fails.
    bool commit(const std::vector<std::pair<std::string, std::string>>& moves, std::string* error);

private:
    // Removes the folder; true when it still held files.
    bool discard();
    // The exit handler: discards the folder not yet committed or destroyed.
    static void discardActive();

    std::string folder_;
    std::string destination_;
};
