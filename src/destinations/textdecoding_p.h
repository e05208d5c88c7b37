#ifndef TAVISK_TEXTDECODING_P_H
#define TAVISK_TEXTDECODING_P_H

// Decoding of the few RTF texts that do not go through the output's code page
// (style names, user property names).

#include <QByteArray>
#include <QString>

namespace Tavisk
{
namespace TextDecoding
{

/// Decodes @p bytes as Windows-1252, the default ANSI code page of RTF.
/// The five bytes that code page leaves undefined map to the C1 controls of
/// the same value, so no byte is ever lost.
QString fromWindows1252(const QByteArray &bytes);

/// Decodes @p bytes as UTF-8 when they are valid UTF-8, otherwise as
/// Windows-1252. Plain ASCII reads the same either way; a lone byte from a
/// \'hh escape is never valid UTF-8 and so reads as Windows-1252.
QString fromUtf8OrWindows1252(const QByteArray &bytes);

} // namespace TextDecoding
} // namespace Tavisk

#endif
