// The models that the OBJ reader benchmark reads, written as exporters write them:
// - a height field of about a million triangles: positions, texture coordinates and normals,
//   "v/vt/vn" faces, eight groups over four materials;
// - an exporter's file: polygons of 5 to 30 corners, 2,000 groups over 200 materials,
//   comments, blank lines, smoothing and object lines, CRLF line ends;
// - 50,000 groups of one triangle each over 1,000 materials, and its twin that holds the
//   same vertices and triangles in one group: their times show what groups and materials
//   cost.
#pragma once

#include <filesystem>
#include <string>

struct ModelFiles {
    std::string field, exported, manyGroups, oneGroup;
};

// Writes the files, each with its material library, into folder.
ModelFiles writeModelFiles(const std::filesystem::path& folder);
