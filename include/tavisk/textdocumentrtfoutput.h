#ifndef TAVISK_TEXTDOCUMENTRTFOUTPUT_H
#define TAVISK_TEXTDOCUMENTRTFOUTPUT_H

#include <tavisk/abstractrtfoutput.h>

#include <QTextDocumentFragment>
#include <QTextFormat>

#include <memory>

class QTextDocument;

namespace Tavisk
{

class TextDocumentRtfOutputPrivate;

/**
 * The ready-made output: writes an RTF document into a QTextDocument.
 *
 * Text is decoded with the code page of the current font and inserted through
 * one cursor that starts at position 0 of the document and only moves forward;
 * character formats follow the RTF groups, paragraph formats follow \\pard and
 * its friends, and pictures become image resources of the document.
 *
 * The document stays the caller's: it is never cleared or deleted, and its
 * settings (such as the undo stack) are left as the caller made them.
 *
 * Between beginParse() and endParse(), that is for the length of a
 * Reader::parseTo(), the output batches: consecutive text is gathered and
 * inserted with one cursor operation, and format changes reach the cursor
 * once, just before the next insertion. This is the only place where it
 * batches; outside a parse every call reaches the document at once. A
 * subclass that reads the document during a parse calls flush() first.
 *
 * Metadata is stored by AbstractRtfOutput; read it from the output after the
 * parse, for example title() or userProp().
 *
 * @par Thread-safety
 * Reentrant. The output and its document belong to the thread that runs the
 * parse; neither may be used on another thread at the same time. Separate
 * outputs with separate documents may be filled on separate threads at once,
 * as QTextDocument allows outside the GUI thread.
 *
 * @par Example
 * @snippet convert.cpp convert
 *
 * @see Reader
 */
class TAVISK_EXPORT TextDocumentRtfOutput : public AbstractRtfOutput
{
public:
    /// Creates an output that writes into @p document, which must outlive
    /// the output. Text is inserted from the start of the document.
    explicit TextDocumentRtfOutput(QTextDocument *document);
    /// Destroys the output; the document and what was written into it stay.
    ~TextDocumentRtfOutput() override;

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

    void createImage(const QByteArray &data, const QTextImageFormat &format) override;

    void setPageHeight(int twips) override;
    void setPageWidth(int twips) override;
    void setSpaceBefore(int twips) override;
    void setSpaceAfter(int twips) override;

    void appendToColourTable(const QColor &colour) override;
    void insertFontTableEntry(FontTableEntry entry, unsigned int index) override;
    void insertStyleSheetTableEntry(unsigned int index, StyleSheetTableEntry entry) override;

    void startGroup() override;
    void endGroup() override;

    /// Starts gathering text for the parse.
    void beginParse() override;
    /// Inserts what was gathered, finishes the tables still open and stops
    /// gathering.
    void endParse() override;

    // Character and paragraph formats, continued. Qt draws thin single,
    // dotted, dashed and wavy underlines, so a double or thick underline is
    // drawn single; \upN and \dnN move the baseline by a share of the font
    // size in force; hidden text (\v) is left out of the document, paragraph
    // ends and pictures included; \sl becomes the block's line height; tab
    // stops keep their alignment but not their leader; \page and \pagebb
    // start the paragraph on a new page when the document is paginated;
    // \keep and \keepn have nothing to become in a QTextDocument and are
    // ignored; a paragraph style named "heading 1" to "heading 9" makes its
    // paragraphs headings of that level (QTextBlockFormat::headingLevel()).
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
    // Lists

    /// Keeps list @p listId for the paragraphs that name it.
    void defineList(int listId, const QList<ListLevel> &levels) override;
    /// Keeps list override @p overrideNumber for the paragraphs that name it.
    void defineListOverride(int overrideNumber, int listId, const QMap<int, int> &startAt) override;
    /// The paragraph becomes an item of a QTextList when it ends, if list
    /// override @p overrideNumber names a list of the list table.
    void setParagraphListOverride(int overrideNumber) override;
    /// The level of the paragraph in its list: the QTextList's indent is
    /// @p level + 1.
    void setParagraphListLevel(int level) override;
    /// The paragraph becomes an item of a QTextList numbered as @p level
    /// says, unless setParagraphListOverride() names a list.
    void setParagraphNumbering(const ListLevel &level, int levelIndex) override;
    /// The marker text that follows is held back: dropped when the paragraph
    /// turns out to be a list item (the QTextList draws its marker), shown
    /// before the paragraph's text otherwise. Paragraph formatting inside the
    /// marker does not reach the paragraph.
    void beginListText() override;
    /// See beginListText().
    void endListText() override;
    // Tables and sections: rows and cells become QTextTable objects (nested
    // tables inside the cells of their parent), and a section that starts on
    // a new page gives its first paragraph a page break before it.

    /// Puts the paragraphs that follow into the table at nesting level
    /// @p level (0: outside every table).
    void setParagraphTableLevel(int level) override;
    /// Starts a new row definition for the table at the paragraph's level.
    void beginTableRowDefinition() override;
    /// Keeps the row properties for the row that ends next.
    void setTableRowFormat(const TableRowFormat &format) override;
    /// Adds a cell to the row definition.
    void appendTableCellDefinition(const TableCellDefinition &cell) override;
    /// Moves to the next cell of the row, widening the table when needed.
    void endTableCell(bool nested) override;
    /// Applies the row definition (widths, merges, shading, borders) to the
    /// row; the next paragraph in the table starts a new row.
    void endTableRow(bool nested) override;
    /// Ends the paragraph; the next paragraph starts the new section.
    void insertSectionBreak() override;
    /// The next section starts on a new page.
    void resetSectionFormat() override;
    /// Whether the next section starts on a new page: yes for \\sbkpage,
    /// \\sbkeven and \\sbkodd, no for \\sbknone and \\sbkcol.
    void setSectionBreak(SectionBreak kind) override;
    // Code pages
    /// Stores the code page and decodes with it the text under fonts that
    /// name none, and the text before any font.
    void setDocumentCodePage(int codePage) override;
    /// Answers from the code page of the current font.
    bool isLeadByte(unsigned char byte) const override;

    /// Reads the RTF document @p rtf into @p document in one call, replacing
    /// what the document held (like QTextDocument::setHtml()); the document's
    /// title comes from the RTF information group. Returns false when @p rtf
    /// is not an RTF document (the document is then left empty); @p
    /// errorString, when given, then receives the reason. For the metadata,
    /// fonts or styles of the document, use a Reader and an output object.
    static bool fromRtf(const QByteArray &rtf, QTextDocument *document, QString *errorString = nullptr);

    // Fields, notes, comments, headers and footers, text boxes

    /// Marks the text of the result with the instruction
    /// (FieldInstructionProperty).
    void beginField(const QString &instruction) override;
    void endField() override;
    /// Makes the text of the result a link: QTextCharFormat::isAnchor(),
    /// anchorHref() and toolTip(); the result keeps its own formatting.
    void beginLink(const QString &href, const QString &toolTip) override;
    void endLink() override;
    /// The character at the bookmark's start gets the bookmark's name as an
    /// anchor name (QTextCharFormat::anchorNames()), so "#name" links reach
    /// it in HTML. Applied in endParse(); bookmarks of notes, comments,
    /// headers and footers are not kept.
    void setBookmarkStart(const QString &name) override;
    void setBookmarkEnd(const QString &name) override;

    void setNoteNumbering(bool endnotes, NoteNumbering numbering) override;
    void setNoteStartNumber(bool endnotes, int number) override;
    void insertNoteReferenceMark() override;
    /// Takes the note's text out of the body. The reference in the body shows
    /// the note's number (or the custom mark: the superscript text just
    /// before the note) as a superscript link to the note, anchor name
    /// "footnote-ref-N" or "endnote-ref-N" (N counts from 1 in document
    /// order). In endParse() a notes section follows the body: a horizontal
    /// rule, then every footnote and every endnote, each starting with its
    /// number linked back to its reference (anchor name "footnote-N" or
    /// "endnote-N"). A note inside a note is dropped.
    bool beginNote(bool endnote) override;
    void endNote() override;

    /// The range gets the anchor name "comment-range-N" (N counts the
    /// comments from 1) on its first character, in endParse().
    void setCommentRangeStart(const QString &id) override;
    void setCommentRangeEnd(const QString &id) override;
    /// Takes the comment's text out of the body. In endParse(), after the
    /// notes, a heading "Comments" lists every comment: "[" initials and
    /// number "]" (anchor name "comment-N", linked to the commented range
    /// when it has one), the author, and the comment's text. A comment
    /// inside a note, header, footer or comment is dropped.
    bool beginComment(const QString &id, const QString &author, const QString &initials,
                      const QDateTime &date) override;
    void endComment() override;

    void setTitlePage(bool on) override;
    void setFacingPages(bool on) override;
    /// Takes the header's or footer's text out of the body and keeps it for
    /// headerFooter(); a later one of the same kind replaces it. One inside a
    /// note, comment, header or footer is dropped.
    bool beginHeaderFooter(HeaderFooterKind kind) override;
    void endHeaderFooter() override;

    /// The text box's paragraphs are inserted at the anchor as paragraphs of
    /// their own.
    void beginTextBox() override;
    void endTextBox() override;

    /// The character format property that holds, on the text of a field's
    /// result, the field's instruction as a QString (as given to
    /// beginField(); the innermost field's for nested fields). A page header
    /// or footer finds its PAGE, NUMPAGES and SECTIONPAGES fields by it.
    static constexpr int FieldInstructionProperty = QTextFormat::UserProperty + 0x7461;

    /// The header or footer of @p kind the last parse gave ({\\header},
    /// {\\footerf}, ...), or an empty fragment.
    QTextDocumentFragment headerFooter(HeaderFooterKind kind) const;
    /// The header (@p footer false) or footer (true) to print on page @p page
    /// (counted from 1) the way Word chooses it: the first-page one when the
    /// document has \\titlepg, the left- or right-page one when it has
    /// \\facingp, else the one for every page; where the chosen kind is not
    /// given, the one for every page (or, failing that, the right-page one).
    /// An empty fragment when there is none.
    QTextDocumentFragment headerFooterForPage(bool footer, int page) const;
    /// Whether the document has a header or footer of any kind.
    bool hasHeadersOrFooters() const;

protected:
    /// Inserts the text gathered so far and hands the cursor the pending
    /// formats, so that the document holds everything the output has been
    /// given. For subclasses that read the document during a parse.
    void flush();

private:
    Q_DISABLE_COPY(TextDocumentRtfOutput)
    std::unique_ptr<TextDocumentRtfOutputPrivate> const d;
};

} // namespace Tavisk

#endif
