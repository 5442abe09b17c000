// Where the game reads its data: every name it opens ("textury/...", "modely/...") is relative,
// so before start-up the program settles on the folder that holds them and works from there.
#pragma once

#include <filesystem>

// The places to look, in the order they are tried.
struct DataFolderPlaces {
    std::filesystem::path current;    // the folder the program was started in
    const char* named;                // $GALLERY_DATA, or null when it is not set
    std::filesystem::path executable; // the running program's own file
    std::filesystem::path sourceTree; // the source tree the program was built from
};

// The first place that holds a "textury" or "modely" folder: the current folder, the named one,
// the installed data folder found from the executable (bin/../share/gallery), the source tree.
// Empty when none does.
std::filesystem::path findDataFolder(const DataFolderPlaces& places);

// Makes the folder found for the running program the working folder; where none is found the
// program stays where it is and runs without its data. Prints nothing.
void enterDataFolder();
