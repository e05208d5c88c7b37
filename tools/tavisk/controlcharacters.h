#ifndef TAVISK_TOOL_CONTROLCHARACTERS_H
#define TAVISK_TOOL_CONTROLCHARACTERS_H

#include <QString>

/// Whether @p c is a control character other than tab, line feed and
/// carriage return: none of the tool's outputs carries one.
inline bool isUnwantedControlCharacter(QChar c)
{
    const char16_t unit = c.unicode();
    if (unit == u'\t' || unit == u'\n' || unit == u'\r')
        return false;
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

/// @p text without its control characters, tab and line ends kept.
inline QString withoutControlCharacters(QString text)
{
    text.removeIf(isUnwantedControlCharacter);
    return text;
}

#endif
