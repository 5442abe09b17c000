#include "command_line.h"

#include <cstdio>
#include <string_view>

namespace {

// The options glutInit takes, and whether each is followed by a value.
struct GlutOption {
    std::string_view name;
    bool takesValue;
};
constexpr GlutOption glutOptions[] = {
    {"-display", true}, {"-geometry", true}, {"-direct", false}, {"-indirect", false},
    {"-iconic", false}, {"-gldebug", false}, {"-sync", false},
};

constexpr const char* usage = R"(Usage: gallery [-h | --help] [--version] [X options]
A three-dimensional shooting gallery: a sky around three booths with moving targets, and a
shotgun with five cartridges.

The right mouse button opens the menu:
  Prochazeni sceny        walk through the scene
  Panoramaticky pohled    the turning panorama (the view at the start)
  Palebne stanoviste 1    the firing position before the right booth, with the rabbit
  Palebne stanoviste 2    before the middle booth, with the three paper targets
  Palebne stanoviste 3    before the left booth, with the gopher
  Restart nastaveni       lights and panorama reset, hit counters cleared, gun reloaded
  Konec programu          quit

Keys:
  arrows                  walk and turn, or move the crosshair at a firing position
  Page Up, Page Down      rise and sink while walking
  1, 0, z                 fire, reload, hide or show the gun
  s, r                    overhead light, spot light on or off
  a, q, c, x              tilt the spot down or up, widen or narrow it
  Escape                  quit

The pictures (textury/) and the gun model (modely/) are taken from the first of these
folders that holds them: the folder the game is started in, the folder named by the
environment variable GALLERY_DATA, the installed data folder (share/gallery beside the
program's bin/), and for a game run from its build folder, the source tree it was built from.

Options:
  -h, --help              print this help and exit
  --version               print the version and exit
  -display NAME, -geometry WxH+X+Y, -iconic, -sync, -direct, -indirect, -gldebug
                          X options, passed on to GLUT
)";

CommandLineAnswer mistake(const std::string& what) {
    return {false, 2, "", "gallery: " + what + "\nTry \"gallery --help\" for more information.\n"};
}

} // namespace

CommandLineAnswer readCommandLine(std::span<char* const> arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i] != nullptr ? arguments[i] : "";
        if (argument == "-h" || argument == "--help") {
            return {false, 0, usage, ""};
        }
        if (argument == "--version") {
            return {false, 0, "gallery " GALLERY_VERSION "\n", ""};
        }
        bool glutOwns = false;
        for (const GlutOption& option : glutOptions) {
            if (argument == option.name) {
                if (option.takesValue && ++i == arguments.size()) {
                    return mistake("option " + std::string(argument) + " needs a value");
                }
                glutOwns = true;
            }
        }
        if (glutOwns) {
            continue;
        }
        if (argument.starts_with("-")) {
            return mistake("unknown option \"" + std::string(argument) + "\"");
        }
        return mistake("unexpected argument \"" + std::string(argument) + "\"");
    }
    return {};
}

std::optional<int> answerCommandLine(int argc, char** argv) {
    const CommandLineAnswer answer =
        readCommandLine(std::span<char* const>(argv + 1, argc > 1 ? argc - 1 : 0));
    std::fputs(answer.output.c_str(), stdout);
    std::fputs(answer.error.c_str(), stderr);
    if (answer.play) {
        return std::nullopt;
    }
    return answer.status;
}
