#ifndef TAVISK_NAMEHASH_P_H
#define TAVISK_NAMEHASH_P_H

#include <cstdint>
#include <string_view>

namespace Tavisk
{

/// The hash by which control word names (and parameters) are looked up in
/// the open-addressing tables of the tokenizer and the reader: FNV-1a, folded
/// so that the low bits, which pick the slot, depend on every byte. A handful
/// of instructions per byte for names of a few letters; usable at compile time.
constexpr std::uint32_t nameHash(std::string_view name)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash ^ (hash >> 15);
}

} // namespace Tavisk

#endif
