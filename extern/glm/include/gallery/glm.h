// The OBJ model library: Wavefront OBJ and MTL files read into a model record, facet and
// vertex normals, fitting and transforms, drawing and display lists, writing, texture
// coordinate generation and welding.
//
// Conventions:
// - vertices, normals, texcoordarray and facetnorms are 1-based: element 0 is allocated but
//   never used, so OBJ indices index them directly. faces and materialtable are 0-based.
// - Every string and array comes from malloc and is owned by the model; glmDestroyModel frees
//   them all.
// - Warnings go to standard output, failures to standard error, each message beginning with
//   the issuing function's name and "()". Preconditions (a non-null model and the arrays an
//   operation needs) are fatal assertions naming the tested expression, in every build type.
// - Only drawing (glmDraw, glmCompileList) needs OpenGL and a current context.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ObjMaterial {
    char* name;             // from "newmtl"; entry 0 is "default"
    float diffusecolor[4];  // "Kd"; alpha stays 1
    float ambientcolor[4];  // "Ka"
    float specularcolor[4]; // "Ks"
    float specularexponent; // OpenGL units (0 to 128): "Ns" / 1000 * 128
};

struct ObjTriangle {
    std::int32_t vertexidx[3]; // 1-based, corners 0, 1, 2 in file order
    std::int32_t normalidx[3];
    std::int32_t texcoordidx[3];
    std::int32_t facetnormidx; // triangle i gets i + 1
};

struct ObjGroup {
    char* name;
    std::uint32_t facecount;
    std::uint32_t* faceidx;    // 0-based indices into the model's faces, in reading order
    std::uint32_t materialidx; // 0-based index into materialtable
    ObjGroup* next;
};

struct ObjModel {
    char* objpath; // the path given to the reader
    char* mtllib;  // the last "mtllib" name as written, or null
    std::uint32_t vertexcount;
    float* vertices; // (vertexcount + 1) * 3
    std::uint32_t normalcount;
    float* normals; // (normalcount + 1) * 3, or null
    std::uint32_t texcoordcount;
    float* texcoordarray; // (texcoordcount + 1) * 2, or null
    std::uint32_t facetnormcount;
    float* facetnorms; // (facetnormcount + 1) * 3, or null
    std::uint32_t facecount;
    ObjTriangle* faces; // facecount triangles
    std::uint32_t materialcount;
    ObjMaterial* materialtable; // materialcount entries, or null
    std::uint32_t groupcount;
    ObjGroup* grouplist; // most recently created first; "default" last
};

// Drawing and writing modes, combined as bits.
enum ObjMode : unsigned {
    ObjModeFlat = 1,      // one facet normal per triangle
    ObjModeSmooth = 2,    // one vertex normal per corner
    ObjModeTexture = 4,   // texture coordinates
    ObjModeColor = 8,     // the material's diffuse colour through glColor
    ObjModeMaterial = 16, // the material through glMaterial
};

// Records.
ObjGroup* glmLookupGroup(ObjModel* model, const char* name);
ObjGroup* glmEnsureGroup(ObjModel* model, const char* name);
std::uint32_t glmFindMaterial(ObjModel* model, const char* name);
void glmDestroyModel(ObjModel* model);

// Reading. glmReadOBJ returns a complete model or prints its message to standard error and
// ends the process with status 1. glmTryReadOBJ is the same reader without the ending: it
// returns null and puts the message (the same text, without the line break) into *error.
// A material library that cannot be read is a warning: the model is read without it.
// Both read on as many threads as the machine has (GALLERY_OBJ_THREADS=N takes at most N),
// but no more than one per MiB of text; the model is the same for any number.
ObjModel* glmReadOBJ(const char* path);
ObjModel* glmTryReadOBJ(const char* path, std::string* error);

// What a reading found beside the model, for programs that report on a file.
struct ObjSkippedStatements {
    std::string keyword; // as written: "o", "s", "illum", "maplib"
    std::string file;    // the path of the OBJ file or of a material library
    std::uint64_t count; // how many such statements that file holds
};

struct ObjMaterialLibrary {
    std::string name;    // as the "mtllib" line names it
    std::string path;    // where it was looked for: the OBJ file's folder, then name
    std::string problem; // empty when it was read; else why not ("No such file or directory")
};

struct ObjReadReport {
    std::vector<ObjMaterialLibrary> libraries; // every library named, once, in order
    // The statements the reader skips: the OBJ file's first, each file's keywords in the order
    // they first appear. It reads v, vn, vt, f, g, usemtl, mtllib and, in a file without g, o;
    // in a library newmtl, Ka, Kd, Ks and Ns. Comments are no statements.
    std::vector<ObjSkippedStatements> skipped;
    // What glmReadOBJ prints to standard output (missing materials, libraries that cannot be
    // read), each without its line break.
    std::vector<std::string> warnings;
    int error = 0; // when the OBJ file could not be opened or read: the system's errno, else 0
};

struct ObjReadOptions {
    // The number of threads to read with, at most one per MiB of text; 0: the machine's, at
    // most GALLERY_OBJ_THREADS.
    unsigned threads = 0;
    // When not -1, the text is read from this open descriptor (standard input, a pipe)
    // instead of opening path; path still names the model and the folder where its
    // libraries are looked up. The descriptor stays open.
    int descriptor = -1;
    // Filled when set; the warnings then go there and are not printed.
    ObjReadReport* report = nullptr;
};

// glmTryReadOBJ with settings and a report: null and the message in *error on failure.
ObjModel* glmReadOBJWith(const char* path, const ObjReadOptions& options, std::string* error);
// A new malloc'd copy of path cut after its last "/", or "" when it has none.
char* glmPathDirectory(const char* path);

// Normals. Vectors are 3 floats; products are formed in double.
void glmMakeUnit(float* v);
void glmCross(const float* u, const float* v, float* n);
double glmDot(const float* u, const float* v);
void glmBuildFacetNormals(ObjModel* model);
void glmVertexNormals(ObjModel* model, float angle);

// Fitting and transforms. An extent is |max| + |min| along an axis.
float glmFitUnitCube(ObjModel* model);
void glmMeasureExtent(ObjModel* model, float* dimensions);
void glmScaleModel(ObjModel* model, float factor);
void glmFlipWinding(ObjModel* model);

// Drawing.
void glmDraw(ObjModel* model, unsigned mode);
unsigned glmCompileList(ObjModel* model, unsigned mode);

// Writing. A file that cannot be opened or written ends the process with status 1.
void glmWriteOBJ(ObjModel* model, const char* path, unsigned mode);
void glmWriteMTL(ObjModel* model, const char* path);

// Texture coordinates and welding.
void glmPlanarTexCoords(ObjModel* model);
void glmSphereTexCoords(ObjModel* model);
float* glmMergeVectors(float* vectors, std::uint32_t* count, float epsilon);
void glmMergeVertices(ObjModel* model, float epsilon);
