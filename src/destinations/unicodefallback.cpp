#include "unicodefallback_p.h"

#include <array>

namespace Tavisk
{

const char16_t *UnicodeCharacters::everyUnit()
{
    // Made by the compiler: read-only data, of which only the pages of the
    // scripts met are read.
    static constexpr auto units = [] {
        std::array<char16_t, 0x10000> result{};
        for (std::size_t i = 0; i < result.size(); ++i)
            result[i] = char16_t(i);
        return result;
    }();
    return units.data();
}

} // namespace Tavisk
