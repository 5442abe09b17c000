// The second pass over a part of the text: it reads the numbers and faces into the part's
// share of the arrays that the stitch sized, and each group's faces into the place the stitch
// gave them. Lines are told apart as the first pass told them, through the same keywords.
#include "glm_faces.h"
#include "glm_keywords.h"
#include "glm_line_source.h"
#include "glm_reader.h"

#include <algorithm>
#include <new>

namespace objreader {

namespace {

struct Fill {
    Reading& reading;
    const Part& part;
    Filling filling;
    std::size_t segment = 0;

    // Sends the next faces to the group of segment k.
    bool enterSegment(std::size_t k) {
        if (filling.groupRoom != 0 || k >= part.segments.size()) {
            return filling.changed();
        }
        segment = k;
        const Segment& next = part.segments[k];
        filling.grouped = reading.groups[next.group]->faceidx + next.offset;
        filling.groupRoom = next.triangles;
        return true;
    }
};

// "v", "vn", "vt": the values into the next slot, as many as convert, 0 for the rest.
bool vertexData(Filling& filling, Scanner& scanner, Statement kind) {
    std::uint64_t* counter = &filling.vertices;
    std::uint64_t end = filling.vertexEnd;
    float* array = filling.model->vertices;
    int width = 3;
    if (kind == Statement::Normal) {
        counter = &filling.normals;
        end = filling.normalEnd;
        array = filling.model->normals;
    } else if (kind == Statement::Texcoord) {
        counter = &filling.texcoords;
        end = filling.texcoordEnd;
        array = filling.model->texcoordarray;
        width = 2;
    }
    if (*counter == end) {
        return filling.changed();
    }
    float* const slot = array + width * ++*counter;
    std::fill_n(slot, width, 0.0f);
    scanner.readFloats(slot, width);
    scanner.endLine();
    return true;
}

bool statement(Fill& fill, Scanner& scanner, Statement kind) {
    switch (kind) {
    case Statement::Vertex:
    case Statement::Normal:
    case Statement::Texcoord:
        return vertexData(fill.filling, scanner, kind);
    case Statement::Face:
        return storeFace(fill.filling, scanner);
    case Statement::Group:
    case Statement::Object:
    case Statement::MaterialUse:
        if (!fill.enterSegment(fill.segment + 1)) {
            return false;
        }
        break;
    case Statement::UnknownV:
        return fill.filling.changed(); // the first pass refused it
    default:
        break;
    }
    scanner.endLine();
    return true;
}

// Fills from one stretch; false after recording a fault.
bool fillStretch(Fill& fill, Scanner& scanner) {
    for (;;) {
        const char* const p = scanner.position();
        switch (*p) {
        case 'v':
            if (endsKeyword(p[1])) {
                scanner.moveTo(p + 1);
                if (!vertexData(fill.filling, scanner, Statement::Vertex)) {
                    return false;
                }
                continue;
            }
            if ((p[1] == 'n' || p[1] == 't') && endsKeyword(p[2])) {
                scanner.moveTo(p + 2);
                if (!vertexData(fill.filling, scanner,
                                p[1] == 'n' ? Statement::Normal : Statement::Texcoord)) {
                    return false;
                }
                continue;
            }
            break;
        case 'f':
            if (endsKeyword(p[1])) {
                scanner.moveTo(p + 1);
                if (!storeFace(fill.filling, scanner)) {
                    return false;
                }
                continue;
            }
            break;
        case '#':
            scanner.endPhysicalLine();
            continue;
        case '\n':
        case '\r':
            scanner.passLineEnd(p);
            continue;
        case '\0':
            return scanner.atEnd() || fill.filling.changed();
        case ' ':
        case '\t':
        case '\v':
        case '\f':
            scanner.skipBlanks();
            continue;
        case '\\':
            if (Scanner::continuation(p) != 0) {
                scanner.skipBlanks();
                continue;
            }
            break;
        default:
            break;
        }
        if (!statement(fill, scanner, classify(scanner.word()))) {
            return false;
        }
    }
}

void fill(Reading& reading, std::size_t index, LineSource& lines) {
    Part& part = reading.parts[index];
    ObjModel* model = reading.model;
    Fill fill{reading,
              part,
              {model,
               part.firstVertex,
               part.firstVertex + part.vertices,
               part.firstNormal,
               part.firstNormal + part.normals,
               part.firstTexcoord,
               part.firstTexcoord + part.texcoords,
               part.firstTriangle,
               part.firstTriangle + part.triangles,
               nullptr,
               0,
               {}}};
    fill.enterSegment(0);
    lines.startExact(part.begin, part.end);
    std::uint64_t line = part.firstLine;
    const char* begin = nullptr;
    const char* end = nullptr;
    bool first = part.begin == 0;
    while (lines.next(&begin, &end)) {
        if (reading.failedBefore(index)) {
            return;
        }
        Scanner scanner(begin, end, line);
        if (first) {
            first = false;
            scanner.startText(); // the first pass refused the marks it does not skip
        }
        if (!fillStretch(fill, scanner)) {
            part.fault = std::move(fill.filling.fault);
            return;
        }
        line = scanner.line();
    }
    const Filling& done = fill.filling;
    const bool same = lines.end() == LineSource::End::Read && done.vertices == done.vertexEnd &&
                      done.normals == done.normalEnd && done.texcoords == done.texcoordEnd &&
                      done.triangle == done.triangleEnd && done.groupRoom == 0 &&
                      fill.segment + 1 == part.segments.size();
    if (lines.end() == LineSource::End::ReadError) {
        part.fault = {Fault::ReadError, 0, {}, lines.error()};
    } else if (!same) {
        part.fault = {Fault::Changed, 0, {}};
    }
}

} // namespace

void fillPart(Reading& reading, std::size_t index, LineSource& lines) {
    Part& part = reading.parts[index];
    try {
        fill(reading, index, lines);
    } catch (const std::bad_alloc&) {
        part.fault = {Fault::OutOfMemory, 0, {}};
    }
    if (part.fault.kind != Fault::None) {
        reading.partFailed(index);
    }
}

} // namespace objreader
