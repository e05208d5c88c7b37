#ifndef TAVISK_TEXTDOCUMENTRTFOUTPUT_P_H
#define TAVISK_TEXTDOCUMENTRTFOUTPUT_P_H

#include "textdocumentformats_p.h"
#include "textdocumentlists_p.h"

#include <tavisk/fonttableentry.h>
#include <tavisk/stylesheettableentry.h>

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QVariant>

#include <memory>

class QTextCursor;
class QTextDocument;

namespace Tavisk
{

class TableBuilder;
class TextDocumentStructure;

/**
 * State of a TextDocumentRtfOutput: the cursor into the caller's document,
 * the character formats of the open RTF groups, the paragraph format, and
 * the document's font, colour and style tables.
 */
class TextDocumentRtfOutputPrivate
{
public:
    explicit TextDocumentRtfOutputPrivate(QTextDocument *document);
    ~TextDocumentRtfOutputPrivate();

    /// '{': selects the default font while none has been chosen, then saves
    /// the current character format.
    void startGroup();
    /// '}': returns to the character format saved by the matching '{'.
    void endGroup();

    void resetCharacterProperties();
    void resetParagraphFormat();
    void setForegroundColour(int colourIndex);
    void setHighlightColour(int colourIndex);
    void setParagraphPatternBackgroundColour(int colourIndex);
    /// Selects font @p fontIndex of the font table: its family for the text
    /// that follows and its code page for decoding that text.
    void setFont(int fontIndex);
    /// Gives the text before any \f the family and code page of the \deff
    /// font, in every open group, once that font is in the table.
    void useDefaultFontUntilOneIsChosen();

    /// The font families property of font @p fontIndex of the table: one
    /// list for all the formats of a font, so that the document compares
    /// two of them without reading the names.
    QVariant fontFamilies(int fontIndex, const FontTableEntry &entry);
    /// Gives @p format the families of font @p fontIndex and their key
    /// (fontFamilyKeyProperty).
    void setFontFamilies(QTextCharFormat &format, int fontIndex, const FontTableEntry &entry);

    /// A number for each distinct family name, kept on a format beside its
    /// families. The document finds a format among those with the same hash,
    /// and a list-valued property such as the families adds nothing to the
    /// hash: without the key, all formats that differ only in their font
    /// share one hash, and a document with many fonts spends its time
    /// comparing them. Equal families have equal keys, so the formats that
    /// compare equal stay the same; no exporter writes the property.
    static constexpr int fontFamilyKeyProperty = QTextFormat::UserProperty + 0x7466;
    /// Adds @p colour to the colour table.
    void appendToColourTable(const QColor &colour);

    /// RTF lengths are twips (1/1440 inch); the document works in pixels at
    /// 96 per inch.
    static double pixelsFromTwips(int twips);

    /// The character format of the innermost open group.
    QTextCharFormat &currentCharFormat() { return m_textCharFormatStack.last(); }
    /// Hands the current character format to the cursor, for the text that
    /// follows.
    void applyCharFormat();
    /// Hands the paragraph format to the cursor's block.
    void applyParagraphFormat();
    /// Inserts @p text at the cursor with the cursor's character format;
    /// during a reader's parse it is gathered with the text before it.
    void insertText(const QString &text);
    /// Inserts the gathered text. Called before anything else touches the
    /// cursor or its formats, and at the end of the parse.
    void flushText();
    /// Hands the cursor the formats changed since text last reached the
    /// document; before an insertion and at the end of the parse.
    void applyPendingFormats();
    /// Decodes one run of text bytes in m_encoding and appends the text to
    /// @p out, without the C0 control characters other than tab, line feed
    /// and carriage return.
    void decodeAppend(QString &out, const QByteArray &text);

    std::unique_ptr<QTextCursor> m_cursor;
    QList<QTextCharFormat> m_textCharFormatStack;
    QTextBlockFormat m_paragraphFormat;
    QList<QColor> m_colourTable;
    /// The brush of each colour of the table that text has taken, by index,
    /// shared by every format that uses it, as are the families of each font
    /// in m_fontFamilies: the document compares formats often, and equal
    /// values that share their data compare without being read.
    QHash<int, QVariant> m_colourBrushes;
    QHash<int, FontTableEntry> m_fontTable;
    QHash<int, QVariant> m_fontFamilies;
    QHash<int, int> m_fontFamilyKeys; // by font index
    QHash<QString, int> m_familyKeys; // by family name
    int m_defaultFont = 0;
    bool m_haveSetFont = false;
    QHash<unsigned int, StyleSheetTableEntry> m_stylesheetTable;
    QTextDocument *m_document;
    QString m_encoding;
    /// The code page of \ansicpg (or \mac, \pc, \pca), for fonts that name none.
    QString m_documentEncoding;

    /// The decoder for m_decoderEncoding. It lives from run to run, so a
    /// two-byte character whose bytes arrive as separate \'hh escapes is
    /// decoded as one character; it is replaced when the encoding changes.
    QStringDecoder m_decoder;
    QString m_decoderEncoding;
    bool m_decoderReady = false;
    /// For a single-byte code page: the character of every byte, which
    /// decodes a run without the decoder's cost per call (most runs are a
    /// few bytes long: a word, or one \'hh escape). Null for the code pages
    /// of several bytes per character, which keep m_decoder.
    const QChar *m_byteTable = nullptr;
    /// The byte tables made so far, by encoding name (256 characters each).
    QHash<QString, QString> m_byteTables;
    /// m_encoding as it was when each open group started, parallel to the
    /// entries of m_textCharFormatStack above the base: a font chosen inside
    /// a group ends with the group, its code page included.
    QList<QString> m_encodingStack;

    /// True while a Reader parses into this output: consecutive text is then
    /// gathered in m_pendingText and inserted with one cursor operation.
    /// Every insertion into a QTextDocument costs thousands of instructions
    /// whatever its length (format lookup, undo record, change signals), and
    /// RTF text arrives in small pieces: a \'hh escape or a \u character
    /// is a piece of its own.
    bool m_gatherText = false;
    QString m_pendingText;
    /// Where convertText() decodes a run of bytes (see there).
    QString m_convertBuffer;
    /// The character format m_pendingText is inserted with, when the text
    /// started right after a change of format (m_pendingFormatExplicit);
    /// otherwise the text takes the cursor's own format, as a single
    /// insertion would. Handing the format with the text spares the cursor
    /// a format lookup of its own for every change of format.
    QTextCharFormat m_pendingFormat;
    bool m_pendingFormatExplicit = false;
    /// During a parse, format changes reach the cursor just before the next
    /// insertion: a run of changes costs one format lookup, not one each.
    bool m_charFormatPending = false;
    bool m_blockFormatPending = false;

    /// Underline kinds, capitals, hidden text, line spacing, tab stops,
    /// page breaks, paragraph direction and headings.
    TextDocumentFormats m_formats{*this};
    /// The lists, and the list markers held back until a paragraph shows
    /// whether it is a list item.
    TextDocumentLists m_lists{*this};
    /// The tables being built and the pending section break
    /// (textdocumenttables.cpp).
    std::unique_ptr<TableBuilder> m_tables;
    /// Fields, notes, comments, headers and footers, text boxes.
    std::unique_ptr<TextDocumentStructure> m_structure;

private:
    void insertNow(const QString &text);
    /// Gets the cursor ready for the first text of a gathered run: table
    /// structure, paragraph format, page break, and the format of the run.
    void beginPendingText();
    /// Chooses the decoder, or byte table, for m_encoding.
    void selectDecoder();
    void setColourProperty(QTextFormat &format, int property, int colourIndex);
};

} // namespace Tavisk

#endif
