#include "import/name_index.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "schema/element_lists.h"
#include "xml/byte_search.h"

namespace audiogram {
namespace {

using schema::kElementRun;
using schema::kEnd;
using schema::kEnumerations;
using schema::kListCount;
using schema::kListStarts;
using schema::ValidEntries;

// The child look-up of the import by name length: for every list, the first position whose
// name has a given length, and for every entry the next position of its list with a name of
// the same length. A look-up compares only the few names of the right length.
constexpr std::size_t kIndexedNameLength = 64;
constexpr std::uint8_t kNoPosition = 0xFF;

struct NameIndex {
    std::array<std::array<std::uint8_t, kIndexedNameLength>, kListCount> first{};
    std::array<std::uint8_t, kElementRun.size()> next{};
    std::array<std::uint8_t, kListCount> catchAll{};  // the first entry with code 0, or none
};

constexpr NameIndex BuildNameIndex() {
    NameIndex index;
    for (auto& lengths : index.first) lengths.fill(kNoPosition);
    index.next.fill(kNoPosition);
    index.catchAll.fill(kNoPosition);
    for (std::size_t list = 0; list < kListCount; ++list) {
        std::array<std::size_t, kIndexedNameLength> last{};
        last.fill(SIZE_MAX);
        for (std::size_t position = 0; kListStarts[list] + position < kListStarts[list + 1]; ++position) {
            const SchemaEntry& entry = kElementRun[kListStarts[list] + position];
            if (entry.code == kEnd) break;
            if (entry.code == 0 && index.catchAll[list] == kNoPosition) {
                index.catchAll[list] = static_cast<std::uint8_t>(position);
            }
            const std::size_t length = entry.name.size();
            if (last[length] == SIZE_MAX) {
                index.first[list][length] = static_cast<std::uint8_t>(position);
            } else {
                index.next[kListStarts[list] + last[length]] = static_cast<std::uint8_t>(position);
            }
            last[length] = position;
        }
    }
    return index;
}

constexpr bool NamesFitTheIndex() {
    for (std::size_t list = 0; list < kListCount; ++list) {
        if (kListStarts[list + 1] - kListStarts[list] >= kNoPosition) return false;
    }
    for (const SchemaEntry& entry : kElementRun) {
        if (entry.name.size() >= kIndexedNameLength) return false;
    }
    return true;
}
static_assert(NamesFitTheIndex());

constexpr NameIndex kNameIndex = BuildNameIndex();

// The import's look-up of a name it expects the table to know: per list, a small
// open-addressed hash table of positions, keyed by the name's first and last eight bytes and
// its length. A look-up costs one key, a probe or two and one comparison.
constexpr std::size_t kHashSlots = 64;

// `count` (at most 8) bytes as the word a memcpy load of them gives on this host.
constexpr std::uint64_t WordOf(std::string_view bytes) {
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i]));
        word |= std::endian::native == std::endian::little ? byte << (8 * i) : byte << (8 * (7 - i));
    }
    return word;
}

// WordOf for a name of fewer than eight bytes, by two overlapping loads instead of a loop:
// the import hashes an enumeration name such as "HL" or "Normal" for nearly every condition.
inline std::uint64_t ShortWordOf(std::string_view bytes) {
    const std::size_t size = bytes.size();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    if (size >= 4) {
        std::uint32_t low = 0;
        std::uint32_t high = 0;
        std::memcpy(&low, p, 4);
        std::memcpy(&high, p + size - 4, 4);
        return low | std::uint64_t{high} << (8 * (size - 4));
    }
    if (size == 0) return 0;
    return std::uint64_t{p[0]} | std::uint64_t{p[size / 2]} << (8 * (size / 2)) |
           std::uint64_t{p[size - 1]} << (8 * (size - 1));
}

constexpr std::size_t HashSlot(std::string_view name) {
    const std::size_t size = name.size();
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    if (!std::is_constant_evaluated() && size < 8 && std::endian::native == std::endian::little) {
        first = ShortWordOf(name);
        last = first;
    } else if (std::is_constant_evaluated() || size < 8) {
        const std::size_t head = size < 8 ? size : 8;
        first = WordOf(name.substr(0, head));
        last = WordOf(name.substr(size - head));
    } else {
        std::memcpy(&first, name.data(), 8);
        std::memcpy(&last, name.data() + size - 8, 8);
    }
    const std::uint64_t key = first * 0x9E3779B97F4A7C15ull ^ (last + size) * 0xC2B2AE3D27D4EB4Full;
    return static_cast<std::size_t>(key >> 58);  // 6 bits: kHashSlots
}
static_assert(kHashSlots == 64);

using HashTables = std::array<std::array<std::uint8_t, kHashSlots>, kListCount>;

constexpr HashTables BuildHashTables() {
    HashTables tables{};
    for (auto& table : tables) table.fill(kNoPosition);
    for (std::size_t list = 0; list < kListCount; ++list) {
        const std::size_t start = kListStarts[list];
        for (std::size_t position = 0; start + position < kListStarts[list + 1]; ++position) {
            const std::string_view name = kElementRun[start + position].name;
            if (kElementRun[start + position].code == kEnd) break;
            // The first entry of a name is the one every look-up finds.
            std::size_t slot = HashSlot(name);
            while (tables[list][slot] != kNoPosition &&
                   kElementRun[start + tables[list][slot]].name != name) {
                slot = (slot + 1) % kHashSlots;
            }
            if (tables[list][slot] == kNoPosition) tables[list][slot] = static_cast<std::uint8_t>(position);
        }
    }
    return tables;
}

// Every list leaves a good part of its slots free, so probes stay short and end.
constexpr bool ListsFitTheirHashTables() {
    for (std::size_t list = 0; list < kListCount; ++list) {
        if (kListStarts[list + 1] - kListStarts[list] > kHashSlots * 3 / 4) return false;
    }
    return true;
}
static_assert(ListsFitTheirHashTables());

constexpr HashTables kHashTables = BuildHashTables();

// How many entries of each list come before its catch-all or end mark: those found by name.
constexpr std::array<std::uint8_t, kListCount> CountNamedEntries() {
    std::array<std::uint8_t, kListCount> counts{};
    for (std::size_t list = 0; list < kListCount; ++list) {
        const std::size_t all = kListStarts[list + 1] - kListStarts[list];
        counts[list] = static_cast<std::uint8_t>(
            kNameIndex.catchAll[list] == kNoPosition ? all - 1 : kNameIndex.catchAll[list]);
    }
    return counts;
}
constexpr std::array<std::uint8_t, kListCount> kNamedEntries = CountNamedEntries();

// No list names two entries alike before its catch-all or end mark: each is found by its name.
constexpr bool NamesOfAListDiffer() {
    for (std::size_t list = 0; list < kListCount; ++list) {
        const std::size_t start = kListStarts[list];
        const std::size_t named = kNamedEntries[list];
        for (std::size_t a = 0; a < named; ++a) {
            for (std::size_t b = a + 1; b < named; ++b) {
                if (kElementRun[start + a].name == kElementRun[start + b].name) return false;
            }
        }
    }
    return true;
}
static_assert(NamesOfAListDiffer());

// The import reads an enumeration name for nearly every condition: per table, a hash table of
// the entries' indices in the manner of the element lists', the first entry of a name in it.
using EnumHashTables = std::array<std::array<std::uint8_t, kHashSlots>, kEnumerations.size()>;

constexpr EnumHashTables BuildEnumHashTables() {
    EnumHashTables tables{};
    for (auto& table : tables) table.fill(kNoPosition);
    for (std::size_t t = 0; t < kEnumerations.size(); ++t) {
        const std::span<const SchemaEntry> entries = ValidEntries(static_cast<EnumTable>(t));
        for (std::size_t index = 0; index < entries.size(); ++index) {
            std::size_t slot = HashSlot(entries[index].name);
            while (tables[t][slot] != kNoPosition && entries[tables[t][slot]].name != entries[index].name) {
                slot = (slot + 1) % kHashSlots;
            }
            if (tables[t][slot] == kNoPosition) tables[t][slot] = static_cast<std::uint8_t>(index);
        }
    }
    return tables;
}

constexpr bool EnumerationsFitTheirHashTables() {
    for (const std::span<const SchemaEntry> entries : kEnumerations) {
        if (entries.size() > kHashSlots * 3 / 4) return false;
    }
    return true;
}
static_assert(EnumerationsFitTheirHashTables());

constexpr EnumHashTables kEnumHashTables = BuildEnumHashTables();

}  // namespace

std::int32_t CodeOfName(EnumTable table, std::string_view name) {
    const auto index = static_cast<std::size_t>(table);
    const std::span<const SchemaEntry> entries = ValidEntries(table);
    for (std::size_t slot = HashSlot(name);; slot = (slot + 1) % kHashSlots) {
        const std::uint8_t entry = kEnumHashTables[index][slot];
        if (entry == kNoPosition) return kEnumerations[index].front().code;
        if (SameText(entries[entry].name, name)) return entries[entry].code;
    }
}

// The first entry before the end mark whose name equals `name` or whose code is the
// catch-all 0: the first of the names of that length, unless the catch-all comes earlier.
ChildMatch LookUpChild(std::int32_t listNumber, std::string_view name) {
    constexpr ChildMatch kNone{-1, 0};
    if (listNumber < 1 || listNumber > AudiogramSchemaTable::kListCount) return kNone;
    const auto list = static_cast<std::size_t>(listNumber - 1);
    const SchemaEntry* entries = kElementRun.data() + kListStarts[list];
    const std::uint8_t catchAll = kNameIndex.catchAll[list];
    if (name.size() < kIndexedNameLength) {
        for (std::uint8_t position = kNameIndex.first[list][name.size()]; position < catchAll;
             position = kNameIndex.next[kListStarts[list] + position]) {
            if (SameText(entries[position].name, name)) return ChildMatch{position, entries[position].code};
        }
    }
    if (catchAll == kNoPosition) return kNone;
    return ChildMatch{catchAll, entries[catchAll].code};
}

ChildMatch LookUpNamedChild(std::int32_t listNumber, std::string_view name) {
    constexpr ChildMatch kNone{-1, 0};
    if (listNumber < 1 || listNumber > AudiogramSchemaTable::kListCount) return kNone;
    const auto list = static_cast<std::size_t>(listNumber - 1);
    const SchemaEntry* entries = kElementRun.data() + kListStarts[list];
    for (std::size_t slot = HashSlot(name);; slot = (slot + 1) % kHashSlots) {
        const std::uint8_t position = kHashTables[list][slot];
        if (position == kNoPosition) return kNone;
        if (SameText(entries[position].name, name)) {
            // A catch-all before (or at) the entry takes the name instead.
            if (position >= kNameIndex.catchAll[list]) return kNone;
            return ChildMatch{position, entries[position].code};
        }
    }
}

std::span<const SchemaEntry> NamedChildren(std::int32_t listNumber) {
    if (listNumber < 1 || listNumber > AudiogramSchemaTable::kListCount) return {};
    const auto list = static_cast<std::size_t>(listNumber - 1);
    return {kElementRun.data() + kListStarts[list], kNamedEntries[list]};
}

std::optional<ChildMatch> FindChild(std::int32_t listNumber, std::string_view name) {
    const ChildMatch match = LookUpChild(listNumber, name);
    if (match.position < 0) return std::nullopt;
    return match;
}

}  // namespace audiogram
