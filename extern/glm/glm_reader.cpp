// Reading an OBJ file: two passes of the scanner over the file, or over text in memory.
#include "glm_reader.h"
#include "glm_assert.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>

namespace {

// A zeroed array; a large one asks for huge pages, which take one page fault where small
// pages take five hundred.
void* zeroedArray(std::size_t count, std::size_t size) {
    void* array = std::calloc(count, size);
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(array);
    const std::uintptr_t begin = (start + kHugePage - 1) / kHugePage * kHugePage;
    const std::uintptr_t end = (start + count * size) / kHugePage * kHugePage;
    if (end > begin) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
    return array;
}

// Frees the model of a failed read; returns null for the caller to return.
ObjModel* discard(ObjModel* model) {
    glmDestroyModel(model);
    return nullptr;
}

ObjModel* readFile(const char* path, ObjReadFailure* failure) {
    GLM_REQUIRE(path);
    ObjFileText file;
    if (!file.open(path)) {
        failure->message =
            "glmReadOBJ() failed: can't open data file \"" + std::string(path) + "\".";
        failure->onStandardOutput = false;
        return nullptr;
    }
    ObjScanner scanner(file);
    ObjModel* model = glmReadOBJFrom(path, scanner, nullptr, failure);
    if (file.failed()) {
        // Whatever the passes made of a file cut short, the cause to report is the read.
        failure->message =
            "glmReadOBJ() failed: can't read data file \"" + std::string(path) + "\".";
        failure->onStandardOutput = false;
        return model != nullptr ? discard(model) : nullptr;
    }
    return model;
}

} // namespace

ObjName glmFirstWordOfLine(ObjScanner& scanner) {
    std::string_view word = scanner.linePiece();
    while (!word.empty() && ObjScanner::isBlank(word.front())) {
        word.remove_prefix(1);
    }
    std::size_t length = 0;
    while (length < word.size() && !ObjScanner::isBlank(word[length])) {
        length++;
    }
    word = word.substr(0, length);
    ObjName name;
    std::memcpy(name.text, word.data(), word.size());
    name.text[word.size()] = '\0';
    return name;
}

ObjModel* glmReadOBJText(const char* path, std::string_view text, std::string_view materialText,
                         ObjReadFailure* failure) {
    // The scanner wants a zero byte after its text; the copy brings one.
    const std::string copy(text);
    ObjScanner scanner(copy.data(), copy.size());
    return glmReadOBJFrom(path, scanner, &materialText, failure);
}

ObjModel* glmReadOBJFrom(const char* path, ObjScanner& scanner,
                         const std::string_view* materialText, ObjReadFailure* failure) {
    ObjModel* model = static_cast<ObjModel*>(std::calloc(1, sizeof(ObjModel)));
    model->objpath = strdup(path);
    ObjReading reading{model, materialText, failure, {}};
    if (!glmFirstPass(reading, scanner)) {
        return discard(model);
    }
    // Zeroed, so that values a malformed line did not set are 0, never garbage.
    model->vertices = static_cast<float*>(zeroedArray(model->vertexcount + 1u, 3 * sizeof(float)));
    model->faces = static_cast<ObjTriangle*>(zeroedArray(model->facecount, sizeof(ObjTriangle)));
    if (model->normalcount != 0) {
        model->normals =
            static_cast<float*>(zeroedArray(model->normalcount + 1u, 3 * sizeof(float)));
    }
    if (model->texcoordcount != 0) {
        model->texcoordarray =
            static_cast<float*>(zeroedArray(model->texcoordcount + 1u, 2 * sizeof(float)));
    }
    scanner.rewind();
    if (!glmSecondPass(reading, scanner)) {
        return discard(model);
    }
    return model;
}

ObjModel* glmTryReadOBJ(const char* path, std::string* error) {
    ObjReadFailure failure;
    ObjModel* model = readFile(path, &failure);
    if (model == nullptr && error != nullptr) {
        *error = failure.message;
    }
    return model;
}

ObjModel* glmReadOBJ(const char* path) {
    ObjReadFailure failure;
    ObjModel* model = readFile(path, &failure);
    if (model == nullptr) {
        std::fprintf(failure.onStandardOutput ? stdout : stderr, "%s\n", failure.message.c_str());
        std::exit(1);
    }
    return model;
}

char* glmPathDirectory(const char* path) {
    const char* slash = std::strrchr(path, '/');
    const std::size_t length = slash == nullptr ? 0 : static_cast<std::size_t>(slash - path) + 1;
    char* directory = static_cast<char*>(std::malloc(length + 1));
    std::memcpy(directory, path, length);
    directory[length] = '\0';
    return directory;
}
