// Face vertex patterns and face index resolution.
#include "glm_faces.h"

#include <string>

namespace {

// Each test converts the word afresh, as sscanf on the word would.
template <ObjFaceForm form> int convertWord(std::string_view word, ObjCorner* corner) {
    ObjScanner scanner(word.data(), word.size());
    return glmReadPattern<form>(scanner, corner);
}

} // namespace

ObjFaceForm glmFaceForm(std::string_view word, ObjCorner* corner) {
    for (std::size_t i = 1; i < word.size(); i++) {
        if (word[i] == '/' && word[i - 1] == '/') {
            convertWord<ObjFaceForm::VertexNormal>(word, corner);
            return ObjFaceForm::VertexNormal;
        }
    }
    // "%d/%d" and "%d" match what "%d/%d/%d" matches first, so one conversion decides.
    ObjCorner attempt = *corner;
    switch (convertWord<ObjFaceForm::VertexTextureNormal>(word, &attempt)) {
    case 3:
        *corner = attempt;
        return ObjFaceForm::VertexTextureNormal;
    case 2:
        corner->vertex = attempt.vertex;
        corner->texcoord = attempt.texcoord;
        return ObjFaceForm::VertexTexture;
    case 1:
        corner->vertex = attempt.vertex;
        return ObjFaceForm::Vertex;
    default:
        return ObjFaceForm::Vertex;
    }
}

bool glmFailShortFace(ObjReading& reading, unsigned line) {
    return reading.failAt(line, "a face needs at least three vertices");
}

bool glmResolveOtherIndex(ObjReading& reading, const ObjIndexKind& kind, unsigned line,
                          std::int32_t* index, std::uint32_t definedBefore, std::uint32_t total) {
    const std::int64_t written = *index;
    const std::int64_t resolved = written < 0 ? written + definedBefore + 1 : written;
    if (resolved >= 1 && resolved <= total) {
        *index = static_cast<std::int32_t>(resolved);
        return true;
    }
    std::string message = kind.name + (" index " + std::to_string(written));
    if (total == 0) {
        message += std::string(" refers to nothing: the file defines no ") + kind.plural;
    } else if (written < 0) {
        message += " is out of range: " + std::to_string(definedBefore) + " defined before it";
    } else {
        message += " is out of range: the file defines " + std::to_string(total);
    }
    return reading.failAt(line, message);
}
