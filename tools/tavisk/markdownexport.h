#ifndef TAVISK_TOOL_MARKDOWNEXPORT_H
#define TAVISK_TOOL_MARKDOWNEXPORT_H

#include <QString>

class QTextDocument;

/// The Markdown of @p document as `tavisk convert --to md` writes it: what
/// QTextDocument::toMarkdown() gives, except that a table Markdown cannot
/// hold (one with merged cells, or a table inside a cell) is written as an
/// HTML table block.
QString markdownOf(const QTextDocument &document);

#endif
