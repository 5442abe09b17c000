#include "objtool_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

const char* const kObjtoolUsage =
    "Usage: objtool info MODEL.obj\n"
    "       objtool convert [OPTIONS] IN.obj OUT.obj\n"
    "       objtool --help\n"
    "\n"
    "Reads a Wavefront OBJ model with its MTL material library, then reports on it or\n"
    "writes it out again.\n"
    "\n"
    "Commands:\n"
    "  info      print the counts, the groups with their triangles and materials, the\n"
    "            bounding box and size of the finite vertices, how many vertices are not\n"
    "            finite, and what convert --materials drops (see below)\n"
    "  convert   read IN.obj, apply the options in the order listed here, write OUT.obj\n"
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
    "Exit status: 0 on success, 1 when a model cannot be read, converted or written,\n"
    "2 when the command line is wrong.\n";

namespace {

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
        if (name == "info") {
            command_.kind = CommandKind::Info;
        } else if (name == "convert") {
            command_.kind = CommandKind::Convert;
        } else {
            return fail("unknown command \"" + name + "\"");
        }
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

    // The option's value: after "=" in the same argument, else the next argument.
    std::optional<std::string> value(const std::string& arg, const std::string& inlineValue,
                                     bool hasInline) {
        if (hasInline) {
            return inlineValue;
        }
        if (next_ + 1 >= args_.size()) {
            fail(arg + " needs a value");
            return std::nullopt;
        }
        return args_[++next_];
    }

    bool option(const std::string& arg) {
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const bool hasInline = equals != std::string::npos;
        const std::string inlineValue = hasInline ? arg.substr(equals + 1) : std::string();
        if (command_.kind != CommandKind::Convert) {
            fail("info takes no option " + name);
            return false;
        }
        ConvertOptions& o = command_.convert;
        if (name == "--weld" || name == "--smooth-normals") {
            const std::optional<std::string> text = value(name, inlineValue, hasInline);
            if (!text) {
                return false;
            }
            const bool weld = name == "--weld";
            const std::optional<float> number =
                weld ? parseNumber(*text, 0.0f, HUGE_VALF) : parseNumber(*text, 0.0f, 180.0f);
            if (!number) {
                fail(name + " needs " +
                     (weld ? "a number of 0 or more" : "an angle from 0 to 180") + ", not \"" +
                     *text + "\"");
                return false;
            }
            (weld ? o.weldEpsilon : o.smoothAngle) = *number;
            return true;
        }
        if (hasInline) {
            fail(name + " takes no value");
            return false;
        }
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
                fail("--planar-texcoords and --sphere-texcoords exclude each other");
                return false;
            }
            o.texcoords = mapping;
        } else if (name == "--materials") {
            o.materials = true;
        } else {
            fail("unknown option " + name);
            return false;
        }
        return true;
    }

    std::optional<Command> finish(const std::vector<std::string>& files) {
        if (command_.kind == CommandKind::Info) {
            if (files.size() != 1) {
                return fail("info needs exactly one model file");
            }
            command_.input = files[0];
            return command_;
        }
        if (files.size() != 2) {
            return fail("convert needs an input and an output file");
        }
        if (command_.convert.facetNormals && command_.convert.smoothAngle) {
            return fail("--facet-normals and --smooth-normals exclude each other");
        }
        command_.input = files[0];
        command_.output = files[1];
        return command_;
    }

    const std::vector<std::string>& args_;
    std::string* error_;
    std::size_t next_ = 0;
    Command command_;
};

} // namespace

std::optional<Command> parseCommand(const std::vector<std::string>& args, std::string* error) {
    return Parser(args, error).parse();
}
