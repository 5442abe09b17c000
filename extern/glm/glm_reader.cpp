// Reading an OBJ file: the text cut into parts, the two passes over them on as many threads
// as the machine and the text's size allow, and the failure in file order.
#include "glm_reader.h"
#include "glm_assert.h"
#include "glm_line_source.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <system_error>
#include <thread>

namespace objreader {

namespace {

// No thread reads less text than this: a small file reads on the calling thread alone.
constexpr std::uint64_t kTextPerThread = std::uint64_t{1} << 20;
// Parts a thread takes, so that one that holds the slow lines does not keep the rest waiting.
constexpr std::uint64_t kPartsPerThread = 16;

// Frees the model of a failed read; returns null for the caller to return.
ObjModel* discard(ObjModel* model) {
    glmDestroyModel(model);
    return nullptr;
}

void cutIntoParts(Reading& reading) {
    const std::uint64_t size = reading.text->size();
    std::uint64_t partBytes = reading.settings.partBytes;
    if (partBytes == 0) {
        const std::uint64_t parts = reading.settings.threads * kPartsPerThread;
        partBytes = std::max(kTextPerThread, (size + parts - 1) / parts);
    }
    const std::uint64_t count = std::max<std::uint64_t>(1, (size + partBytes - 1) / partBytes);
    reading.parts.resize(count);
    for (std::uint64_t i = 0; i < count; i++) {
        reading.parts[i].nominalBegin = i * partBytes;
        reading.parts[i].nominalEnd = i + 1 == count ? size : (i + 1) * partBytes;
    }
}

// Runs work on every part, each part taken by the next free thread: the calling one and
// threads - 1 more, which end before this returns. A part's fault lets the parts after it
// stop.
void forEachPart(Reading& reading, unsigned threads,
                 void (*work)(Reading&, std::size_t, LineSource&)) {
    std::atomic<std::size_t> next{0};
    const auto worker = [&] {
        LineSource lines(*reading.text);
        for (std::size_t i = next++; i < reading.parts.size(); i = next++) {
            if (reading.failedBefore(i)) {
                continue;
            }
            Part& part = reading.parts[i];
            try {
                work(reading, i, lines);
            } catch (const std::bad_alloc&) {
                part.fault = {Fault::OutOfMemory, 0, {}};
            }
            if (part.fault.kind != Fault::None) {
                reading.partFailed(i);
            }
        }
    };
    std::vector<std::thread> helpers;
    try {
        for (unsigned t = 1; t < std::min<std::size_t>(threads, reading.parts.size()); t++) {
            helpers.emplace_back(worker);
        }
    } catch (const std::system_error&) {
        // No more threads to be had: those started and this one read every part.
    }
    worker();
    for (std::thread& helper : helpers) {
        helper.join();
    }
}

// The first fault of the second pass, in file order.
bool secondPassSucceeded(Reading& reading) {
    for (const Part& part : reading.parts) {
        if (part.fault.kind != Fault::None) {
            return reading.fail(part.fault);
        }
    }
    return true;
}

// The number of threads the machine offers: one per hardware thread, at most
// GALLERY_OBJ_THREADS when that is set to a whole number above 0.
unsigned machineThreads() {
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    if (const char* cap = std::getenv("GALLERY_OBJ_THREADS")) {
        char* end = nullptr;
        const unsigned long value = std::strtoul(cap, &end, 10);
        if (end != cap && *end == '\0' && value >= 1) {
            threads = static_cast<unsigned>(std::min<unsigned long>(threads, value));
        }
    }
    return threads;
}

ObjModel* readPath(const char* path, const ObjReadOptions& options, Failure* failure) {
    GLM_REQUIRE(path);
    TextSource text;
    int error = 0;
    if (!text.open(path, options.descriptor, &error)) {
        failure->message =
            "glmReadOBJ() failed: can't open data file \"" + std::string(path) + "\".";
        failure->error = error;
        return nullptr;
    }
    Settings settings;
    const unsigned asked = options.threads != 0 ? options.threads : machineThreads();
    settings.threads = static_cast<unsigned>(
        std::min<std::uint64_t>(asked, std::max<std::uint64_t>(1, text.size() / kTextPerThread)));
    return readOBJ(path, text, settings, options.report, failure);
}

} // namespace

void Reading::partFailed(std::size_t index) {
    std::size_t seen = firstFailed.load();
    while (index < seen && !firstFailed.compare_exchange_weak(seen, index)) {
    }
}

void SkippedTally::add(std::string_view keyword, std::uint64_t count) {
    const auto [place, added] = places_.try_emplace(std::string(keyword), kinds_.size());
    if (added) {
        kinds_.push_back({std::string(keyword), 0});
    }
    kinds_[place->second].count += count;
}

bool Reading::fail(const Fault& fault) {
    const std::string path = model->objpath;
    failure.onStandardOutput = false;
    switch (fault.kind) {
    case Fault::UnknownToken:
        failure.message = "glmFirstPass(): Unknown token \"" + fault.what + "\".";
        failure.onStandardOutput = true;
        return false;
    case Fault::ReadError:
        failure.message = "glmReadOBJ() failed: can't read data file \"" + path + "\".";
        failure.error = fault.error;
        return false;
    case Fault::OutOfMemory:
        failure.message = "glmReadOBJ() failed: out of memory reading \"" + path + "\".";
        failure.error = ENOMEM;
        return false;
    default:
        break;
    }
    // "glmReadOBJ() failed: "<path>" line <line>: <what>.", without the line when it is 0.
    const std::string what =
        fault.kind == Fault::Changed ? "the file changed while it was read" : fault.what;
    failure.message = "glmReadOBJ() failed: \"" + path + "\"" +
                      (fault.line != 0 ? " line " + std::to_string(fault.line) : "") + ": " + what +
                      ".";
    return false;
}

char* copyString(std::string_view text) {
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy != nullptr) {
        std::memcpy(copy, text.data(), text.size());
        copy[text.size()] = '\0';
    }
    return copy;
}

ObjModel* readOBJ(const char* path, const TextSource& source, const Settings& settings,
                  ObjReadReport* report, Failure* failure) {
    Reading reading;
    reading.text = &source;
    reading.settings = settings;
    reading.report = report;
    ObjModel* model = static_cast<ObjModel*>(std::calloc(1, sizeof(ObjModel)));
    if (model == nullptr || (model->objpath = copyString(path)) == nullptr) {
        std::free(model);
        *failure = {"glmReadOBJ() failed: out of memory reading \"" + std::string(path) + "\".",
                    false, ENOMEM};
        return nullptr;
    }
    reading.model = model;
    bool read = false;
    try {
        cutIntoParts(reading);
        forEachPart(reading, settings.threads, surveyPart);
        if (stitch(reading)) {
            if (settings.betweenPasses) {
                settings.betweenPasses();
            }
            forEachPart(reading, settings.threads, fillPart);
            // A file that changed under the passes may read as anything: that is its fault.
            read = source.changed() ? reading.fail({Fault::Changed, 0, {}})
                                    : secondPassSucceeded(reading);
        }
    } catch (const std::bad_alloc&) {
        read = reading.fail({Fault::OutOfMemory, 0, {}});
    }
    if (!read) {
        *failure = std::move(reading.failure);
        return discard(model);
    }
    for (std::string& warning : reading.warnings) {
        if (report != nullptr) {
            report->warnings.push_back(std::move(warning));
        } else {
            std::printf("%s\n", warning.c_str());
        }
    }
    return model;
}

ObjModel* readOBJText(const char* path, std::string_view text, std::string_view materialText,
                      Failure* failure, unsigned threads, std::uint64_t partBytes) {
    TextSource source;
    source.view(text);
    Settings settings;
    settings.threads = threads;
    settings.partBytes = partBytes;
    settings.materialText = &materialText;
    return readOBJ(path, source, settings, nullptr, failure);
}

} // namespace objreader

ObjModel* glmReadOBJWith(const char* path, const ObjReadOptions& options, std::string* error) {
    objreader::Failure failure;
    ObjModel* model = objreader::readPath(path, options, &failure);
    if (model == nullptr) {
        if (error != nullptr) {
            *error = failure.message;
        }
        if (options.report != nullptr) {
            options.report->error = failure.error;
        }
    }
    return model;
}

ObjModel* glmTryReadOBJ(const char* path, std::string* error) {
    return glmReadOBJWith(path, ObjReadOptions{}, error);
}

ObjModel* glmReadOBJ(const char* path) {
    objreader::Failure failure;
    ObjModel* model = objreader::readPath(path, ObjReadOptions{}, &failure);
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
