#ifndef TAVISK_TABLEFORMAT_H
#define TAVISK_TABLEFORMAT_H

#include <QtGlobal>

namespace Tavisk
{

/**
 * One border of a table cell: a \\clbrdrt, \\clbrdrl, \\clbrdrb or \\clbrdrr word
 * and the \\brdr... words that follow it.
 */
struct TableCellBorder {
    /// True when a line style was given (\\brdrs, \\brdrdb, \\brdrth, \\brdrdot,
    /// ...); \\brdrnone and \\brdrnil leave it false.
    bool visible = false;
    /// \\brdrwN: the line width in twips; 0 when not given.
    int widthTwips = 0;
    /// \\brdrcfN: the line colour as an index into the colour table; -1 when
    /// not given (the automatic colour).
    int colourIndex = -1;
};

/**
 * The properties of one cell of a table row: the words of the row definition
 * since the previous \\cellx, up to and including the cell's own \\cellx.
 */
struct TableCellDefinition {
    /// How a cell takes part in a merge.
    enum class Merge : quint8 {
        None, ///< not merged
        First, ///< \\clmgf (horizontal) or \\clvmgf (vertical): the first cell of a merged range
        Continue, ///< \\clmrg or \\clvmrg: merged with the cell before it (left, or above)
    };
    /// Vertical alignment of the cell's content.
    enum class VerticalAlignment : quint8 {
        Top, ///< \\clvertalt (the default)
        Centre, ///< \\clvertalc
        Bottom, ///< \\clvertalb
    };

    /// \\cellxN: the cell's right edge in twips, measured from the left margin
    /// of the page, like \\trleft.
    int rightEdgeTwips = 0;
    /// \\clmgf / \\clmrg.
    Merge horizontalMerge = Merge::None;
    /// \\clvmgf / \\clvmrg.
    Merge verticalMerge = Merge::None;
    /// \\clvertalt / \\clvertalc / \\clvertalb.
    VerticalAlignment verticalAlignment = VerticalAlignment::Top;
    /// \\clcbpatN: the background colour as an index into the colour table;
    /// -1 when not given.
    int shadingColourIndex = -1;
    /// \\clbrdrt and what follows it.
    TableCellBorder topBorder;
    /// \\clbrdrl and what follows it.
    TableCellBorder leftBorder;
    /// \\clbrdrb and what follows it.
    TableCellBorder bottomBorder;
    /// \\clbrdrr and what follows it.
    TableCellBorder rightBorder;
};

/**
 * The row-wide properties of a table row definition (\\trowd and the \\tr...
 * words after it).
 */
struct TableRowFormat {
    /// Horizontal position of the row on the page.
    enum class Alignment : quint8 {
        Left, ///< \\trql (the default)
        Centre, ///< \\trqc
        Right, ///< \\trqr
    };

    /// \\trgaphN: half the space between the text of neighbouring cells, in
    /// twips; readers use it as the cell's left and right padding.
    int gapTwips = 0;
    /// \\trleftN: the position of the row's left edge, in twips from the left
    /// margin.
    int leftTwips = 0;
    /// \\trql / \\trqc / \\trqr.
    Alignment alignment = Alignment::Left;
    /// \\trhdr: the row is a header row, repeated at the top of every page
    /// the table runs onto.
    bool header = false;
};

/**
 * How a section begins: the \\sbk... word of its section properties.
 */
enum class SectionBreak : quint8 {
    Continuous, ///< \\sbknone: the section follows on the same page
    Column, ///< \\sbkcol: at the top of the next column
    Page, ///< \\sbkpage (the default): on a new page
    EvenPage, ///< \\sbkeven: on the next even-numbered page
    OddPage, ///< \\sbkodd: on the next odd-numbered page
};

} // namespace Tavisk

#endif
