#ifndef TAVISK_TEXTDOCUMENTSTRUCTURE_P_H
#define TAVISK_TEXTDOCUMENTSTRUCTURE_P_H

#include "textdocumenttables_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextDocumentFragment>

#include <memory>
#include <vector>

class QTextCursor;
class QTextDocument;

namespace Tavisk
{

class TextDocumentRtfOutputPrivate;

/**
 * The structure a TextDocumentRtfOutput builds besides the flow of text:
 * links and field marks on the text, bookmarks, the notes and comments that
 * follow the body, headers and footers kept apart, and text boxes.
 *
 * Text that leaves the body (a note, comment, header, footer or text box) is
 * written into a scratch document of its own: the output's cursor is swapped
 * for one into that document while the text arrives, and swapped back at its
 * end, so every operation of the output works there unchanged.
 */
class TextDocumentStructure
{
public:
    explicit TextDocumentStructure(TextDocumentRtfOutputPrivate *d);
    ~TextDocumentStructure();

    /// Forgets the notes, comments, bookmarks and headers of an earlier parse.
    void reset();
    /// Ends what an unfinished input left open and appends the notes section
    /// and the comments to the body.
    void finish();
    /// Ends the notes, comments, headers and text boxes an input cut short
    /// left open, so that the cursor and the tables are the body's again.
    void closeOpenContexts();

    void beginField(const QString &instruction);
    void endField();
    void beginLink(const QString &href, const QString &toolTip);
    void endLink();
    void setBookmarkStart(const QString &name);

    void setNoteNumbering(bool endnotes, AbstractRtfOutput::NoteNumbering numbering);
    void setNoteStartNumber(bool endnotes, int number);
    void insertNoteReferenceMark();
    bool beginNote(bool endnote);
    void endNote();

    void setCommentRangeStart(const QString &id);
    void setCommentRangeEnd(const QString &id);
    bool beginComment(const QString &id, const QString &author, const QString &initials, const QDateTime &date);
    void endComment();

    bool beginHeaderFooter(AbstractRtfOutput::HeaderFooterKind kind);
    void endHeaderFooter();

    void beginTextBox();
    void endTextBox();

    /// @p number written in @p numbering: 3 gives "3", "c", "C", "iii",
    /// "III" or "***".
    static QString noteNumberText(int number, AbstractRtfOutput::NoteNumbering numbering);

    QMap<AbstractRtfOutput::HeaderFooterKind, QTextDocumentFragment> m_headersFooters;
    bool m_titlePage = false;
    bool m_facingPages = false;

private:
    enum class Kind { Note, Comment, HeaderFooter, TextBox };
    /// A scratch document receiving text that leaves the body.
    struct Context {
        Kind kind;
        std::unique_ptr<QTextDocument> document;
        /// The cursor of the text around, swapped back at the end.
        std::unique_ptr<QTextCursor> outerCursor;
        QTextBlockFormat outerParagraphFormat;
        /// The tables open in the text around: a note or header builds its
        /// own tables in its own document, and leaves those around alone.
        std::unique_ptr<TableBuilder> outerTables;
        /// What the context collects into: index of the note or comment, or
        /// the header kind.
        int index = 0;
    };
    struct Note {
        bool endnote = false;
        /// Counts the footnotes, or the endnotes, from 1: names its anchors.
        int ordinal = 0;
        /// The mark shown at the reference and in the notes section.
        QString mark;
        /// The mark is the document's own, not a number.
        bool custom = false;
        std::unique_ptr<QTextDocument> content;
    };
    struct Comment {
        QString id;
        QString author;
        QString initials;
        QDateTime date;
        int rangeStart = -1;
        int rangeEnd = -1;
        std::unique_ptr<QTextDocument> content;
    };
    struct Bookmark {
        int position;
        QString name;
    };

    bool inBody() const { return m_contexts.empty(); }
    /// Hands the formats in force to the cursor just swapped in.
    void syncCursorFormats();
    /// "footnote-N" or "endnote-N" for the note, with "-ref" for its
    /// reference.
    static QString noteAnchor(const Note &note, bool reference);
    /// Starts a paragraph of the notes or comments section.
    static void startSectionBlock(QTextCursor &cursor, const QTextBlockFormat &format,
                                  const QTextCharFormat &charFormat);
    bool insideKind(Kind kind) const;
    void enter(Kind kind, int index);
    std::unique_ptr<QTextDocument> leave();
    /// Flushes the gathered text into the current document.
    void flush();
    int cursorPosition() const;
    /// Gives the character at @p position of the body an anchor name.
    void addAnchorName(int position, const QString &name);
    void insertReference(int index);
    void appendNotesSection(QTextCursor &cursor);
    void appendComments(QTextCursor &cursor);

    TextDocumentRtfOutputPrivate *const d;
    std::vector<Context> m_contexts;
    int m_textBoxDepth = 0;

    std::vector<Note> m_notes;
    AbstractRtfOutput::NoteNumbering m_numbering[2] = {AbstractRtfOutput::NoteNumbering::Arabic,
                                                        AbstractRtfOutput::NoteNumbering::LowerRoman};
    int m_startNumber[2] = {1, 1};
    int m_count[2] = {0, 0};
    /// \chftn in the body: where the reference of the next note goes, and
    /// the character format it has there.
    bool m_referencePending = false;
    int m_referencePosition = 0;
    QTextCharFormat m_referenceFormat;

    std::vector<Comment> m_comments;
    /// Commented ranges by id, as (start, end) positions in the body.
    QMap<QString, QPair<int, int>> m_commentRanges;

    std::vector<Bookmark> m_bookmarks;
    /// The href of each open link, innermost last.
    QList<QString> m_links;
    /// The instruction of each open field, innermost last.
    QList<QString> m_fields;
    /// Where the result of each open field starts.
    QList<int> m_fieldStarts;
};

} // namespace Tavisk

#endif
