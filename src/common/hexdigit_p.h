#ifndef TAVISK_HEXDIGIT_P_H
#define TAVISK_HEXDIGIT_P_H

namespace Tavisk
{

/// The value of one hexadecimal digit (0-9, a-f, A-F), or -1 for any other
/// byte: \'hh escapes and picture data are written in hex.
inline int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace Tavisk

#endif
