// The usage text and the manual page, both written from objtool's one description.
#include "objtool_help.h"

#include <algorithm>
#include <sstream>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kUsageWidth = 79;
constexpr std::size_t kManualWidth = 80; // of the page's source lines; roff fills the rest
// A list's texts start after its widest term, but never further in than this.
constexpr std::size_t kWidestTermColumn = 26;

using Item = std::pair<std::string, std::string>; // a term and its text, both marked up

std::string optionTerm(const OptionHelp& option) {
    std::string term = option.letter != 0 ? std::string("<-") + option.letter + ">, " : "";
    term += std::string("<--") + option.name + ">";
    return option.value != nullptr ? term + " " + option.value : term;
}

// The list a section holds, as terms and texts.
std::vector<Item> listItems(const HelpSection& section) {
    std::vector<Item> items;
    const auto addOptions = [&items](OptionGroup group) {
        for (const OptionHelp& option : objtoolOptions()) {
            if (option.group == group) {
                items.emplace_back(optionTerm(option), option.text);
            }
        }
    };
    switch (section.list) {
    case SectionList::Commands:
        for (const CommandHelp& command : objtoolCommands()) {
            if (command.text != nullptr) {
                items.emplace_back(std::string("<") + command.name + ">", command.text);
            }
        }
        break;
    case SectionList::Options:
        addOptions(OptionGroup::Convert);
        addOptions(OptionGroup::General);
        break;
    case SectionList::PictureOptions:
        addOptions(OptionGroup::Picture);
        break;
    case SectionList::Entries:
        for (const HelpEntry& entry : section.entries) {
            items.emplace_back(entry.term, entry.text);
        }
        break;
    case SectionList::None:
        break;
    }
    return items;
}

std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> list;
    for (std::string word; in >> word;) {
        list.push_back(word);
    }
    return list;
}

// The words of text as lines of at most width columns. The first line already has `column`
// columns written before it; later lines get `indent` blanks.
std::string wrap(const std::string& text, std::size_t column, std::size_t indent,
                 std::size_t width) {
    std::string out;
    bool lineStart = true;
    for (const std::string& word : words(text)) {
        if (!lineStart && column + 1 + word.size() > width) {
            out += "\n" + std::string(indent, ' ');
            column = indent;
            lineStart = true;
        }
        if (!lineStart) {
            out += ' ';
            column++;
        }
        out += word;
        column += word.size();
        lineStart = false;
    }
    return out + "\n";
}

// --- The usage text ---

std::string plain(const std::string& marked) {
    std::string text;
    std::copy_if(marked.begin(), marked.end(), std::back_inserter(text),
                 [](char c) { return c != '{' && c != '}' && c != '<' && c != '>'; });
    return text;
}

std::string usageList(const std::vector<Item>& items) {
    // Terms too wide for the column have their text on the next line.
    std::size_t column = 0;
    for (const Item& item : items) {
        const std::size_t width = 2 + plain(item.first).size() + 2;
        column = width <= kWidestTermColumn ? std::max(column, width) : column;
    }
    std::string out;
    for (const auto& [term, text] : items) {
        const std::string left = "  " + plain(term);
        out += left.size() + 2 > column ? left + "\n" + std::string(column, ' ')
                                        : left + std::string(column - left.size(), ' ');
        out += wrap(plain(text), column, column, kUsageWidth);
    }
    return out;
}

std::string usageSection(const HelpSection& section) {
    std::string out = "\n";
    std::span<const char* const> paragraphs = section.before;
    if (section.usageTitle != nullptr) {
        const std::string title = std::string(section.usageTitle) + ":";
        // A heading over paragraphs alone leads the first of them.
        if (section.list == SectionList::None && !paragraphs.empty()) {
            out += title + " " + wrap(plain(paragraphs[0]), title.size() + 1, 0, kUsageWidth);
            paragraphs = paragraphs.subspan(1);
        } else {
            out += title + "\n";
        }
    }
    for (std::size_t i = 0; i < paragraphs.size(); i++) {
        out += (i > 0 ? "\n" : "") + wrap(plain(paragraphs[i]), 0, 0, kUsageWidth);
    }
    out += usageList(listItems(section));
    for (const char* paragraph : section.after) {
        out += "\n" + wrap(plain(paragraph), 0, 0, kUsageWidth);
    }
    return out;
}

// --- The manual page ---

// Marked-up text in roff: the marks become font changes, and "-" and "\" are escaped.
std::string roff(const std::string& marked) {
    std::string text;
    for (const char c : marked) {
        switch (c) {
        case '{':
            text += "\\fI";
            break;
        case '<':
            text += "\\fB";
            break;
        case '}':
        case '>':
            text += "\\fR";
            break;
        case '-':
            text += "\\-";
            break;
        case '\\':
            text += "\\e";
            break;
        default:
            text += c;
        }
    }
    return text;
}

// Text lines for roff to fill; a line that would start with a control character is guarded.
std::string roffText(const std::string& marked) {
    std::string out = wrap(roff(marked), 0, 0, kManualWidth);
    std::string guarded;
    bool lineStart = true;
    for (const char c : out) {
        if (lineStart && (c == '.' || c == '\'')) {
            guarded += "\\&";
        }
        guarded += c;
        lineStart = c == '\n';
    }
    return guarded;
}

std::string manualSection(const HelpSection& section) {
    std::string out = std::string(".SH ") + section.title + "\n";
    bool first = true;
    const auto paragraphs = [&out, &first](std::span<const char* const> list) {
        for (const char* paragraph : list) {
            out += (first ? "" : ".PP\n") + roffText(paragraph);
            first = false;
        }
    };
    paragraphs(section.before);
    for (const auto& [term, text] : listItems(section)) {
        out += ".TP\n" + roffText(term) + roffText(text);
        first = false;
    }
    paragraphs(section.after);
    return out;
}

} // namespace

std::string objtoolUsage() {
    std::string out;
    const char* lead = "Usage: ";
    for (const CommandHelp& command : objtoolCommands()) {
        const std::string synopsis = *command.synopsis != '\0' ? " " + plain(command.synopsis) : "";
        out += lead + std::string("objtool ") + command.name + synopsis + "\n";
        lead = "       ";
    }
    for (const HelpSection& section : objtoolHelpSections()) {
        if (section.place == SectionPlace::Both) {
            out += usageSection(section);
        }
    }
    return out;
}

std::string objtoolManualPage() {
    std::string out = ".TH OBJTOOL 1 2026 \"gallery " GALLERY_VERSION "\" \"User Commands\"\n";
    out += ".SH NAME\nobjtool \\- " + roff(kObjtoolSummary) + "\n.SH SYNOPSIS\n";
    for (const CommandHelp& command : objtoolCommands()) {
        const std::string synopsis = *command.synopsis != '\0' ? " " + roff(command.synopsis) : "";
        out += "\\fBobjtool " + roff(command.name) + "\\fR" + synopsis + "\n.br\n";
    }
    for (const HelpSection& section : objtoolHelpSections()) {
        out += manualSection(section);
    }
    return out;
}

std::string objtoolVersionText() {
    return "objtool (gallery) " GALLERY_VERSION "\n";
}
