#include "data_folder.h"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool holdsData(const fs::path& folder) {
    std::error_code error;
    return !folder.empty() && (fs::is_directory(folder / "textury", error) ||
                               fs::is_directory(folder / "modely", error));
}

} // namespace

fs::path findDataFolder(const DataFolderPlaces& places) {
    const fs::path installed = places.executable.empty()
                                   ? fs::path()
                                   : places.executable.parent_path() / GALLERY_INSTALLED_DATA;
    for (const fs::path& folder :
         {places.current, places.named != nullptr ? fs::path(places.named) : fs::path(), installed,
          places.sourceTree}) {
        if (holdsData(folder)) {
            return folder;
        }
    }
    return {};
}

void enterDataFolder() {
    std::error_code error;
    const DataFolderPlaces places{fs::current_path(error), std::getenv("GALLERY_DATA"),
                                  fs::read_symlink("/proc/self/exe", error), GALLERY_SOURCE_DIR};
    const fs::path folder = findDataFolder(places);
    if (!folder.empty()) {
        fs::current_path(folder, error);
    }
}
