// The command line: --help and --version answer and end the program; the X options that GLUT
// reads are left to it; anything else is a mistake that the program names before it opens a
// window.
#pragma once

#include <optional>
#include <span>
#include <string>

struct CommandLineAnswer {
    bool play = true;   // start the game: nothing to print
    int status = 0;     // the exit status when not playing
    std::string output; // for standard output
    std::string error;  // for standard error
};

// Reads the arguments that follow the program's name.
CommandLineAnswer readCommandLine(std::span<char* const> arguments);

// Reads the program's own command line and prints the answer. Returns the exit status when the
// program is to end, nothing when the game is to start.
std::optional<int> answerCommandLine(int argc, char** argv);
