// The one description of objtool's commands and options (objtool_help.h says how it is marked
// up). The usage text, the manual page and the parser all come from here.
#include "objtool_help.h"

namespace {

constexpr unsigned kConvert = commandBit(CommandKind::Convert);
constexpr unsigned kChanging = kConvert | kShowing;
constexpr unsigned kAll = kReading;

constexpr CommandHelp kCommands[] = {
    {CommandKind::Info, "info", "[<--threads> {N}] {MODEL.obj}",
     "print the counts, the material libraries (and why one could not be read), the groups "
     "with their triangles and materials (a group whose faces use several materials shows "
     "once for each), the bounding box and size of the finite vertices, how many vertices are "
     "not finite, and the statements that the reader skipped, which <convert> drops"},
    {CommandKind::Convert, "convert", "[{OPTIONS}] {IN.obj} {OUT.obj}",
     "read {IN.obj}, apply the options in the order listed here, and write {OUT.obj} with all "
     "that it keeps: materials, normals, texture coordinates and groups; an {OUT.obj} of <-> "
     "is standard output"},
    {CommandKind::View, "view", "[{OPTIONS}] [{PICTURE OPTIONS}] {MODEL.obj}",
     "apply the options that change the model, as convert does, and show the model in a "
     "window titled with its file name, its counts and the current mode; the keys are "
     "listed below"},
    {CommandKind::Render, "render", "[{OPTIONS}] [{PICTURE OPTIONS}] {MODEL.obj} {OUT.png}",
     "apply the options as view does and draw the picture that view shows first into "
     "{OUT.png}, without a display or an X server; an {OUT.png} of <-> is standard output"},
    {CommandKind::Help, "--help", "", nullptr},
    {CommandKind::Version, "--version", "", nullptr},
};

// In the order that convert applies them.
constexpr OptionHelp kOptions[] = {
    {OptionId::Weld, "weld", 0, "{EPSILON}", kChanging, OptionGroup::Convert,
     "merge vertices that differ by less than {EPSILON} on every axis"},
    {OptionId::Fit, "fit", 0, nullptr, kChanging, OptionGroup::Convert,
     "centre the finite vertices and scale them into the cube from -1 to 1; a vertex with a "
     "coordinate that is not finite stays as it is"},
    {OptionId::Flip, "flip", 0, nullptr, kChanging, OptionGroup::Convert,
     "reverse the winding of every triangle, and its normals"},
    {OptionId::FacetNormals, "facet-normals", 0, nullptr, kChanging, OptionGroup::Convert,
     "compute one normal per triangle and write those"},
    {OptionId::SmoothNormals, "smooth-normals", 0, "{ANGLE}", kChanging, OptionGroup::Convert,
     "compute vertex normals, shared by triangles whose facets differ by less than {ANGLE} "
     "degrees (0 to 180), and write those"},
    {OptionId::PlanarTexcoords, "planar-texcoords", 0, nullptr, kChanging, OptionGroup::Convert,
     "project the model onto its x-z plane for texture coordinates"},
    {OptionId::SphereTexcoords, "sphere-texcoords", 0, nullptr, kChanging, OptionGroup::Convert,
     "sphere-map the vertex normals for texture coordinates"},
    {OptionId::NoNormals, "no-normals", 0, nullptr, kConvert, OptionGroup::Convert,
     "write no normals"},
    {OptionId::NoTexcoords, "no-texcoords", 0, nullptr, kConvert, OptionGroup::Convert,
     "write no texture coordinates"},
    {OptionId::NoMaterials, "no-materials", 0, nullptr, kConvert, OptionGroup::Convert,
     "write no materials: no material library, and no <mtllib> or <usemtl> line"},
    {OptionId::Materials, "materials", 0, nullptr, kConvert, OptionGroup::Convert,
     "changes nothing: the materials are written unless <--no-materials> is given (older "
     "scripts ask for them)"},
    {OptionId::Mtl, "mtl", 0, "{FILE}", kConvert, OptionGroup::Convert,
     "with an {OUT.obj} of <->, write the material library to {FILE}; the <mtllib> line names "
     "it by its file name, so keep the model beside it. Without <--mtl>, standard output "
     "carries no materials, and convert says so"},
    {OptionId::Size, "size", 0, "{W}x{H}", kShowing, OptionGroup::Picture,
     "the picture's width and height in pixels, from 1 to 8192 (default 640x480)"},
    {OptionId::Yaw, "yaw", 0, "{DEG}", kShowing, OptionGroup::Picture,
     "turn the model {DEG} degrees about the vertical axis, from -360 to 360 (default 105)"},
    {OptionId::Pitch, "pitch", 0, "{DEG}", kShowing, OptionGroup::Picture,
     "then tilt its top {DEG} degrees towards the viewer, from -360 to 360 (default 25)"},
    {OptionId::Mode, "mode", 0, "{MODE}", kShowing, OptionGroup::Picture,
     "<flat> or <smooth> shading in plain grey, or <material>: smooth shading with the "
     "model's own materials (the default)"},
    {OptionId::Threads, "threads", 0, "{N}", kAll, OptionGroup::General,
     "read the model with at most {N} threads, from 0 to 1024; 0, the default, takes as many "
     "as the machine has (at most GALLERY_OBJ_THREADS when it is set), and a file smaller "
     "than a megabyte is read on one"},
    {OptionId::Help, "help", 'h', nullptr, kAll, OptionGroup::General, "print this help"},
    {OptionId::Version, "version", 0, nullptr, kAll, OptionGroup::General, "print the version"},
};

using Paragraphs = const char* const[];

constexpr Paragraphs kDescription = {
    "<objtool> reads a Wavefront OBJ model with its MTL material libraries, then reports on "
    "it, writes it out again or shows it.",
    "A model file of <-> is standard input; its material libraries are then looked up in the "
    "current folder. A material library that cannot be read, or a material that no library "
    "defines, is a warning on standard error: the model is read with the default material in "
    "its place.",
};

constexpr Paragraphs kPictureNotes = {
    "The model is fitted into the picture by its extent as seen from the yaw and pitch, lit "
    "by a white light from the viewer, and drawn through a display list; back faces are not "
    "drawn, so a model wound the wrong way shows its inside. Smooth shading uses the model's "
    "vertex normals, or makes them with an angle of 90 degrees when it has none. A model "
    "without triangles has nothing to show: view and render end with status 1 and say so.",
};

constexpr HelpEntry kViewKeys[] = {
    {"left button", "drag to turn the model like a trackball"},
    {"wheel, page up, page down", "zoom in and out"},
    {"<f>, <s>", "flat or smooth shading"},
    {"<m>", "the model's materials on or off"},
    {"<w>", "wireframe on or off"},
    {"<[>, <]>", "a smoothing angle 15 degrees narrower or wider: new vertex normals"},
    {"<r>", "back to the start's turn and zoom"},
    {"Escape, <q>", "quit, with status 0"},
};

constexpr Paragraphs kNotes = {
    "Normals and texture coordinates that {IN.obj} has are written again unless an option "
    "replaces or removes them. Values may also be given as <--weld=>{EPSILON}, an option's "
    "name may be shortened while it stays unambiguous, and <--> ends the options.",
    "convert writes {OUT.obj} and beside it the material library {OUT.mtl} (named after "
    "{OUT.obj} less its extension, blanks made <_>), which its <mtllib> line names, and no "
    "other file. It refuses to write over a file it read: {IN.obj} or a material library "
    "that {IN.obj} names, also through links. Both files are written into a temporary "
    "folder beside {OUT.obj} and moved into place once complete, so a conversion that fails "
    "or is stopped (by SIGINT, SIGTERM, SIGHUP or SIGXFSZ) leaves them as they were and "
    "leaves no folder behind; a link in their place is replaced, not written through. An "
    "existing device or pipe as {OUT.obj} is written directly, without materials. render "
    "writes {OUT.png} in the same way.",
    "Statements that the library does not keep are dropped, and convert names each kind on "
    "standard error with its count: in {IN.obj} such as <s>, <l> and <p>, and <o> in a file "
    "that also has <g>; in a material library such as <map_Kd>, <d>, <illum>, <Ke> and <Ni> "
    "(only <newmtl>, <Ka>, <Kd>, <Ks> and <Ns> are kept).",
};

constexpr Paragraphs kExitStatus = {
    "0 on success, 1 when a model cannot be read, converted, shown or written, 2 when the "
    "command line is wrong.",
};

constexpr HelpEntry kFiles[] = {
    {"{lib/gallery/objtool/objtool-display.so}",
     "beside the program's {bin/}: the module that view and render load; it alone uses "
     "OpenGL, GLUT and EGL, so info and convert run without them."},
};

constexpr Paragraphs kSeeAlso = {"<gallery>(6)"};

constexpr HelpSection kSections[] = {
    {"DESCRIPTION", nullptr, SectionPlace::Both, kDescription, SectionList::None, {}, {}},
    {"COMMANDS", "Commands", SectionPlace::Both, {}, SectionList::Commands, {}, {}},
    {"OPTIONS", "Options", SectionPlace::Both, {}, SectionList::Options, {}, {}},
    {"PICTURE OPTIONS",
     "Picture options, for view and render",
     SectionPlace::Both,
     {},
     SectionList::PictureOptions,
     {},
     kPictureNotes},
    {"VIEW KEYS",
     "Keys in view's window",
     SectionPlace::Both,
     {},
     SectionList::Entries,
     kViewKeys,
     {}},
    {"NOTES", nullptr, SectionPlace::Both, kNotes, SectionList::None, {}, {}},
    {"EXIT STATUS", "Exit status", SectionPlace::Both, kExitStatus, SectionList::None, {}, {}},
    {"FILES", nullptr, SectionPlace::ManualOnly, {}, SectionList::Entries, kFiles, {}},
    {"SEE ALSO", nullptr, SectionPlace::ManualOnly, kSeeAlso, SectionList::None, {}, {}},
};

} // namespace

const char* const kObjtoolSummary = "report on Wavefront OBJ models, convert them and show them";

std::span<const CommandHelp> objtoolCommands() {
    return kCommands;
}

std::span<const OptionHelp> objtoolOptions() {
    return kOptions;
}

std::span<const HelpSection> objtoolHelpSections() {
    return kSections;
}
