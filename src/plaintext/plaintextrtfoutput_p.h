#ifndef TAVISK_PLAINTEXTRTFOUTPUT_P_H
#define TAVISK_PLAINTEXTRTFOUTPUT_P_H

#include "plaintextdocument_p.h"
#include "plaintextlists_p.h"
#include "plaintextstructure_p.h"
#include "plaintexttables_p.h"
#include "plaintextwriter_p.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

#include <array>
#include <map>
#include <memory>
#include <vector>

namespace Tavisk
{

/**
 * State of a PlainTextRtfOutput: the decoding of text (fonts, code pages and
 * the groups that scope them), the character and paragraph properties that
 * show in plain text, the paragraph being read and where it stands, the
 * lists, tables and the structure around the body, and the writer.
 *
 * The text is the one a TextDocumentRtfOutput's document holds and the
 * tool's text export writes, and every decision here follows that output:
 * what starts and ends a paragraph, which paragraphs are kept when a table
 * starts, when a list marker is shown. Where the text document output
 * gathers text and inserts it in one piece, what the piece holds can matter
 * (a carriage return and a line feed in one insertion end one paragraph, in
 * two insertions two); the points where it inserts are followed here too.
 *
 * The body is written as its paragraphs end; a table once it ends. Text
 * kept apart (notes, comments, headers and footers, text boxes) is held in
 * a PlainText::Cell of its own until it is placed.
 */
class PlainTextRtfOutputPrivate
{
public:
    explicit PlainTextRtfOutputPrivate(QIODevice *device);
    explicit PlainTextRtfOutputPrivate(QString *text);

    /// Everything back to the start of a document.
    void reset();

    // Decoding and character properties

    /// '{': the default font, while none has been chosen; then saves the
    /// code page and the character properties.
    void startGroup();
    /// '}': returns to what the matching '{' saved.
    void endGroup();
    void setFont(int index);
    void useDefaultFontUntilOneIsChosen();
    void resetCharacterProperties();
    /// Decodes one run of text bytes in m_encoding.
    QString decode(const QByteArray &text);
    /// Decodes @p bytes and inserts the text, as appendText() does.
    void insertBytes(const QByteArray &bytes);
    /// The same, for any bytes in any state.
    void insertBytesSlowly(const QByteArray &bytes);

    // Text

    /// Text at the current position, as the text document output's
    /// insertText() takes it: left out while hidden, held while a list
    /// marker is read, otherwise inserted (after the pending table
    /// structure).
    void insertText(QStringView text);
    /// Puts @p text into the current paragraph as QTextCursor::insertText()
    /// does: line feeds, carriage returns (a CR LF pair is one) and
    /// paragraph separators end the paragraph.
    void putText(QStringView text);
    /// The text document output inserts the text gathered so far here: a CR
    /// and an LF on either side of this point end a paragraph each.
    void insertionPoint()
    {
        m_gathered = 0;
        m_carriageReturn = false;
    }
    /// Before content arrives: opens what the table structure still owes,
    /// and gives the paragraph the paragraph format in force, as the text
    /// document output does.
    void applyPendingFormats()
    {
        if (m_tables->isPending())
            m_tables->prepareInsertion();
        if (m_inherited)
            undoInherited();
        if (m_characterFormatPending) {
            m_characterFormatPending = false;
            m_formatLost = false;
        }
    }
    // The state read for each piece of text comes first, together: the
    // reader's own work between two pieces pushes it out of the nearest
    // cache, and fewer lines come back.

    /// The code page in force, the document's, and the one the decoding
    /// state below is for (-1: none yet).
    int m_encoding = -1;
    int m_documentEncoding = -1;
    int m_decoderEncoding = -1;
    /// For a code page of one byte per character: the character of every
    /// byte, and the plain ones (Encoding).
    const QChar *m_byteTable = nullptr;
    const char16_t *m_plainTable = nullptr;
    /// Whether the decoder reads printable ASCII as itself, and whether it
    /// is between characters (no byte of a character is waiting).
    bool m_asciiSafeDecoder = false;
    bool m_decoderClean = true;
    /// Whether text is hidden (\\v).
    bool m_hidden = false;
    /// Whether a character format waits for the next insertion, and whether
    /// the text inserted now has lost its format (after a picture).
    bool m_characterFormatPending = false;
    bool m_formatLost = false;
    /// Whether the last character gathered is a carriage return, and
    /// whether the gathered text started right after a change of format
    /// (m_gatheredFormat).
    bool m_carriageReturn = false;
    bool m_gatheredFormatExplicit = false;
    /// Characters the text document output has gathered since it last
    /// inserted.
    qsizetype m_gathered = 0;
    std::unique_ptr<PlainTextTables> m_tables;
    /// The character format in force.
    PlainText::CharacterFormat m_format;
    /// The character properties of the text inserted now.
    const PlainText::CharacterFormat &insertedFormat() const { return m_formatLost ? m_pictureFormat : m_format; }
    /// A picture's format: no link, not raised.
    const PlainText::CharacterFormat m_pictureFormat;
    /// Gives the current format the family of font @p index, if the font
    /// table has it.
    void setFontFamily(PlainText::CharacterFormat &format, int index);
    /// The paragraph whose list item format came from the paragraph before
    /// it, until the paragraph format in force replaces it; or nullptr.
    PlainText::Paragraph *m_inherited = nullptr;
    int m_inheritedDocument = 0;
    void undoInherited();
    /// A picture at the current position.
    void putPicture();
    /// Text already appended to @p paragraph from @p start on, every
    /// character of it a plain one: counts it, with its format.
    void putPlain(PlainText::Paragraph &paragraph, qsizetype start)
    {
        const qsizetype end = paragraph.text.size();
        if (!paragraph.leadingDone)
            countLeadingSpaces(paragraph, start);
        const PlainText::CharacterFormat &format = insertedFormat();
        if (!format.raised())
            paragraph.raisedStart = -1;
        else if (paragraph.raisedStart < 0)
            paragraph.raisedStart = start;
        paragraph.linkAppended(start, format.link());
        paragraph.length += end - start;
        paragraph.keptLength += end - start;
        m_carriageReturn = false;
    }
    /// A note drops the white space it starts with: counts it in the text
    /// from @p start on.
    static void countLeadingSpaces(PlainText::Paragraph &paragraph, qsizetype start);
    /// Ends the current paragraph and starts the next in the same place (a
    /// cell, the body, or text kept apart).
    void splitParagraph();
    /// \par, once hidden text and list markers are ruled out.
    void endParagraph();
    /// The character format changed: the text that follows takes the format
    /// in force when it arrives. A change back to the format of the text
    /// gathered so far lets it go on, as the text document output would
    /// join the two runs anyway.
    void characterFormatChanged()
    {
        if (m_gatheredFormatExplicit && m_gathered > 0 && m_gatheredFormat == m_format)
            return;
        insertionPoint();
        m_characterFormatPending = true;
    }
    /// A paragraph property changed.
    void paragraphFormatChanged()
    {
        insertionPoint();
        m_lists.paragraphFormatChanged();
    }

    // The place of the current paragraph

    PlainText::Paragraph &paragraph() { return *m_paragraph; }
    /// Makes the first paragraph of @p cell the current one.
    void enterCell(PlainText::Cell *cell);
    /// A table starts at the current paragraph: the paragraph stays before
    /// it, unless it is an empty one after another paragraph, which the
    /// table replaces. Returns the cell the table goes into (as its last
    /// item), or nullptr for the body.
    PlainText::Cell *placeTable();
    /// The table placed in @p cell (nullptr: the body) has ended: the
    /// paragraph after it is the current one. A table of the body is
    /// written.
    void leaveTable(PlainText::Cell *cell, const PlainText::Table &table);
    /// Whether the current paragraph is the body's.
    bool inBody() const { return m_cell == nullptr; }
    /// Whether the current position is the start of its document (the
    /// body, or text kept apart).
    bool atDocumentStart() const;
    /// Whether the current paragraph is the first of the body.
    bool isFirstParagraph() const { return m_cell == nullptr && !m_bodyHasItems; }
    /// Makes the first paragraph of @p cell, text kept apart, the current
    /// one; with the tables of that text. Returns what to give back to
    /// leaveApart().
    struct Place {
        PlainText::Cell *cell;
        PlainText::Paragraph *paragraph;
        std::unique_ptr<PlainTextTables> tables;
        int document;
        bool heading;
        PlainText::Cell *partRoot;
    };
    Place enterApart(PlainText::Cell *cell);
    void leaveApart(Place place);
    /// Puts the text kept apart in @p content at the current position, as
    /// QTextCursor::insertFragment() does: its first paragraph joins the
    /// current one (unless it is a list item), the rest follows.
    void insertFragment(PlainText::Cell &content);
    /// Writes the last paragraph of the body and what follows the body; at
    /// the end of the parse.
    void finishBody();

    /// Counts every move of the current position: equal counts, same place.
    qint64 m_moves = 0;
    /// The document the text goes into: 0 for the body; lists belong to
    /// one.
    int m_document = 0;
    int m_documents = 0;

    PlainTextWriter m_writer;
    bool m_showAddresses = false;
    bool m_showHeadersAndFooters = false;

    // Decoding state, as the text document output keeps it.

    /// A code page met in the document, with what decodes it, made when
    /// text first comes in it. Code pages are numbered as they are met
    /// (encodingKey()): the state keeps the numbers, which are cheap to
    /// save and compare.
    struct Encoding {
        QString name;
        bool prepared = false;
        /// For a code page of one byte per character: the character of
        /// every byte, by which runs are decoded without the decoder (empty
        /// for the code pages of several bytes per character), and the
        /// same with 0 for each character that does not go into the text
        /// as it is (see putText()).
        QString characters;
        std::array<char16_t, 256> plainCharacters{};
        /// Whether the decoder reads printable ASCII as itself.
        bool asciiSafe = false;
        std::unique_ptr<QStringDecoder> decoder;
    };
    /// The code pages met, kept from parse to parse; by name.
    std::vector<std::unique_ptr<Encoding>> m_encodings;
    QHash<QString, int> m_encodingKeys;
    int encodingKey(const QString &name);
    /// The code page of each font (possibly of no name: the document's).
    QHash<int, int> m_fontEncodings;
    int m_defaultFont = 0;
    bool m_haveSetFont = false;
    /// The code page a font of code page @p key reads in.
    int fontEncoding(int key) const { return m_encodings[size_t(key)]->name.isEmpty() ? m_documentEncoding : key; }
    QStringDecoder *m_decoder = nullptr;

    /// The colour table, and a colour of it as the format keeps it (-1:
    /// none, for an index outside the table or the automatic colour).
    QList<QColor> m_colours;
    qint64 colour(int index) const
    {
        const QColor colour = m_colours.value(index);
        return colour.isValid() ? qint64(colour.rgba()) : -1;
    }
    /// A number for each font family name, and the name of each font.
    QHash<QString, int> m_familyKeys;
    QHash<int, QString> m_fontNames;
    QHash<int, int> m_fontFamilies; // by font index: the number of its family name
    /// What each open group saved: the code page and the properties.
    std::vector<int> m_encodingStack;
    std::vector<PlainText::CharacterFormat> m_formatStack;
    std::vector<bool> m_hiddenStack;
    /// The format the gathered text is inserted with, when it started right
    /// after a change of format (m_gatheredFormatExplicit); otherwise it
    /// takes the format before it.
    PlainText::CharacterFormat m_gatheredFormat;

    /// The paragraph style is a heading ("heading 1" ... "heading 9"); the
    /// heading level of each style.
    bool m_heading = false;
    QHash<unsigned int, bool> m_headingStyles;

    PlainTextLists m_lists{*this};
    PlainTextStructure m_structure{*this};

private:
    void writeBodyParagraph(bool beforeTable);
    void writeHeldParagraph();
    void writeBodyTable(const PlainText::Table &table);
    void selectDecoder();
    /// Decodes @p bytes into @p out (replacing what it held), without the
    /// C0 control characters other than tab and line ends.
    void decodeInto(QString &out, const QByteArray &bytes);

    /// The paragraph being read: m_bodyParagraph, or the last paragraph of
    /// m_cell.
    PlainText::Paragraph *m_paragraph;
    PlainText::Cell *m_cell = nullptr;
    /// The text kept apart that the current paragraph is in, or nullptr.
    PlainText::Cell *m_partRoot = nullptr;
    PlainText::Paragraph m_bodyParagraph;
    // The body as far as it was written, for the rules of blank lines
    // around tables.
    bool m_bodyHasItems = false; // a paragraph or table before the current paragraph
    bool m_bodyAfterTable = false; // the item before the current paragraph is a table
    // The last paragraph of the body that ended (its counts and list), and
    // whether it waits to be written: an empty one is not written until
    // what follows it is known.
    PlainText::Paragraph m_previousParagraph;
    bool m_held = false;
    bool m_heldFirst = false; // it is the first paragraph of the body
    /// The first paragraph of the body was left out before a table; a
    /// header put above the body brings it back, as this line.
    bool m_firstLeftOut = false;
    QString m_firstLeftOutLine;
    QString m_scratch;
    /// A line of the body with its links shown, made again for each.
    QString m_line;
};

} // namespace Tavisk

#endif
