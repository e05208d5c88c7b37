#ifndef TAVISK_TOOL_PLAINTEXTEXPORT_H
#define TAVISK_TOOL_PLAINTEXTEXPORT_H

#include <QString>

class QTextBlock;
class QTextDocument;

// The text export of the document route: the text of a QTextDocument read
// from RTF. `tavisk convert --to txt` reads into PlainTextRtfOutput instead,
// without a document; this export is the reference that output is held to
// (autotests/toolstest), and is not built into the tool.

/// The text of @p document as `tavisk convert --to txt` writes it: one line
/// per paragraph; a table's cells separated by a tab and its rows by a line
/// end, with a blank line before and after the table; the cells of a nested
/// table joined the same way inside their cell. Line breaks inside a
/// paragraph (U+2028) become line ends, no-break spaces stay, pictures
/// (object replacement characters) are left out.
QString plainTextOf(const QTextDocument &document);

/// What stands before the text of @p block on its line (a list marker, for
/// instance); empty for a plain paragraph.
QString blockPrefix(const QTextBlock &block);

#endif
