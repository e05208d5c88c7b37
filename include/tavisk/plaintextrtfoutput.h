#ifndef TAVISK_PLAINTEXTRTFOUTPUT_H
#define TAVISK_PLAINTEXTRTFOUTPUT_H

#include <tavisk/abstractrtfoutput.h>

#include <memory>

class QIODevice;

namespace Tavisk
{

class PlainTextRtfOutputPrivate;

/**
 * An output that writes the plain text of an RTF document as it is read,
 * without building a document in memory.
 *
 * The text is the text a TextDocumentRtfOutput's document holds, laid out
 * one line per paragraph:
 * - a line break (\\line) ends the line inside the paragraph; tabs, no-break
 *   spaces (\\~, U+00A0) and the special characters (\\emdash, \\bullet,
 *   \\lquote, ...) are kept; control characters other than tab are left
 *   out, and so are pictures and hidden text (\\v);
 * - a list item starts with its marker ("• ", "1. ", "a) "), indented two
 *   spaces for each level below the first; the marker a writer stores for
 *   readers without lists ({\\listtext ...}) is shown only where no list is
 *   recognised;
 * - a table's cells are separated by a tab and its rows by a line end, with
 *   a blank line before and after the table; a merged cell's text stands in
 *   its first column, and a nested table's rows stand in their cell;
 * - every line ends with a line end; blank lines at the end are left out.
 *
 * Text goes out as each paragraph ends, UTF-8 encoded into a QIODevice, or
 * appended to a QString. Memory stays small whatever the length of the
 * document: what is held is the paragraph being read, and a table until it
 * ends (its width, and so the tabs of its rows, is known only then).
 *
 * Each Reader::parseTo() writes the text of one document, completed in
 * endParse(). Fonts, lists and tables start afresh with every parse; the
 * metadata is stored by AbstractRtfOutput as for every output.
 *
 * @par Example
 * @code
 * QFile out("document.txt");
 * out.open(QIODevice::WriteOnly);
 * Tavisk::PlainTextRtfOutput output(&out);
 * Tavisk::Reader reader;
 * if (reader.open("document.rtf") && reader.parseTo(&output) && !output.hasWriteError())
 *     ...
 * @endcode
 *
 * @par Thread-safety
 * Reentrant: separate outputs may be used on separate threads at once; one
 * output, and its device or string, belong to the thread that runs the
 * parse.
 *
 * @see TextDocumentRtfOutput, Reader
 */
class TAVISK_EXPORT PlainTextRtfOutput : public AbstractRtfOutput
{
public:
    /// Creates an output that writes UTF-8 text to @p device, which must be
    /// open for writing and outlive the output. Text is written in large
    /// pieces as paragraphs end, and the last of it in endParse().
    explicit PlainTextRtfOutput(QIODevice *device);
    /// Creates an output that appends the text to @p text, which must
    /// outlive the output.
    explicit PlainTextRtfOutput(QString *text);
    /// Destroys the output; the device or string keeps what was written.
    ~PlainTextRtfOutput() override;

    /// Whether a write to the device failed (see the device's
    /// QIODevice::errorString() for why). After a failed write nothing more
    /// is written until the next parse. Always false for a QString.
    bool hasWriteError() const;

    /// With @p show true, every link to another document (a HYPERLINK field
    /// with a URL) is followed by its address in angle brackets: "the site
    /// <https://example.org>". Off by default; set it before the parse.
    void setShowLinkAddresses(bool show);
    /// Whether links are followed by their addresses.
    bool showLinkAddresses() const;
    /// With @p show true, the page header ({\\header} and its kinds) is
    /// written above the text and the page footer below it, each set off by
    /// an empty line: the ones Word prints on the first page, or on the
    /// second when the first has none. Off by default; set it before the
    /// parse. As a later header replaces an earlier one, the text is then
    /// held until the end of the parse.
    void setShowHeadersAndFooters(bool show);
    /// Whether the header and footer are written.
    bool showHeadersAndFooters() const;

    QString convertText(const QByteArray &text) const override;
    void appendText(const QByteArray &text) override;
    void appendText(const QString &text) override;

    void insertPar() override;
    void insertTab() override;
    void insertLeftQuote() override;
    void insertRightQuote() override;
    void insertLeftDoubleQuote() override;
    void insertRightDoubleQuote() override;
    void insertEnDash() override;
    void insertEmDash() override;
    void insertEnSpace() override;
    void insertEmSpace() override;
    void insertBullet() override;

    void resetParagraphFormat() override;
    void setParagraphAlignmentLeft() override;
    void setParagraphAlignmentCentred() override;
    void setParagraphAlignmentJustified() override;
    void setParagraphAlignmentRight() override;
    void setFirstLineIndent(int twips) override;
    void setLeftIndent(int twips) override;
    void setRightIndent(int twips) override;

    void setFontItalic(int value) override;
    void setFontBold(int value) override;
    void setFontUnderline(int value) override;
    void setFontPointSize(int points) override;
    void setFontSuperscript() override;
    void setFontSubscript() override;
    void setFontStrikeout(bool value) override;
    void setForegroundColour(int index) override;
    void setHighlightColour(int index) override;
    void setParagraphPatternBackgroundColour(int index) override;
    void setFont(int index) override;
    void setDefaultFont(int index) override;
    void setTextDirectionLeftToRight() override;
    void setTextDirectionRightToLeft() override;
    void resetCharacterProperties() override;

    /// Pictures have no text; the picture is left out.
    void createImage(const QByteArray &data, const QTextImageFormat &format) override;

    void setPageHeight(int twips) override;
    void setPageWidth(int twips) override;
    void setSpaceBefore(int twips) override;
    void setSpaceAfter(int twips) override;

    void appendToColourTable(const QColor &colour) override;
    /// Keeps the font's code page, with which the text under the font is
    /// decoded.
    void insertFontTableEntry(FontTableEntry entry, unsigned int index) override;
    void insertStyleSheetTableEntry(unsigned int index, StyleSheetTableEntry entry) override;

    void startGroup() override;
    void endGroup() override;

    /// Starts the text of a new document.
    void beginParse() override;
    /// Writes the rest of the text: the paragraph being read and the tables
    /// still open.
    void endParse() override;

    // Character and paragraph formats, continued: only hidden text (\v),
    // which is left out, and page breaks, which end the paragraph, change
    // the text.
    void setFontUnderlineStyle(UnderlineStyle style) override;
    void setUnderlineColour(int index) override;
    void setFontAllCapitals(bool on) override;
    void setFontSmallCapitals(bool on) override;
    void setFontBaselineShift(int halfPoints) override;
    void setFontNormalScript() override;
    void setFontHidden(bool on) override;
    void setLineSpacing(int twips, bool multiple) override;
    void addTabStop(int twips, TabAlignment alignment, TabLeader leader) override;
    void setPageBreakBefore(bool on) override;
    void insertPageBreak() override;
    void setParagraphDirectionLeftToRight() override;
    void setParagraphDirectionRightToLeft() override;
    void setParagraphStyle(int index) override;

    // Lists: list items are numbered as TextDocumentRtfOutput numbers them.

    void defineList(int listId, const QList<ListLevel> &levels) override;
    void defineListOverride(int overrideNumber, int listId, const QMap<int, int> &startAt) override;
    void setParagraphListOverride(int overrideNumber) override;
    void setParagraphListLevel(int level) override;
    void setParagraphNumbering(const ListLevel &level, int levelIndex) override;
    /// The marker text that follows is held back: dropped when the paragraph
    /// turns out to be a list item, written before the paragraph's text
    /// otherwise.
    void beginListText() override;
    /// See beginListText().
    void endListText() override;

    // Tables and sections: a section break ends the paragraph.

    void setParagraphTableLevel(int level) override;
    void beginTableRowDefinition() override;
    void setTableRowFormat(const TableRowFormat &format) override;
    void appendTableCellDefinition(const TableCellDefinition &cell) override;
    void endTableCell(bool nested) override;
    void endTableRow(bool nested) override;
    void insertSectionBreak() override;
    void resetSectionFormat() override;
    void setSectionBreak(SectionBreak kind) override;

    // Fields, notes, comments, headers and footers, text boxes: a field
    // shows its result; a note's reference shows the note's mark in brackets
    // ("[1]", "[*]"), and after the body come a line "----" and the notes,
    // each starting with its mark in brackets, footnotes first; then a line
    // "Comments" and the comments, each as "[" initials and number "]", the
    // author and date, and its text. A text box's paragraphs stand at its
    // anchor. Headers and footers are left out unless
    // setShowHeadersAndFooters() asks for them.

    void beginField(const QString &instruction) override;
    void endField() override;
    /// The result's text is a link to @p href.
    void beginLink(const QString &href, const QString &toolTip) override;
    void endLink() override;
    void setBookmarkStart(const QString &name) override;
    void setBookmarkEnd(const QString &name) override;
    void setNoteNumbering(bool endnotes, NoteNumbering numbering) override;
    void setNoteStartNumber(bool endnotes, int number) override;
    void insertNoteReferenceMark() override;
    /// Takes the note's text, which follows the body. A note inside a note,
    /// comment, header or footer is dropped.
    bool beginNote(bool endnote) override;
    void endNote() override;
    void setCommentRangeStart(const QString &id) override;
    void setCommentRangeEnd(const QString &id) override;
    /// Takes the comment's text, which follows the notes. A comment inside a
    /// comment, header or footer is dropped.
    bool beginComment(const QString &id, const QString &author, const QString &initials,
                      const QDateTime &date) override;
    void endComment() override;
    void setTitlePage(bool on) override;
    void setFacingPages(bool on) override;
    /// Takes the header's or footer's text, kept for
    /// setShowHeadersAndFooters(); a later one of the same kind replaces it.
    bool beginHeaderFooter(HeaderFooterKind kind) override;
    void endHeaderFooter() override;
    void beginTextBox() override;
    void endTextBox() override;

    // Code pages
    /// Stores the code page and decodes with it the text under fonts that
    /// name none, and the text before any font.
    void setDocumentCodePage(int codePage) override;
    /// Answers from the code page of the current font.
    bool isLeadByte(unsigned char byte) const override;

private:
    Q_DISABLE_COPY(PlainTextRtfOutput)
    std::unique_ptr<PlainTextRtfOutputPrivate> const d;
};

} // namespace Tavisk

#endif
