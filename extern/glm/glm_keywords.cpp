#include "glm_keywords.h"
#include "glm_scanner.h"

#include <algorithm>
#include <iterator>

namespace objreader {

Statement classify(std::string_view keyword) {
    using namespace std::string_view_literals;
    switch (keyword.size()) {
    case 1:
        switch (keyword[0]) {
        case 'v':
            return Statement::Vertex;
        case 'f':
            return Statement::Face;
        case 'g':
            return Statement::Group;
        case 'o':
            return Statement::Object;
        default:
            break;
        }
        break;
    case 2:
        if (keyword == "vn"sv) {
            return Statement::Normal;
        }
        if (keyword == "vt"sv) {
            return Statement::Texcoord;
        }
        break;
    case 6:
        if (keyword == "usemtl"sv) {
            return Statement::MaterialUse;
        }
        if (keyword == "mtllib"sv) {
            return Statement::MaterialLibrary;
        }
        break;
    default:
        break;
    }
    // "vp" and the like are statements of the format that the reader skips; another word
    // beginning with "v" is none, and refused as an unknown token.
    return !keyword.empty() && keyword[0] == 'v' && !isObjKeyword(keyword) ? Statement::UnknownV
                                                                           : Statement::Other;
}

bool isObjKeyword(std::string_view keyword) {
    using namespace std::string_view_literals;
    // Vertex data, elements, free-form curves and surfaces, grouping, display attributes.
    constexpr std::string_view kKeywords[] = {
        "v"sv,        "vt"sv,       "vn"sv,     "vp"sv,         "f"sv,         "l"sv,
        "p"sv,        "g"sv,        "o"sv,      "s"sv,          "mg"sv,        "usemtl"sv,
        "mtllib"sv,   "usemap"sv,   "maplib"sv, "cstype"sv,     "deg"sv,       "bmat"sv,
        "step"sv,     "curv"sv,     "curv2"sv,  "surf"sv,       "parm"sv,      "trim"sv,
        "hole"sv,     "scrv"sv,     "sp"sv,     "end"sv,        "con"sv,       "bevel"sv,
        "c_interp"sv, "d_interp"sv, "lod"sv,    "shadow_obj"sv, "trace_obj"sv, "ctech"sv,
        "stech"sv,    "call"sv,     "csh"sv};
    return std::find(std::begin(kKeywords), std::end(kKeywords), keyword) != std::end(kKeywords);
}

std::string_view statementName(std::string_view rest, std::string* joined) {
    if (rest.find('\\') != std::string_view::npos) {
        joined->clear();
        for (std::size_t i = 0; i < rest.size(); i++) {
            // The text after rest is its line's break or the zero byte after the text, so
            // the look at the bytes after a backslash stays within the text.
            const std::size_t length = rest[i] == '\\' ? Scanner::continuation(&rest[i]) : 0;
            if (length != 0 && i + 1 < rest.size()) {
                *joined += ' ';
                i += length - 1;
            } else {
                *joined += rest[i];
            }
        }
        rest = *joined;
    }
    while (!rest.empty() && isBlank(rest.back())) {
        rest.remove_suffix(1);
    }
    return rest;
}

} // namespace objreader
