// Between the passes, on the calling thread: the parts' notes walked in file order. The
// material libraries are read, the groups created, every array sized exactly, and each part
// given the place of its vertices and triangles, and each group's face list the place for
// each part's triangles.
//
// A group holds the faces of one name and one material. "usemtl" sends the faces after it to
// the group of the current name with that material, created on first use; a group that holds
// no face yet takes the material itself. "o" names groups as "g" does in a file without "g".
#include "glm_name_index.h"
#include "glm_reader.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <sys/mman.h>

namespace objreader {

namespace {

// A text whose first statements hold no OBJ statement is no OBJ file.
constexpr std::uint64_t kStatementsBeforeKnown = 100;

// Counts beyond what a 32-bit index can name are refused.
constexpr std::uint64_t kCountLimit = std::numeric_limits<std::int32_t>::max();

constexpr std::uint32_t kNoGroup = UINT32_MAX;

// An array of count elements of size bytes, or null; a large one asks for huge pages, which
// take one page fault where small pages take five hundred.
void* largeArray(std::uint64_t count, std::size_t size) {
    if (count > SIZE_MAX / size) {
        return nullptr;
    }
    void* array = std::malloc(static_cast<std::size_t>(count) * size);
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(array);
    const std::uintptr_t begin = (start + kHugePage - 1) / kHugePage * kHugePage;
    const std::uintptr_t end = (start + count * size) / kHugePage * kHugePage;
    if (array != nullptr && end > begin) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
    return array;
}

// The groups being created, found by name and material.
class Groups {
public:
    explicit Groups(Reading& reading) : reading_(reading) {}

    // The group of that name and material: the one there is, else an empty group of that
    // name, which takes the material (no face of it changes) and is preferred when empty,
    // else a new one; kNoGroup when memory runs out.
    std::uint32_t enter(std::string_view name, std::uint32_t material,
                        std::uint32_t preferred = kNoGroup) {
        std::uint32_t last = kNoGroup;
        std::uint32_t empty = kNoGroup;
        for (std::uint32_t g = byName_.find(name); g != NameIndex::kNone; g = sameName_[g]) {
            if (reading_.groups[g]->materialidx == material) {
                return g;
            }
            empty = empty == kNoGroup && filled_[g] == 0 ? g : empty;
            last = g;
        }
        if (preferred != kNoGroup && filled_[preferred] == 0) {
            empty = preferred;
        }
        if (empty != kNoGroup) {
            reading_.groups[empty]->materialidx = material;
            return empty;
        }
        ObjGroup* group = addGroup(reading_.model, name);
        if (group == nullptr) {
            return kNoGroup;
        }
        group->materialidx = material;
        const auto number = static_cast<std::uint32_t>(reading_.groups.size());
        reading_.groups.push_back(group);
        filled_.push_back(0);
        sameName_.push_back(kNoGroup);
        if (last == kNoGroup) {
            byName_.findOrAdd(name,
                              [&] { return std::pair(number, std::string_view(group->name)); });
        } else {
            sameName_[last] = number;
        }
        return number;
    }

    // The group for the faces after "usemtl material" in group current: the current group
    // itself while it holds no face.
    std::uint32_t use(std::uint32_t current, std::uint32_t material) {
        return enter(reading_.groups[current]->name, material, current);
    }

    // Gives the next triangles of group its faces' place.
    Segment place(std::uint32_t group, std::uint64_t triangles) {
        const Segment segment{group, filled_[group], triangles};
        filled_[group] += triangles;
        return segment;
    }

    std::uint64_t filled(std::uint32_t group) const { return filled_[group]; }

private:
    Reading& reading_;
    NameIndex byName_;                    // the first group of each name
    std::vector<std::uint32_t> sameName_; // the next group of the same name
    std::vector<std::uint64_t> filled_;
};

// Materials found by name: each name finds its first entry, as glmFindMaterial does.
class Materials {
public:
    Materials(Reading& reading) : reading_(reading) {
        const ObjModel* model = reading.model;
        for (std::uint32_t i = 0; i < model->materialcount; i++) {
            const std::string_view name = model->materialtable[i].name;
            index_.findOrAdd(name, [&] { return std::pair(i, name); });
        }
    }

    std::uint32_t named(std::string_view name) {
        const std::uint32_t found = index_.find(name);
        if (found != NameIndex::kNone) {
            return found;
        }
        reading_.warn("glmFindMaterial():  can't find material \"" + std::string(name) + "\".");
        return 0;
    }

private:
    Reading& reading_;
    NameIndex index_;
};

bool countFits(Reading& reading, std::uint64_t count, const char* what) {
    return count <= kCountLimit ||
           reading.fail(
               {Fault::InFile, 0, "more than " + std::to_string(kCountLimit) + " " + what});
}

// The first fault of the first pass, in file order, with its line in the file.
bool firstPassSucceeded(Reading& reading) {
    std::uint64_t lines = 0;
    for (const Part& part : reading.parts) {
        if (part.fault.kind != Fault::None) {
            Fault fault = part.fault;
            fault.line += fault.kind == Fault::AtLine ? 1 + lines : 0;
            return reading.fail(fault);
        }
        lines += part.lines;
    }
    return true;
}

bool isText(Reading& reading) {
    std::uint64_t unknown = 0;
    for (const Part& part : reading.parts) {
        unknown += part.statementsBeforeKnown;
        if (part.sawKnown && unknown < kStatementsBeforeKnown) {
            return true;
        }
    }
    if (unknown == 0) {
        return true; // blank lines and comments: an empty model
    }
    return reading.fail({Fault::InFile, 0,
                         unknown < kStatementsBeforeKnown
                             ? "it holds no OBJ statement: it is no OBJ file"
                             : "none of its first " + std::to_string(kStatementsBeforeKnown) +
                                   " statements is an OBJ statement: it is no OBJ file"});
}

// Gives each part its first line and the items defined before it, and sizes the model.
bool countItems(Reading& reading) {
    std::uint64_t lines = 1, vertices = 0, normals = 0, texcoords = 0, triangles = 0;
    for (Part& part : reading.parts) {
        part.firstLine = lines;
        part.firstVertex = vertices;
        part.firstNormal = normals;
        part.firstTexcoord = texcoords;
        part.firstTriangle = triangles;
        lines += part.lines;
        vertices += part.vertices;
        normals += part.normals;
        texcoords += part.texcoords;
        triangles += part.triangles;
    }
    if (!countFits(reading, vertices, "vertices") || !countFits(reading, normals, "normals") ||
        !countFits(reading, texcoords, "texture coordinates") ||
        !countFits(reading, triangles, "triangles")) {
        return false;
    }
    ObjModel* model = reading.model;
    model->vertexcount = static_cast<std::uint32_t>(vertices);
    model->normalcount = static_cast<std::uint32_t>(normals);
    model->texcoordcount = static_cast<std::uint32_t>(texcoords);
    model->facecount = static_cast<std::uint32_t>(triangles);
    return true;
}

bool fileHasGroups(const Reading& reading) {
    for (const Part& part : reading.parts) {
        for (const Note& note : part.notes) {
            if (note.kind == Note::Group) {
                return true;
            }
        }
    }
    return false;
}

// The skipped statements of the OBJ file, each keyword once, in the order they first appear.
void reportSkipped(Reading& reading, bool objectsSkipped) {
    if (reading.report == nullptr) {
        return;
    }
    SkippedTally file;
    for (const Part& part : reading.parts) {
        for (const SkippedTally::Kind& kind : part.skipped.kinds()) {
            if (kind.keyword != "o" || objectsSkipped) {
                file.add(kind.keyword, kind.count);
            }
        }
    }
    for (const SkippedTally::Kind& kind : file.kinds()) {
        reading.report->skipped.push_back({kind.keyword, reading.model->objpath, kind.count});
    }
}

// Creates the groups in file order and gives each part's faces their places. The group that
// a "g" line names is made when its first face comes, or the next group line or the end of
// the file: a "usemtl" right after "g" gives it its material, and no empty twin is left with
// the material before.
bool placeFaces(Reading& reading, bool hasGroups) {
    Groups groups(reading);
    Materials materials(reading);
    std::uint32_t current = groups.enter("default", 0);
    std::uint32_t material = 0;
    const Note* named = nullptr; // the group line whose group is still to be made
    const auto make = [&] {
        if (named != nullptr) {
            current = groups.enter(named->name, material);
            named = nullptr;
        }
        return current != kNoGroup;
    };
    const auto place = [&](Part& part, std::uint64_t triangles) {
        if (triangles != 0 && !make()) {
            return false;
        }
        part.segments.push_back(groups.place(current, triangles));
        return true;
    };
    for (Part& part : reading.parts) {
        if (!place(part, part.leadingTriangles)) {
            return reading.fail({Fault::OutOfMemory, 0, {}});
        }
        for (const Note& note : part.notes) {
            if (note.kind == Note::MaterialUse) {
                material = materials.named(note.name);
                current = named != nullptr ? current : groups.use(current, material);
            } else if ((note.kind == Note::Group || !hasGroups) && make()) {
                named = &note;
            }
            if (current == kNoGroup || !place(part, note.triangles)) {
                return reading.fail({Fault::OutOfMemory, 0, {}});
            }
        }
    }
    if (!make()) {
        return reading.fail({Fault::OutOfMemory, 0, {}});
    }
    for (std::uint32_t g = 0; g < reading.groups.size(); g++) {
        ObjGroup* group = reading.groups[g];
        group->facecount = static_cast<std::uint32_t>(groups.filled(g));
        if (group->facecount != 0) {
            group->faceidx =
                static_cast<std::uint32_t*>(largeArray(group->facecount, sizeof(std::uint32_t)));
            if (group->faceidx == nullptr) {
                return reading.fail({Fault::OutOfMemory, 0, {}});
            }
        }
    }
    return true;
}

bool allocateArrays(Reading& reading) {
    ObjModel* model = reading.model;
    model->vertices = static_cast<float*>(largeArray(model->vertexcount + 1u, 3 * sizeof(float)));
    model->faces = static_cast<ObjTriangle*>(largeArray(model->facecount, sizeof(ObjTriangle)));
    if (model->normalcount != 0) {
        model->normals =
            static_cast<float*>(largeArray(model->normalcount + 1u, 3 * sizeof(float)));
    }
    if (model->texcoordcount != 0) {
        model->texcoordarray =
            static_cast<float*>(largeArray(model->texcoordcount + 1u, 2 * sizeof(float)));
    }
    const bool allocated = model->vertices != nullptr &&
                           (model->faces != nullptr || model->facecount == 0) &&
                           (model->normals != nullptr || model->normalcount == 0) &&
                           (model->texcoordarray != nullptr || model->texcoordcount == 0);
    if (!allocated) {
        return reading.fail({Fault::OutOfMemory, 0, {}});
    }
    // Element 0 is never used, but is set like the rest.
    std::fill_n(model->vertices, 3, 0.0f);
    if (model->normals != nullptr) {
        std::fill_n(model->normals, 3, 0.0f);
    }
    if (model->texcoordarray != nullptr) {
        std::fill_n(model->texcoordarray, 2, 0.0f);
    }
    return true;
}

} // namespace

bool stitch(Reading& reading) {
    if (!firstPassSucceeded(reading) || !isText(reading) || !countItems(reading)) {
        return false;
    }
    const bool hasGroups = fileHasGroups(reading);
    reportSkipped(reading, hasGroups);
    std::vector<std::string> libraries;
    for (const Part& part : reading.parts) {
        libraries.insert(libraries.end(), part.libraries.begin(), part.libraries.end());
    }
    if (!libraries.empty()) {
        reading.model->mtllib = copyString(libraries.back());
        readLibraries(reading, libraries);
    }
    return placeFaces(reading, hasGroups) && allocateArrays(reading);
}

} // namespace objreader
