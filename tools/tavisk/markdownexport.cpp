#include "markdownexport.h"

#include <QList>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFrame>
#include <QTextTable>

#include <memory>

namespace
{
// Pipe tables have one line per row and one text per cell.
bool fitsPipeTable(QTextTable *table)
{
    if (!table->childFrames().isEmpty())
        return false;
    for (int row = 0; row < table->rows(); ++row) {
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.rowSpan() > 1 || cell.columnSpan() > 1)
                return false;
        }
    }
    return true;
}

// The <table> element of the HTML of @p table.
QString tableHtml(QTextTable *table)
{
    QTextCursor cursor(table->document());
    cursor.setPosition(table->firstPosition() - 1);
    cursor.setPosition(table->lastPosition() + 1, QTextCursor::KeepAnchor);
    const QString html = QTextDocumentFragment(cursor).toHtml();
    const qsizetype start = html.indexOf(QLatin1String("<table"));
    const qsizetype end = html.lastIndexOf(QLatin1String("</table>"));
    if (start < 0 || end < start)
        return QString();
    return html.mid(start, end + 8 - start);
}
} // namespace

QString markdownOf(const QTextDocument &document)
{
    QList<QTextTable *> tables;
    for (QTextFrame *frame : document.rootFrame()->childFrames()) {
        QTextTable *table = qobject_cast<QTextTable *>(frame);
        if (table && !fitsPipeTable(table))
            tables.append(table);
    }
    if (tables.isEmpty())
        return document.toMarkdown();

    // Each such table is replaced in a copy of the document by a marker at
    // the start of a paragraph, and the marker in the Markdown by the
    // table's HTML, a blank line after it to end the HTML block.
    const std::unique_ptr<QTextDocument> copy(document.clone());
    QList<QTextTable *> copies;
    for (QTextFrame *frame : copy->rootFrame()->childFrames()) {
        QTextTable *table = qobject_cast<QTextTable *>(frame);
        if (table && !fitsPipeTable(table))
            copies.append(table);
    }
    if (copies.size() != tables.size())
        return document.toMarkdown();
    QStringList blocks(copies.size());
    // All in one edit block: the document finds its frames again once, not
    // after every table removed, which made many such tables quadratic.
    QTextCursor cursor(copy.get());
    cursor.beginEditBlock();
    // From the last table, so the positions of those before stay.
    for (qsizetype i = copies.size() - 1; i >= 0; --i) {
        QTextTable *table = copies.at(i);
        const int position = table->firstPosition() - 1;
        cursor.setPosition(position);
        cursor.setPosition(table->lastPosition() + 1, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        cursor.setPosition(position);
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("TAVISKTABLE%1X").arg(i));
        blocks[i] = tableHtml(tables.at(i)) + QLatin1String("\n\n");
    }
    cursor.endEditBlock();
    // Every marker replaced in one pass over the Markdown.
    static const QRegularExpression marker(QStringLiteral("TAVISKTABLE([0-9]+)X"));
    const QString markdown = copy->toMarkdown();
    QString result;
    result.reserve(markdown.size());
    qsizetype done = 0;
    for (auto it = marker.globalMatch(markdown); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        bool ok = false;
        const qsizetype index = match.capturedView(1).toLongLong(&ok);
        if (!ok || index >= blocks.size())
            continue;
        result += QStringView(markdown).mid(done, match.capturedStart() - done);
        result += blocks.at(index);
        done = match.capturedEnd();
    }
    result += QStringView(markdown).mid(done);
    return result;
}
