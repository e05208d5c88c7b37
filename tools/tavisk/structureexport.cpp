#include "structureexport.h"

#include <QList>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace
{
bool isNoteLink(const QString &href)
{
    return href.startsWith(QLatin1String("#footnote-")) || href.startsWith(QLatin1String("#endnote-"));
}
} // namespace

void StructureExport::prepareText(QTextDocument *document, bool showUrls)
{
    struct Edit {
        int position;
        int length; // characters replaced; 0 inserts
        QString text;
    };
    QList<Edit> edits;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth) && block.length() == 1) {
            edits.append({block.position(), 0, QStringLiteral("----")});
            continue;
        }
        QString runHref;
        int runEnd = -1;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const QString href = format.isAnchor() ? format.anchorHref() : QString();
            if (!runHref.isEmpty() && (href != runHref || fragment.position() != runEnd))
                edits.append({runEnd, 0, QStringLiteral(" <%1>").arg(runHref)});
            runHref.clear();
            if (isNoteLink(href)) {
                edits.append({fragment.position(), fragment.length(), QStringLiteral("[%1]").arg(fragment.text())});
            } else if (showUrls && !href.isEmpty() && !href.startsWith(QLatin1Char('#'))) {
                runHref = href;
                runEnd = fragment.position() + fragment.length();
            }
        }
        if (!runHref.isEmpty())
            edits.append({runEnd, 0, QStringLiteral(" <%1>").arg(runHref)});
    }
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    // From the end, so the earlier positions stay valid.
    for (auto it = edits.crbegin(); it != edits.crend(); ++it) {
        cursor.setPosition(it->position);
        cursor.setPosition(it->position + it->length, QTextCursor::KeepAnchor);
        cursor.insertText(it->text);
    }
    cursor.endEditBlock();
}

QString StructureExport::markdownFootnotes(const QString &markdown)
{
    // Qt writes the links as [mark](#footnote-1) at the reference and
    // [mark](#footnote-ref-1) at the start of the note's paragraph.
    static const QRegularExpression definition(
        QStringLiteral("(^|\\n)\\[[^\\]\\n]*\\]\\(#(foot|end)note-ref-(\\d+)\\)[ \\t]*"));
    static const QRegularExpression reference(QStringLiteral("\\[[^\\]\\n]*\\]\\(#(foot|end)note-(\\d+)\\)"));
    QString result = markdown;
    result.replace(definition, QStringLiteral("\\1[^\\2-\\3]: "));
    result.replace(reference, QStringLiteral("[^\\1-\\2]"));
    result.replace(QLatin1String("[^foot-"), QLatin1String("[^"));
    result.replace(QLatin1String("[^end-"), QLatin1String("[^e"));
    return result;
}
