// Polygon meshes as the gun is built from them: shared vertices, and named groups of faces
// that each use one material. Faces run counter-clockwise seen from outside.
//
// Surfaces are swept from rings of points. A ring runs counter-clockwise about the direction
// in which the sweep advances (right-handed), and every sweep is closed with end caps, so each
// part encloses a solid. The reader smooths the shading across edges that bend by less than
// 90 degrees where faces share their vertices, so a sweep shares its vertices along the
// surface, while caps, and the sides of flat-sided sweeps, get their own: their edges stay
// sharp.
#pragma once

#include "colour.h"
#include "vec.h"

#include <deque>
#include <string>
#include <vector>

struct Material {
    std::string name;
    Colour ambient, diffuse, specular;
    double shininess = 0; // 0 to 1000, as a material file writes it
};

struct FaceGroup {
    std::string name;
    std::string material;
    std::vector<std::vector<int>> faces; // 0-based indices into Mesh::vertices
};

struct Mesh {
    std::vector<Vec3> vertices;
    std::deque<FaceGroup> groups; // a deque, so a group stays in place while others are added
    std::vector<Material> materials;
};

using Ring = std::vector<Vec3>;

enum class Facing { Outward, Inward };

// Starts a group; the faces added next go into it.
FaceGroup& addGroup(Mesh& mesh, std::string name, std::string material);

// A smooth surface through the rings, open at both ends. Inward turns the faces to the
// rings' axis, for the inside of a hollow such as a bore.
void addSweep(Mesh& mesh, FaceGroup& group, const std::vector<Ring>& rings, Facing facing);
// A smooth outward surface through the rings, closed by a cap at each end.
void addClosedSweep(Mesh& mesh, FaceGroup& group, const std::vector<Ring>& rings);
// Like addClosedSweep, with a sharp edge along every ring point: for prisms and boxes.
void addFlatSweep(Mesh& mesh, FaceGroup& group, const std::vector<Ring>& rings);
// One flat polygon through the ring, facing along the sweep direction, or against it.
void addCap(Mesh& mesh, FaceGroup& group, const Ring& ring, bool facingAlong);
// The flat band from an outer ring in to an inner ring of the same plane, facing along the
// rings' direction (the muzzle face around a bore).
void addAnnulus(Mesh& mesh, FaceGroup& group, const Ring& outer, const Ring& inner);
void addSphere(Mesh& mesh, FaceGroup& group, Vec3 centre, double radius, int segments, int stacks);

// Turns the mesh about the x axis; a positive angle takes its +z end down toward -y.
void turnAboutX(Mesh& mesh, double degrees);
// Moves the mesh so that its bounding box is centred on the origin; returns the box's middle
// as it was, the shift that every vertex was moved back by.
Vec3 centre(Mesh& mesh);
// Faces in all, after splitting each polygon into a fan of triangles.
int triangleCount(const Mesh& mesh);
