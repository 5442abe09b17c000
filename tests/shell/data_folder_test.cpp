// The data folder: each place in turn, taken only when it holds "textury" or "modely".
#include "data_folder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A folder of this process's own: ctest runs the cases side by side.
fs::path scratchFolder() {
    return fs::path(testing::TempDir()) / ("data_folder_" + std::to_string(getpid()));
}

// The places, each named by a letter in a row: c current, n named ($GALLERY_DATA),
// i installed (prefix/share/gallery beside prefix/bin/gallery), s source tree.
struct Row {
    const char* withData;  // the places that hold a data folder
    const char* subfolder; // the data folder they hold
    char chosen;           // the place found, or '-' for none
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.subfolder << " in " << (*row.withData != '\0' ? row.withData : "none");
}

class DataFolder : public testing::TestWithParam<Row> {
protected:
    void SetUp() override {
        fs::remove_all(root);
        for (const char* folder : {"c", "n", "prefix/bin", "prefix/share/gallery", "s"}) {
            fs::create_directories(root / folder);
        }
        // Decoys: data beside the executable and under the wrong name do not count.
        fs::create_directories(root / "prefix/bin/textury");
        fs::create_directories(root / "n/pictures");
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path place(char letter) const {
        switch (letter) {
        case 'c':
            return root / "c";
        case 'n':
            return root / "n";
        case 'i':
            return root / "prefix/bin/../share/gallery";
        case 's':
            return root / "s";
        }
        return {};
    }

    const fs::path root = scratchFolder();
};

TEST_P(DataFolder, TakesTheFirstPlaceThatHoldsData) {
    const Row& row = GetParam();
    for (const char* letter = row.withData; *letter != '\0'; ++letter) {
        fs::create_directories(place(*letter) / row.subfolder);
    }
    const std::string named = (root / "n").string();
    const DataFolderPlaces places{root / "c", named.c_str(), root / "prefix/bin/gallery",
                                  root / "s"};
    EXPECT_EQ(findDataFolder(places), place(row.chosen));
}

INSTANTIATE_TEST_SUITE_P(Places, DataFolder,
                         testing::Values(Row{"cnis", "textury", 'c'}, Row{"nis", "modely", 'n'},
                                         Row{"is", "textury", 'i'}, Row{"s", "modely", 's'},
                                         Row{"cs", "modely", 'c'}, Row{"", "textury", '-'}));

TEST(DataFolderNamed, AnUnsetVariableAndAnUnknownProgramAreSkipped) {
    const fs::path root = scratchFolder();
    fs::create_directories(root / "s/modely");
    EXPECT_EQ(findDataFolder({root / "nowhere", nullptr, {}, root / "s"}), root / "s");
    fs::remove_all(root);
}

} // namespace
