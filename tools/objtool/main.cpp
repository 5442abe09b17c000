// objtool: reports on Wavefront OBJ models, converts them with the OBJ model library and shows
// them.
// It reads with the library's non-exiting reader and its report, so a bad model is a message
// and status 1.
#include "gallery/glm.h"
#include "objtool_convert.h"
#include "objtool_info.h"
#include "objtool_options.h"
#include "objtool_read.h"
#include "objtool_show.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// What went to standard output must have arrived: a full disk is a failure, not success.
int finishOutput() {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        std::fprintf(stderr, "objtool: can't write to standard output: %s\n",
                     std::strerror(errno != 0 ? errno : EIO));
        return 1;
    }
    return 0;
}

int convert(ObjModel* model, const ObjReadReport& report, const Command& command) {
    std::string error;
    if (!convertModel(model, report, command.convert, command.input, command.output, &error)) {
        std::fprintf(stderr, "objtool: can't convert %s: %s\n", shownName(command.input).c_str(),
                     error.c_str());
        return 1;
    }
    return 0;
}

// Every command but help and version works on the model read from command.input.
int run(const Command& command) {
    std::string error;
    const ModelReading reading = readModel(command.input, command.threads, &error);
    ObjModel* model = reading.model.get();
    if (model == nullptr) {
        std::fprintf(stderr, "objtool: can't read %s: %s\n", shownName(command.input).c_str(),
                     error.c_str());
        return 1;
    }
    switch (command.kind) {
    case CommandKind::Info:
        printModelInfo(model, reading.report, stdout);
        return finishOutput();
    case CommandKind::View:
        return viewModel(model, command);
    case CommandKind::Render:
        return renderModel(model, reading.report, command);
    default:
        return convert(model, reading.report, command);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::string error;
    const std::optional<Command> command =
        parseCommand(std::vector<std::string>(argv + 1, argv + argc), &error);
    if (!command) {
        std::fprintf(stderr, "objtool: %s\nTry \"objtool --help\".\n", error.c_str());
        return 2;
    }
    if (command->kind == CommandKind::Help || command->kind == CommandKind::Version) {
        const std::string text =
            command->kind == CommandKind::Help ? objtoolUsage() : objtoolVersionText();
        std::fputs(text.c_str(), stdout);
        return finishOutput();
    }
    return run(*command);
}
