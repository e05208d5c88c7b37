#ifndef TAVISK_TOOL_STRUCTUREEXPORT_H
#define TAVISK_TOOL_STRUCTUREEXPORT_H

#include <QString>

class QTextDocument;

/// How links, notes and the notes section read in the text formats.
namespace StructureExport
{
/// For txt: note references and the marks of the notes section read "[1]"
/// (superscript is lost in plain text), the rule before the notes section
/// becomes a line of dashes, and with @p showUrls every link to another
/// document is followed by " <url>".
void prepareText(QTextDocument *document, bool showUrls);
/// For md: note references become Markdown footnote references ("[^1]",
/// endnotes "[^e1]") and the entries of the notes section their
/// definitions ("[^1]: text"), in the Markdown @p markdown written from
/// the document.
QString markdownFootnotes(const QString &markdown);
} // namespace StructureExport

#endif
