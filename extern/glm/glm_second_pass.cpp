// The second pass over a part of the text: it reads the numbers and faces into the part's
// share of the arrays that the stitch sized, and each group's faces into the place the stitch
// gave them. Lines are told apart as the first pass told them, through the same keywords.
#include "glm_faces.h"
#include "glm_keywords.h"
#include "glm_line_source.h"
#include "glm_reader.h"
#include "glm_stretches.h"

#include <algorithm>

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
    while (scanner.toStatement()) {
        const char* const p = scanner.position();
        std::size_t length = 0;
        Statement kind = quickKeyword(p, &length);
        if (kind == Statement::Other) {
            kind = classify(scanner.word());
        } else {
            scanner.moveTo(p + length);
        }
        if (!statement(fill, scanner, kind)) {
            return false;
        }
    }
    return scanner.atEnd() || fill.filling.changed();
}

} // namespace

void fillPart(Reading& reading, std::size_t index, LineSource& lines) {
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
    // The first pass refused the byte-order marks that are not skipped.
    readStretches(lines, part.firstLine, [&](Scanner& scanner) {
        if (reading.failedBefore(index)) {
            return false;
        }
        if (!fillStretch(fill, scanner)) {
            part.fault = std::move(fill.filling.fault);
            return false;
        }
        return true;
    });
    if (part.fault.kind != Fault::None || reading.failedBefore(index)) {
        return;
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

} // namespace objreader
