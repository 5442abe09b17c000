// The reader's inside, shared by its files, the tests and the fuzz target.
//
// The text is cut into parts at line starts, and each part is read by whichever thread takes
// it, twice:
// - the first pass (glm_first_pass.cpp) counts each part's vertices, normals, texture
//   coordinates, triangles and lines, and notes in file order the statements whose effect
//   carries across lines: "g", "o", "usemtl" and "mtllib";
// - the stitch (glm_stitch.cpp), on the calling thread, walks those notes in file order: it
//   reads the material libraries, creates the groups, sizes every array exactly and gives
//   each part the place where its vertices and triangles go, and each group's face list the
//   place for each part's triangles;
// - the second pass (glm_second_pass.cpp) fills each part's share of the arrays.
// Whatever the number of threads, the model and the messages are those of one thread: a
// failure is the first in file order, of the first pass before the second.
#pragma once

#include "gallery/glm.h"
#include "glm_text_source.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace objreader {

class LineSource;
class Scanner;

// How a reading is cut up.
struct Settings {
    unsigned threads = 1;
    // The size of the parts; 0 chooses it from the size of the text and the threads. Tests
    // set a few bytes, so that parts meet at every kind of line.
    std::uint64_t partBytes = 0;
    // When set, every "mtllib" line reads this text instead of a file (fuzzing).
    const std::string_view* materialText = nullptr;
    // When set, runs between the passes: tests change the file there.
    std::function<void()> betweenPasses;
};

// Why a read failed: the message without its line break, and the stream it belongs on.
struct Failure {
    std::string message;
    bool onStandardOutput = false; // the unknown-token message goes to standard output
    int error = 0;                 // the system's error number, when one is the cause
};

// A fault found in a part. The first pass counts lines from its part's start; the stitch
// turns them into the file's lines.
struct Fault {
    enum Kind { None, AtLine, InFile, UnknownToken, ReadError, OutOfMemory, Changed };
    Kind kind = None;
    std::uint64_t line = 0;
    std::string what; // for UnknownToken, the keyword
    int error = 0;    // for ReadError, the system's error number
};

// A "g", "o" or "usemtl" line, and the triangles of the faces that follow it up to the next.
struct Note {
    enum Kind : unsigned char { Group, Object, MaterialUse };
    Kind kind;
    std::string name;
    std::uint64_t triangles = 0;
};

// The statements that the reader skips in one text, each keyword once with its count, in the
// order they first appear.
class SkippedTally {
public:
    struct Kind {
        std::string keyword;
        std::uint64_t count;
    };

    void add(std::string_view keyword, std::uint64_t count = 1);
    const std::vector<Kind>& kinds() const { return kinds_; }

private:
    std::vector<Kind> kinds_;
    std::unordered_map<std::string, std::size_t> places_; // keyword to its place in kinds_
};

// A part's faces between two notes go to one group: where in its face list they start.
struct Segment {
    std::uint32_t group;
    std::uint64_t offset;
    std::uint64_t triangles;
};

struct Part {
    std::uint64_t nominalBegin = 0;
    std::uint64_t nominalEnd = 0;
    // What the first pass found.
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
    std::uint64_t lines = 0; // line breaks
    std::uint64_t vertices = 0;
    std::uint64_t normals = 0;
    std::uint64_t texcoords = 0;
    std::uint64_t triangles = 0;
    std::uint64_t leadingTriangles = 0; // before the first note
    std::vector<Note> notes;
    std::vector<std::string> libraries;      // the rest of each "mtllib" line, as written
    SkippedTally skipped;                    // "o" among them
    std::uint64_t statementsBeforeKnown = 0; // none of them an OBJ statement
    bool sawKnown = false;
    Fault fault;
    // What the stitch gives it for the second pass.
    std::uint64_t firstLine = 1;
    std::uint64_t firstVertex = 0; // defined before the part
    std::uint64_t firstNormal = 0;
    std::uint64_t firstTexcoord = 0;
    std::uint64_t firstTriangle = 0;
    std::vector<Segment> segments; // one before the first note, then one for each
};

// One reading in progress.
struct Reading {
    ObjModel* model = nullptr;
    const TextSource* text = nullptr;
    Settings settings;
    ObjReadReport* report = nullptr; // when set, it takes the warnings
    std::vector<Part> parts;
    // The groups in the order they were created, "default" first.
    std::vector<ObjGroup*> groups;
    // The first part that failed: the parts after it may stop.
    std::atomic<std::size_t> firstFailed{SIZE_MAX};
    Failure failure;

    // Notes that part index failed, so that the parts after it can stop.
    void partFailed(std::size_t index);
    bool failedBefore(std::size_t index) const {
        return firstFailed.load(std::memory_order_relaxed) < index;
    }
    // Warnings wait for the reading to succeed: then they go to the report, or to standard
    // output. A failed reading says only why it failed.
    std::vector<std::string> warnings;
    void warn(const std::string& message) { warnings.push_back(message); }
    // The message for a fault of the OBJ file; returns false.
    bool fail(const Fault& fault);
};

// A new malloc'd, zero-terminated copy of text, or null.
char* copyString(std::string_view text);
// Creates a group named name, without looking for one (defined with the records); null when
// memory runs out.
ObjGroup* addGroup(ObjModel* model, std::string_view name);

// The passes and the stitch. The passes record their faults in their part.
void surveyPart(Reading& reading, std::size_t index, LineSource& lines);
bool stitch(Reading& reading);
void fillPart(Reading& reading, std::size_t index, LineSource& lines);
// Reads the libraries that the "mtllib" lines name into the model's material table, in
// order; a library that cannot be read is a warning.
void readLibraries(Reading& reading, const std::vector<std::string>& lines);

// Reads the text of source into a new model named path. Returns null and fills *failure
// when the text cannot be read.
ObjModel* readOBJ(const char* path, const TextSource& source, const Settings& settings,
                  ObjReadReport* report, Failure* failure);

// The same for an OBJ text held in memory, whose "mtllib" lines all read materialText:
// the entry for fuzzing and tests.
ObjModel* readOBJText(const char* path, std::string_view text, std::string_view materialText,
                      Failure* failure, unsigned threads = 1, std::uint64_t partBytes = 0);

} // namespace objreader
