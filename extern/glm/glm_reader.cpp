// Reading an OBJ file: two passes of the scanner over the file, or over text in memory.
#include "glm_reader.h"
#include "glm_assert.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>

namespace objreader {

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

ObjModel* readFile(const char* path, Failure* failure) {
    GLM_REQUIRE(path);
    FileText file;
    if (!file.open(path)) {
        failure->message =
            "glmReadOBJ() failed: can't open data file \"" + std::string(path) + "\".";
        failure->onStandardOutput = false;
        return nullptr;
    }
    Scanner scanner(file);
    return readOBJ(path, scanner, nullptr, failure);
}

} // namespace

bool Reading::fail(std::string message, bool onStandardOutput) {
    failure->message = std::move(message);
    failure->onStandardOutput = onStandardOutput;
    return false;
}

bool Reading::failIn(const char* function, std::string_view path, unsigned line,
                     const std::string& what) {
    std::string message = function + ("() failed: \"" + std::string(path) + "\"");
    if (line != 0) {
        message += " line " + std::to_string(line);
    }
    return fail(message + ": " + what + ".");
}

bool Reading::failAt(unsigned line, const std::string& what) {
    return failIn("glmReadOBJ", model->objpath, line, what);
}

bool Reading::failInFile(const std::string& what) {
    return failIn("glmReadOBJ", model->objpath, 0, what);
}

bool Reading::checkEncoding(const Scanner& scanner, const char* function, std::string_view path) {
    const char* encoding = scanner.refusedEncoding();
    return encoding == nullptr || failIn(function, path, 0,
                                         std::string("the file starts with a ") + encoding +
                                             " byte-order mark; only ASCII and UTF-8 text is read");
}

bool Reading::checkEnd(const Scanner& scanner, const char* function, std::string_view path,
                       const std::string& readError) {
    switch (scanner.fileEnd()) {
    case FileText::End::LongLine:
        return failIn(function, path, scanner.line(),
                      std::string("the line is longer than ") + kLineLimitText);
    case FileText::End::ReadError:
        return fail(readError);
    default:
        return true;
    }
}

char* copyString(std::string_view text) {
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}

ObjModel* readOBJText(const char* path, std::string_view text, std::string_view materialText,
                      Failure* failure) {
    // The scanner wants a zero byte after its text; the copy brings one.
    const std::string copy(text);
    Scanner scanner(copy.data(), copy.size());
    return readOBJ(path, scanner, &materialText, failure);
}

ObjModel* readOBJ(const char* path, Scanner& scanner, const std::string_view* materialText,
                  Failure* failure) {
    ObjModel* model = static_cast<ObjModel*>(std::calloc(1, sizeof(ObjModel)));
    model->objpath = strdup(path);
    Reading reading(model, materialText, failure);
    if (!reading.checkEncoding(scanner, "glmReadOBJ", path) || !glmFirstPass(reading, scanner)) {
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
    if (!secondPass(reading, scanner)) {
        return discard(model);
    }
    return model;
}

} // namespace objreader

ObjModel* glmTryReadOBJ(const char* path, std::string* error) {
    objreader::Failure failure;
    ObjModel* model = objreader::readFile(path, &failure);
    if (model == nullptr && error != nullptr) {
        *error = failure.message;
    }
    return model;
}

ObjModel* glmReadOBJ(const char* path) {
    objreader::Failure failure;
    ObjModel* model = objreader::readFile(path, &failure);
    if (model == nullptr) {
        std::fprintf(failure.onStandardOutput ? stdout : stderr, "%s\n", failure.message.c_str());
        std::exit(1);
    }
    return model;
}

char* glmPathDirectory(const char* path) {
    const char* slash = std::strrchr(path, '/');
    const std::size_t length = slash == nullptr ? 0 : static_cast<std::size_t>(slash - path) + 1;
    return objreader::copyString(std::string_view(path, length));
}
