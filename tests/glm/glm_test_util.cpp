#include "glm_test_util.h"

#include <cstdio>
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
