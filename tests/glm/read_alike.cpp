#include "read_alike.h"

#include "glm_reader.h"
#include "glm_test_util.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Part sizes for a text of size bytes: a few bytes where the text is small enough for a part
// at every line, and a few dozen parts where it is not.
std::vector<std::uint64_t> partSizes(std::uint64_t size) {
    if (size <= 4096) {
        return {1, 2, 7, 64};
    }
    return {size / 97 + 1, size / 7 + 1};
}

// Reads with read(threads, partBytes) and compares with one thread reading whole.
template <class Read>
void expectAlike(std::uint64_t size, const Read& read, const std::string& what) {
    objreader::Failure wholeFailure;
    const ModelPtr whole(read(1, 0, &wholeFailure));
    for (const unsigned threads : {2u, 3u, 7u}) {
        for (const std::uint64_t partBytes : partSizes(size)) {
            objreader::Failure failure;
            const ModelPtr model(read(threads, partBytes, &failure));
            const std::string how = what + " on " + std::to_string(threads) +
                                    " threads in parts of " + std::to_string(partBytes) + " bytes";
            ASSERT_EQ(model == nullptr, whole == nullptr) << how << ": " << failure.message;
            if (whole != nullptr) {
                EXPECT_TRUE(sameModels(model.get(), whole.get())) << how;
            } else {
                EXPECT_EQ(failure.message, wholeFailure.message) << how;
                EXPECT_EQ(failure.onStandardOutput, wholeFailure.onStandardOutput) << how;
            }
        }
    }
}

} // namespace

void expectAlikeOnAnyThreads(const std::string& path) {
    objreader::TextSource text;
    int error = 0;
    ASSERT_TRUE(text.open(path.c_str(), -1, &error)) << path;
    testing::internal::CaptureStdout(); // the warnings of every read
    expectAlike(
        text.size(),
        [&](unsigned threads, std::uint64_t partBytes, objreader::Failure* failure) {
            objreader::Settings settings;
            settings.threads = threads;
            settings.partBytes = partBytes;
            return objreader::readOBJ(path.c_str(), text, settings, nullptr, failure);
        },
        path);
    testing::internal::GetCapturedStdout();
}

void expectTextAlikeOnAnyThreads(const std::string& obj, const std::string& materials) {
    testing::internal::CaptureStdout();
    expectAlike(
        obj.size(),
        [&](unsigned threads, std::uint64_t partBytes, objreader::Failure* failure) {
            return objreader::readOBJText("model.obj", obj, materials, failure, threads, partBytes);
        },
        obj);
    testing::internal::GetCapturedStdout();
}
