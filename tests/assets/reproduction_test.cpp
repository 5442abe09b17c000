// The committed data files are exactly what the generator makes: it is run into a fresh
// folder and every file compared byte for byte.
#include "asset_test_support.h"
#include "output_set.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(AssetReproduction, GeneratorRemakesEveryCommittedFileByteForByteSlow) {
    ScratchFolder folder;
    std::string error;
    ASSERT_TRUE(writeOutputFiles(folder.path(), &error)) << error;
    for (const OutputFile& file : outputFiles()) {
        const std::vector<std::uint8_t> made = readWholeFile(folder.path() / file.path);
        const std::vector<std::uint8_t> kept = readWholeFile(committed(file.path));
        ASSERT_FALSE(made.empty()) << file.path << " was not written";
        EXPECT_TRUE(made == kept) << file.path
                                  << " differs from the generator's output; run make_assets "
                                     "with the repository root to renew it";
    }
}

TEST(AssetReproduction, DataFoldersHoldOnlyTheGeneratorsFiles) {
    std::set<std::string> expected;
    for (const OutputFile& file : outputFiles()) {
        expected.insert(file.path);
    }
    for (const char* folder : {"textury", "modely"}) {
        for (const auto& entry : std::filesystem::directory_iterator(committed(folder))) {
            const std::string path = std::string(folder) + "/" + entry.path().filename().string();
            EXPECT_TRUE(expected.count(path)) << path << " is not made by the generator";
        }
    }
}

TEST(AssetReproduction, AFolderThatCannotBeMadeIsReportedByName) {
    ScratchFolder folder;
    const auto blocker = folder.path() / "plain_file";
    writeWholeFile(blocker, {1, 2, 3});
    std::string error;
    EXPECT_FALSE(writeOutputFiles(blocker, &error));
    EXPECT_NE(error.find("plain_file"), std::string::npos) << error;
}

} // namespace
