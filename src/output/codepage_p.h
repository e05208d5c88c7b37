#ifndef TAVISK_CODEPAGE_P_H
#define TAVISK_CODEPAGE_P_H

#include <QString>
#include <QStringDecoder>

namespace Tavisk
{
namespace CodePage
{

/**
 * A decoder for text written in the code page named @p encoding, as the font
 * table names it ("Windows-1252", "Shift-JIS", ...).
 *
 * Never returns an invalid decoder: a null or empty name (fonts without
 * \fcharset, symbol fonts, text before any font is chosen) and a name that
 * Qt cannot decode fall back to Windows-1252, the ANSI code page that RTF
 * assumes by default, so no text is lost for want of a decoder.
 */
QStringDecoder decoderFor(const QString &encoding);

/// Decodes @p bytes in one go with decoderFor(@p encoding).
QString decode(const QByteArray &bytes, const QString &encoding);

} // namespace CodePage
} // namespace Tavisk

#endif
