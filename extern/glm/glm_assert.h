// Preconditions of the library: part of its contract, so they hold in every build type,
// unlike assert(). A violation prints the tested expression and aborts.
#pragma once

#include <cstdio>
#include <cstdlib>

#define GLM_REQUIRE(expression)                                                                    \
    do {                                                                                           \
        if (!(expression)) {                                                                       \
            std::fprintf(stderr, "%s:%d: %s: Assertion `%s' failed.\n", __FILE__, __LINE__,        \
                         __func__, #expression);                                                   \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
