#include "objtool_options.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>

const char* const kObjtoolUsage =
    "Usage: objtool info MODEL.obj\n"
    "       objtool convert [OPTIONS] IN.obj OUT.obj\n"
    "       objtool view [OPTIONS] [PICTURE OPTIONS] MODEL.obj\n"
    "       objtool render [OPTIONS] [PICTURE OPTIONS] MODEL.obj OUT.png\n"
    "       objtool --help\n"
    "\n"
    "Reads a Wavefront OBJ model with its MTL material library, then reports on it, writes\n"
    "it out again or shows it.\n"
    "\n"
    "Commands:\n"
    "  info      print the counts, the groups with their triangles and materials, the\n"
    "            bounding box and size of the finite vertices, how many vertices are not\n"
    "            finite, and what convert --materials drops (see below)\n"
    "  convert   read IN.obj, apply the options in the order listed here, write OUT.obj\n"
    "  view      apply the options (all but --materials) and show the model in a window:\n"
    "            the left button drags to turn it, the wheel or page up and down zoom,\n"
    "            \"f\" and \"s\" shade flat and smooth, \"m\" switches the materials, \"w\"\n"
    "            the wireframe, \"[\" and \"]\" narrow and widen the smoothing angle, \"r\"\n"
    "            puts back the first turn and zoom, Escape or \"q\" quits\n"
    "  render    the picture that view shows first, drawn without a display into OUT.png\n"
    "\n"
    "Convert options:\n"
    "  --weld EPSILON          merge vertices that differ by less than EPSILON on every axis\n"
    "  --fit                   centre the model and scale it into the cube from -1 to 1\n"
    "  --flip                  reverse the winding of every triangle, and its normals\n"
    "  --facet-normals         compute one normal per triangle and write those\n"
    "  --smooth-normals ANGLE  compute vertex normals, shared by triangles whose facets\n"
    "                          differ by less than ANGLE degrees (0 to 180), and write those\n"
    "  --planar-texcoords      project the model onto its x-z plane for texture coordinates\n"
    "  --sphere-texcoords      sphere-map the vertex normals for texture coordinates\n"
    "  --materials             also write the materials as OUT.mtl beside OUT.obj (its\n"
    "                          name less the extension, blanks made \"_\"), which the\n"
    "                          mtllib line names, and the material of each group\n"
    "  -h, --help              print this help\n"
    "\n"
    "Picture options, for view and render:\n"
    "  --size WxH              the picture's width and height in pixels (default 640x480)\n"
    "  --yaw DEG               turn the model DEG degrees about the vertical axis (default 30)\n"
    "  --pitch DEG             then tilt its top DEG degrees forward (default 20)\n"
    "  --mode MODE             flat or smooth shading in plain grey, or material: smooth\n"
    "                          with the model's materials (the default)\n"
    "\n"
    "The model is fitted into the picture and lit from the viewer; back faces are not drawn.\n"
    "Smooth shading uses the model's vertex normals, or makes them with an angle of 90\n"
    "degrees when it has none. render writes OUT.png like convert writes OUT.obj (below).\n"
    "\n"
    "Normals and texture coordinates that IN.obj has are written again unless an option\n"
    "replaces them. Values may also be given as --weld=EPSILON; \"--\" ends the options.\n"
    "\n"
    "convert writes OUT.obj and, with --materials, OUT.mtl, and no other file. It refuses\n"
    "to write over a file it read: IN.obj or a material library IN.obj names, also through\n"
    "links. Both files are written into a temporary directory beside OUT.obj and moved into\n"
    "place once complete, so a failed conversion leaves them as they were; a link in\n"
    "their place is replaced, not written through. An existing device or pipe as OUT.obj\n"
    "is written directly, without materials.\n"
    "\n"
    "Statements that the library does not keep are dropped, and convert names each kind on\n"
    "standard error with its count: in IN.obj such as o, s, l and p (and mtllib and usemtl\n"
    "without --materials), in the material library such as map_Kd, d, illum, Ke and Ni\n"
    "(only newmtl, Ka, Kd, Ks and Ns are kept).\n"
    "\n"
    "Exit status: 0 on success, 1 when a model cannot be read, converted, shown or written,\n"
    "2 when the command line is wrong.\n";

namespace {

struct CommandName {
    const char* name;
    CommandKind kind;
};

constexpr CommandName kCommands[] = {{"info", CommandKind::Info},
                                     {"convert", CommandKind::Convert},
                                     {"view", CommandKind::View},
                                     {"render", CommandKind::Render}};

// The options whose value is a number, and the numbers they take.
struct NumberOption {
    const char* name;
    float low;
    float high;
    const char* needs;
};

constexpr NumberOption kNumberOptions[] = {
    {"--weld", 0.0f, HUGE_VALF, "a number of 0 or more"},
    {"--smooth-normals", 0.0f, 180.0f, "an angle from 0 to 180"},
    {"--yaw", -360.0f, 360.0f, "an angle from -360 to 360"},
    {"--pitch", -360.0f, 360.0f, "an angle from -360 to 360"},
};

// The largest picture side asked for; the off-screen renderer may allow less.
constexpr int kLargestSide = 8192;

// A whole argument as a finite number within [low, high].
std::optional<float> parseNumber(const std::string& text, float low, float high) {
    if (text.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(text.c_str(), &end);
    if (*end != '\0' || errno == ERANGE || !std::isfinite(value) || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

class Parser {
public:
    Parser(const std::vector<std::string>& args, std::string* error) : args_(args), error_(error) {}

    std::optional<Command> parse() {
        if (args_.empty()) {
            return fail("no command given");
        }
        const std::string& name = args_[0];
        if (name == "-h" || name == "--help") {
            return Command{};
        }
        const auto known = std::find_if(std::begin(kCommands), std::end(kCommands),
                                        [&name](const CommandName& c) { return name == c.name; });
        if (known == std::end(kCommands)) {
            return fail("unknown command \"" + name + "\"");
        }
        command_.kind = known->kind;
        name_ = name;
        std::vector<std::string> files;
        bool optionsEnded = false;
        for (next_ = 1; next_ < args_.size(); next_++) {
            const std::string& arg = args_[next_];
            if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
                files.push_back(arg);
            } else if (arg == "--") {
                optionsEnded = true;
            } else if (arg == "-h" || arg == "--help") {
                return Command{};
            } else if (!option(arg)) {
                return std::nullopt;
            }
        }
        return finish(files);
    }

private:
    std::optional<Command> fail(const std::string& message) {
        *error_ = message;
        return std::nullopt;
    }

    bool refuse(const std::string& message) {
        *error_ = message;
        return false;
    }

    // The option's value: after "=" in the same argument, else the next argument.
    std::optional<std::string> value(const std::string& arg, const std::string& inlineValue,
                                     bool hasInline) {
        if (hasInline) {
            return inlineValue;
        }
        if (next_ + 1 >= args_.size()) {
            refuse(arg + " needs a value");
            return std::nullopt;
        }
        return args_[++next_];
    }

    bool option(const std::string& arg) {
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const bool hasInline = equals != std::string::npos;
        const std::string inlineValue = hasInline ? arg.substr(equals + 1) : std::string();
        const bool picture =
            name == "--size" || name == "--yaw" || name == "--pitch" || name == "--mode";
        const bool shows =
            command_.kind == CommandKind::View || command_.kind == CommandKind::Render;
        if (command_.kind == CommandKind::Info || (picture && !shows) ||
            (name == "--materials" && shows)) {
            return refuse(name_ + " takes no option " + name);
        }
        if (picture || name == "--weld" || name == "--smooth-normals") {
            const std::optional<std::string> text = value(name, inlineValue, hasInline);
            return text && valued(name, *text);
        }
        if (hasInline) {
            return refuse(name + " takes no value");
        }
        ConvertOptions& o = command_.convert;
        if (name == "--fit") {
            o.fit = true;
        } else if (name == "--flip") {
            o.flip = true;
        } else if (name == "--facet-normals") {
            o.facetNormals = true;
        } else if (name == "--planar-texcoords" || name == "--sphere-texcoords") {
            const TexcoordMapping mapping =
                name == "--planar-texcoords" ? TexcoordMapping::Planar : TexcoordMapping::Sphere;
            if (o.texcoords != TexcoordMapping::None && o.texcoords != mapping) {
                return refuse("--planar-texcoords and --sphere-texcoords exclude each other");
            }
            o.texcoords = mapping;
        } else if (name == "--materials") {
            o.materials = true;
        } else {
            return refuse("unknown option " + name);
        }
        return true;
    }

    // An option that takes a value, with its value.
    bool valued(const std::string& name, const std::string& text) {
        ConvertOptions& o = command_.convert;
        PictureSettings& p = command_.picture;
        if (name == "--size") {
            return size(text) ||
                   refuse(name + " needs a width and a height from 1 to " +
                          std::to_string(kLargestSide) + ", such as 640x480, not \"" + text + "\"");
        }
        if (name == "--mode") {
            if (text == "flat" || text == "smooth" || text == "material") {
                p.shading = text == "flat" ? Shading::Flat : Shading::Smooth;
                p.materials = text == "material";
                return true;
            }
            return refuse(name + " needs flat, smooth or material, not \"" + text + "\"");
        }
        const auto option =
            std::find_if(std::begin(kNumberOptions), std::end(kNumberOptions),
                         [&name](const NumberOption& candidate) { return name == candidate.name; });
        const std::optional<float> number = parseNumber(text, option->low, option->high);
        if (!number) {
            return refuse(name + " needs " + option->needs + ", not \"" + text + "\"");
        }
        if (name == "--weld") {
            o.weldEpsilon = *number;
        } else if (name == "--smooth-normals") {
            o.smoothAngle = *number;
        } else {
            (name == "--yaw" ? p.yaw : p.pitch) = *number;
        }
        return true;
    }

    // "WxH", each side a whole number from 1 to kLargestSide.
    bool size(const std::string& text) {
        const std::size_t x = text.find('x');
        if (x == std::string::npos) {
            return false;
        }
        int sides[2] = {0, 0};
        const std::string parts[2] = {text.substr(0, x), text.substr(x + 1)};
        for (int i = 0; i < 2; i++) {
            const auto [end, status] =
                std::from_chars(parts[i].data(), parts[i].data() + parts[i].size(), sides[i]);
            if (parts[i].empty() || status != std::errc() ||
                end != parts[i].data() + parts[i].size() || sides[i] < 1 ||
                sides[i] > kLargestSide) {
                return false;
            }
        }
        command_.picture.width = sides[0];
        command_.picture.height = sides[1];
        return true;
    }

    std::optional<Command> finish(const std::vector<std::string>& files) {
        const bool one = command_.kind == CommandKind::Info || command_.kind == CommandKind::View;
        if (files.size() != (one ? 1u : 2u)) {
            return fail(
                command_.kind == CommandKind::Convert  ? "convert needs an input and an output file"
                : command_.kind == CommandKind::Render ? "render needs a model file and a PNG file"
                                                       : name_ + " needs exactly one model file");
        }
        if (command_.convert.facetNormals && command_.convert.smoothAngle) {
            return fail("--facet-normals and --smooth-normals exclude each other");
        }
        command_.input = files[0];
        if (!one) {
            command_.output = files[1];
        }
        return command_;
    }

    const std::vector<std::string>& args_;
    std::string* error_;
    std::size_t next_ = 0;
    std::string name_; // the command's name
    Command command_;
};

} // namespace

std::optional<Command> parseCommand(const std::vector<std::string>& args, std::string* error) {
    return Parser(args, error).parse();
}
