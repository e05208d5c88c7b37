#ifndef TAVISK_PLAINTEXTRTFOUTPUT_P_H
#define TAVISK_PLAINTEXTRTFOUTPUT_P_H

#include "plaintextlists_p.h"
#include "plaintexttables_p.h"
#include "plaintextwriter_p.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

#include <vector>

namespace Tavisk
{

/**
 * State of a PlainTextRtfOutput: the decoding of text (fonts, code pages and
 * the groups that scope them), hidden text, the paragraph being read and
 * where it stands, the lists and tables, and the writer.
 *
 * The text is the one a TextDocumentRtfOutput's document holds and the
 * tool's text export writes, and every decision here follows that output:
 * what starts and ends a paragraph, which paragraphs are kept when a table
 * starts, when a list marker is shown. Where the text document output
 * gathers text and inserts it in one piece, what the piece holds can matter
 * (a carriage return and a line feed in one insertion end one paragraph, in
 * two insertions two); the points where it inserts are followed here too.
 */
class PlainTextRtfOutputPrivate
{
public:
    explicit PlainTextRtfOutputPrivate(QIODevice *device);
    explicit PlainTextRtfOutputPrivate(QString *text);

    /// Everything back to the start of a document.
    void reset();

    // Decoding

    /// '{': the default font, while none has been chosen; then saves the
    /// code page and whether text is hidden.
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
    /// Opens what the table structure still owes before content arrives.
    void prepareInsertion()
    {
        if (m_tables.isPending())
            m_tables.prepareInsertion();
    }
    /// Ends the current paragraph and starts the next in the same place (a
    /// cell, or the body).
    void splitParagraph();
    /// \par, once hidden text and list markers are ruled out.
    void endParagraph();

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
    /// Writes the last paragraph of the body; at the end of the parse.
    void finishBody();

    PlainTextWriter m_writer;

    // Decoding state, as the text document output keeps it.
    QHash<int, QString> m_fontEncodings;
    int m_defaultFont = 0;
    bool m_haveSetFont = false;
    QString m_encoding;
    QString m_documentEncoding;
    QStringDecoder m_decoder;
    QString m_decoderEncoding;
    /// Whether the decoder turns every printable ASCII byte into its own
    /// character and keeps no state between runs: such runs skip it.
    bool m_asciiDecoder = false;
    /// m_encoding and whether text was hidden when each open group started.
    QList<QString> m_encodingStack;
    std::vector<bool> m_hiddenStack;
    bool m_hidden = false;

    /// Characters the text document output has gathered since it last
    /// inserted, and whether the last of them is a carriage return.
    qsizetype m_gathered = 0;
    bool m_carriageReturn = false;

    PlainTextLists m_lists{*this};
    PlainTextTables m_tables{*this};

private:
    void writeBodyParagraph(bool beforeTable);
    void writeHeldParagraph();
    void setDecoder();

    /// The paragraph being read: m_bodyParagraph, or the last paragraph of
    /// m_cell.
    PlainText::Paragraph *m_paragraph;
    PlainText::Cell *m_cell = nullptr;
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
    QString m_scratch;
};

} // namespace Tavisk

#endif
