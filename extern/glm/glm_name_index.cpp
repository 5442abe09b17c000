#include "glm_name_index.h"

#include <algorithm>
#include <functional>

namespace objreader {

std::size_t NameIndex::hashOf(std::string_view name) {
    return std::hash<std::string_view>{}(name);
}

std::size_t NameIndex::position(std::string_view name, std::size_t hash) const {
    const std::size_t mask = table_.size() - 1;
    const std::uint32_t tag = tagOf(hash);
    std::size_t i = hash & mask;
    while (table_[i].item != kNone &&
           (table_[i].tag != tag || items_[table_[i].item].name != name)) {
        i = (i + 1) & mask;
    }
    return i;
}

std::uint32_t NameIndex::find(std::string_view name) const {
    if (table_.empty()) {
        return kNone;
    }
    const std::uint32_t item = table_[position(name, hashOf(name))].item;
    return item == kNone ? kNone : items_[item].number;
}

void NameIndex::roomForOneMore() {
    if (2 * (items_.size() + 1) <= table_.size()) {
        return;
    }
    table_.assign(std::max<std::size_t>(16, 2 * table_.size()), Entry{});
    const std::size_t mask = table_.size() - 1;
    for (std::uint32_t item = 0; item < items_.size(); item++) {
        // The names differ, so each goes to the first free entry from its place.
        const std::size_t hash = items_[item].hash;
        std::size_t i = hash & mask;
        while (table_[i].item != kNone) {
            i = (i + 1) & mask;
        }
        table_[i] = {tagOf(hash), item};
    }
}

void NameIndex::clear() {
    table_.clear();
    items_.clear();
}

} // namespace objreader
