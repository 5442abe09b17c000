// Every file that make_assets writes, by its path under the data folder's root, with the
// means to make its contents.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct OutputFile {
    std::string path; // relative, with "/" separators, e.g. "textury/kralik.bmp"
    std::function<std::vector<std::uint8_t>()> contents;
};

std::vector<OutputFile> outputFiles();

// Writes every file under `root`, creating textury/ and modely/ as needed. On failure returns
// false with a message naming the file.
bool writeOutputFiles(const std::filesystem::path& root, std::string* error);
