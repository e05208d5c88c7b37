// Tables of the plain-text output: the cells the text document output makes
// of RTF rows and cells, and their text.

#include "plaintexttables_p.h"

#include "plaintextrtfoutput_p.h"

#include "reader/logging_p.h"

#include <algorithm>

namespace Tavisk
{

namespace
{
// The limits of the text document output's tables, which decide where a
// table is split and where cells run into the last one.
//
// The most columns a table starts with, or widens by at once, on the word of
// a row definition alone.
constexpr int definitionColumnLimit = 1024;
// A table may hold this many cells beyond four times the cells the file gave.
constexpr qint64 spareCellAllowance = 65536;
// Merges stop once their cost (the table's cells, for each merge) reaches
// this many cell visits.
constexpr qint64 mergeBudget = 100000000;
} // namespace

namespace PlainText
{

namespace
{
bool isEmpty(const Cell &cell)
{
    return cell.items.empty() || (cell.items.size() == 1 && cell.items.front().paragraph->length == 0);
}

/// Adds the content of @p from to the end of @p to, as moving a cell's text
/// into another cell does: the first paragraph's text joins the last
/// paragraph of @p to.
void moveContent(Cell &from, Cell &to)
{
    to.items.back().paragraph->append(*from.items.front().paragraph);
    for (auto it = from.items.begin() + 1; it != from.items.end(); ++it)
        to.items.push_back(std::move(*it));
    from.items.clear();
}

Cell &cellAt(Table &table, int row, int column);

/// The paragraphs of @p cell in the order of the document, those of its
/// nested tables included (every cell of those has one at least).
void collectParagraphs(Cell &cell, std::vector<Paragraph *> &paragraphs)
{
    if (cell.items.empty())
        cell.items.push_back(Item{std::make_unique<Paragraph>(), nullptr});
    for (Item &item : cell.items) {
        if (item.paragraph) {
            paragraphs.push_back(item.paragraph.get());
            continue;
        }
        Table &nested = *item.table;
        for (int row = 0; row < int(nested.rows.size()); ++row) {
            for (int column = 0; column < nested.columns; ++column) {
                const int place = row * nested.columns + column;
                if (nested.origins.empty() || nested.origins[size_t(place)] == place)
                    collectParagraphs(cellAt(nested, row, column), paragraphs);
            }
        }
    }
}

Cell &cellAt(Table &table, int row, int column)
{
    std::vector<Cell> &cells = table.rows[size_t(row)];
    if (int(cells.size()) <= column)
        cells.resize(size_t(column) + 1);
    Cell &cell = cells[size_t(column)];
    if (cell.items.empty())
        cell.items.push_back(Item{std::make_unique<Paragraph>(), nullptr});
    return cell;
}

// How a table is written: the numbers of its list items, and whether links
// show their addresses.
struct Rendering {
    PlainTextLists::TableNumbering numbering;
    bool showAddresses;
};

void appendTableLines(const Table &table, Rendering &rendering, QStringList &lines);
QStringList rowLines(const Table &table, Rendering &rendering);

// The text of a table cell: its paragraphs one a line, nested tables as in
// the body. A cell holds tabs and line ends only where its content has them.
QString cellText(const Cell *cell, Rendering &rendering)
{
    if (!cell || cell->items.empty())
        return QString();
    QStringList lines;
    bool endsWithTable = false;
    for (const Item &item : cell->items) {
        if (item.table) {
            appendTableLines(*item.table, rendering, lines);
            endsWithTable = true;
        } else {
            const Paragraph &paragraph = *item.paragraph;
            const QString text = rendering.numbering.marker(paragraph) + paragraph.displayText(rendering.showAddresses);
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

void appendTableLines(const Table &table, Rendering &rendering, QStringList &lines)
{
    // A blank line before and after the table, but never two in a row.
    if (!lines.isEmpty() && !lines.constLast().isEmpty())
        lines.append(QString());
    lines.append(rowLines(table, rendering));
    lines.append(QString());
}
QStringList rowLines(const Table &table, Rendering &rendering)
{
    QStringList rows;
    const int columns = table.columns;
    for (int row = 0; row < int(table.rows.size()); ++row) {
        const std::vector<Cell> &cells = table.rows[size_t(row)];
        QStringList texts;
        for (int column = 0; column < columns; ++column) {
            const int place = row * columns + column;
            // A merged cell is written once, where it starts; the places it
            // covers stay empty, so that the columns keep their order.
            if (!table.origins.empty() && table.origins[size_t(place)] != place)
                texts.append(QString());
            else
                texts.append(cellText(column < int(cells.size()) ? &cells[size_t(column)] : nullptr, rendering));
        }
        rows.append(texts.join(QLatin1Char('\t')));
    }
    return rows;
}

} // namespace

QStringList tableRows(const Table &table, const PlainTextLists &lists, bool showAddresses)
{
    Rendering rendering{PlainTextLists::TableNumbering(lists, table), showAddresses};
    return rowLines(table, rendering);
}

QStringList partLines(const Cell &part, const PlainTextLists &lists, bool showAddresses)
{
    QStringList lines;
    bool first = true;
    bool afterTable = false;
    for (size_t i = 0; i < part.items.size(); ++i) {
        const Item &item = part.items[i];
        if (item.table) {
            if (!lines.isEmpty() && !lines.constLast().isEmpty())
                lines.append(QString());
            lines += tableRows(*item.table, lists, showAddresses);
            lines.append(QString());
            afterTable = true;
        } else {
            const Paragraph &paragraph = *item.paragraph;
            const bool beforeTable = i + 1 < part.items.size() && part.items[i + 1].table;
            if (!(paragraph.keptLength == 0 && (afterTable || (first && beforeTable))))
                lines.append(lists.marker(paragraph) + paragraph.displayText(showAddresses));
            afterTable = false;
        }
        first = false;
    }
    return lines;
}

void countItems(const Table &table, QHash<int, int> &counts)
{
    for (int row = 0; row < int(table.rows.size()); ++row) {
        const std::vector<Cell> &cells = table.rows[size_t(row)];
        for (int column = 0; column < int(cells.size()) && column < table.columns; ++column) {
            const int place = row * table.columns + column;
            if (!table.origins.empty() && table.origins[size_t(place)] != place)
                continue;
            for (const Item &item : cells[size_t(column)].items) {
                if (item.table)
                    countItems(*item.table, counts);
                else if (item.paragraph->list >= 0)
                    ++counts[item.paragraph->list];
            }
        }
    }
}


/**
 * Merges the cells of @p table from (@p row, @p column), @p rows down and
 * @p columns across, as QTextTable::mergeCells() does: nothing happens
 * unless the place starts a cell and no cell crosses the edge of the
 * range; the text of each covered cell follows the first cell's, after a
 * space when it comes from the same row, in a paragraph of its own when
 * from a row below.
 *
 * Removing a covered cell joins its first paragraph to the paragraph before
 * it in the document (the last one of the cell before): the one of the two
 * that keeps its block format is the paragraph before, unless that one is
 * empty. A list item can so lose its place in its list, or move.
 */
void mergeCells(Table &table, std::vector<QPair<int, int>> &spans, PlainTextLists &lists, int row, int column,
                int rows, int columns)
{
    const int rowCount = int(table.rows.size());
    const int columnCount = table.columns;
    std::vector<int> &origins = table.origins;
    const auto at = [&](int r, int c) {
        return (r < 0 || r >= rowCount || c < 0 || c >= columnCount) ? -1 : origins[size_t(r * columnCount + c)];
    };
    const int first = at(row, column);
    if (first < 0 || first != row * columnCount + column)
        return;
    const int rowSpan = spans[size_t(first)].first;
    const int columnSpan = spans[size_t(first)].second;
    rows = std::min(rows, rowCount - row);
    columns = std::min(columns, columnCount - column);
    if (rows < rowSpan || columns < columnSpan)
        return;
    for (int r = row; r < row + rows; ++r) {
        if (at(r, column) == at(r, column - 1) || at(r, column + columns) == at(r, column + columns - 1))
            return;
    }
    for (int c = column; c < column + columns; ++c) {
        if (at(row, c) == at(row - 1, c) || at(row + rows, c) == at(row + rows - 1, c))
            return;
    }

    bool rowHasText = true;
    bool needsParagraph = columnSpan == columns;
    for (int r = row; r < row + rows; ++r) {
        const int firstColumn = r < row + rowSpan ? column + columnSpan : column;
        for (int c = firstColumn; c < column + columns; ++c) {
            const int covered = at(r, c);
            if (covered == first)
                continue;
            const QPair<int, int> span = spans[size_t(covered)];
            for (int i = r; i < r + span.first; ++i) {
                for (int j = c; j < c + span.second; ++j)
                    origins[size_t(i * columnCount + j)] = first;
            }
            // The cell before in the document: the last one not covered.
            int before = r * columnCount + c - 1;
            while (before > 0 && origins[size_t(before)] != before)
                --before;
            Paragraph &previous = *cellAt(table, before / columnCount, before % columnCount).items.back().paragraph;
            Cell &cell = cellAt(table, r, c);
            Paragraph &joined = *cell.items.front().paragraph;
            // The text after the cell's first paragraph moves away, unless
            // the cell follows the first one right away: each paragraph
            // moved goes with the format of the one before it when the
            // paragraph left behind is empty, with its own otherwise.
            std::vector<Paragraph *> moved;
            if (before != first)
                collectParagraphs(cell, moved);
            if (previous.length == 0) {
                if (previous.list >= 0)
                    lists.itemRemoved(previous);
                previous.list = joined.list;
                previous.number = joined.number;
                for (size_t i = 1; i < moved.size(); ++i) {
                    lists.itemMoved(previous);
                    std::swap(previous.list, moved[i]->list);
                    std::swap(previous.number, moved[i]->number);
                }
            } else {
                if (joined.list >= 0)
                    lists.itemRemoved(joined);
                for (size_t i = 1; i < moved.size(); ++i)
                    lists.itemMoved(*moved[i]);
            }
            joined.list = -1;
            if (isEmpty(cell))
                continue;
            Cell &target = cellAt(table, row, column);
            if (needsParagraph) {
                // The new paragraph has the block format of the one before.
                needsParagraph = false;
                const int list = target.items.back().paragraph->list;
                target.items.push_back(Item{std::make_unique<Paragraph>(), nullptr});
                if (list >= 0) {
                    target.items.back().paragraph->list = list;
                    lists.itemAdded(list);
                }
            } else if (rowHasText) {
                // The space takes the format of the character before it, or
                // at the start of a paragraph of the character after it.
                Paragraph &last = *target.items.back().paragraph;
                QString href;
                if (last.length > 0) {
                    href = last.lastHref;
                } else {
                    const Paragraph &next = *table.rows[size_t(r)][size_t(c)].items.front().paragraph;
                    if (!next.links.empty() && next.links.front().start == 0)
                        href = next.links.front().href;
                }
                last.appendLinked(u" ", href);
                ++last.length;
                ++last.keptLength;
            }
            moveContent(table.rows[size_t(r)][size_t(c)], target);
            rowHasText = true;
        }
        if (rowHasText) {
            needsParagraph = true;
            rowHasText = false;
        }
    }
    spans[size_t(first)] = qMakePair(rows, columns);
}

} // namespace PlainText

using PlainText::Cell;
using PlainText::Item;
using PlainText::Table;

PlainTextTables::PlainTextTables(PlainTextRtfOutputPrivate &output)
    : d(output)
    , m_mergeBudget(mergeBudget)
{
}

PlainTextTables::~PlainTextTables() = default;

void PlainTextTables::reset()
{
    m_tables.clear();
    m_definitions.clear();
    m_paragraphLevel = 0;
    m_pending = false;
    m_mergeBudget = mergeBudget;
}

void PlainTextTables::setParagraphLevel(int level)
{
    m_paragraphLevel = std::clamp(level, 0, MaxDepth);
    m_pending = true;
}

PlainTextTables::RowDefinition &PlainTextTables::definitionFor(int level)
{
    const std::size_t index = std::size_t(std::clamp(level, 1, MaxDepth) - 1);
    if (m_definitions.size() <= index)
        m_definitions.resize(index + 1);
    return m_definitions[index];
}

void PlainTextTables::beginRowDefinition()
{
    // A row definition announces a table row, also to writers that leave
    // out \intbl.
    if (m_paragraphLevel == 0)
        setParagraphLevel(1);
    RowDefinition &definition = definitionFor(m_paragraphLevel);
    definition.format = TableRowFormat();
    definition.cells.clear();
}

void PlainTextTables::setRowFormat(const TableRowFormat &format)
{
    definitionFor(std::max(m_paragraphLevel, 1)).format = format;
}

void PlainTextTables::appendCellDefinition(const TableCellDefinition &cell)
{
    definitionFor(std::max(m_paragraphLevel, 1)).cells.append(cell);
}

void PlainTextTables::prepareInsertion()
{
    m_pending = false;
    if (syncTo(m_paragraphLevel, true))
        m_tables.back().cellTouched = true;
}

bool PlainTextTables::syncTo(int level, bool open)
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

void PlainTextTables::openTable(int level)
{
    const int columns = std::clamp(int(definitionFor(level).cells.size()), 1, definitionColumnLimit);
    OpenTable opened;
    auto table = std::make_unique<Table>();
    table->columns = columns;
    table->rows.resize(1);
    opened.table = table.get();
    opened.parentCell = d.placeTable();
    if (opened.parentCell)
        opened.parentCell->items.push_back(Item{nullptr, std::move(table)});
    else
        opened.outermost = std::move(table);
    opened.columns = columns;
    opened.allocatedRows = 1;
    opened.rowsUsed = 1;
    opened.rowOpen = true;
    opened.verticalMergeStart.fill(-1, columns);
    m_tables.push_back(std::move(opened));
    moveToCell(m_tables.back(), 0, 0);
}

bool PlainTextTables::mayHold(const OpenTable &table, qint64 rows, qint64 columns) const
{
    return rows * columns <= 4 * (table.cellsGiven + columns) + spareCellAllowance;
}

void PlainTextTables::startRow(int level)
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
        // The text document output adds rows in growing batches; the spare
        // rows count against the table's size.
        int batch = std::clamp(table->allocatedRows / 4, 1, std::max(1, 16384 / table->columns));
        if (!mayHold(*table, table->allocatedRows + batch, table->columns))
            batch = 1;
        table->allocatedRows += batch;
    }
    table->rowsUsed = row + 1;
    table->table->rows.resize(size_t(table->rowsUsed));
    table->rowOpen = true;
    table->column = 0;
    table->cellTouched = false;
    table->overflow = false;
    moveToCell(*table, row, 0);
}

bool PlainTextTables::ensureCell(int level)
{
    OpenTable &table = m_tables.back();
    if (table.column < table.columns)
        return true;
    if (table.overflow)
        return false;
    const int defined = int(definitionFor(level).cells.size());
    int wanted = table.column + 1;
    if (defined > wanted)
        wanted = std::min(defined, std::max(wanted, std::min(2 * table.columns, table.columns + definitionColumnLimit)));
    if (!mayHold(table, table.allocatedRows, wanted)) {
        // The rest of the row goes into its last cell, a tab apart.
        table.overflow = true;
        table.column = table.columns - 1;
        return false;
    }
    table.verticalMergeStart.resize(wanted, -1);
    table.columns = wanted;
    table.table->columns = wanted;
    moveToCell(table, table.rowsUsed - 1, table.column);
    return true;
}

void PlainTextTables::moveToCell(OpenTable &table, int row, int column)
{
    std::vector<Cell> &cells = table.table->rows[size_t(row)];
    if (int(cells.size()) <= column)
        cells.resize(size_t(column) + 1);
    d.enterCell(&cells[size_t(column)]);
}

void PlainTextTables::endCell(bool nested)
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
            d.putText(u"\t");
            return;
        }
        // The next cell is made when content or its own end arrives.
        ++table.column;
        table.cellTouched = false;
        return;
    }
    ++table.column;
    table.cellTouched = false;
    moveToCell(table, table.rowsUsed - 1, table.column);
}

void PlainTextTables::endRow(bool nested)
{
    const int level = nested ? std::max(m_paragraphLevel, 1) : 1;
    m_pending = true;
    if (!syncTo(level, false) || !m_tables.back().rowOpen) {
        qCDebug(lcRtf) << "row end without a row";
        return;
    }
    finishRow(m_tables.back(), definitionFor(level));
}

void PlainTextTables::finishRow(OpenTable &table, const RowDefinition &definition)
{
    const int row = table.rowsUsed - 1;
    const int used = std::clamp(table.column + (table.cellTouched ? 1 : 0), 1, table.columns);
    const QList<TableCellDefinition> &cells = definition.cells;
    const int described = std::min(used, int(cells.size()));

    // Horizontal merges: a first cell and the cells after it marked to merge
    // with it. The row's last cell (or range) is merged when the table
    // closes, together with the spare cells of a row shorter than the table.
    using Merge = TableCellDefinition::Merge;
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

    table.cellsGiven += used;
    table.rowOpen = false;
}

void PlainTextTables::applyMerges(OpenTable &table)
{
    Table &model = *table.table;
    const int rows = table.rowsUsed;
    const int columns = table.columns;
    std::vector<QPair<int, int>> spans;
    const qint64 cells = qint64(rows) * columns;
    bool reported = false;
    // Rows first, so that a block merged both ways spans its columns when
    // its rows are merged.
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
            if (model.origins.empty()) {
                model.origins.resize(size_t(cells));
                for (qint64 i = 0; i < cells; ++i)
                    model.origins[size_t(i)] = int(i);
                spans.assign(size_t(cells), qMakePair(1, 1));
            }
            const int origin = model.origins[size_t(merge.row * columns + merge.column)];
            const int mergedColumns = std::max(merge.columns, spans[size_t(origin)].second);
            PlainText::mergeCells(model, spans, d.m_lists, merge.row, merge.column, merge.rows, mergedColumns);
        }
    }
}

void PlainTextTables::closeTable()
{
    OpenTable &table = m_tables.back();
    if (table.rowOpen)
        finishRow(table, definitionFor(depth()));

    for (int i = 0; i < table.columns; ++i) {
        const int start = table.verticalMergeStart.at(i);
        if (start >= 0 && table.rowsUsed - start > 1)
            table.merges.append({start, i, table.rowsUsed - start, 1});
    }
    for (int row = 0; row < table.lastCellStart.size(); ++row) {
        const int start = table.lastCellStart.at(row);
        if (table.columns - start > 1)
            table.merges.append({row, start, 1, table.columns - start});
    }
    applyMerges(table);

    Cell *const parent = table.parentCell;
    const std::unique_ptr<Table> outermost = std::move(table.outermost);
    const Table *const closed = table.table;
    m_tables.pop_back();
    d.leaveTable(parent, *closed);
}

void PlainTextTables::finish()
{
    while (depth() > 0)
        closeTable();
    m_pending = false;
}

} // namespace Tavisk
