#ifndef TAVISK_TEXTDOCUMENTRTFOUTPUT_H
#define TAVISK_TEXTDOCUMENTRTFOUTPUT_H

#include <tavisk/abstractrtfoutput.h>

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
