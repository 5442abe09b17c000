// Reading an OBJ file: the whole file is read into memory once and both passes run over it.
#include "glm_reader.h"
#include "glm_assert.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Frees the model of a failed read; returns null for the caller to return.
ObjModel* discard(ObjModel* model) {
    glmDestroyModel(model);
    return nullptr;
}

ObjModel* readFile(const char* path, ObjReadFailure* failure) {
    GLM_REQUIRE(path);
    ObjText text;
    if (!glmReadWholeFile(path, &text)) {
        failure->message =
            "glmReadOBJ() failed: can't open data file \"" + std::string(path) + "\".";
        failure->onStandardOutput = false;
        return nullptr;
    }
    return glmReadOBJText(path, std::string_view(text.bytes.get(), text.size), nullptr, failure);
}

} // namespace

ObjName glmFirstWordOfLine(ObjScanner& scanner) {
    const std::string_view piece = scanner.linePiece();
    ObjScanner words(piece.data(), piece.size());
    std::string_view word;
    words.word(&word);
    ObjName name;
    std::memcpy(name.text, word.data(), word.size());
    name.text[word.size()] = '\0';
    return name;
}

bool glmReadWholeFile(const char* path, ObjText* text) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    // The size is only a hint: the loop reads on to the end whatever the file holds.
    std::size_t capacity = 4096;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long end = std::ftell(file);
        capacity = end > 0 && static_cast<unsigned long>(end) < (1ul << 40)
                       ? static_cast<std::size_t>(end) + 1
                       : capacity;
    }
    std::rewind(file);
    std::unique_ptr<char[]> bytes(new char[capacity + 1]);
    std::size_t size = 0;
    for (;;) {
        size += std::fread(bytes.get() + size, 1, capacity - size, file);
        if (size < capacity) {
            break;
        }
        std::unique_ptr<char[]> larger(new char[2 * capacity + 1]);
        std::memcpy(larger.get(), bytes.get(), size);
        bytes = std::move(larger);
        capacity *= 2;
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return false;
    }
    bytes[size] = '\0';
    text->bytes = std::move(bytes);
    text->size = size;
    return true;
}

ObjModel* glmReadOBJText(const char* path, std::string_view text,
                         const std::string_view* materialText, ObjReadFailure* failure) {
    ObjModel* model = static_cast<ObjModel*>(std::calloc(1, sizeof(ObjModel)));
    model->objpath = strdup(path);
    ObjReading reading{model, materialText, failure, {}};
    ObjScanner scanner(text.data(), text.size());
    if (!glmFirstPass(reading, scanner)) {
        return discard(model);
    }
    // Zeroed, so that values a malformed line did not set are 0, never garbage.
    model->vertices = static_cast<float*>(std::calloc(model->vertexcount + 1u, 3 * sizeof(float)));
    model->faces = static_cast<ObjTriangle*>(std::calloc(model->facecount, sizeof(ObjTriangle)));
    if (model->normalcount != 0) {
        model->normals =
            static_cast<float*>(std::calloc(model->normalcount + 1u, 3 * sizeof(float)));
    }
    if (model->texcoordcount != 0) {
        model->texcoordarray =
            static_cast<float*>(std::calloc(model->texcoordcount + 1u, 2 * sizeof(float)));
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
