#include "glm_faces.h"
#include "glm_digits.h"

#include <algorithm>
#include <string>

namespace objreader {

namespace {

constexpr std::uint64_t kBeyond32Bits = std::uint64_t{1} << 32;

// The magnitude of an index of more than ten digits from digits on: beyond 32 bits, unless
// leading zeros make up the difference. Returns where the digits end.
[[gnu::noinline]] const char* longIndex(const char* digits, std::uint64_t* magnitude) {
    while (*digits == '0') {
        ++digits;
    }
    const char* p = digits;
    std::uint64_t value = 0;
    for (; isDigit(*p); ++p) {
        value = p - digits < 10 ? value * 10 + static_cast<unsigned>(*p - '0') : value;
    }
    *magnitude = p - digits > 10 ? kBeyond32Bits : value;
    return p;
}

// An index as written: a sign or none, then digits; *present is false for neither. Returns
// where it ends, or null for a sign without digits. A number beyond 32 bits saturates, so that
// it names no item.
[[gnu::always_inline]] inline const char* parseIndex(const char* p, std::int32_t* value,
                                                     bool* present) {
    const bool negative = *p == '-';
    const char* const digits = p + (negative || *p == '+' ? 1 : 0);
    const DigitRun run = digitRun(digits);
    if (run.count == 8) [[unlikely]] {
        std::uint64_t magnitude = 0;
        const char* const end = longIndex(digits, &magnitude);
        const auto signedValue = static_cast<std::int64_t>(magnitude);
        *value =
            static_cast<std::int32_t>(std::clamp(negative ? -signedValue : signedValue,
                                                 std::int64_t{INT32_MIN}, std::int64_t{INT32_MAX}));
        *present = true;
        return end;
    }
    // Seven digits at most: no overflow.
    const auto magnitude = static_cast<std::int32_t>(run.value);
    *value = negative ? -magnitude : magnitude;
    *present = run.count != 0 || digits != p;
    return run.count == 0 && digits != p ? nullptr : digits + run.count;
}

// Whether a face vertex may end at p: at a blank, the line's end or a continuation.
inline bool endsVertex(const char* p) {
    const CharClass next = charClass(*p);
    return next == kBlank || next == kLineBreak || next == kZeroByte ||
           (next == kBackslash && Scanner::continuation(p) != 0);
}

// A face vertex split at its slashes: up to three fields (vertex, texture coordinate,
// normal), each empty or a whole number.
struct Fields {
    std::int32_t value[3];
    bool present[3];
    int count;
};

// Parses the face vertex at p into fields. Returns where it ends, or null when it is
// something else ("1.5", "1/2/3/4", "-").
const char* parseVertex(const char* p, Fields* fields) {
    for (int field = 0;; field++) {
        p = parseIndex(p, &fields->value[field], &fields->present[field]);
        if (p == nullptr) {
            return nullptr;
        }
        fields->count = field + 1;
        if (*p != '/') {
            break;
        }
        if (field == 2) {
            return nullptr;
        }
        ++p;
    }
    return endsVertex(p) ? p : nullptr;
}

// A vertex in the form <kTexcoord, kNormal>, every index of the form present, into indices
// (vertex, texture coordinate, normal). Returns where it ends, or null for anything else,
// which parseVertex then names.
template <bool kTexcoord, bool kNormal>
inline const char* parseCorner(const char* p, std::int32_t* indices) {
    bool present = false;
    p = parseIndex(p, &indices[0], &present);
    if (p == nullptr || !present) {
        return nullptr;
    }
    if constexpr (kTexcoord || kNormal) {
        if (*p != '/') {
            return nullptr;
        }
        ++p;
    }
    if constexpr (kTexcoord) {
        p = parseIndex(p, &indices[1], &present);
        if (p == nullptr || !present) {
            return nullptr;
        }
    }
    if constexpr (kNormal) {
        if (*p != '/') {
            return nullptr;
        }
        p = parseIndex(p + 1, &indices[2], &present);
        if (p == nullptr || !present) {
            return nullptr;
        }
    }
    return endsVertex(p) ? p : nullptr;
}

// What a face index refers to, for messages, and its field in a face vertex.
struct IndexKind {
    const char* name;   // "vertex"
    const char* plural; // "vertices"
};

constexpr IndexKind kIndexKinds[3] = {
    {"vertex", "vertices"}, {"texture coordinate", "texture coordinates"}, {"normal", "normals"}};

std::string quoted(std::string_view text) {
    return '"' + std::string(text) + '"';
}

// The text of one field of a face vertex.
std::string_view fieldText(std::string_view vertex, int field) {
    for (; field > 0; field--) {
        vertex.remove_prefix(vertex.find('/') + 1);
    }
    return vertex.substr(0, vertex.find('/'));
}

// A negative face index counts back from the items defined before the face; false for one
// that names no item that way either.
inline bool resolveBack(std::int32_t* index, std::uint64_t definedBefore) {
    const std::int64_t back = static_cast<std::int64_t>(definedBefore) + 1 + *index;
    if (*index < 0 && back >= 1) {
        *index = static_cast<std::int32_t>(back);
        return true;
    }
    return false;
}

// The first fault a face has, by precedence: a fault of form before a face too short, and
// that before an index that names no item.
struct FaceFault {
    enum Rank { None, Index, TooShort, Form };
    Rank rank = None;
    std::uint64_t line = 0;
    std::string what;

    void note(Rank r, std::uint64_t at, std::string message) {
        if (r > rank) {
            rank = r;
            line = at;
            what = std::move(message);
        }
    }
};

// What the face's first vertex fixed, and where its indices count from.
struct FaceForm {
    bool texcoord;
    bool normal;
    std::string_view firstText;
    std::uint64_t definedBefore[3]; // vertices, texture coordinates, normals
    std::uint32_t totals[3];
};

std::string unexpected(const FaceForm& form, const char* index, std::string_view text) {
    return "unexpected " + std::string(index) + " index in " + quoted(text) +
           ": the face's first vertex " + quoted(form.firstText) + " has none";
}

// Whether a vertex (parsed: it is one, into fields) fits the face's form, or the fault of form
// it has, noted. A vertex may leave out an index that the form lacks ("1/" of the form v).
[[gnu::noinline]] bool checkVertex(const FaceForm& form, std::string_view text, std::uint64_t at,
                                   bool parsed, const Fields& fields, FaceFault* fault) {
    if (!parsed) {
        fault->note(FaceFault::Form, at,
                    quoted(text) + " is no face vertex (v, v/t, v//n or v/t/n)");
    } else if (!fields.present[0]) {
        fault->note(FaceFault::Form, at, "missing vertex index in " + quoted(text));
    } else if (form.texcoord && !fields.present[1]) {
        fault->note(FaceFault::Form, at,
                    (fields.count == 3 ? "empty texture coordinate index in "
                                       : "missing texture coordinate index in ") +
                        quoted(text));
    } else if (form.normal && !fields.present[2]) {
        fault->note(FaceFault::Form, at, "missing normal index in " + quoted(text));
    } else if (!form.texcoord && fields.present[1]) {
        fault->note(FaceFault::Form, at, unexpected(form, "texture coordinate", text));
    } else if (!form.normal && fields.count == 3) {
        fault->note(FaceFault::Form, at, unexpected(form, "normal", text));
    } else {
        return true;
    }
    return false;
}

// Notes the first of a vertex's indices (vertex, texture coordinate, normal) that names no
// item; written holds them as written.
[[gnu::noinline]] void indexFault(const FaceForm& form, std::string_view vertex,
                                  const std::int32_t* written, const bool* named, std::uint64_t at,
                                  FaceFault* fault) {
    const int k = !named[0] ? 0 : !named[1] ? 1 : 2;
    const IndexKind& kind = kIndexKinds[k];
    std::string message = kind.name + (" index " + std::string(fieldText(vertex, k)));
    if (form.totals[k] == 0) {
        message += std::string(" refers to nothing: the file defines no ") + kind.plural;
    } else if (written[k] < 0) {
        message +=
            " is out of range: " + std::to_string(form.definedBefore[k]) + " defined before it";
    } else {
        message += " is out of range: the file defines " + std::to_string(form.totals[k]);
    }
    fault->note(FaceFault::Index, at, std::move(message));
}

enum class Corners { Read, Changed, OtherForm };

// Reads a face's vertices, all of the form <kTexcoord, kNormal>, and stores the triangles
// fanned out from the first; counts them into *count. The first vertex is in firstFields when
// given, read to find the form; else it is read here, and Corners::OtherForm says that it is
// not of this form, nothing read. Corners::Changed: the file changed since the first pass.
template <bool kTexcoord, bool kNormal>
Corners readCorners(Filling& filling, Scanner& scanner, FaceForm& form, const Fields* firstFields,
                    FaceFault& fault, std::uint64_t* count) {
    ObjTriangle* const faces = filling.model->faces;
    // Corner 0: the first vertex; 1: the previous one.
    std::int32_t first[3] = {0, 0, 0};
    std::int32_t previous[3] = {0, 0, 0};
    const char* p = scanner.position();
    for (std::uint64_t n = 0;; n++) {
        std::int32_t indices[3] = {0, 0, 0};
        const char* end = nullptr;
        if (n == 0 && firstFields != nullptr) {
            indices[0] = firstFields->value[0];
            indices[1] = kTexcoord ? firstFields->value[1] : 0;
            indices[2] = kNormal ? firstFields->value[2] : 0;
            end = p + form.firstText.size();
        } else {
            if (n != 0) {
                while (*p == ' ') {
                    ++p;
                }
                if (charClass(*p) == kBlank || *p == '\\') {
                    scanner.moveTo(p); // tabs and continuations, which count lines
                    scanner.skipBlanks();
                    p = scanner.position();
                }
                if (!beginsVertex(*p)) {
                    scanner.moveTo(p);
                    *count = n;
                    return Corners::Read; // the line's end, or a word that ends the face
                }
            }
            end = parseCorner<kTexcoord, kNormal>(p, indices);
            if (n == 0) {
                if (end == nullptr) {
                    return Corners::OtherForm;
                }
                form.firstText = std::string_view(p, static_cast<std::size_t>(end - p));
            }
        }
        if (end == nullptr) [[unlikely]] {
            end = Scanner::wordEnd(p);
            Fields other{};
            const std::string_view text(p, static_cast<std::size_t>(end - p));
            const bool parsed = parseVertex(p, &other) == end;
            if (!checkVertex(form, text, scanner.line(), parsed, other, &fault)) {
                *count = n;
                return Corners::Read;
            }
            indices[0] = other.value[0];
            indices[1] = kTexcoord ? other.value[1] : 0;
            indices[2] = kNormal ? other.value[2] : 0;
        }
        const char* const vertex = p;
        p = end;
        if (fault.rank != FaceFault::None) [[unlikely]] {
            continue; // after an index that names nothing, only a fault of form counts
        }
        const std::int32_t written[3] = {indices[0], indices[1], indices[2]};
        const bool named[3] = {
            static_cast<std::uint32_t>(indices[0]) - 1u < form.totals[0] ||
                resolveBack(&indices[0], form.definedBefore[0]),
            !kTexcoord || static_cast<std::uint32_t>(indices[1]) - 1u < form.totals[1] ||
                resolveBack(&indices[1], form.definedBefore[1]),
            !kNormal || static_cast<std::uint32_t>(indices[2]) - 1u < form.totals[2] ||
                resolveBack(&indices[2], form.definedBefore[2])};
        if (!(named[0] && named[1] && named[2])) [[unlikely]] {
            indexFault(form, std::string_view(vertex, static_cast<std::size_t>(end - vertex)),
                       written, named, scanner.line(), &fault);
            continue;
        }
        if (n >= 2) {
            if (filling.triangle == filling.triangleEnd || filling.groupRoom == 0) {
                filling.changed();
                return Corners::Changed;
            }
            ObjTriangle& triangle = faces[filling.triangle];
            triangle.vertexidx[0] = first[0];
            triangle.texcoordidx[0] = first[1];
            triangle.normalidx[0] = first[2];
            triangle.vertexidx[1] = previous[0];
            triangle.texcoordidx[1] = previous[1];
            triangle.normalidx[1] = previous[2];
            triangle.vertexidx[2] = indices[0];
            triangle.texcoordidx[2] = indices[1];
            triangle.normalidx[2] = indices[2];
            triangle.facetnormidx = 0;
            *filling.grouped++ = static_cast<std::uint32_t>(filling.triangle++);
            filling.groupRoom--;
        } else if (n == 0) {
            std::copy(indices, indices + 3, first);
        }
        std::copy(indices, indices + 3, previous);
    }
}

// readCorners for the form that form gives.
Corners readCornersOfForm(Filling& filling, Scanner& scanner, FaceForm& form,
                          const Fields* firstFields, FaceFault& fault, std::uint64_t* count) {
    if (form.texcoord) {
        return form.normal
                   ? readCorners<true, true>(filling, scanner, form, firstFields, fault, count)
                   : readCorners<true, false>(filling, scanner, form, firstFields, fault, count);
    }
    return form.normal
               ? readCorners<false, true>(filling, scanner, form, firstFields, fault, count)
               : readCorners<false, false>(filling, scanner, form, firstFields, fault, count);
}

} // namespace

bool storeFace(Filling& filling, Scanner& scanner) {
    const ObjModel* model = filling.model;
    // A face most likely has the form of the face before it.
    FaceForm form{filling.texcoordForm,
                  filling.normalForm,
                  {},
                  {filling.vertices, filling.texcoords, filling.normals},
                  {model->vertexcount, model->texcoordcount, model->normalcount}};
    FaceFault fault;
    const std::uint64_t faceLine = scanner.line();
    std::uint64_t count = 0;
    scanner.skipBlanks();
    const char* const p = scanner.position();
    if (beginsVertex(*p)) {
        Corners read = readCornersOfForm(filling, scanner, form, nullptr, fault, &count);
        if (read == Corners::OtherForm) {
            // The first vertex sets the form of them all.
            Fields fields{};
            const char* const parsedEnd = parseVertex(p, &fields);
            const char* const end = parsedEnd != nullptr ? parsedEnd : Scanner::wordEnd(p);
            form.firstText = std::string_view(p, static_cast<std::size_t>(end - p));
            const bool parsed = parsedEnd != nullptr;
            form.texcoord = filling.texcoordForm = parsed && fields.present[1];
            form.normal = filling.normalForm = parsed && fields.count == 3;
            // The first vertex fits its own form unless it lacks a vertex or a normal index.
            const bool fits = parsed && fields.present[0] && (!form.normal || fields.present[2]);
            read = fits || checkVertex(form, form.firstText, scanner.line(), parsed, fields, &fault)
                       ? readCornersOfForm(filling, scanner, form, &fields, fault, &count)
                       : Corners::Read;
        }
        if (read == Corners::Changed) {
            return false;
        }
    }
    if (count < 3) {
        fault.note(FaceFault::TooShort, faceLine, "a face needs at least three vertices");
    }
    if (fault.rank != FaceFault::None) {
        filling.fault = {Fault::AtLine, fault.line, std::move(fault.what)};
        return false;
    }
    scanner.endLine();
    return true;
}

} // namespace objreader
