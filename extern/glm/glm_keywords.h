// The statements of an OBJ file, told apart by their whole keyword: "maplib" is no "mtllib"
// and "usemap" no "usemtl". Both reader passes classify every line through here, so they
// always agree on what a line is.
#pragma once

#include "glm_text_search.h"

#include <string>
#include <string_view>

namespace objreader {

enum class Statement : unsigned char {
    Vertex,          // "v"
    Normal,          // "vn"
    Texcoord,        // "vt"
    Face,            // "f"
    Group,           // "g"
    Object,          // "o": a group in a file without "g"
    MaterialUse,     // "usemtl"
    MaterialLibrary, // "mtllib"
    UnknownV,        // a word beginning with "v" that is no statement, which the reader refuses
    Other,           // skipped
};

// Whether c ends a keyword: a blank, a line break or the end of the text. A backslash may
// too (a continuation), but such lines take the word by word path.
inline bool endsKeyword(char c) {
    const CharClass k = charClass(c);
    return k == kBlank || k == kLineBreak || k == kZeroByte;
}

Statement classify(std::string_view keyword);

// The statement of the keyword at p when it is one that nearly every line of a model holds
// ("v", "vn", "vt", "f", followed by a blank or the line's end), with its length; else
// Statement::Other: the keyword is then read as a word and classified.
inline Statement quickKeyword(const char* p, std::size_t* length) {
    if (*p == 'v') {
        if (endsKeyword(p[1])) {
            *length = 1;
            return Statement::Vertex;
        }
        if ((p[1] == 'n' || p[1] == 't') && endsKeyword(p[2])) {
            *length = 2;
            return p[1] == 'n' ? Statement::Normal : Statement::Texcoord;
        }
    } else if (*p == 'f' && endsKeyword(p[1])) {
        *length = 1;
        return Statement::Face;
    }
    return Statement::Other;
}

// Whether keyword is one of the OBJ format's, read or not: a text whose first statements hold
// none is no OBJ file.
bool isObjKeyword(std::string_view keyword);

// A name that is the rest of its line ("g", "o", "usemtl", "newmtl"): without the blanks
// around it, each continuation read as one blank. The result views rest, or *joined when the
// line was continued.
std::string_view statementName(std::string_view rest, std::string* joined);

} // namespace objreader
