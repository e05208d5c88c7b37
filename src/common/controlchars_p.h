#ifndef TAVISK_CONTROLCHARS_P_H
#define TAVISK_CONTROLCHARS_P_H

#include <QString>

namespace Tavisk
{

/// Whether @p c is a control character (U+0000 to U+001F, U+007F to U+009F)
/// other than tab, line feed and carriage return.
inline bool isUnwantedControlCharacter(QChar c)
{
    const char16_t unit = c.unicode();
    if (unit == u'\t' || unit == u'\n' || unit == u'\r')
        return false;
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

/// @p text without control characters (U+0000 to U+001F, U+007F to U+009F)
/// other than tab, line feed and carriage return. Names and document
/// information come from \'hh escapes, \u values and raw bytes of the file,
/// any of which may be a NUL or another control character that no reader of
/// a font, style or title wants to see.
inline QString withoutControlCharacters(QString text)
{
    text.removeIf(isUnwantedControlCharacter);
    return text;
}

} // namespace Tavisk

#endif
