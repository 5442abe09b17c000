// The command's name comes first; getopt_long reads the rest with the options that the one
// description lists, and each option is checked against the command that takes it.
#include "objtool_options.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <getopt.h>

namespace {

// getopt_long's value for the option at index i of objtoolOptions(); below it, its own codes.
constexpr int kFirstOption = 256;

// The options whose value is a number, and the numbers they take.
struct NumberRange {
    OptionId id;
    float low;
    float high;
    const char* needs;
};

constexpr NumberRange kNumbers[] = {
    {OptionId::Weld, 0.0f, HUGE_VALF, "a number of 0 or more"},
    {OptionId::SmoothNormals, 0.0f, 180.0f, "an angle from 0 to 180"},
    {OptionId::Yaw, -360.0f, 360.0f, "an angle from -360 to 360"},
    {OptionId::Pitch, -360.0f, 360.0f, "an angle from -360 to 360"},
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

// "WxH", each side a whole number from 1 to kLargestSide.
bool parseSize(const std::string& text, int* width, int* height) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) {
        return false;
    }
    int sides[2] = {0, 0};
    const std::string parts[2] = {text.substr(0, x), text.substr(x + 1)};
    for (int i = 0; i < 2; i++) {
        const char* end = parts[i].data() + parts[i].size();
        const auto [stop, status] = std::from_chars(parts[i].data(), end, sides[i]);
        if (parts[i].empty() || status != std::errc() || stop != end || sides[i] < 1 ||
            sides[i] > kLargestSide) {
            return false;
        }
    }
    *width = sides[0];
    *height = sides[1];
    return true;
}

std::string dashed(const OptionHelp& option) {
    return std::string("--") + option.name;
}

class Parser {
public:
    Parser(const std::vector<std::string>& args, std::string* error) : args_(args), error_(error) {}

    std::optional<Command> parse() {
        if (args_.empty()) {
            return fail("no command given");
        }
        const std::string& name = args_[0];
        if (name == "-h" || name == "--help" || name == "--version") {
            command_.kind = name == "--version" ? CommandKind::Version : CommandKind::Help;
            return command_;
        }
        const auto commands = objtoolCommands();
        const auto known = std::find_if(commands.begin(), commands.end(), [&](const auto& c) {
            return c.text != nullptr && name == c.name;
        });
        if (known == commands.end()) {
            return fail("unknown command \"" + name + "\"");
        }
        command_.kind = known->kind;
        name_ = name;
        return readOptions();
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

    std::optional<Command> readOptions() {
        // getopt_long permutes its argv, so it gets copies; the command stands in argv[0].
        std::vector<std::string> words(args_.begin(), args_.end());
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        const auto options = objtoolOptions();
        std::vector<option> longOptions;
        for (std::size_t i = 0; i < options.size(); i++) {
            const int hasValue = options[i].value != nullptr ? required_argument : no_argument;
            longOptions.push_back({options[i].name, hasValue, nullptr, kFirstOption + int(i)});
        }
        longOptions.push_back({});
        const int argc = static_cast<int>(words.size());
        optind = 0; // a fresh scan
        opterr = 0; // the messages are ours
        for (int code;
             (code = getopt_long(argc, argv.data(), ":h", longOptions.data(), nullptr)) != -1;) {
            if (code == 'h') {
                code = kFirstOption + int(indexOf(OptionId::Help));
            }
            if (code < kFirstOption) {
                return fail(getoptFailure(code, argv[optind - 1]));
            }
            const OptionHelp& option = options[code - kFirstOption];
            if ((option.commands & commandBit(command_.kind)) == 0) {
                return fail(name_ + " takes no option " + dashed(option));
            }
            if (option.id == OptionId::Help || option.id == OptionId::Version) {
                command_.kind =
                    option.id == OptionId::Help ? CommandKind::Help : CommandKind::Version;
                return command_;
            }
            if (!apply(option, optarg != nullptr ? optarg : "")) {
                return std::nullopt;
            }
        }
        // What is left, in argv's new order, are the files.
        return finish(std::vector<std::string>(argv.begin() + optind, argv.end() - 1));
    }

    static std::size_t indexOf(OptionId id) {
        const auto options = objtoolOptions();
        return std::find_if(options.begin(), options.end(),
                            [id](const OptionHelp& o) { return o.id == id; }) -
               options.begin();
    }

    // What getopt_long's code for a failure means: ':' a missing value, '?' an option it does
    // not know, or one given a value that takes none (optopt names it then).
    static std::string getoptFailure(int code, const std::string& arg) {
        const auto options = objtoolOptions();
        const int known = optopt - kFirstOption;
        if (known >= 0 && std::size_t(known) < options.size()) {
            return dashed(options[known]) + (code == ':' ? " needs a value" : " takes no value");
        }
        if (optopt != 0) {
            return std::string("unknown option -") + char(optopt);
        }
        return "unknown option " + arg.substr(0, arg.find('='));
    }

    bool apply(const OptionHelp& option, const std::string& value) {
        ConvertOptions& o = command_.convert;
        PictureSettings& p = command_.picture;
        switch (option.id) {
        case OptionId::Fit:
            o.fit = true;
            break;
        case OptionId::Flip:
            o.flip = true;
            break;
        case OptionId::FacetNormals:
            o.facetNormals = true;
            break;
        case OptionId::PlanarTexcoords:
        case OptionId::SphereTexcoords: {
            const TexcoordMapping mapping = option.id == OptionId::PlanarTexcoords
                                                ? TexcoordMapping::Planar
                                                : TexcoordMapping::Sphere;
            if (o.texcoords != TexcoordMapping::None && o.texcoords != mapping) {
                return refuse("--planar-texcoords and --sphere-texcoords exclude each other");
            }
            o.texcoords = mapping;
            break;
        }
        case OptionId::NoNormals:
            o.writeNormals = false;
            break;
        case OptionId::NoTexcoords:
            o.writeTexcoords = false;
            break;
        case OptionId::NoMaterials:
            o.writeMaterials = false;
            break;
        case OptionId::Materials:
            break; // the materials are written anyway
        case OptionId::Mtl:
            o.library = value;
            return !value.empty() || refuse("--mtl needs a file name");
        case OptionId::Size:
            return parseSize(value, &p.width, &p.height) ||
                   refuse("--size needs a width and a height from 1 to " +
                          std::to_string(kLargestSide) + ", such as 640x480, not \"" + value +
                          "\"");
        case OptionId::Mode:
            if (value != "flat" && value != "smooth" && value != "material") {
                return refuse("--mode needs flat, smooth or material, not \"" + value + "\"");
            }
            p.shading = value == "flat" ? Shading::Flat : Shading::Smooth;
            p.materials = value == "material";
            break;
        default:
            return number(option, value);
        }
        return true;
    }

    bool number(const OptionHelp& option, const std::string& text) {
        const NumberRange& range = *std::find_if(
            std::begin(kNumbers), std::end(kNumbers),
            [&option](const NumberRange& candidate) { return candidate.id == option.id; });
        const std::optional<float> value = parseNumber(text, range.low, range.high);
        if (!value) {
            return refuse(dashed(option) + " needs " + range.needs + ", not \"" + text + "\"");
        }
        switch (option.id) {
        case OptionId::Weld:
            command_.convert.weldEpsilon = *value;
            break;
        case OptionId::SmoothNormals:
            command_.convert.smoothAngle = *value;
            break;
        case OptionId::Yaw:
            command_.picture.yaw = *value;
            break;
        default:
            command_.picture.pitch = *value;
        }
        return true;
    }

    // The options that cannot go together, and the files.
    std::optional<Command> finish(const std::vector<std::string>& files) {
        const CommandKind kind = command_.kind;
        const bool one = kind == CommandKind::Info || kind == CommandKind::View;
        if (files.size() != (one ? 1u : 2u)) {
            return fail(kind == CommandKind::Convert  ? "convert needs an input and an output file"
                        : kind == CommandKind::Render ? "render needs a model file and a PNG file"
                                                      : name_ + " needs exactly one model file");
        }
        const ConvertOptions& o = command_.convert;
        const char* normals = o.facetNormals ? "--facet-normals" : "--smooth-normals";
        const char* mapping =
            o.texcoords == TexcoordMapping::Planar ? "--planar-texcoords" : "--sphere-texcoords";
        if (o.facetNormals && o.smoothAngle) {
            return fail("--facet-normals and --smooth-normals exclude each other");
        }
        if (!o.writeNormals && (o.facetNormals || o.smoothAngle)) {
            return fail(std::string("--no-normals and ") + normals + " exclude each other");
        }
        if (!o.writeTexcoords && o.texcoords != TexcoordMapping::None) {
            return fail(std::string("--no-texcoords and ") + mapping + " exclude each other");
        }
        if (!o.writeMaterials && !o.library.empty()) {
            return fail("--no-materials and --mtl exclude each other");
        }
        command_.input = files[0];
        if (!one) {
            command_.output = files[1];
        }
        if (!o.library.empty() && command_.output != "-") {
            return fail("--mtl is for an output of \"-\"; a file's material library goes "
                        "beside it");
        }
        return command_;
    }

    const std::vector<std::string>& args_;
    std::string* error_;
    std::string name_; // the command's name
    Command command_;
};

} // namespace

std::optional<Command> parseCommand(const std::vector<std::string>& args, std::string* error) {
    return Parser(args, error).parse();
}
