// The command line before the window opens: help and version end the program with status 0,
// the X options are left to GLUT, and any other word ends it with status 2 and a hint. The
// real program's answers are checked by tests/e2e/command_line.sh.
#include "command_line.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct Row {
    std::vector<std::string> arguments;
    bool play;
    int status;
    const char* error; // the first line of standard error
};

void PrintTo(const Row& row, std::ostream* out) {
    for (const std::string& argument : row.arguments) {
        *out << '"' << argument << "\" ";
    }
}

class CommandLine : public testing::TestWithParam<Row> {};

TEST_P(CommandLine, AnswersOrStartsTheGame) {
    const Row& row = GetParam();
    std::vector<std::string> words = row.arguments;
    std::vector<char*> arguments;
    for (std::string& word : words) {
        arguments.push_back(word.data());
    }
    const CommandLineAnswer answer = readCommandLine(arguments);
    EXPECT_EQ(answer.play, row.play);
    if (!row.play) {
        EXPECT_EQ(answer.status, row.status);
    }
    EXPECT_EQ(answer.error.substr(0, answer.error.find('\n')), row.error);
    if (*row.error != '\0') {
        EXPECT_EQ(answer.output, "");
        EXPECT_NE(answer.error.find("Try \"gallery --help\""), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLine,
    testing::Values(Row{{}, true, 0, ""}, Row{{"-display", ":3", "-sync", "-iconic"}, true, 0, ""},
                    Row{{"-geometry", "100x100+0+0", "-gldebug"}, true, 0, ""},
                    Row{{"-h"}, false, 0, ""}, Row{{"-sync", "--version", "--bogus"}, false, 0, ""},
                    Row{{"-display"}, false, 2, "gallery: option -display needs a value"},
                    Row{{"--bogus", "--help"}, false, 2, "gallery: unknown option \"--bogus\""},
                    Row{{"-"}, false, 2, "gallery: unknown option \"-\""},
                    Row{{"textury"}, false, 2, "gallery: unexpected argument \"textury\""}));

} // namespace
