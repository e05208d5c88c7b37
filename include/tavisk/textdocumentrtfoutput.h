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
 * one cursor that starts at position 0 of @p document and only moves forward;
 * character formats follow the RTF groups, paragraph formats follow \pard and
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
 */
class TAVISK_EXPORT TextDocumentRtfOutput : public AbstractRtfOutput
{
public:
    explicit TextDocumentRtfOutput(QTextDocument *document);
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
    /// Inserts what was gathered and stops gathering.
    void endParse() override;

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

    /// The header or footer of @p kind the last parse gave ({\header},
    /// {\footerf}, ...), or an empty fragment.
    QTextDocumentFragment headerFooter(HeaderFooterKind kind) const;
    /// The header (@p footer false) or footer (true) to print on page @p page
    /// (counted from 1) the way Word chooses it: the first-page one when the
    /// document has \titlepg, the left- or right-page one when it has
    /// \facingp, else the one for every page; where the chosen kind is not
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
