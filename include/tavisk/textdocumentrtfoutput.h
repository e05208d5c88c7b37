#ifndef TAVISK_TEXTDOCUMENTRTFOUTPUT_H
#define TAVISK_TEXTDOCUMENTRTFOUTPUT_H

#include <tavisk/abstractrtfoutput.h>

#include <memory>

class QTextDocument;

namespace Tavisk
{

class TextDocumentRtfOutputPrivate;
class TextDocumentRtfOutputBatch;

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

private:
    Q_DISABLE_COPY(TextDocumentRtfOutput)
    friend class TextDocumentRtfOutputBatch;
    std::unique_ptr<TextDocumentRtfOutputPrivate> const d;
};

} // namespace Tavisk

#endif
