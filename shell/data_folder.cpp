#include "data_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool holdsData(const fs::path& folder) {
    std::error_code error;
    return !folder.empty() && (fs::is_directory(folder / "textury", error) ||
                               fs::is_directory(folder / "modely", error));
}

bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return !a.empty() && !b.empty() && fs::equivalent(a, b, error);
}

// Why a place that holds no data was passed over.
std::string passedOver(const DataFolderCandidate& candidate) {
    if (candidate.folder.empty()) {
        return "not set";
    }
    std::error_code error;
    const fs::file_status status = fs::status(candidate.folder, error);
    if (status.type() == fs::file_type::not_found) {
        return std::strerror(ENOENT);
    }
    if (error) {
        return error.message();
    }
    if (!fs::is_directory(status)) {
        return std::strerror(ENOTDIR);
    }
    return "holds neither textury/ nor modely/";
}

} // namespace

std::vector<DataFolderCandidate> dataFolderCandidates(const DataFolderPlaces& places) {
    std::vector<DataFolderCandidate> candidates = {
        {places.current, "the folder the game was started in"},
        {places.named != nullptr && *places.named != '\0' ? fs::path(places.named) : fs::path(),
         "GALLERY_DATA"},
    };
    if (!places.executable.empty()) {
        candidates.push_back(
            {(places.executable.parent_path() / GALLERY_INSTALLED_DATA).lexically_normal(),
             "the installed data folder"});
    }
    if (sameFolder(places.executable.parent_path(), places.buildTree)) {
        candidates.push_back({places.sourceTree, "the source tree of this build"});
    }
    return candidates;
}

fs::path findDataFolder(const DataFolderPlaces& places) {
    for (const DataFolderCandidate& candidate : dataFolderCandidates(places)) {
        if (holdsData(candidate.folder)) {
            return candidate.folder;
        }
    }
    return {};
}

std::string noDataFolderMessage(const DataFolderPlaces& places) {
    std::string message =
        "gallery: no data folder found; none of these places holds textury/ or modely/:\n";
    for (const DataFolderCandidate& candidate : dataFolderCandidates(places)) {
        message += "  " + candidate.what + ": " +
                   (candidate.folder.empty() ? "" : candidate.folder.string() + ": ") +
                   passedOver(candidate) + "\n";
    }
    return message + "Set GALLERY_DATA to the folder that holds textury/ and modely/, for "
                     "example:\n  GALLERY_DATA=/path/to/data gallery\n";
}

bool enterDataFolder() {
    std::error_code error;
    const DataFolderPlaces places{fs::current_path(error), std::getenv("GALLERY_DATA"),
                                  fs::read_symlink("/proc/self/exe", error), GALLERY_BUILD_DIR,
                                  GALLERY_SOURCE_DIR};
    const fs::path folder = findDataFolder(places);
    if (folder.empty()) {
        std::fputs(noDataFolderMessage(places).c_str(), stderr);
        return false;
    }
    fs::current_path(folder, error);
    if (error) {
        std::fprintf(stderr, "gallery: cannot enter the data folder \"%s\": %s\n", folder.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}
