#include "glm_test_util.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::filesystem::path scratchFolder() {
    static const std::filesystem::path folder = [] {
        auto path =
            std::filesystem::temp_directory_path() / ("glm-tests-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

std::string writeScratchFile(const std::string& name, const std::string& text) {
    const std::filesystem::path path = scratchFolder() / name;
    std::ofstream(path, std::ios::binary) << text;
    return path.string();
}

ModelPtr readModel(const std::string& obj, const std::string& mtl, std::string* error) {
    if (!mtl.empty()) {
        writeScratchFile("model.mtl", mtl);
    }
    std::string message;
    ModelPtr model(glmTryReadOBJ(writeScratchFile("model.obj", obj).c_str(), &message));
    if (error != nullptr) {
        *error = message;
    }
    return model;
}

ChildRun runInChild(const std::function<void()>& body) {
    const std::filesystem::path out = scratchFolder() / "child.out";
    const std::filesystem::path err = scratchFolder() / "child.err";
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (std::freopen(out.c_str(), "w", stdout) == nullptr ||
            std::freopen(err.c_str(), "w", stderr) == nullptr) {
            _exit(127);
        }
        body();
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ChildRun run;
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readFile(out);
    run.err = readFile(err);
    return run;
}

// Vertex data in several number formats, faces of the four forms with absolute and relative
// indices, groups, objects, materials, comments, blank lines, each kind of line end, and now
// and then a malformed face, a continued line or an unknown keyword.
std::string randomObj(std::mt19937& random) {
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const char* const numbers[] = {"0.125",
                                   "-1.500000",
                                   "3",
                                   "-0",
                                   ".5",
                                   "5.",
                                   "1e3",
                                   "-2.5E-2",
                                   "0x1p3",
                                   "inf",
                                   "12345678901234567890.5",
                                   "x",
                                   "0.000001"};
    const char* const oddVertices[] = {"0",  "99",  "1/",         "1//", "/1",  "1/1/1/1",
                                       "+1", "1.5", "1234567890", "-99", "1/1", "1//1"};
    const char* const lineEnds[] = {"\n", "\n", "\r\n", "\r"};
    const std::string lineEnd = lineEnds[pick(4)];
    const std::string blanks[] = {" ", " ", " ", "  ", "\t", " \\" + lineEnd};
    std::string text = "mtllib model.mtl" + lineEnd + "v 0 0 0" + lineEnd + "vt 0 0" + lineEnd +
                       "vn 0 0 1" + lineEnd;
    int defined = 1; // vertices
    for (int line = pick(60); line >= 0; line--) {
        const int kind = pick(20);
        if (kind < 6) {
            const char* const keywords[] = {"v", "v", "vt", "vn"};
            const char* const keyword = keywords[pick(4)];
            text += keyword;
            for (int i = pick(5); i >= 0; i--) {
                text += blanks[pick(6)] + std::string(numbers[pick(13)]);
            }
            defined += keyword[1] == '\0' ? 1 : 0;
        } else if (kind < 14) {
            const int form = pick(4);
            text += "f";
            for (int corner = 2 + pick(12); corner >= 0; corner--) {
                const int index = pick(4) == 0 ? -1 - pick(defined) : 1 + pick(defined);
                std::string vertex = pick(1000) == 0 ? "-0" : std::to_string(index);
                const char* const suffixes[] = {"", "/1", "//1", "/1/1"};
                vertex += suffixes[form];
                text += blanks[pick(6)] + (pick(500) == 0 ? oddVertices[pick(12)] : vertex);
            }
            const char* const tails[] = {" ", " # note", " x 1", " \\\n 1"};
            text += pick(10) == 0 ? tails[pick(4)] : "";
        } else {
            const char* const others[] = {
                "g part",  "g  other part ", "usemtl red", "usemtl blue", "# comment \\", "",
                "s 1",     "o thing",        "   ",        "g part",      "v 1 2 \\\n 3", "vp 1 2",
                "fo 1 1 1"};
            text += others[pick(pick(40) == 0 ? 13 : 11)];
        }
        text += lineEnd;
    }
    return text;
}

bool sameModels(const ObjModel* a, const ObjModel* b) {
    const auto same = [](const void* x, const void* y, std::size_t bytes) {
        return (x == nullptr) == (y == nullptr) && (x == nullptr || std::memcmp(x, y, bytes) == 0);
    };
    if (a->vertexcount != b->vertexcount || a->normalcount != b->normalcount ||
        a->texcoordcount != b->texcoordcount || a->facecount != b->facecount ||
        a->groupcount != b->groupcount || a->materialcount != b->materialcount ||
        !same(a->vertices, b->vertices, (a->vertexcount + 1) * 3 * sizeof(float)) ||
        !same(a->normals, b->normals, (a->normalcount + 1) * 3 * sizeof(float)) ||
        !same(a->texcoordarray, b->texcoordarray, (a->texcoordcount + 1) * 2 * sizeof(float)) ||
        !same(a->faces, b->faces, a->facecount * sizeof(ObjTriangle))) {
        return false;
    }
    for (const ObjGroup *x = a->grouplist, *y = b->grouplist; x != nullptr;
         x = x->next, y = y->next) {
        if (std::strcmp(x->name, y->name) != 0 || x->facecount != y->facecount ||
            x->materialidx != y->materialidx ||
            !same(x->faceidx, y->faceidx, x->facecount * sizeof(std::uint32_t))) {
            return false;
        }
    }
    return true;
}
