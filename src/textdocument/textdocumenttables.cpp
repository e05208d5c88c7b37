// Tables and sections of the text-document output: RTF rows and cells become
// QTextTable objects, a new-page section break a page break before the
// section's first paragraph.

#include "textdocumenttables_p.h"

#include "textdocumentrtfoutput_p.h"

#include <tavisk/textdocumentrtfoutput.h>

#include "common/units_p.h"
#include "reader/logging_p.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>

namespace Tavisk
{

namespace
{
// The most columns a table starts with, or widens by at once, on the word of
// a row definition alone.
constexpr int definitionColumnLimit = 1024;
// A table may hold this many cells beyond four times the cells the file gave.
constexpr qint64 spareCellAllowance = 65536;
// Each merge makes the table rebuild its cell grid, at a cost that grows with
// the table; merges stop once their cost reaches this many cell visits, so a
// file full of merges cannot take minutes. Text is never lost: the cells stay
// unmerged.
constexpr qint64 mergeBudget = 100000000;
// Widths, indents and padding beyond this (a sheet over 50 metres wide) are
// not lengths but damage, and are not used.
constexpr qint64 maxWidthTwips = 2000000;

double pixels(int twips)
{
    return Units::pixelsFromTwips(twips);
}

// The cursor's x position is computed by laying the paragraph out, except
// inside an edit block; nothing here needs it.
class EditBlock
{
public:
    explicit EditBlock(QTextCursor &cursor)
        : m_cursor(cursor)
    {
        m_cursor.beginEditBlock();
    }
    ~EditBlock() { m_cursor.endEditBlock(); }
    Q_DISABLE_COPY(EditBlock)

private:
    QTextCursor &m_cursor;
};
} // namespace

TableBuilder::TableBuilder(TextDocumentRtfOutputPrivate &output)
    : d(output)
    , m_mergeBudget(mergeBudget)
{
}

TableBuilder::~TableBuilder() = default;

void TableBuilder::setParagraphLevel(int level)
{
    m_paragraphLevel = std::clamp(level, 0, MaxDepth);
    m_pending = true;
}

TableBuilder::RowDefinition &TableBuilder::definitionFor(int level)
{
    const std::size_t index = std::size_t(std::clamp(level, 1, MaxDepth) - 1);
    if (m_definitions.size() <= index)
        m_definitions.resize(index + 1);
    return m_definitions[index];
}

void TableBuilder::beginRowDefinition()
{
    // A row definition announces a table row, also to writers that leave
    // out \intbl; a paragraph outside the table starts with \pard anyway.
    if (m_paragraphLevel == 0)
        setParagraphLevel(1);
    RowDefinition &definition = definitionFor(m_paragraphLevel);
    definition.format = TableRowFormat();
    definition.cells.clear();
}

void TableBuilder::setRowFormat(const TableRowFormat &format)
{
    definitionFor(std::max(m_paragraphLevel, 1)).format = format;
}

void TableBuilder::appendCellDefinition(const TableCellDefinition &cell)
{
    definitionFor(std::max(m_paragraphLevel, 1)).cells.append(cell);
}

void TableBuilder::prepareInsertion()
{
    m_pending = false;
    if (syncTo(m_paragraphLevel, true))
        m_tables.back().cellTouched = true;
}

bool TableBuilder::syncTo(int level, bool open)
{
    level = std::clamp(level, 0, MaxDepth);
    while (depth() > level)
        closeTable();
    if (!open)
        return level > 0 && depth() == level;
    if (level == 0)
        return false;
    // A nested table is content of its parent's current cell.
    while (depth() < level) {
        if (depth() > 0) {
            if (!m_tables.back().rowOpen)
                startRow(depth());
            ensureCell(depth());
            m_tables.back().cellTouched = true;
        }
        openTable(depth() + 1);
    }
    if (!m_tables.back().rowOpen)
        startRow(level);
    ensureCell(level);
    return true;
}

void TableBuilder::openTable(int level)
{
    QTextCursor &cursor = *d.m_cursor;
    EditBlock edit(cursor);
    const RowDefinition &definition = definitionFor(level);
    const int columns = std::clamp(int(definition.cells.size()), 1, definitionColumnLimit);

    // The table goes into the cursor's block. When that block is the empty
    // one a paragraph end left behind, the table takes its place, so that no
    // empty paragraph stands before it; the first block of a cell or of the
    // document stays (a table cannot start one).
    bool replaceEmptyBlock = false;
    const QTextBlock block = cursor.block();
    if (block.length() == 1 && block.previous().isValid()) {
        const QTextBlock previous = block.previous();
        QTextFrame *frame = cursor.currentFrame();
        const int frameStart = frame->firstPosition();
        if (previous.position() >= frameStart) {
            replaceEmptyBlock = true;
            if (QTextTable *parent = qobject_cast<QTextTable *>(frame))
                replaceEmptyBlock = parent->cellAt(previous.position()) == parent->cellAt(block.position());
        }
    }

    QTextTableFormat format;
    format.setBorder(0);
    format.setCellSpacing(0);
    format.setCellPadding(0);
    format.setBorderCollapse(true);
    // The empty block goes first: the table then starts at the end of the
    // paragraph before it. (Deleting it after the table is in place would
    // make the document rescan all its frames, at a cost that grows with
    // the number of tables.)
    if (replaceEmptyBlock)
        cursor.deletePreviousChar();
    QTextTable *table = cursor.insertTable(1, columns, format);

    OpenTable opened;
    opened.table = table;
    opened.columns = columns;
    opened.allocatedRows = 1;
    opened.rowsUsed = 1;
    opened.rowOpen = true;
    opened.columnWidths.fill(0.0, columns);
    opened.verticalMergeStart.fill(-1, columns);
    m_tables.push_back(std::move(opened));
    markFormatsPending();
}

bool TableBuilder::mayHold(const OpenTable &table, qint64 rows, qint64 columns) const
{
    return rows * columns <= 4 * (table.cellsGiven + columns) + spareCellAllowance;
}

void TableBuilder::startRow(int level)
{
    OpenTable *table = &m_tables.back();
    const RowDefinition &definition = definitionFor(level);
    const int wanted = std::max(table->columns, std::min(int(definition.cells.size()), definitionColumnLimit));
    if (!mayHold(*table, table->rowsUsed + 1, wanted)) {
        // A row much narrower than the table would leave most of the new
        // row's cells empty: it starts a table of its own.
        closeTable();
        openTable(level);
        return;
    }
    const int row = table->rowsUsed;
    if (row >= table->allocatedRows) {
        // Rows come in growing batches: QTextTable rebuilds its grid after
        // every change of structure, so one row at a time would cost the
        // square of the table's size. The spare rows are removed when the
        // table closes; a batch stays small enough for that to be cheap.
        int batch = std::clamp(table->allocatedRows / 4, 1, std::max(1, 16384 / table->columns));
        if (!mayHold(*table, table->allocatedRows + batch, table->columns))
            batch = 1;
        EditBlock edit(*d.m_cursor);
        table->table->appendRows(batch);
        table->allocatedRows += batch;
    }
    table->rowsUsed = row + 1;
    table->rowOpen = true;
    table->column = 0;
    table->cellTouched = false;
    table->overflow = false;
    moveToCell(*table, row, 0);
}

bool TableBuilder::ensureCell(int level)
{
    OpenTable &table = m_tables.back();
    if (table.column < table.columns)
        return true;
    if (table.overflow)
        return false;
    const RowDefinition &definition = definitionFor(level);
    const int defined = int(definition.cells.size());
    int wanted = table.column + 1;
    if (defined > wanted)
        wanted = std::min(defined, std::max(wanted, std::min(2 * table.columns, table.columns + definitionColumnLimit)));
    if (!mayHold(table, table.allocatedRows, wanted)) {
        // The rest of the row goes into its last cell, a tab apart.
        table.overflow = true;
        table.column = table.columns - 1;
        return false;
    }
    {
        EditBlock edit(*d.m_cursor);
        table.table->appendColumns(wanted - table.columns);
    }
    table.columnWidths.resize(wanted, 0.0);
    table.verticalMergeStart.resize(wanted, -1);
    table.columns = wanted;
    moveToCell(table, table.rowsUsed - 1, table.column);
    return true;
}

void TableBuilder::moveToCell(OpenTable &table, int row, int column)
{
    const QTextTableCell cell = table.table->cellAt(row, column);
    if (!cell.isValid())
        return;
    EditBlock edit(*d.m_cursor);
    d.m_cursor->setPosition(cell.firstPosition());
    markFormatsPending();
}

void TableBuilder::markFormatsPending()
{
    // The new cell's paragraph takes the paragraph and character formats in
    // force, like a paragraph after \par.
    d.m_blockFormatPending = true;
    d.m_charFormatPending = true;
}

void TableBuilder::insertBreakingText(const QString &text)
{
    EditBlock edit(*d.m_cursor);
    d.m_cursor->insertText(text);
}

void TableBuilder::endCell(bool nested)
{
    // A cell end outside a table: the writer left out \intbl.
    if (m_paragraphLevel == 0)
        m_paragraphLevel = 1;
    const int level = nested ? m_paragraphLevel : 1;
    m_pending = true;
    if (!syncTo(level, true))
        return;
    OpenTable &table = m_tables.back();
    ++table.cellsGiven;
    if (table.overflow || table.column + 1 >= table.columns) {
        if (table.overflow) {
            insertBreakingText(QStringLiteral("\t"));
            return;
        }
        // The next cell is created when content or its own end arrives.
        ++table.column;
        table.cellTouched = false;
        return;
    }
    ++table.column;
    table.cellTouched = false;
    moveToCell(table, table.rowsUsed - 1, table.column);
}

void TableBuilder::endRow(bool nested)
{
    const int level = nested ? std::max(m_paragraphLevel, 1) : 1;
    m_pending = true;
    if (!syncTo(level, false) || !m_tables.back().rowOpen) {
        qCDebug(lcRtf) << "row end without a row";
        return;
    }
    finishRow(m_tables.back(), definitionFor(level));
}

void TableBuilder::finishRow(OpenTable &table, const RowDefinition &definition)
{
    const int row = table.rowsUsed - 1;
    const int used = std::clamp(table.column + (table.cellTouched ? 1 : 0), 1, table.columns);
    const QList<TableCellDefinition> &cells = definition.cells;
    const int described = std::min(used, int(cells.size()));
    if (!table.haveFormat) {
        table.format = definition.format;
        table.haveFormat = true;
    }

    using Merge = TableCellDefinition::Merge;
    for (int i = 0; i < described; ++i) {
        const TableCellDefinition &cell = cells.at(i);
        const qint64 leftEdge = i == 0 ? definition.format.leftTwips : cells.at(i - 1).rightEdgeTwips;
        const qint64 width = cell.rightEdgeTwips - leftEdge;
        const bool mergedRight = i + 1 < cells.size() && cells.at(i + 1).horizontalMerge == Merge::Continue;
        if (table.columnWidths.at(i) == 0.0 && !mergedRight && cell.horizontalMerge != Merge::Continue && width > 0
            && width <= maxWidthTwips)
            table.columnWidths[i] = pixels(int(width));

        QTextTableCellFormat format;
        bool changed = false;
        const QColor shading = d.m_colourTable.value(cell.shadingColourIndex);
        if (cell.shadingColourIndex >= 0 && shading.isValid()) {
            format.setBackground(shading);
            changed = true;
        }
        if (cell.verticalAlignment != TableCellDefinition::VerticalAlignment::Top) {
            format.setVerticalAlignment(cell.verticalAlignment == TableCellDefinition::VerticalAlignment::Centre
                                            ? QTextCharFormat::AlignMiddle
                                            : QTextCharFormat::AlignBottom);
            changed = true;
        }
        const auto border = [this, &changed](const TableCellBorder &side, auto setWidth, auto setStyle,
                                             auto setBrush) {
            if (!side.visible)
                return;
            const QColor colour = side.colourIndex >= 0 ? d.m_colourTable.value(side.colourIndex) : QColor();
            // \brdrw goes up to 75 twips; more is damage.
            setWidth(std::clamp(pixels(std::clamp(side.widthTwips, 0, 255)), 1.0, pixels(255)));
            setStyle(QTextFrameFormat::BorderStyle_Solid);
            setBrush(QBrush(colour.isValid() ? colour : QColor(Qt::black)));
            changed = true;
        };
        border(
            cell.topBorder, [&](qreal w) { format.setTopBorder(w); },
            [&](QTextFrameFormat::BorderStyle s) { format.setTopBorderStyle(s); },
            [&](const QBrush &b) { format.setTopBorderBrush(b); });
        border(
            cell.leftBorder, [&](qreal w) { format.setLeftBorder(w); },
            [&](QTextFrameFormat::BorderStyle s) { format.setLeftBorderStyle(s); },
            [&](const QBrush &b) { format.setLeftBorderBrush(b); });
        border(
            cell.bottomBorder, [&](qreal w) { format.setBottomBorder(w); },
            [&](QTextFrameFormat::BorderStyle s) { format.setBottomBorderStyle(s); },
            [&](const QBrush &b) { format.setBottomBorderBrush(b); });
        border(
            cell.rightBorder, [&](qreal w) { format.setRightBorder(w); },
            [&](QTextFrameFormat::BorderStyle s) { format.setRightBorderStyle(s); },
            [&](const QBrush &b) { format.setRightBorderBrush(b); });
        if (changed) {
            QTextTableCell tableCell = table.table->cellAt(row, i);
            if (tableCell.isValid()) {
                EditBlock edit(*d.m_cursor);
                QTextCharFormat merged = tableCell.format();
                merged.merge(format);
                tableCell.setFormat(merged);
            }
        }
    }

    // Horizontal merges: a first cell and the cells after it marked to merge
    // with it. The row's last cell (or range) is merged when the table
    // closes, together with the spare cells of a row shorter than the table.
    int lastStart = used - 1;
    for (int i = 0; i < used;) {
        int span = 1;
        while (i + span < described && cells.at(i + span).horizontalMerge == Merge::Continue)
            ++span;
        if (i + span >= used)
            lastStart = i;
        else if (span > 1)
            table.merges.append({row, i, 1, span});
        i += span;
    }
    table.lastCellStart.append(lastStart);

    // Vertical merges are gathered until the first cell that does not
    // continue them.
    for (int i = 0; i < table.columns; ++i) {
        const Merge merge = i < described ? cells.at(i).verticalMerge : Merge::None;
        if (merge == Merge::Continue && table.verticalMergeStart.at(i) >= 0)
            continue;
        const int start = table.verticalMergeStart.at(i);
        if (start >= 0 && row - start > 1)
            table.merges.append({start, i, row - start, 1});
        table.verticalMergeStart[i] = merge == Merge::First ? row : -1;
    }

    if (definition.format.header && table.headerCandidate)
        ++table.headerRows;
    else
        table.headerCandidate = false;
    table.cellsGiven += used;
    table.rowOpen = false;
}

void TableBuilder::closeTable()
{
    OpenTable &table = m_tables.back();
    if (table.rowOpen)
        finishRow(table, definitionFor(depth()));
    QTextCursor &cursor = *d.m_cursor;
    EditBlock edit(cursor);

    for (int i = 0; i < table.columns; ++i) {
        const int start = table.verticalMergeStart.at(i);
        if (start >= 0 && table.rowsUsed - start > 1)
            table.merges.append({start, i, table.rowsUsed - start, 1});
    }
    if (table.allocatedRows > table.rowsUsed)
        table.table->removeRows(table.rowsUsed, table.allocatedRows - table.rowsUsed);
    for (int row = 0; row < table.lastCellStart.size(); ++row) {
        const int start = table.lastCellStart.at(row);
        if (table.columns - start > 1)
            table.merges.append({row, start, 1, table.columns - start});
    }

    // Rows first, so that a block merged both ways spans its columns when
    // its rows are merged.
    const qint64 cells = qint64(table.rowsUsed) * table.columns;
    bool reported = false;
    for (int pass = 0; pass < 2; ++pass) {
        for (const Merge &merge : std::as_const(table.merges)) {
            if ((merge.rows == 1) != (pass == 0))
                continue;
            if (m_mergeBudget < cells) {
                if (!reported)
                    qCWarning(lcRtf) << "too many merged table cells; the rest stay unmerged";
                reported = true;
                break;
            }
            m_mergeBudget -= cells;
            const QTextTableCell first = table.table->cellAt(merge.row, merge.column);
            const int columns = std::max(merge.columns, first.columnSpan());
            table.table->mergeCells(merge.row, merge.column, merge.rows, columns);
        }
    }

    QTextTableFormat format = table.table->format();
    if (std::any_of(table.columnWidths.cbegin(), table.columnWidths.cend(), [](double w) { return w > 0.0; })) {
        QList<QTextLength> widths;
        widths.reserve(table.columns);
        for (double width : std::as_const(table.columnWidths))
            widths.append(width > 0.0 ? QTextLength(QTextLength::FixedLength, width)
                                      : QTextLength(QTextLength::VariableLength, 0));
        format.setColumnWidthConstraints(widths);
    }
    if (table.headerRows > 0)
        format.setHeaderRowCount(std::min(table.headerRows, table.rowsUsed));
    switch (table.format.alignment) {
    case TableRowFormat::Alignment::Centre:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case TableRowFormat::Alignment::Right:
        format.setAlignment(Qt::AlignRight);
        break;
    case TableRowFormat::Alignment::Left:
        // Word writes a negative \trleft of the gap so that the text of the
        // first cell lines up with the text outside the table.
        if (const qint64 left = qint64(table.format.leftTwips) + table.format.gapTwips; left > 0)
            format.setLeftMargin(pixels(int(std::min(left, maxWidthTwips))));
        break;
    }
    if (table.format.gapTwips > 0)
        format.setCellPadding(pixels(int(std::min(qint64(table.format.gapTwips), maxWidthTwips))));
    table.table->setFormat(format);

    cursor.setPosition(table.table->lastPosition() + 1);
    m_tables.pop_back();
    markFormatsPending();
}

void TableBuilder::finish()
{
    while (depth() > 0)
        closeTable();
    m_pending = false;
}

void TableBuilder::endSection()
{
    m_pageBreakPending = true;
}

void TableBuilder::applyPageBreak()
{
    m_pageBreakPending = false;
    if (m_sectionBreak == SectionBreak::Continuous || m_sectionBreak == SectionBreak::Column)
        return;
    QTextCursor &cursor = *d.m_cursor;
    EditBlock edit(cursor);
    QTextBlockFormat format;
    format.setPageBreakPolicy(cursor.blockFormat().pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
    cursor.mergeBlockFormat(format);
    m_pageBreakApplied = true;
}

void TableBuilder::paragraphEnded()
{
    if (!m_pageBreakApplied)
        return;
    m_pageBreakApplied = false;
    QTextCursor &cursor = *d.m_cursor;
    if (d.m_paragraphFormat.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        return;
    EditBlock edit(cursor);
    QTextBlockFormat format = cursor.blockFormat();
    format.setPageBreakPolicy(format.pageBreakPolicy() & ~QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(format);
}

// The output's operations.

void TextDocumentRtfOutput::setParagraphTableLevel(int level)
{
    d->flushText();
    d->m_tables->setParagraphLevel(level);
}

void TextDocumentRtfOutput::beginTableRowDefinition()
{
    d->flushText();
    d->m_tables->beginRowDefinition();
}

void TextDocumentRtfOutput::setTableRowFormat(const TableRowFormat &format)
{
    d->m_tables->setRowFormat(format);
}

void TextDocumentRtfOutput::appendTableCellDefinition(const TableCellDefinition &cell)
{
    d->m_tables->appendCellDefinition(cell);
}

void TextDocumentRtfOutput::endTableCell(bool nested)
{
    // The cell's last paragraph takes its formats before the cursor leaves.
    d->flushText();
    d->applyPendingFormats();
    d->m_tables->endCell(nested);
}

void TextDocumentRtfOutput::endTableRow(bool nested)
{
    d->flushText();
    d->m_tables->endRow(nested);
}

void TextDocumentRtfOutput::insertSectionBreak()
{
    insertPar();
    d->m_tables->endSection();
}

void TextDocumentRtfOutput::resetSectionFormat()
{
    d->m_tables->setSectionBreak(SectionBreak::Page);
}

void TextDocumentRtfOutput::setSectionBreak(SectionBreak kind)
{
    d->m_tables->setSectionBreak(kind);
}

} // namespace Tavisk
