// objtool's commands and options as one description (objtool_help_text.cpp), from which come
// the usage text that --help prints, the manual page and the options that the parser takes,
// so that the three never disagree.
//
// Texts are marked up for both forms: {word} is a name to fill in (a file, a value), in
// italics in the manual; <word> is a literal to type (an option, a key), in bold there. The
// usage text drops the marks.
#pragma once

#include <span>
#include <string>

enum class CommandKind { Help, Version, Info, Convert, View, Render };

// The commands that take an option, as bits of this mask.
constexpr unsigned commandBit(CommandKind kind) {
    return 1u << static_cast<unsigned>(kind);
}
constexpr unsigned kShowing = commandBit(CommandKind::View) | commandBit(CommandKind::Render);
constexpr unsigned kReading =
    commandBit(CommandKind::Info) | commandBit(CommandKind::Convert) | kShowing;

struct CommandHelp {
    CommandKind kind;
    const char* name;
    const char* synopsis; // what follows the command's name
    const char* text;
};

enum class OptionId {
    Weld,
    Fit,
    Flip,
    FacetNormals,
    SmoothNormals,
    PlanarTexcoords,
    SphereTexcoords,
    NoNormals,
    NoTexcoords,
    NoMaterials,
    Materials,
    Mtl,
    Size,
    Yaw,
    Pitch,
    Mode,
    Threads,
    Help,
    Version,
};

// Where an option is described: with the convert options, the picture options or on its own.
enum class OptionGroup { Convert, Picture, General };

struct OptionHelp {
    OptionId id;
    const char* name;  // without "--"
    char letter;       // its one-letter form, or 0
    const char* value; // the value's name, or null when it takes none
    unsigned commands; // commandBit of each command that takes it
    OptionGroup group;
    const char* text;
};

// What one section of the help holds besides its paragraphs.
// The options list holds the convert options and then the general ones.
enum class SectionList { None, Commands, Options, PictureOptions, Entries };
enum class SectionPlace { Both, ManualOnly };

struct HelpEntry {
    const char* term;
    const char* text;
};

struct HelpSection {
    const char* title;      // the manual's heading
    const char* usageTitle; // the usage text's, written "Title:"; null for none
    SectionPlace place;
    std::span<const char* const> before; // paragraphs before the list
    SectionList list;
    std::span<const HelpEntry> entries; // SectionList::Entries only
    std::span<const char* const> after; // paragraphs after the list
};

// The description itself.
std::span<const CommandHelp> objtoolCommands();
std::span<const OptionHelp> objtoolOptions();
std::span<const HelpSection> objtoolHelpSections();
extern const char* const kObjtoolSummary; // the manual's one-line NAME

// What --help prints, lines of at most 79 columns.
std::string objtoolUsage();
// The manual page in roff's man macros.
std::string objtoolManualPage();
// What --version prints: the program's name and the project's version.
std::string objtoolVersionText();
