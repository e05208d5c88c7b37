#include "plaintextexport.h"

#include "listmarkers.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace
{
QString blockText(const QTextBlock &block)
{
    QString text = block.text();
    text.remove(QChar::ObjectReplacementCharacter);
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return blockPrefix(block) + text;
}

void appendFrame(QTextFrame *frame, QStringList &lines);

// The text of a table cell: its paragraphs one a line, nested tables as in
// the body. A cell holds tabs and line ends only where its content has them.
QString cellText(const QTextTableCell &cell)
{
    QStringList lines;
    bool endsWithTable = false;
    for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame()) {
            appendFrame(child, lines);
            endsWithTable = true;
        } else {
            const QString text = blockText(it.currentBlock());
            lines.append(text);
            endsWithTable = endsWithTable && text.isEmpty();
        }
    }
    // Blank lines that only frame a nested table at the edges of the cell,
    // and the empty paragraph a writer that ends every paragraph with a
    // paragraph mark leaves at the end of a cell.
    while (lines.size() > 1 && lines.constFirst().isEmpty())
        lines.removeFirst();
    while (lines.size() > 1 && lines.constLast().isEmpty())
        lines.removeLast();
    // A nested table at the end keeps its line end, so that the next cell
    // does not read as one of its cells.
    if (endsWithTable)
        lines.append(QString());
    return lines.join(QLatin1Char('\n'));
}

void appendTable(QTextTable *table, QStringList &lines)
{
    // A blank line before and after the table, but never two in a row.
    if (!lines.isEmpty() && !lines.constLast().isEmpty())
        lines.append(QString());
    for (int row = 0; row < table->rows(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            // A merged cell is written once, where it starts; the places it
            // covers stay empty, so that the columns keep their order.
            if (cell.row() != row || cell.column() != column)
                cells.append(QString());
            else
                cells.append(cellText(cell));
        }
        lines.append(cells.join(QLatin1Char('\t')));
    }
    lines.append(QString());
}

void appendFrame(QTextFrame *frame, QStringList &lines)
{
    if (QTextTable *table = qobject_cast<QTextTable *>(frame)) {
        appendTable(table, lines);
        return;
    }
    bool first = true;
    bool afterTable = false;
    for (QTextFrame::iterator it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame()) {
            appendFrame(child, lines);
            afterTable = qobject_cast<QTextTable *>(child) != nullptr;
        } else {
            const QTextBlock block = it.currentBlock();
            // A table cannot start a frame, nor end one: an empty paragraph
            // stands before a table at the start and after every table. The
            // blank lines around the table stand for them.
            bool skip = false;
            if (block.length() == 1) {
                QTextFrame::iterator next = it;
                ++next;
                skip = afterTable
                    || (first && !next.atEnd() && qobject_cast<QTextTable *>(next.currentFrame()) != nullptr);
            }
            if (!skip)
                lines.append(blockText(block));
            afterTable = false;
        }
        first = false;
    }
}
} // namespace

QString blockPrefix(const QTextBlock &block)
{
    // A list item starts with its marker ("• ", "1. ", "a) "), indented by
    // its level.
    return listMarker(block);
}

QString plainTextOf(const QTextDocument &document)
{
    QStringList lines;
    appendFrame(document.rootFrame(), lines);
    // Blank lines at the end carry nothing.
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines.join(QLatin1Char('\n'));
}
