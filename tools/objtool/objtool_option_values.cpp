#include "objtool_option_values.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

struct NumberRange {
    OptionId id;
    float low;
    float high;
    bool whole; // whether only whole numbers will do
    const char* needs;
};

constexpr NumberRange kNumbers[] = {
    {OptionId::Weld, 0.0f, HUGE_VALF, false, "a number of 0 or more"},
    {OptionId::SmoothNormals, 0.0f, 180.0f, false, "an angle from 0 to 180"},
    {OptionId::Yaw, -360.0f, 360.0f, false, "an angle from -360 to 360"},
    {OptionId::Pitch, -360.0f, 360.0f, false, "an angle from -360 to 360"},
    {OptionId::Threads, 0.0f, 1024.0f, true, "a whole number from 0 to 1024"},
};

} // namespace

std::optional<float> numberValue(const OptionHelp& option, const std::string& text,
                                 std::string* error) {
    const NumberRange& range = *std::find_if(
        std::begin(kNumbers), std::end(kNumbers),
        [&option](const NumberRange& candidate) { return candidate.id == option.id; });
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(text.c_str(), &end);
    if (text.empty() || *end != '\0' || errno == ERANGE || !std::isfinite(value) ||
        value < range.low || value > range.high || (range.whole && value != std::floor(value))) {
        *error =
            std::string("--") + option.name + " needs " + range.needs + ", not \"" + text + "\"";
        return std::nullopt;
    }
    return value;
}

bool sizeValue(const std::string& text, int* width, int* height) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) {
        return false;
    }
    int sides[2] = {0, 0};
    const std::string parts[2] = {text.substr(0, x), text.substr(x + 1)};
    for (int i = 0; i < 2; i++) {
        const char* end = parts[i].data() + parts[i].size();
        const auto [stop, status] = std::from_chars(parts[i].data(), end, sides[i]);
        if (parts[i].empty() || status != std::errc() || stop != end || sides[i] < 1 ||
            sides[i] > kLargestSide) {
            return false;
        }
    }
    *width = sides[0];
    *height = sides[1];
    return true;
}
