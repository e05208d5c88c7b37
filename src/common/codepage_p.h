#ifndef TAVISK_CODEPAGE_P_H
#define TAVISK_CODEPAGE_P_H

// Code pages: the decoders for the text of a font's character set.

#include <QByteArray>
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

/**
 * For a code page of one byte per character: the character of every byte
 * (256 of them), as decoderFor(@p encoding) decodes it. Text in such a code
 * page reads through the table without the decoder's cost per call, and
 * without its state, which it does not need. An empty string for the code
 * pages of several bytes per character (or with shift states), which a table
 * would garble.
 */
QString byteTable(const QString &encoding);

/// Decodes @p bytes as UTF-8 when they are valid UTF-8, otherwise as
/// Windows-1252, for the few texts that do not go through the output's code
/// page (style names, user property names). Plain ASCII reads the same either
/// way; a lone byte from a \'hh escape is never valid UTF-8 and so reads as
/// Windows-1252, whose five undefined bytes keep their C1 control meaning.
QString fromUtf8OrWindows1252(const QByteArray &bytes);

/**
 * The encoding name (as decoderFor() takes it) of the Windows code page
 * number @p codePage, as \ansicpgN and a font's \cpgN give it: 1252 is
 * "Windows-1252", 932 "Shift-JIS", 10000 "Macintosh"... Returns a null
 * string for 0 and for a number Qt has no decoder for.
 */
QString encodingForCodePage(int codePage);

/**
 * Whether @p byte starts a two-byte character in @p encoding. Only the
 * double-byte code pages of East Asian text have lead bytes (Shift-JIS,
 * GBK, Big5, windows-949, Johab); in every other encoding this is false.
 */
bool isLeadByte(const QString &encoding, unsigned char byte);

} // namespace CodePage
} // namespace Tavisk

#endif
