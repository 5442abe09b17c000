// Face vertex patterns and face index resolution.
#include "glm_faces.h"

#include <string>

namespace {

// Matches the pattern of the form like scanf: "%d//%d", "%d/%d/%d", "%d/%d" or "%d".
// Returns how many numbers converted; a value that did not convert is left as it was.
int readPattern(ObjScanner& scanner, ObjFaceForm form, ObjCorner* corner) {
    if (!scanner.readInt(&corner->vertex)) {
        return 0;
    }
    switch (form) {
    case ObjFaceForm::VertexNormal:
        if (!scanner.literal('/') || !scanner.literal('/') || !scanner.readInt(&corner->normal)) {
            return 1;
        }
        return 2;
    case ObjFaceForm::VertexTextureNormal:
        if (!scanner.literal('/') || !scanner.readInt(&corner->texcoord)) {
            return 1;
        }
        if (!scanner.literal('/') || !scanner.readInt(&corner->normal)) {
            return 2;
        }
        return 3;
    case ObjFaceForm::VertexTexture:
        if (!scanner.literal('/') || !scanner.readInt(&corner->texcoord)) {
            return 1;
        }
        return 2;
    case ObjFaceForm::Vertex:
        break;
    }
    return 1;
}

// Each test converts the word afresh, as sscanf on the word buffer would.
int convertWord(std::string_view word, ObjFaceForm form, ObjCorner* corner) {
    ObjScanner scanner(word.data(), word.size());
    return readPattern(scanner, form, corner);
}

} // namespace

bool glmFormHasTexcoord(ObjFaceForm form) {
    return form == ObjFaceForm::VertexTextureNormal || form == ObjFaceForm::VertexTexture;
}

bool glmFormHasNormal(ObjFaceForm form) {
    return form == ObjFaceForm::VertexNormal || form == ObjFaceForm::VertexTextureNormal;
}

bool glmReadCorner(ObjScanner& scanner, ObjFaceForm form, ObjCorner* corner) {
    return readPattern(scanner, form, corner) > 0;
}

ObjFaceForm glmFaceForm(std::string_view word, ObjCorner* corner) {
    if (word.find("//") != std::string_view::npos) {
        convertWord(word, ObjFaceForm::VertexNormal, corner);
        return ObjFaceForm::VertexNormal;
    }
    ObjCorner attempt = *corner;
    if (convertWord(word, ObjFaceForm::VertexTextureNormal, &attempt) == 3) {
        *corner = attempt;
        return ObjFaceForm::VertexTextureNormal;
    }
    attempt = *corner;
    if (convertWord(word, ObjFaceForm::VertexTexture, &attempt) == 2) {
        *corner = attempt;
        return ObjFaceForm::VertexTexture;
    }
    convertWord(word, ObjFaceForm::Vertex, corner);
    return ObjFaceForm::Vertex;
}

bool glmFailShortFace(ObjReading& reading, unsigned line) {
    return reading.fail("glmReadOBJ() failed: \"" + std::string(reading.model->objpath) +
                        "\" line " + std::to_string(line) +
                        ": a face needs at least three vertices.");
}

bool glmResolveIndex(ObjReading& reading, const ObjIndexKind& kind, unsigned line,
                     std::int32_t* index, std::uint32_t definedBefore, std::uint32_t total) {
    const std::int64_t written = *index;
    const std::int64_t resolved = written < 0 ? written + definedBefore + 1 : written;
    if (resolved >= 1 && resolved <= total) {
        *index = static_cast<std::int32_t>(resolved);
        return true;
    }
    std::string message = "glmReadOBJ() failed: \"" + std::string(reading.model->objpath) +
                          "\" line " + std::to_string(line) + ": " + kind.name + " index " +
                          std::to_string(written);
    if (total == 0) {
        message += std::string(" refers to nothing: the file defines no ") + kind.plural;
    } else if (written < 0) {
        message += " is out of range: " + std::to_string(definedBefore) + " defined before it";
    } else {
        message += " is out of range: the file defines " + std::to_string(total);
    }
    return reading.fail(message + '.');
}
