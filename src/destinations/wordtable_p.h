#ifndef TAVISK_WORDTABLE_P_H
#define TAVISK_WORDTABLE_P_H

// The destinations dispatch on control words through small constant tables of
// {name, word} entries sorted by name, searched by bisection or, for the
// largest, through a hash index built at compile time.

#include "common/namehash_p.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string_view>

namespace Tavisk
{

/// Whether the entries of @p table are in strictly increasing name order;
/// for a static_assert beside each table.
template<typename Entry, std::size_t N>
constexpr bool isSortedByName(const Entry (&table)[N])
{
    for (std::size_t i = 1; i < N; ++i) {
        if (!(table[i - 1].name < table[i].name))
            return false;
    }
    return true;
}

/// Byte order of two short names, compared inline: the names of the tables
/// are a few bytes long, and a call into memcmp for each step of the search
/// costs more than the comparison itself.
inline bool nameLess(std::string_view a, std::string_view b)
{
    const std::size_t length = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < length; ++i) {
        if (a[i] != b[i])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]);
    }
    return a.size() < b.size();
}

/// The entry of @p table named exactly @p controlWord, or null.
template<typename Entry, std::size_t N>
const Entry *findWord(const Entry (&table)[N], const QByteArray &controlWord)
{
    const std::string_view name(controlWord.constData(), std::size_t(controlWord.size()));
    const Entry *it = std::lower_bound(std::begin(table), std::end(table), name,
                                       [](const Entry &entry, std::string_view n) { return nameLess(entry.name, n); });
    if (it == std::end(table) || nameLess(name, it->name))
        return nullptr;
    return it;
}

/**
 * An open-addressing hash index over a sorted word table, for the large table
 * of the hottest destination, which sees every word of the document's body:
 * a lookup hashes the word once and compares it with one name or two, where
 * a bisection compares it with seven or eight. Built at compile time beside
 * the table:
 *
 *     constexpr WordHashIndex<BodyWordEntry, std::size(bodyWords)> bodyIndex(bodyWords);
 */
template<typename Entry, std::size_t N>
struct WordHashIndex {
    /// At least four times as many slots as words, so that probes are short.
    static constexpr std::size_t slotCount = [] {
        std::size_t count = 64;
        while (count < 4 * N)
            count *= 2;
        return count;
    }();
    static constexpr unsigned short empty = 0xFFFF;

    const Entry *table;
    /// The entry of each slot, or empty.
    unsigned short positions[slotCount] = {};

    constexpr explicit WordHashIndex(const Entry (&entries)[N])
        : table(entries)
    {
        static_assert(N < empty, "the index holds 16-bit positions");
        for (std::size_t i = 0; i < slotCount; ++i)
            positions[i] = empty;
        for (std::size_t entry = 0; entry < N; ++entry) {
            std::size_t slot = nameHash(entries[entry].name) & (slotCount - 1);
            while (positions[slot] != empty)
                slot = (slot + 1) & (slotCount - 1);
            positions[slot] = static_cast<unsigned short>(entry);
        }
    }

    /// The entry named exactly @p name, or null.
    constexpr const Entry *find(std::string_view name) const
    {
        for (std::size_t slot = nameHash(name) & (slotCount - 1);; slot = (slot + 1) & (slotCount - 1)) {
            const unsigned short entry = positions[slot];
            if (entry == empty)
                return nullptr;
            if (table[entry].name == name)
                return table + entry;
        }
    }

    /// Whether every entry is found under its own name; for a static_assert
    /// beside the index.
    constexpr bool findsEveryEntry() const
    {
        for (std::size_t entry = 0; entry < N; ++entry) {
            if (find(table[entry].name) != table + entry)
                return false;
        }
        return true;
    }
};

/// The entry of the hash-indexed table named exactly @p controlWord, or null.
template<typename Entry, std::size_t N>
const Entry *findWord(const WordHashIndex<Entry, N> &index, const QByteArray &controlWord)
{
    return index.find(std::string_view(controlWord.constData(), std::size_t(controlWord.size())));
}

} // namespace Tavisk

#endif
