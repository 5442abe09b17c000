// Numbers found by name, for the reader's groups and materials: a hash table beside the
// model's group list and material table, so that finding a name costs the same however many
// there are. The table is one array of 8-byte entries (open addressing, at most half full)
// over a list of the names in the order they came, so a look-up touches about one cache
// line of the table and the index holds no allocation per name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace objreader {

class NameIndex {
public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // The number stored under name, or kNone.
    std::uint32_t find(std::string_view name) const;

    // The number stored under name. A name not there yet is stored: make() gives its number
    // and the name to keep, equal to name and outliving the index.
    template <class Make> std::uint32_t findOrAdd(std::string_view name, Make&& make) {
        roomForOneMore();
        const std::size_t hash = hashOf(name);
        Entry& entry = table_[position(name, hash)];
        if (entry.item == kNone) {
            const auto [number, kept] = make();
            entry = {tagOf(hash), static_cast<std::uint32_t>(items_.size())};
            items_.push_back({kept, hash, number});
        }
        return items_[entry.item].number;
    }

    void clear();

private:
    struct Entry {
        std::uint32_t tag = 0;      // the hash's high half: most other names differ in it
        std::uint32_t item = kNone; // into items_; kNone: the entry is free
    };
    struct Item {
        std::string_view name;
        std::size_t hash;
        std::uint32_t number;
    };

    static std::size_t hashOf(std::string_view name);
    static std::uint32_t tagOf(std::size_t hash) { return static_cast<std::uint32_t>(hash >> 32); }
    // The entry that holds name, or the free one where it belongs.
    std::size_t position(std::string_view name, std::size_t hash) const;
    // Doubles the table when one more name would fill it past half.
    void roomForOneMore();

    std::vector<Entry> table_; // a power of two in size
    std::vector<Item> items_;
};

} // namespace objreader
