// Temporary files and folders that must not outlive objtool: removed when it is stopped by
// SIGINT, SIGTERM, SIGHUP, SIGPIPE or SIGXFSZ, or ends through exit() (as the model library
// does when it fails), and by their owners otherwise.
#pragma once

#include <optional>
#include <string>
#include <vector>

// While the object lives, a folder and the named files in it are removed if the process ends.
// Objects must end in the reverse order of their making, as locals do.
class RemovedIfStopped {
public:
    RemovedIfStopped(const std::string& folder, const std::vector<std::string>& names);
    ~RemovedIfStopped();
    RemovedIfStopped(const RemovedIfStopped&) = delete;
    RemovedIfStopped& operator=(const RemovedIfStopped&) = delete;

private:
    int count_; // the paths it added
};

// Makes a fresh folder from pattern, which ends in "XXXXXX" as mkdtemp's does, and has
// *removed hold it with the named files in it. The stop signals wait meanwhile, so that none
// finds the folder made and not yet held. Returns the folder, or "" with errno set.
std::string makeRemovableFolder(std::string pattern, const std::vector<std::string>& names,
                                std::optional<RemovedIfStopped>* removed);
