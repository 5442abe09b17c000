// objtool run as a program: help and usage errors, info on a known model, every convert
// option checked by reading the output back, bad input that must end in a message, and the
// files convert must leave alone. A second reader (tinyobjloader) reads converted output too.
#include "gallery/glm.h"
#include "model_fixtures.h"

#include <gtest/gtest.h>
// The reader is built into this test rather than linked.
#include <tiny_obj_loader.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <numbers>
#include <random>
#include <regex>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::literals;

struct ToolRun {
    int status; // the exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// The temporary folder that objtool gets, beside the working directory: a run leaves it empty.
std::string temporaryFolder() {
    return std::filesystem::current_path().string() + ".tmp";
}

// objtool's staging folders and pipe folders that a run left in the working directory or the
// temporary folder: none, however it ended.
std::vector<std::string> leftBehind() {
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(".")) {
        if (entry.path().filename().string().rfind(".objtool-", 0) == 0) {
            left.push_back(entry.path().string());
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(temporaryFolder())) {
        left.push_back(entry.path().string());
    }
    return left;
}

// The environment every run gets. In a sanitizer build, the leak check at exit misreads the
// thread-local storage that the GL driver's shader compiler sets up while render draws, and
// crashes (clang 14's runtime on this glibc); without tracking that storage it still checks
// every allocation.
void prepareEnvironment() {
    std::filesystem::remove_all(temporaryFolder());
    std::filesystem::create_directory(temporaryFolder());
    setenv("TMPDIR", temporaryFolder().c_str(), 1);
    const char* asan = std::getenv("ASAN_OPTIONS");
    const std::string options = std::string(asan != nullptr ? asan : "");
    if (options.find("intercept_tls_get_addr") == std::string::npos) {
        setenv("ASAN_OPTIONS", (options + ":intercept_tls_get_addr=0").c_str(), 1);
    }
}

// Runs objtool in the working directory with args (shell words), after the shell commands in
// setup, its standard output going to output.
ToolRun objtool(const std::string& args, const std::string& setup = "",
                const std::string& output = "stdout.txt") {
    prepareEnvironment();
    const std::string command =
        setup + "'" + OBJTOOL_PATH + "' " + args + " >" + output + " 2>stderr.txt";
    const int raw = std::system(command.c_str());
    ToolRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile("stdout.txt"),
                readFile("stderr.txt")};
    // A sanitizer build reports through the exit status the program also uses for failures.
    EXPECT_EQ(run.err.find("Sanitizer"), std::string::npos) << args << ": " << run.err;
    EXPECT_EQ(run.err.find("runtime error"), std::string::npos) << args << ": " << run.err;
    EXPECT_EQ(leftBehind(), std::vector<std::string>{}) << args;
    // Messages name the user's files, never objtool's own folders or the library's functions
    // (the library's own notes, such as glmVertexNormals' on a vertex without a triangle, are
    // its own lines).
    EXPECT_FALSE(std::regex_search(run.err, std::regex("objtool: .*glm[A-Za-z]*\\(\\)")))
        << run.err;
    EXPECT_EQ(run.err.find(".objtool-"), std::string::npos) << args << ": " << run.err;
    EXPECT_EQ(run.err.find(temporaryFolder()), std::string::npos) << args << ": " << run.err;
    return run;
}

// The box model of the data folder, copied into the working directory.
void copyBox() {
    for (const char* name : {"split_cube.obj", "split_cube.mtl"}) {
        std::filesystem::copy_file(std::string(OBJTOOL_DATA_DIR) + "/" + name, name);
    }
}

// The names in the working directory, sorted: what a command created or left behind.
std::vector<std::string> listing() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A model of so many vertices, each in one triangle, with the box's materials.
std::string bigModel(int vertices = 30000) {
    std::string text = "mtllib split_cube.mtl\nusemtl red\n";
    for (int i = 0; i < vertices; i++) {
        text += "v " + std::to_string(i) + " 0 0\n";
    }
    for (int i = 1; i + 2 <= vertices; i += 3) {
        text += "f " + std::to_string(i) + " " + std::to_string(i + 1) + " " +
                std::to_string(i + 2) + "\n";
    }
    return text;
}

ModelPtr readBack(const char* path) {
    std::string error;
    ModelPtr model(glmTryReadOBJ(path, &error));
    EXPECT_NE(model, nullptr) << error;
    return model;
}

TEST(ObjtoolCommandLine, HelpPrintsTheUsageAndVersionTheVersion) {
    ScratchDirectory scratch("objtool");
    for (const char* args : {"--help", "-h", "convert --help", "info -h", "render --he"}) {
        const ToolRun run = objtool(args);
        EXPECT_EQ(run.status, 0) << args;
        EXPECT_EQ(run.out.rfind("Usage: objtool info [--threads N] MODEL.obj\n", 0), 0u) << args;
        EXPECT_NE(run.out.find("\n  --no-materials  "), std::string::npos) << args;
        EXPECT_EQ(run.err, "") << args;
    }
    for (const char* args : {"--version", "view --version"}) {
        const ToolRun run = objtool(args);
        EXPECT_EQ(run.status, 0) << args;
        EXPECT_EQ(run.out, "objtool (gallery) " GALLERY_VERSION "\n") << args;
    }
}

// The manual page in the sources is the one the build writes from objtool's description.
TEST(ObjtoolCommandLine, ManualPageComesFromTheSameDescription) {
    const std::string page = readFile(OBJTOOL_MANUAL_PAGE);
    EXPECT_EQ(readFile(std::string(GALLERY_SOURCE_DIR) + "/docs/man/objtool.1"), page)
        << "docs/man/objtool.1 is out of date: build the target objtool_manual_update";
    EXPECT_NE(page.find("\\fB\\-\\-no\\-materials\\fR"), std::string::npos);
    EXPECT_NE(page.find("\"gallery " GALLERY_VERSION "\""), std::string::npos);
}

struct UsageCase {
    const char* args;
    const char* message;
};

TEST(ObjtoolCommandLine, WrongUsageIsStatusTwoWithAMessage) {
    ScratchDirectory scratch("objtool");
    const UsageCase cases[] = {
        {"", "no command given"},
        {"list a.obj", "unknown command \"list\""},
        {"info", "info needs exactly one model file"},
        {"info a.obj b.obj", "info needs exactly one model file"},
        {"info --fit a.obj", "info takes no option --fit"},
        {"convert a.obj", "convert needs an input and an output file"},
        {"convert a.obj b.obj c.obj", "convert needs an input and an output file"},
        {"convert --shrink a.obj b.obj", "unknown option --shrink"},
        {"convert a.obj b.obj --weld", "--weld needs a value"},
        {"convert --weld abc a.obj b.obj", "--weld needs a number of 0 or more, not \"abc\""},
        {"convert --weld=-1 a.obj b.obj", "--weld needs a number of 0 or more, not \"-1\""},
        {"convert --weld 1e99 a.obj b.obj", "--weld needs a number of 0 or more"},
        {"convert --weld nan a.obj b.obj", "--weld needs a number of 0 or more"},
        {"convert --smooth-normals 181 a.obj b.obj", "--smooth-normals needs an angle"},
        {"convert --smooth-normals= a.obj b.obj", "--smooth-normals needs an angle"},
        {"convert --fit=yes a.obj b.obj", "--fit takes no value"},
        {"convert --facet-normals --smooth-normals 30 a.obj b.obj",
         "--facet-normals and --smooth-normals exclude each other"},
        {"convert --planar-texcoords --sphere-texcoords a.obj b.obj",
         "--planar-texcoords and --sphere-texcoords exclude each other"},
        {"view", "view needs exactly one model file"},
        {"render a.obj", "render needs a model file and a PNG file"},
        {"view --materials a.obj", "view takes no option --materials"},
        {"convert --yaw 10 a.obj b.obj", "convert takes no option --yaw"},
        {"render --size 640x0 a.obj b.png", "--size needs a width and a height from 1 to 8192"},
        {"render --size=64 a.obj b.png",
         "--size needs a width and a height from 1 to 8192, such as 640x480, not \"64\""},
        {"render --pitch 400 a.obj b.png", "--pitch needs an angle from -360 to 360"},
        {"view --mode shiny a.obj", "--mode needs flat, smooth or material, not \"shiny\""},
        {"convert -x a.obj b.obj", "unknown option -x"},
        {"convert --no a.obj b.obj", "unknown option --no"},
        {"view --no-normals a.obj", "view takes no option --no-normals"},
        {"convert --smooth-normals 30 --no-normals a.obj b.obj",
         "--no-normals and --smooth-normals exclude each other"},
        {"convert --no-texcoords --planar-texcoords a.obj b.obj",
         "--no-texcoords and --planar-texcoords exclude each other"},
        {"convert --no-materials --mtl m.mtl a.obj -",
         "--no-materials and --mtl exclude each other"},
        {"convert --mtl m.mtl a.obj b.obj", "--mtl is for an output of \"-\""},
        {"convert --mtl= a.obj -", "--mtl needs a file name"},
        {"info --threads 2.5 a.obj", "--threads needs a whole number from 0 to 1024, not \"2.5\""},
        {"render a.obj b.png --threads", "--threads needs a value"},
    };
    for (const UsageCase& c : cases) {
        const ToolRun run = objtool(c.args);
        EXPECT_EQ(run.status, 2) << c.args;
        EXPECT_NE(run.err.find(std::string("objtool: ") + c.message), std::string::npos)
            << c.args << ": " << run.err;
        EXPECT_NE(run.err.find("Try \"objtool --help\"."), std::string::npos) << c.args;
        EXPECT_EQ(run.out, "") << c.args;
    }
}

TEST(ObjtoolInfo, ReportsCountsGroupsMaterialsAndBounds) {
    ScratchDirectory scratch("objtool");
    copyBox();
    const ToolRun run = objtool("info split_cube.obj");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "model: split_cube.obj\n"
                       "vertices: 24\n"
                       "normals: 0\n"
                       "texture coordinates: 0\n"
                       "triangles: 12\n"
                       "material library: split_cube.mtl\n"
                       "materials: 3\n"
                       "groups: 3\n"
                       "  \"default\": 0 triangles, material default\n"
                       "  \"sides\": 8 triangles, material red\n"
                       "  \"caps\": 4 triangles, material blue\n"
                       "bounding box: (10, 0, -1) to (12, 2, 1)\n"
                       "size: 2 x 2 x 2\n"
                       "vertices not finite: 0\n"
                       "dropped by convert: none\n");
    EXPECT_EQ(run.err, "");
}

TEST(ObjtoolInfo, BoundsOfFiniteVerticesAndWhatConvertDrops) {
    ScratchDirectory scratch("objtool");
    // Both libraries are read; "o" names a group in a file without "g", and "s" is skipped.
    writeFile("odd.obj",
              "mtllib odd.mtl second.mtl\no thing\nv 0 0 0\nv inf 0 0\nv 2 nan 1\nv 1 3 -1\n"
              "s 1\nf 1 2 3\ns off\nf 1 3 4\n");
    writeFile("odd.mtl", "newmtl a\nKd 1 0 0\nmap_Kd a.png\n");
    writeFile("second.mtl", "newmtl b\nmap_Ks b.png\n");
    const ToolRun run = objtool("info odd.obj");
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string tail = run.out.substr(run.out.find("bounding box"));
    EXPECT_EQ(tail, "bounding box: (0, 0, -1) to (1, 3, 0)\n"
                    "size: 1 x 3 x 1\n"
                    "vertices not finite: 2\n"
                    "dropped by convert:\n"
                    "  \"s\": 2 lines in odd.obj\n"
                    "  \"map_Kd\": 1 line in odd.mtl\n"
                    "  \"map_Ks\": 1 line in second.mtl\n");
    EXPECT_NE(run.out.find("\ngroups: 2\n  \"default\": 0 triangles, material default\n"
                           "  \"thing\": 2 triangles, material default\n"),
              std::string::npos)
        << run.out;
}

TEST(ObjtoolInfo, EmptyModelHasNoBounds) {
    ScratchDirectory scratch("objtool");
    writeFile("empty.obj", "# nothing but a group\ng nothing\n");
    const ToolRun run = objtool("info empty.obj");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("vertices: 0\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("bounding box: none (no vertices)\n"), std::string::npos) << run.out;
}

// A group shows once for each material that its faces use, in the order the file gives them.
TEST(ObjtoolInfo, AGroupShowsOnceForEachMaterial) {
    ScratchDirectory scratch("objtool");
    writeFile("two.mtl", "newmtl red\nKd 1 0 0\nnewmtl blue\nKd 0 0 1\n");
    writeFile("two.obj", "mtllib two.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\ng a\nusemtl red\nf 1 2 3\n"
                         "usemtl blue\nf 1 2 3\nusemtl red\nf 1 2 3\ng b\nf 1 2 3\n");
    const ToolRun run = objtool("info two.obj");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("groups: 4\n"
                           "  \"default\": 0 triangles, material default\n"
                           "  \"a\": 2 triangles, material red\n"
                           "  \"a\": 1 triangles, material blue\n"
                           "  \"b\": 1 triangles, material red\n"),
              std::string::npos)
        << run.out;
}

// A material library that cannot be read is a warning that gives the reason: the geometry
// is read, with the default material in place of the library's, and convert writes it. A
// warning that comes again is said once, with its count.
TEST(ObjtoolRead, UnreadableMaterialLibraryIsAWarning) {
    const std::pair<const char*, const char*> libraries[] = {
        {"gone.mtl", "can't open material file \"gone.mtl\": No such file or directory"},
        {"folder.mtl", "can't open material file \"folder.mtl\": Is a directory"},
    };
    for (const auto& [library, warning] : libraries) {
        ScratchDirectory scratch("objtool");
        std::filesystem::create_directory("folder.mtl");
        writeFile("lonely.obj", std::string("mtllib ") + library +
                                    "\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl red\nf 1 2 3\n"
                                    "usemtl red\nf 1 3 2\n");
        ToolRun run = objtool("info lonely.obj");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("triangles: 2\n"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find(std::string("material library: ") + library + ", not read: "),
                  std::string::npos)
            << run.out;
        EXPECT_EQ(run.err, std::string("objtool: warning: ") + warning +
                               "; the model is read without its materials\n"
                               "objtool: warning: can't find material \"red\" (2 times)\n");
        run = objtool("convert lonely.obj out.obj");
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(readFile("out.obj").find("\nf 1 2 3\n"), std::string::npos);
    }
}

// The model is the same however many threads read it, and read from standard input.
TEST(ObjtoolRead, ThreadsAndStandardInputReadTheSameModel) {
    ScratchDirectory scratch("objtool");
    copyBox();
    writeFile("big.obj", bigModel(150000)); // three megabytes: up to three threads
    const ToolRun one = objtool("info --threads 1 big.obj");
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(objtool("info --threads 3 big.obj").out, one.out);
    const ToolRun piped = objtool("info -", "cat big.obj | ");
    EXPECT_EQ(piped.status, 0) << piped.err;
    EXPECT_EQ(piped.out, "model: -" + one.out.substr(one.out.find('\n')));
    std::filesystem::create_directory("file");
    std::filesystem::create_directory("piped");
    ASSERT_EQ(objtool("convert --threads 2 big.obj file/m.obj").status, 0);
    ASSERT_EQ(objtool("convert - piped/m.obj", "cat big.obj | ").status, 0);
    EXPECT_EQ(readFile("piped/m.obj"), readFile("file/m.obj"));
    EXPECT_EQ(readFile("piped/m.mtl"), readFile("file/m.mtl"));
}

// One bad input: the text of model.obj (none when empty) beside the box, the link "link.obj"
// to it and the folder "linked" with a link to its library; the command, after the shell
// commands in setup; and what its message must say.
struct BadInputCase {
    const char* name;
    std::string_view model;
    const char* args;
    const char* message;
    const char* setup = "";
};

// Every bad input ends with status 1 and a message that names the user's file and the reason.
// No file is written (objtool() checks that no folder of its own is left either), and no file
// that was read is written over.
TEST(ObjtoolBadInput, StatusOneWithTheReasonAndNoFileWritten) {
    const BadInputCase cases[] = {
        {"missing model",
         {},
         "info model.obj",
         "objtool: can't read \"model.obj\": No such file or directory\n"},
        {"model is a directory",
         {},
         "convert linked out.obj",
         "objtool: can't read \"linked\": Is a directory\n"},
        {"zero bytes", "v 0 0 0\n\0v 1 1 1\n"sv, "info model.obj",
         "objtool: can't read \"model.obj\": line 2: the line holds a zero byte"},
        {"a program",
         {},
         "render /bin/ls out.png",
         "objtool: can't read \"/bin/ls\": line 1: the line holds a zero byte"},
        {"a letter on standard input",
         {},
         "convert - out.obj",
         "objtool: can't read standard input: it holds no OBJ statement",
         "echo Dear reader | "},
        {"unknown token", "v 0 0 0\nvx 1 2\n", "convert --fit model.obj out.obj",
         "objtool: can't read \"model.obj\": Unknown token \"vx\"\n"},
        {"index out of range", "v 0 0 0\nv 1 0 0\nf 1 2 3\n", "render model.obj out.png",
         "out of range"},
        {"not a model", "Dear reader,\nthis is a letter.\n", "info model.obj",
         "objtool: can't read \"model.obj\": it holds no OBJ statement"},
        {"library after a byte order mark", "\xEF\xBB\xBFmtllib split_cube.mtl\nv 0 0 0\nf 1 1 1\n",
         "convert model.obj split_cube.obj",
         "\"split_cube.mtl\" is a file the model was read from"},
        {"library on a continued line", "mtllib \\\n split_cube.mtl\nv 0 0 0\nf 1 1 1\n",
         "convert model.obj split_cube.obj",
         "\"split_cube.mtl\" is a file the model was read from"},
        {"no triangles to render", "v 0 0 0\nv 1 2 3\n", "render model.obj out.png",
         "objtool: can't render \"model.obj\": it has no triangles to show"},
        {"no triangles to view", "v 0 0 0\nv 1 2 3\n", "view model.obj",
         "objtool: can't show \"model.obj\": it has no triangles to show"},
        {"sphere mapping without normals",
         {},
         "convert --sphere-texcoords split_cube.obj out.obj",
         "objtool: can't convert \"split_cube.obj\": the model has no vertex normals"},
        {"output directory missing",
         {},
         "convert split_cube.obj missing/out.obj",
         "can't write in \"missing\": No such file or directory"},
        {"output is a directory", {}, "convert split_cube.obj linked", "\"linked\" is a directory"},
        {"output names a folder",
         {},
         "convert split_cube.obj missing/",
         "\"missing/\" names a folder, not a file"},
        {"full device",
         {},
         "convert split_cube.obj /dev/full",
         "objtool: can't convert \"split_cube.obj\": can't write \"/dev/full\": No space left on "
         "device\n"},
        {"material library over the output",
         {},
         "convert split_cube.obj box.mtl",
         "the material library \"box.mtl\" would overwrite the output file"},
        {"output is the input",
         {},
         "convert split_cube.obj ./split_cube.obj",
         "\"./split_cube.obj\" is a file the model was read from; not writing over it"},
        {"output is the input's library",
         {},
         "convert split_cube.obj split_cube.mtl",
         "\"split_cube.mtl\" is a file the model was read from"},
        {"output linked to the input",
         {},
         "convert split_cube.obj link.obj",
         "\"link.obj\" is a file the model was read from"},
        {"library linked to the input's",
         {},
         "convert split_cube.obj linked/box.obj",
         "\"linked/box.mtl\" is a file the model was read from"},
        {"library for standard output is the input's",
         {},
         "convert split_cube.obj - --mtl split_cube.mtl",
         "\"split_cube.mtl\" is a file the model was read from"},
        {"library for standard output in a missing folder",
         {},
         "convert split_cube.obj - --mtl missing/box.mtl",
         "can't write in \"missing\": No such file or directory"},
        {"library for standard output is a device",
         {},
         "convert split_cube.obj - --mtl /dev/null",
         "\"/dev/null\" is not a regular file"},
        {"picture over the input's library",
         {},
         "render split_cube.obj split_cube.mtl",
         "objtool: can't render \"split_cube.obj\": \"split_cube.mtl\" is a file the model was "
         "read from"},
        {"picture in a missing directory",
         {},
         "render split_cube.obj missing/box.png",
         "can't write in \"missing\": No such file or directory"},
        {"picture on a full device",
         {},
         "render split_cube.obj /dev/full",
         "objtool: can't render \"split_cube.obj\": can't write \"/dev/full\": No space left on "
         "device\n"},
    };
    for (const BadInputCase& c : cases) {
        ScratchDirectory scratch("objtool");
        copyBox();
        std::filesystem::create_symlink("split_cube.obj", "link.obj");
        std::filesystem::create_directory("linked");
        std::filesystem::create_symlink("../split_cube.mtl", "linked/box.mtl");
        if (!c.model.empty()) {
            writeFile("model.obj", std::string(c.model));
        }
        const std::vector<std::string> before = listing();
        const ToolRun run = objtool(c.args, std::string("unset DISPLAY; ") + c.setup);
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << ": " << run.err;
        std::vector<std::string> expected = before;
        expected.insert(expected.end(), {"stderr.txt", "stdout.txt"});
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(listing(), expected) << c.name;
        EXPECT_EQ(readFile("split_cube.mtl"),
                  readFile(std::string(OBJTOOL_DATA_DIR) + "/split_cube.mtl"))
            << c.name;
    }
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

// Whatever the bytes, the program ends with a status of its own, never by a signal.
TEST(ObjtoolReadFailure, RandomBytesNeverCrashIt) {
    ScratchDirectory scratch("objtool");
    std::mt19937 random(99);
    const std::string alphabet = "vntfgmu/ -0123456789.e\n#\t";
    for (int round = 0; round < 25; round++) {
        std::string text;
        for (int i = 0; i < 400; i++) {
            text += round % 2 == 0 ? alphabet[random() % alphabet.size()]
                                   : static_cast<char>(random() % 256);
        }
        writeFile("noise.obj", text);
        for (const char* command :
             {"info noise.obj", "convert --weld 0.5 --fit --flip --smooth-normals 60 "
                                "--sphere-texcoords --materials noise.obj out.obj"}) {
            const ToolRun run = objtool(command);
            EXPECT_TRUE(run.status == 0 || run.status == 1)
                << "status " << run.status << " for " << command << " on round " << round;
        }
    }
}

// One convert: the options, and what the model read back from the output must show.
struct ConvertCase {
    const char* name;
    const char* options;
    std::function<void(const ObjModel& out, const std::string& text)> check;
    const char* notes = ""; // what convert says on standard error
};

// The box's materials, written beside the output and named in it.
void expectBoxMaterials(const ObjModel& out, const std::string& text) {
    EXPECT_NE(text.find("\nmtllib box.mtl\n"), std::string::npos) << text;
    EXPECT_NE(text.find("g sides\nusemtl red\n"), std::string::npos) << text;
    ASSERT_NE(out.materialtable, nullptr);
    ASSERT_EQ(out.materialcount, 3u); // "default" once, "red" and "blue"
    EXPECT_STREQ(out.materialtable[1].name, "red");
    EXPECT_FLOAT_EQ(out.materialtable[1].diffusecolor[0], 0.9f);
    EXPECT_STREQ(out.materialtable[2].name, "blue");
    EXPECT_FLOAT_EQ(out.materialtable[2].diffusecolor[2], 0.9f);
}

float maxAbsCoordinate(const ObjModel& model, int axis) {
    float largest = 0.0f;
    for (std::uint32_t i = 1; i <= model.vertexcount; i++) {
        largest = std::max(largest, std::fabs(model.vertices[3 * i + axis]));
    }
    return largest;
}

void expectUnitVectors(const float* array, std::uint32_t count) {
    for (std::uint32_t i = 1; i <= count; i++) {
        const float* v = array + 3 * i;
        EXPECT_NEAR(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]), 1.0f, 1e-5f) << i;
    }
}

void expectTexcoordsWithin(const ObjModel& model, float low, float high) {
    for (std::uint32_t i = 1; i <= model.texcoordcount; i++) {
        for (int c = 0; c < 2; c++) {
            EXPECT_GE(model.texcoordarray[2 * i + c], low) << i;
            EXPECT_LE(model.texcoordarray[2 * i + c], high) << i;
        }
    }
}

TEST(ObjtoolConvert, EachOptionShowsInTheOutput) {
    const ConvertCase cases[] = {
        {"plain", "",
         [](const ObjModel& out, const std::string& text) {
             EXPECT_EQ(out.vertexcount, 24u);
             EXPECT_EQ(out.facecount, 12u);
             EXPECT_EQ(out.normals, nullptr);
             EXPECT_EQ(out.texcoordarray, nullptr);
             expectBoxMaterials(out, text);
         }},
        {"materials, as older scripts ask", "--materials", expectBoxMaterials},
        {"no materials", "--no-materials",
         [](const ObjModel& out, const std::string& text) {
             EXPECT_EQ(text.find("mtllib"), std::string::npos);
             EXPECT_EQ(text.find("usemtl"), std::string::npos);
             EXPECT_EQ(out.materialtable, nullptr);
             EXPECT_FALSE(std::filesystem::exists("out/box.mtl"));
         }},
        {"weld", "--weld 0.001",
         [](const ObjModel& out, const std::string&) {
             EXPECT_EQ(out.vertexcount, 8u);
             EXPECT_EQ(out.facecount, 12u);
         }},
        {"fit", "--fit",
         [](const ObjModel& out, const std::string&) {
             // The box from (10, 0, -1) to (12, 2, 1) becomes the cube from -1 to 1.
             for (int axis = 0; axis < 3; axis++) {
                 EXPECT_NEAR(maxAbsCoordinate(out, axis), 1.0f, 1e-6f) << axis;
             }
         }},
        {"flip", "--flip",
         [](const ObjModel& out, const std::string&) {
             // The caps' quad 17 18 19 20 was (17, 18, 19) and (17, 19, 20).
             std::vector<Corners> triangles;
             for (std::uint32_t t = 0; t < out.facecount; t++) {
                 triangles.push_back(std::to_array(out.faces[t].vertexidx));
             }
             const auto first = std::find(triangles.begin(), triangles.end(), Corners{19, 18, 17});
             ASSERT_NE(first, triangles.end());
             EXPECT_EQ(first[1], (Corners{20, 19, 17}));
         }},
        {"facet normals", "--facet-normals",
         [](const ObjModel& out, const std::string& text) {
             ASSERT_EQ(out.normalcount, 12u);
             expectUnitVectors(out.normals, out.normalcount);
             EXPECT_NE(text.find("f 1//1 2//1 3//1\n"), std::string::npos) << text;
         }},
        {"smooth normals", "--smooth-normals 90",
         [](const ObjModel& out, const std::string&) {
             // Every vertex belongs to one flat quad: one normal each.
             ASSERT_EQ(out.normalcount, 24u);
             expectUnitVectors(out.normals, out.normalcount);
         }},
        {"planar texture coordinates", "--fit --planar-texcoords",
         [](const ObjModel& out, const std::string&) {
             ASSERT_EQ(out.texcoordcount, 24u);
             expectTexcoordsWithin(out, 0.0f, 1.0f);
         }},
        {"sphere texture coordinates", "--smooth-normals 45 --sphere-texcoords",
         [](const ObjModel& out, const std::string&) {
             ASSERT_EQ(out.texcoordcount, out.normalcount);
             EXPECT_EQ(std::to_array(out.faces[5].texcoordidx),
                       std::to_array(out.faces[5].normalidx));
             expectTexcoordsWithin(out, 0.0f, 1.0f);
         }},
    };
    for (const ConvertCase& c : cases) {
        ScratchDirectory scratch("objtool");
        copyBox();
        std::filesystem::create_directory("out");
        const ToolRun run =
            objtool(std::string("convert ") + c.options + " split_cube.obj out/box.obj");
        ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(run.err, c.notes) << c.name;
        ModelPtr out = readBack("out/box.obj");
        ASSERT_NE(out, nullptr) << c.name;
        SCOPED_TRACE(c.name);
        c.check(*out, readFile("out/box.obj"));
    }
}

struct KeptCase {
    const char* options;
    const char* face; // the face line written
    bool normals;     // whether "vn" lines are written
    bool texcoords;   // whether "vt" lines are
};

// Normals and texture coordinates are written unless an option leaves them out.
TEST(ObjtoolConvert, NormalsAndTexcoordsOfTheInputAreKept) {
    const KeptCase cases[] = {
        {"", "\nf 1/1/1 2/2/1 3/3/1\n", true, true},
        {"--no-normals", "\nf 1/1 2/2 3/3\n", false, true},
        {"--no-texcoords", "\nf 1//1 2//1 3//1\n", true, false},
        {"--no-normals --no-texcoords", "\nf 1 2 3\n", false, false},
    };
    for (const KeptCase& c : cases) {
        ScratchDirectory scratch("objtool");
        writeFile("in.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\nvn 0 0 1\n"
                            "f 1/1/1 2/2/1 3/3/1\n");
        const ToolRun run = objtool(std::string("convert ") + c.options + " in.obj out.obj");
        ASSERT_EQ(run.status, 0) << c.options << ": " << run.err;
        const std::string text = readFile("out.obj");
        EXPECT_NE(text.find(c.face), std::string::npos) << c.options << ": " << text;
        EXPECT_EQ(text.find("\nvn ") != std::string::npos, c.normals) << c.options;
        EXPECT_EQ(text.find("\nvt ") != std::string::npos, c.texcoords) << c.options;
    }
}

// The output's material library is named after the output; the input's own library keeps
// all that the output cannot carry, and convert says what that is.
TEST(ObjtoolConvert, MaterialsGoToALibraryNamedAfterTheOutput) {
    ScratchDirectory scratch("objtool");
    const std::string library = "newmtl shiny\nKd 1 0 0\nmap_Kd shiny.png\nd 0.5\nillum 2\n";
    writeFile("in.mtl", library);
    writeFile("in.obj", "mtllib in.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl shiny\nf 1 2 3\n");
    const ToolRun run = objtool("convert in.obj out.obj");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readFile("in.mtl"), library);
    EXPECT_EQ(listing(), (std::vector<std::string>{"in.mtl", "in.obj", "out.mtl", "out.obj",
                                                   "stderr.txt", "stdout.txt"}));
    ModelPtr out = readBack("out.obj");
    ASSERT_NE(out, nullptr);
    EXPECT_STREQ(out->mtllib, "out.mtl");
    ASSERT_EQ(out->materialcount, 2u); // "default", written once, and "shiny"
    EXPECT_STREQ(out->materialtable[1].name, "shiny");
    EXPECT_EQ(run.err, "objtool: note: dropped \"map_Kd\": 1 line in in.mtl\n"
                       "objtool: note: dropped \"d\": 1 line in in.mtl\n"
                       "objtool: note: dropped \"illum\": 1 line in in.mtl\n");
}

struct StoppedWrite {
    const char* setup;
    int status;
    const char* message;
};

// A write that fails part-way or is stopped, here at the file size limit, leaves the output
// and its library as they were: absent, or with their old text.
TEST(ObjtoolConvert, FailedOrStoppedWriteLeavesTheOutputAsItWas) {
    const StoppedWrite cases[] = {
        {"trap '' XFSZ; ulimit -f 64; ", 1,
         "objtool: can't convert \"big.obj\": can't write \"out.obj\": File too large\n"},
        // The shell gives 128 and the signal's number for a program that the signal ended, and
        // names the signal.
        {"ulimit -f 64; ", 128 + SIGXFSZ, ""},
    };
    for (const StoppedWrite& c : cases) {
        for (const bool existed : {false, true}) {
            ScratchDirectory scratch("objtool");
            copyBox();
            writeFile("big.obj", bigModel());
            std::vector<std::string> expected = listing();
            if (existed) {
                writeFile("out.obj", "previous\n");
                writeFile("out.mtl", "previous\n");
                expected.insert(expected.end(), {"out.mtl", "out.obj"});
            }
            const ToolRun run = objtool("convert big.obj out.obj", c.setup);
            EXPECT_EQ(run.status, c.status) << c.setup << existed;
            EXPECT_NE(run.err.find(c.message), std::string::npos) << c.setup << existed;
            expected.insert(expected.end(), {"stderr.txt", "stdout.txt"});
            std::sort(expected.begin(), expected.end());
            EXPECT_EQ(listing(), expected) << c.setup << existed;
            if (existed) {
                EXPECT_EQ(readFile("out.obj"), "previous\n");
                EXPECT_EQ(readFile("out.mtl"), "previous\n");
            }
        }
    }
}

// Stopped by a signal while it writes (here while standard output, a pipe that no one reads,
// is full), convert removes what it staged and ends as the signal ends a program.
TEST(ObjtoolConvert, StoppedBySignalLeavesNothingBehind) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        ScratchDirectory scratch("objtool");
        copyBox();
        writeFile("big.obj", bigModel());
        prepareEnvironment();
        int out[2];
        ASSERT_EQ(pipe(out), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addclose(&actions, out[1]);
        const char* argv[] = {OBJTOOL_PATH, "convert", "big.obj", "-", "--mtl", "out.mtl", nullptr};
        pid_t pid = 0;
        ASSERT_EQ(
            posix_spawn(&pid, OBJTOOL_PATH, &actions, nullptr, const_cast<char**>(argv), environ),
            0);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        // The library is staged before the model fills the pipe.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        const auto staged = [] {
            const std::vector<std::string> left = leftBehind();
            return std::any_of(left.begin(), left.end(), [](const std::string& path) {
                return path.find(".objtool-") != std::string::npos;
            });
        };
        while (!staged() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_TRUE(staged()) << signal;
        kill(pid, signal);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        close(out[0]);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal << " " << status;
        EXPECT_EQ(leftBehind(), std::vector<std::string>{}) << signal;
        EXPECT_FALSE(std::filesystem::exists("out.mtl")) << signal;
    }
}

// "-" as the output is standard output: the model as it would be written to a file, with
// the library where --mtl says and named by its file name, or without materials and a note;
// render's picture as it would be written to a file.
TEST(ObjtoolConvert, DashWritesToStandardOutput) {
    ScratchDirectory scratch("objtool");
    copyBox();
    std::filesystem::create_directories("file");
    std::filesystem::create_directories("lib");
    ASSERT_EQ(objtool("convert split_cube.obj file/box.obj").status, 0);
    ASSERT_EQ(objtool("convert --no-materials split_cube.obj file/plain.obj").status, 0);

    ToolRun run = objtool("convert split_cube.obj - --mtl lib/box.mtl");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, readFile("file/box.obj"));
    EXPECT_EQ(readFile("lib/box.mtl"), readFile("file/box.mtl"));
    EXPECT_EQ(run.err, "");

    run = objtool("convert split_cube.obj -");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, readFile("file/plain.obj"));
    EXPECT_EQ(run.err.rfind("objtool: note: standard output carries no materials; --mtl FILE "
                            "writes them\n",
                            0),
              0u)
        << run.err;

    run = objtool("render --size 64x48 split_cube.obj file/box.png", "unset DISPLAY; ");
    ASSERT_EQ(run.status, 0) << run.err;
    run = objtool("render --size 64x48 split_cube.obj -", "unset DISPLAY; ");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, readFile("file/box.png"));

    run = objtool("convert split_cube.obj -", "", "/dev/full");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "objtool: can't convert \"split_cube.obj\": can't write to standard "
                       "output: No space left on device\n");
    EXPECT_EQ(listing(), (std::vector<std::string>{"file", "lib", "split_cube.mtl",
                                                   "split_cube.obj", "stderr.txt", "stdout.txt"}));
}

// An existing device or pipe is written in place, without the materials, which it cannot carry.
TEST(ObjtoolConvert, DeviceOutputCarriesNoMaterials) {
    ScratchDirectory scratch("objtool");
    copyBox();
    const ToolRun run = objtool("convert split_cube.obj /dev/null");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err.rfind("objtool: note: \"/dev/null\" is not a regular file; it carries no "
                            "materials\n",
                            0),
              0u)
        << run.err;
}

// Converting convert's output again gives the same bytes, with the same materials and groups
// in the same order.
TEST(ObjtoolConvert, RoundTripIsStable) {
    const std::pair<const char*, std::string> models[] = {
        {"the box", std::string(OBJTOOL_DATA_DIR) + "/split_cube.obj"},
        {"the gun", std::string(GALLERY_SOURCE_DIR) + "/modely/brokovnice.obj"},
        {"a library that defines \"default\"", "own_default.obj"},
    };
    for (const auto& [name, model] : models) {
        ScratchDirectory scratch("objtool");
        writeFile("own_default.mtl", "newmtl default\nKd 0 1 0\nnewmtl red\nKd 1 0 0\n");
        writeFile("own_default.obj", "mtllib own_default.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\n"
                                     "g a\nusemtl red\nf 1 2 3\ng b\nf 3 2 1\n");
        std::string input = model;
        for (const char* pass : {"1", "2", "3"}) {
            std::filesystem::create_directory(pass);
            const ToolRun run = objtool("convert '" + input + "' " + pass + "/m.obj");
            ASSERT_EQ(run.status, 0) << name << " " << pass << ": " << run.err;
            input = std::string(pass) + "/m.obj";
        }
        for (const char* file : {"m.obj", "m.mtl"}) {
            EXPECT_EQ(readFile(std::string("1/") + file), readFile(std::string("2/") + file))
                << name << " " << file;
            EXPECT_EQ(readFile(std::string("2/") + file), readFile(std::string("3/") + file))
                << name << " " << file;
        }
        ModelPtr in = readBack(model.c_str());
        ModelPtr out = readBack("3/m.obj");
        ASSERT_NE(in, nullptr);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(out->materialcount, in->materialcount) << name;
        std::vector<std::string> groupsIn, groupsOut;
        for (const ObjGroup* g = in->grouplist; g != nullptr; g = g->next) {
            groupsIn.push_back(g->name);
        }
        for (const ObjGroup* g = out->grouplist; g != nullptr; g = g->next) {
            groupsOut.push_back(g->name);
        }
        EXPECT_EQ(groupsOut, groupsIn) << name;
    }
}

// --fit moves the finite vertices into the cube and leaves the others as they are.
TEST(ObjtoolConvert, FitMovesOnlyTheFiniteVertices) {
    ScratchDirectory scratch("objtool");
    writeFile("odd.obj", "v 0 0 0\nv inf 0 0\nv 2 4 2\nv 1 nan 1\nf 1 3 4\n");
    const ToolRun run = objtool("convert --fit odd.obj out.obj");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "objtool: note: --fit left 2 vertices of \"odd.obj\" that are not finite "
                       "as they are\n");
    ModelPtr out = readBack("out.obj");
    ASSERT_NE(out, nullptr);
    const float* v = out->vertices;
    EXPECT_EQ((Vec3{v[3], v[4], v[5]}), (Vec3{-0.5f, -1.0f, -0.5f}));
    EXPECT_EQ((Vec3{v[9], v[10], v[11]}), (Vec3{0.5f, 1.0f, 0.5f}));
    EXPECT_TRUE(std::isinf(v[6]));
    EXPECT_TRUE(std::isnan(v[13]));
}

// Faces with and without texture coordinates and normals in one model come back with the
// same corners, through our reader and through tinyobjloader.
TEST(ObjtoolConvert, MixedFacesKeepTheirCorners) {
    ScratchDirectory scratch("objtool");
    writeFile("mixed.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1 1 0\nvt 0 0\nvt 1 0\nvt 0 1\n"
                           "vn 0 0 1\nvn 0 0 -1\n"
                           "f 1/1/1 2/2/1 3/3/2\nf 2//1 4//2 3//1\nf 2/1 4/2 3/3\nf 1 2 4\n");
    const ToolRun run = objtool("convert mixed.obj out.obj");
    ASSERT_EQ(run.status, 0) << run.err;
    ModelPtr in = readBack("mixed.obj");
    ModelPtr out = readBack("out.obj");
    ASSERT_NE(out, nullptr) << readFile("out.obj");
    ASSERT_EQ(out->facecount, in->facecount);

    tinyobj::attrib_t attrib;
    std::vector<tinyobj::shape_t> shapes;
    std::vector<tinyobj::material_t> materials;
    std::string warn;
    std::string err;
    ASSERT_TRUE(tinyobj::LoadObj(&attrib, &shapes, &materials, &warn, &err, "out.obj")) << err;
    ASSERT_EQ(shapes.size(), 1u);
    ASSERT_EQ(shapes[0].mesh.indices.size(), 3u * in->facecount);
    for (std::uint32_t t = 0; t < in->facecount; t++) {
        const ObjTriangle& expected = in->faces[t];
        EXPECT_EQ(std::to_array(out->faces[t].vertexidx), std::to_array(expected.vertexidx)) << t;
        EXPECT_EQ(std::to_array(out->faces[t].texcoordidx), std::to_array(expected.texcoordidx))
            << t;
        EXPECT_EQ(std::to_array(out->faces[t].normalidx), std::to_array(expected.normalidx)) << t;
        for (int c = 0; c < 3; c++) {
            const tinyobj::index_t& index = shapes[0].mesh.indices[3 * t + c];
            // tinyobjloader counts from 0 and gives -1 for an index the face does not have.
            EXPECT_EQ(index.vertex_index, expected.vertexidx[c] - 1) << t << " " << c;
            EXPECT_EQ(index.texcoord_index, expected.texcoordidx[c] - 1) << t << " " << c;
            EXPECT_EQ(index.normal_index, expected.normalidx[c] - 1) << t << " " << c;
        }
    }
}

TEST(ObjtoolConvert, SmoothingAngleOf180IsTheUpperBound) {
    ScratchDirectory scratch("objtool");
    copyBox();
    const ToolRun run = objtool("convert --weld 0.001 --smooth-normals 180 split_cube.obj out.obj");
    ASSERT_EQ(run.status, 0) << run.err;
    ModelPtr out = readBack("out.obj");
    ASSERT_NE(out, nullptr);
    // Only opposite facets stay apart, and no corner of a cube has two: one normal a corner.
    EXPECT_EQ(out->normalcount, 8u);
}

// What ImageMagick prints for a command on the pictures in the working directory.
std::string magick(const std::string& command) {
    EXPECT_NE(std::system((command + " >magick.txt 2>&1").c_str()), -1) << command;
    return readFile("magick.txt");
}

// render runs without a display of any kind.
ToolRun render(const std::string& args) {
    return objtool("render " + args, "unset DISPLAY WAYLAND_DISPLAY; ");
}

// What ImageMagick finds in a picture: its size, its colours, and the box around what is not
// background.
struct PictureFacts {
    int width = 0, height = 0, colours = 0, left = 0, top = 0, right = 0, bottom = 0;
};

PictureFacts pictureFacts(const std::string& picture) {
    PictureFacts f;
    const std::string facts = magick("convert " + picture + " -format '%w %h %k %@' info:");
    EXPECT_EQ(std::sscanf(facts.c_str(), "%d %d %d %dx%d+%d+%d", &f.width, &f.height, &f.colours,
                          &f.right, &f.bottom, &f.left, &f.top),
              7)
        << facts;
    f.right += f.left;
    f.bottom += f.top;
    return f;
}

// Whatever the turn, the model is framed whole and in the middle, and fills most of the
// picture along one side.
void expectFramed(const PictureFacts& f) {
    EXPECT_TRUE(f.left > 0 && f.top > 0 && f.right < f.width && f.bottom < f.height);
    EXPECT_NEAR((f.left + f.right) / 2.0, f.width / 2.0, f.width * 0.03);
    EXPECT_NEAR((f.top + f.bottom) / 2.0, f.height / 2.0, f.height * 0.03);
    EXPECT_GE(std::max(double(f.right - f.left) / f.width, double(f.bottom - f.top) / f.height),
              0.75);
}

struct CubeView {
    float yaw;
    float pitch;
    int faces; // the faces in sight, each lit by the head light at its own angle
};

// The box seen from known angles with flat shading: a picture of the size asked for, the box
// framed, and one shade per face in sight besides the background.
TEST(ObjtoolRender, FlatBoxShowsOneShadePerFaceInSight) {
    const CubeView views[] = {
        {0.0f, 0.0f, 1}, {30.0f, 0.0f, 2}, {30.0f, 20.0f, 3}, {-150.0f, -50.0f, 3}};
    for (const CubeView& view : views) {
        ScratchDirectory scratch("objtool");
        copyBox();
        const ToolRun run =
            render("--mode flat --size 300x200 --yaw " + std::to_string(view.yaw) + " --pitch " +
                   std::to_string(view.pitch) + " split_cube.obj box.png");
        ASSERT_EQ(run.status, 0) << view.yaw << " " << view.pitch << ": " << run.err;
        const PictureFacts f = pictureFacts("box.png");
        SCOPED_TRACE(std::to_string(view.yaw) + " " + std::to_string(view.pitch));
        EXPECT_EQ(f.width, 300);
        EXPECT_EQ(f.height, 200);
        EXPECT_EQ(f.colours, view.faces + 1);
        expectFramed(f);
        if (view.faces == 1) {
            // The front face of the box seen square on fills 9 tenths of the picture's height.
            EXPECT_NEAR(f.right - f.left, 180.0, 1.5);
            EXPECT_NEAR(f.bottom - f.top, 180.0, 1.5);
        }
    }
}

// The gun in smooth and flat shading, and turned inside out by --flip, where the back faces
// that are not drawn are now the outside: three different pictures. Seen as render shows it
// without options, the gun lies level across most of the picture.
TEST(ObjtoolRender, ShadingAndWindingShowInTheGun) {
    ScratchDirectory scratch("objtool");
    const std::string gun = std::string(GALLERY_SOURCE_DIR) + "/modely/brokovnice.obj";
    for (const auto& [options, picture] : {std::pair{"--mode smooth", "smooth.png"},
                                           {"--mode flat", "flat.png"},
                                           {"--mode smooth --flip", "flipped.png"}}) {
        const ToolRun run = render(std::string(options) + " --yaw 70 '" + gun + "' " + picture);
        ASSERT_EQ(run.status, 0) << options << ": " << run.err;
    }
    for (const char* pair : {"smooth.png flat.png", "smooth.png flipped.png"}) {
        const std::string differing = magick(std::string("compare -metric AE ") + pair + " null:");
        EXPECT_GT(std::atof(differing.c_str()), 2000.0) << pair << ": " << differing;
    }
    ASSERT_EQ(render("'" + gun + "' default.png").status, 0);
    const PictureFacts f = pictureFacts("default.png");
    expectFramed(f);
    EXPECT_GE(f.right - f.left, 0.8 * f.width);
    EXPECT_LE(f.bottom - f.top, 0.4 * f.height);
}

// Vertices that are not finite are left out of the frame, and the rest still shows.
TEST(ObjtoolRender, NonFiniteVerticesAreLeftOutOfTheFrame) {
    ScratchDirectory scratch("objtool");
    writeFile("model.obj", "v 0 0 0\nv inf 0 0\nv 1 0 0\nv 0 1 0\nf 1 3 4\nf 2 3 4\n");
    const ToolRun run = render("--mode flat --yaw 0 --pitch 0 --size 40x30 model.obj out.png");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const PictureFacts f = pictureFacts("out.png");
    EXPECT_EQ(f.colours, 2);
    expectFramed(f);
}

TEST(ObjtoolView, WithoutADisplayIsStatusOneWithAMessage) {
    ScratchDirectory scratch("objtool");
    copyBox();
    const ToolRun run = objtool("view split_cube.obj", "unset DISPLAY; ");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "objtool: can't show \"split_cube.obj\": no display to open a window on "
                       "(DISPLAY is not set); render draws without one\n");
}

} // namespace
