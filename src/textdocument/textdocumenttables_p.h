#ifndef TAVISK_TEXTDOCUMENTTABLES_P_H
#define TAVISK_TEXTDOCUMENTTABLES_P_H

#include <tavisk/tableformat.h>

#include <QList>

#include <vector>

class QTextTable;

namespace Tavisk
{

class TextDocumentRtfOutputPrivate;

/**
 * Builds the QTextTable objects of a TextDocumentRtfOutput, and keeps the
 * section break that waits for the next paragraph.
 *
 * RTF gives a table as paragraphs marked with their nesting level (\intbl,
 * \itapN), cut into cells by \cell and into rows by \row; the row's
 * definition (widths, merges, borders) comes before the cells, after them, or
 * both. The builder keeps one open table per nesting level. Structure is
 * created only when content arrives (prepareInsertion(), called before every
 * insertion): a table is opened at the cursor when a paragraph of a deeper
 * level starts, a row when the first paragraph of a row starts, and the
 * tables deeper than the paragraph's level are closed. The row's definition
 * is applied when the row ends; merges, column widths and the table format
 * when the table is closed, in one pass.
 *
 * Costs stay linear in the table's size: rows are added in growing batches
 * (QTextTable rebuilds its cell grid after each structural change, so adding
 * rows one at a time would cost the square of their number), the cursor
 * moves by cell lookups that need no rebuild, and merges, which each rebuild
 * the grid, are applied only while their total cost stays bounded. A table
 * never holds many more cells than the file gave: a row that would widen it
 * past that starts a new table, and a cell that would widen it past that
 * continues in the row's last cell after a tab.
 */
class TableBuilder
{
public:
    explicit TableBuilder(TextDocumentRtfOutputPrivate &output);
    ~TableBuilder();

    /// The deepest nesting level kept; deeper paragraphs stay at this one.
    static constexpr int MaxDepth = 32;

    void setParagraphLevel(int level);
    void beginRowDefinition();
    void setRowFormat(const TableRowFormat &format);
    void appendCellDefinition(const TableCellDefinition &cell);
    void endCell(bool nested);
    void endRow(bool nested);

    void endSection();
    void setSectionBreak(SectionBreak kind) { m_sectionBreak = kind; }

    /// Whether prepareInsertion() has work to do.
    bool isPending() const { return m_pending; }
    /// Opens and closes tables, rows and cells so that the cursor is where
    /// the paragraph's content goes.
    void prepareInsertion();
    /// Whether the cursor's paragraph starts a section on a new page.
    bool isPageBreakPending() const { return m_pageBreakPending; }
    /// Gives the cursor's paragraph a page break before it.
    void applyPageBreak();
    /// After a paragraph end: the new paragraph does not inherit the page
    /// break that started the section.
    void paragraphEnded();
    /// Closes every open table; at the end of the parse.
    void finish();

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
        QTextTable *table = nullptr;
        int columns = 1;
        int allocatedRows = 1; // rows of the QTextTable, spare ones included
        int rowsUsed = 0; // rows started
        int column = 0; // the cell of the open row the cursor is in
        bool rowOpen = false;
        bool cellTouched = false; // content went into the current cell
        bool overflow = false; // cells past the table's width go into the last cell
        qint64 cellsGiven = 0;
        QList<double> columnWidths; // pixels; 0 where no row gave one
        QList<int> verticalMergeStart; // per column: the first row of an open vertical merge, or -1
        QList<Merge> merges;
        // Per row: where its last cell (or merged range) starts, so that
        // the spare cells of a row shorter than the table join it when the
        // table closes.
        QList<int> lastCellStart;
        bool haveFormat = false;
        TableRowFormat format; // of the first row
        int headerRows = 0;
        bool headerCandidate = true;
    };

    int depth() const { return int(m_tables.size()); }
    RowDefinition &definitionFor(int level);
    /// Closes deeper tables; with @p open, opens tables, a row and a cell up
    /// to @p level. Returns whether a table is open at @p level afterwards.
    bool syncTo(int level, bool open);
    void openTable(int level);
    void closeTable();
    /// Starts the next row of the innermost table.
    void startRow(int level);
    void finishRow(OpenTable &table, const RowDefinition &definition);
    /// Makes the current cell of the innermost table exist, widening the
    /// table when it may; returns false when the cell overflows into the
    /// row's last one.
    bool ensureCell(int level);
    bool mayHold(const OpenTable &table, qint64 rows, qint64 columns) const;
    void moveToCell(OpenTable &table, int row, int column);
    void markFormatsPending();
    void insertBreakingText(const QString &text);

    TextDocumentRtfOutputPrivate &d;
    std::vector<OpenTable> m_tables;
    std::vector<RowDefinition> m_definitions; // per level, from 1
    int m_paragraphLevel = 0;
    bool m_pending = false;
    bool m_pageBreakPending = false;
    bool m_pageBreakApplied = false; // to the cursor's paragraph
    SectionBreak m_sectionBreak = SectionBreak::Page;
    qint64 m_mergeBudget;
};

} // namespace Tavisk

#endif
