// Where the game reads its data: every name it opens ("textury/...", "modely/...") is relative,
// so before start-up the program settles on the folder that holds them and works from there.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// What the search knows about the running program.
struct DataFolderPlaces {
    std::filesystem::path current;    // the folder the program was started in
    const char* named;                // $GALLERY_DATA, or null when it is not set
    std::filesystem::path executable; // the running program's own file
    std::filesystem::path buildTree;  // the folder the build puts the program in
    std::filesystem::path sourceTree; // the source tree the program was built from
};

// One place to look: its folder (empty where there is none, as for an unset GALLERY_DATA)
// and what it is, for people.
struct DataFolderCandidate {
    std::filesystem::path folder;
    std::string what;
};

// The places in the order they are tried: the current folder, the named one, the installed
// data folder found from the executable (bin/../share/gallery), and the source tree, but only
// for a program that runs from the build tree it was built in: an installed or packaged
// program never reads the sources' data.
std::vector<DataFolderCandidate> dataFolderCandidates(const DataFolderPlaces& places);

// The first candidate that holds a "textury" or "modely" folder; empty when none does.
std::filesystem::path findDataFolder(const DataFolderPlaces& places);

// What a person is told when no place holds the data: every place looked in, with the reason
// it was passed over, and how to name the folder with GALLERY_DATA.
std::string noDataFolderMessage(const DataFolderPlaces& places);

// Makes the folder found for the running program the working folder. Where none is found, or
// it cannot be entered, it says so on standard error (noDataFolderMessage) and returns false.
bool enterDataFolder();
