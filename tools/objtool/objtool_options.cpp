// The command's name comes first; getopt_long reads the rest with the options that the one
// description lists, and each option is checked against the command that takes it.
#include "objtool_options.h"

#include "objtool_option_values.h"

#include <algorithm>
#include <getopt.h>

namespace {

// getopt_long's value for the option at index i of objtoolOptions(); below it, its own codes.
constexpr int kFirstOption = 256;

// The options that set a switch of the conversion, and the value they set.
struct Switch {
    OptionId id;
    bool ConvertOptions::*field;
    bool value;
};

constexpr Switch kSwitches[] = {
    {OptionId::Fit, &ConvertOptions::fit, true},
    {OptionId::Flip, &ConvertOptions::flip, true},
    {OptionId::FacetNormals, &ConvertOptions::facetNormals, true},
    {OptionId::NoNormals, &ConvertOptions::writeNormals, false},
    {OptionId::NoTexcoords, &ConvertOptions::writeTexcoords, false},
    {OptionId::NoMaterials, &ConvertOptions::writeMaterials, false},
};

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
        const auto flag = std::find_if(std::begin(kSwitches), std::end(kSwitches),
                                       [&option](const Switch& s) { return s.id == option.id; });
        if (flag != std::end(kSwitches)) {
            o.*(flag->field) = flag->value;
            return true;
        }
        switch (option.id) {
        case OptionId::PlanarTexcoords:
        case OptionId::SphereTexcoords: {
            const TexcoordMapping mapping = option.id == OptionId::PlanarTexcoords
                                                ? TexcoordMapping::Planar
                                                : TexcoordMapping::Sphere;
            if (o.texcoords != TexcoordMapping::None && o.texcoords != mapping) {
                return refuse("--planar-texcoords and --sphere-texcoords exclude each other");
            }
            o.texcoords = mapping;
            return true;
        }
        case OptionId::Materials:
            return true; // the materials are written anyway
        case OptionId::Mtl:
            o.library = value;
            return !value.empty() || refuse("--mtl needs a file name");
        case OptionId::Size:
            return sizeValue(value, &p.width, &p.height) ||
                   refuse("--size needs a width and a height from 1 to " +
                          std::to_string(kLargestSide) + ", such as 640x480, not \"" + value +
                          "\"");
        case OptionId::Mode:
            if (value != "flat" && value != "smooth" && value != "material") {
                return refuse("--mode needs flat, smooth or material, not \"" + value + "\"");
            }
            p.shading = value == "flat" ? Shading::Flat : Shading::Smooth;
            p.materials = value == "material";
            return true;
        default:
            break;
        }
        const std::optional<float> number = numberValue(option, value, error_);
        if (!number) {
            return false;
        }
        if (option.id == OptionId::Threads) {
            command_.threads = static_cast<unsigned>(*number);
        } else if (option.id == OptionId::Weld) {
            o.weldEpsilon = *number;
        } else if (option.id == OptionId::SmoothNormals) {
            o.smoothAngle = *number;
        } else {
            (option.id == OptionId::Yaw ? p.yaw : p.pitch) = *number;
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
