// The values that objtool's options take, read from their whole text: numbers within a range
// and a picture's size.
#pragma once

#include "objtool_help.h"

#include <optional>
#include <string>

// The largest picture side asked for; the off-screen renderer may allow less.
constexpr int kLargestSide = 8192;

// The finite number that the option (--weld, --smooth-normals, --yaw, --pitch or --threads)
// takes, or nothing with what it needs in *error.
std::optional<float> numberValue(const OptionHelp& option, const std::string& text,
                                 std::string* error);

// "WxH", each side a whole number from 1 to kLargestSide; false when text is not.
bool sizeValue(const std::string& text, int* width, int* height);
