#ifndef TAVISK_WORDTABLE_P_H
#define TAVISK_WORDTABLE_P_H

// The destinations dispatch on control words through small constant tables of
// {name, word} entries sorted by name, searched by bisection.

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
 * Where the names of each first byte start in a sorted word table, so that a
 * lookup bisects only the few names that share the word's first byte. For the
 * large tables of hot destinations; built at compile time beside the table:
 *
 *     constexpr auto bodyIndex = FirstByteIndex<BodyWordEntry, std::size(bodyWords)>(bodyWords);
 */
template<typename Entry, std::size_t N>
struct FirstByteIndex {
    const Entry *table;
    /// start[b] is the first entry whose name starts with byte b or a later
    /// byte; start[256] is N. Names are never empty.
    unsigned short start[257] = {};

    constexpr explicit FirstByteIndex(const Entry (&entries)[N])
        : table(entries)
    {
        static_assert(N < 65536, "the index holds 16-bit positions");
        std::size_t entry = 0;
        for (int byte = 0; byte < 256; ++byte) {
            while (entry < N && static_cast<unsigned char>(entries[entry].name[0]) < byte)
                ++entry;
            start[byte] = static_cast<unsigned short>(entry);
        }
        start[256] = static_cast<unsigned short>(N);
    }
};

/// The entry of the indexed table named exactly @p controlWord, or null.
template<typename Entry, std::size_t N>
const Entry *findWord(const FirstByteIndex<Entry, N> &index, const QByteArray &controlWord)
{
    if (controlWord.isEmpty())
        return nullptr;
    const std::string_view name(controlWord.constData(), std::size_t(controlWord.size()));
    const unsigned char first = static_cast<unsigned char>(name[0]);
    const Entry *begin = index.table + index.start[first];
    const Entry *end = index.table + index.start[first + 1];
    const Entry *it = std::lower_bound(begin, end, name,
                                       [](const Entry &entry, std::string_view n) { return nameLess(entry.name, n); });
    if (it == end || nameLess(name, it->name))
        return nullptr;
    return it;
}

} // namespace Tavisk

#endif
