// Writes objtool's manual page, made from the same description as its usage text, to the file
// named by the one argument.
#include "objtool_help.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: objtool_manual FILE\n");
        return 2;
    }
    const std::string page = objtoolManualPage();
    std::FILE* file = std::fopen(argv[1], "w");
    if (file == nullptr || std::fputs(page.c_str(), file) == EOF || std::fclose(file) != 0) {
        std::fprintf(stderr, "objtool_manual: can't write \"%s\": %s\n", argv[1],
                     std::strerror(errno));
        return 1;
    }
    return 0;
}
