// The first pass over a part of the text: it counts what the second pass fills, and notes the
// statements whose effect carries across lines. It reads no number: vertex lines are only
// counted, and a face line's vertices are counted by its words.
#include "glm_keywords.h"
#include "glm_line_source.h"
#include "glm_reader.h"
#include "glm_scanner.h"
#include "glm_stretches.h"

namespace objreader {

namespace {

struct Survey {
    Part& part;
    std::string joined; // a name whose line was continued
};

// Counts a face whose keyword the scanner has just read, and moves past its line.
void countFace(Part& part, Scanner& scanner) {
    std::size_t vertices = 0;
    const char* const stop = countFaceWords(scanner.position(), &vertices);
    if (stop != nullptr) {
        scanner.moveTo(stop);
    } else {
        // A backslash: the line may go on, so its words are read one by one.
        for (std::string_view word = scanner.word(); !word.empty() && beginsVertex(word[0]);
             word = scanner.word()) {
            vertices++;
        }
    }
    scanner.endLine();
    // A face of fewer than three vertices counts none: the second pass refuses it.
    const std::uint64_t triangles = vertices >= 3 ? vertices - 2 : 0;
    part.triangles += triangles;
    (part.notes.empty() ? part.leadingTriangles : part.notes.back().triangles) += triangles;
}

// One statement, whose keyword the scanner has just read; false after recording a fault.
bool statement(Survey& survey, Scanner& scanner, Statement kind, std::string_view keyword) {
    Part& part = survey.part;
    switch (kind) {
    case Statement::Vertex:
        part.vertices++;
        break;
    case Statement::Normal:
        part.normals++;
        break;
    case Statement::Texcoord:
        part.texcoords++;
        break;
    case Statement::Face:
        countFace(part, scanner);
        return true;
    case Statement::Group:
    case Statement::Object:
    case Statement::MaterialUse: {
        const Note::Kind note = kind == Statement::Group    ? Note::Group
                                : kind == Statement::Object ? Note::Object
                                                            : Note::MaterialUse;
        part.notes.push_back({note, std::string(statementName(scanner.rest(), &survey.joined))});
        if (kind == Statement::Object) {
            part.skipped.add(keyword); // unless the file holds no "g": the stitch decides
        }
        scanner.endLine();
        return true;
    }
    case Statement::MaterialLibrary:
        part.libraries.emplace_back(statementName(scanner.rest(), &survey.joined));
        scanner.endLine();
        return true;
    case Statement::UnknownV:
        part.fault = {Fault::UnknownToken, 0, std::string(keyword)};
        return false;
    case Statement::Other:
        part.skipped.add(keyword);
        break;
    }
    // Vertex data is only counted here: the rest of its line is the second pass's.
    scanner.skipLine();
    return true;
}

// Surveys the statements of one stretch; false after recording a fault.
bool surveyStretch(Survey& survey, Scanner& scanner) {
    Part& part = survey.part;
    while (scanner.toStatement()) {
        const char* const p = scanner.position();
        std::size_t length = 0;
        Statement kind = quickKeyword(p, &length);
        std::string_view keyword(p, length);
        if (kind == Statement::Other) {
            keyword = scanner.word();
            kind = classify(keyword);
            if (!part.sawKnown) {
                const bool known = isObjKeyword(keyword);
                part.sawKnown = known;
                part.statementsBeforeKnown += known ? 0 : 1;
            }
        } else {
            part.sawKnown = true;
            scanner.moveTo(p + length);
        }
        if (!statement(survey, scanner, kind, keyword)) {
            return false;
        }
    }
    if (scanner.atEnd()) {
        return true;
    }
    part.fault = {Fault::AtLine, scanner.line(), kZeroByteReason};
    return false;
}

} // namespace

void surveyPart(Reading& reading, std::size_t index, LineSource& lines) {
    Part& part = reading.parts[index];
    lines.startPart(part.nominalBegin, part.nominalEnd);
    part.begin = lines.partBegin();
    if (lines.abandoned()) {
        // Inside a line that the part holding its start refuses.
        part.fault = {Fault::AtLine, 0, longLineReason()};
        return;
    }
    Survey survey{part, {}};
    const StretchesRead read = readStretches(lines, 0, [&](Scanner& scanner) {
        return !reading.failedBefore(index) && surveyStretch(survey, scanner);
    });
    if (read.refusedEncoding != nullptr) {
        part.fault = {Fault::InFile, 0, byteOrderMarkReason(read.refusedEncoding)};
    }
    if (part.fault.kind != Fault::None || reading.failedBefore(index)) {
        return;
    }
    part.lines = read.line;
    part.end = lines.partEnd();
    if (lines.end() == LineSource::End::LongLine) {
        part.fault = {Fault::AtLine, read.line, longLineReason()};
    } else if (lines.end() == LineSource::End::ReadError) {
        part.fault = {Fault::ReadError, 0, {}, lines.error()};
    }
}

} // namespace objreader
