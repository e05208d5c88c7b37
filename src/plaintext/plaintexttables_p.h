#ifndef TAVISK_PLAINTEXTTABLES_P_H
#define TAVISK_PLAINTEXTTABLES_P_H

#include "plaintextdocument_p.h"

#include <tavisk/tableformat.h>

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace Tavisk
{

class PlainTextLists;
class PlainTextRtfOutputPrivate;

namespace PlainText
{

/// The lines of @p table, one per row: cells separated by a tab; a merged
/// cell's text stands where it starts and the places it covers are empty.
/// A cell of several paragraphs, or with a nested table, gives a line that
/// holds line ends. The markers of list items come from @p lists.
QStringList tableRows(const Table &table, const PlainTextLists &lists, bool showAddresses);
/// The lines of @p part (a header or footer) set at the start of the text:
/// its paragraphs and tables as the body's would be.
QStringList partLines(const Cell &part, const PlainTextLists &lists, bool showAddresses);
/// The items of each list in @p table, nested tables included, added to
/// @p counts (by list).
void countItems(const Table &table, QHash<int, int> &counts);

} // namespace PlainText

/**
 * The tables of a PlainTextRtfOutput: the table structure of the paragraphs
 * (\intbl, \itapN, \cell, \row, \nestcell, \nestrow) and the row
 * definitions, turned into the same cells as the text document output makes
 * of them.
 *
 * This follows the text document output's table building step by step:
 * tables, rows and cells open when content arrives; a table never holds many
 * more cells than the file gave (a narrow row after a wide table starts a
 * new table; cells past the allowed width continue in the row's last cell
 * after a tab); the spare cells of a short row, and cells merged by the row
 * definitions, join their first cell when the table closes, their text
 * following the first cell's as a merged QTextTable cell's does. A table
 * goes to the text once the outermost one closes.
 */
class PlainTextTables
{
public:
    explicit PlainTextTables(PlainTextRtfOutputPrivate &output);
    ~PlainTextTables();

    /// The deepest nesting level kept; deeper paragraphs stay at this one.
    static constexpr int MaxDepth = 32;

    /// Forgets every table, for a new document.
    void reset();

    void setParagraphLevel(int level);
    void beginRowDefinition();
    void setRowFormat(const TableRowFormat &format);
    void appendCellDefinition(const TableCellDefinition &cell);
    void endCell(bool nested);
    void endRow(bool nested);

    /// Whether prepareInsertion() has work to do.
    bool isPending() const { return m_pending; }
    /// Opens and closes tables, rows and cells so that the current paragraph
    /// is where the paragraph's content goes.
    void prepareInsertion();
    /// Closes every open table; at the end of the parse.
    void finish();

    /// Whether a table is open: the current paragraph is in a cell.
    bool inTable() const { return !m_tables.empty(); }
    /// Ends the current paragraph of the innermost cell and starts the next
    /// one in the cell.
    void startCellParagraph();

private:
    struct RowDefinition {
        TableRowFormat format;
        QList<TableCellDefinition> cells;
    };
    struct Merge {
        int row;
        int column;
        int rows;
        int columns;
    };
    struct OpenTable {
        PlainText::Table *table = nullptr;
        std::unique_ptr<PlainText::Table> outermost; // owned here until it is written
        PlainText::Cell *parentCell = nullptr; // the cell a nested table stands in
        int columns = 1;
        int allocatedRows = 1; // rows of the document's table, spare ones included
        int rowsUsed = 0; // rows started
        int column = 0; // the cell of the open row the cursor is in
        bool rowOpen = false;
        bool cellTouched = false; // content went into the current cell
        bool overflow = false; // cells past the table's width go into the last cell
        qint64 cellsGiven = 0;
        QList<int> verticalMergeStart; // per column: the first row of an open vertical merge, or -1
        QList<Merge> merges;
        // Per row: where its last cell (or merged range) starts, so that
        // the spare cells of a row shorter than the table join it when the
        // table closes.
        QList<int> lastCellStart;
    };

    int depth() const { return int(m_tables.size()); }
    RowDefinition &definitionFor(int level);
    bool syncTo(int level, bool open);
    void openTable(int level);
    void closeTable();
    void startRow(int level);
    void finishRow(OpenTable &table, const RowDefinition &definition);
    bool ensureCell(int level);
    bool mayHold(const OpenTable &table, qint64 rows, qint64 columns) const;
    void moveToCell(OpenTable &table, int row, int column);
    void applyMerges(OpenTable &table);

    PlainTextRtfOutputPrivate &d;
    std::vector<OpenTable> m_tables;
    std::vector<RowDefinition> m_definitions; // per level, from 1
    int m_paragraphLevel = 0;
    bool m_pending = false;
    qint64 m_mergeBudget;
};

} // namespace Tavisk

#endif
