// The data folder: each place in turn, taken only when it holds "textury" or "modely".
#include "data_folder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

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
    bool fromBuildTree;    // the program runs from its build tree, not from prefix/bin
    char chosen;           // the place found, or '-' for none
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.subfolder << " in " << (*row.withData != '\0' ? row.withData : "none")
         << (row.fromBuildTree ? " from the build tree" : " installed");
}

class DataFolder : public testing::TestWithParam<Row> {
protected:
    void SetUp() override {
        fs::remove_all(root);
        for (const char* folder : {"c", "n", "prefix/bin", "prefix/share/gallery", "s", "build"}) {
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
            return root / "prefix/share/gallery";
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
    const fs::path program = root / (row.fromBuildTree ? "build" : "prefix/bin") / "gallery";
    const DataFolderPlaces places{root / "c", named.c_str(), program, root / "build", root / "s"};
    EXPECT_EQ(findDataFolder(places), place(row.chosen));
}

INSTANTIATE_TEST_SUITE_P(
    Places, DataFolder,
    testing::Values(Row{"cnis", "textury", false, 'c'}, Row{"nis", "modely", false, 'n'},
                    Row{"is", "textury", false, 'i'}, Row{"s", "modely", true, 's'},
                    Row{"s", "modely", false, '-'}, Row{"cs", "modely", true, 'c'},
                    Row{"", "textury", true, '-'}));

TEST(DataFolderNamed, AnUnsetVariableAndAnUnknownProgramAreSkipped) {
    const fs::path root = scratchFolder();
    fs::create_directories(root / "build");
    fs::create_directories(root / "s/modely");
    EXPECT_EQ(findDataFolder({root / "nowhere", nullptr, {}, root / "build", root / "s"}),
              fs::path());
    EXPECT_EQ(
        findDataFolder({root / "nowhere", "", root / "build/gallery", root / "build", root / "s"}),
        root / "s");
    fs::remove_all(root);
}

TEST(DataFolderMissing, TheMessageNamesEveryPlaceWithItsReasonAndTheVariable) {
    const fs::path root = scratchFolder();
    fs::create_directories(root / "c");
    fs::create_directories(root / "prefix/bin");
    fs::create_directories(root / "s/textury");
    const std::string named = (root / "absent").string();
    const std::string message = noDataFolderMessage(
        {root / "c", named.c_str(), root / "prefix/bin/gallery", root / "build", root / "s"});
    fs::remove_all(root);
    for (const std::string& line : std::vector<std::string>{
             "gallery: no data folder found; none of these places holds textury/ or modely/:\n",
             "  the folder the game was started in: " + (root / "c").string() +
                 ": holds neither textury/ nor modely/\n",
             "  GALLERY_DATA: " + named + ": No such file or directory\n",
             "  the installed data folder: " + (root / "prefix/share/gallery").string() +
                 ": No such file or directory\n",
             std::string("Set GALLERY_DATA to the folder that holds textury/ and modely/"),
         }) {
        EXPECT_NE(message.find(line), std::string::npos) << line << "in\n" << message;
    }
    EXPECT_EQ(message.find((root / "s").string()), std::string::npos)
        << "an installed program names the source tree:\n"
        << message;
    EXPECT_NE(noDataFolderMessage({root / "c", nullptr, {}, {}, {}}).find("GALLERY_DATA: not set"),
              std::string::npos);
}

} // namespace
