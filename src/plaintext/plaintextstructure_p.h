#ifndef TAVISK_PLAINTEXTSTRUCTURE_P_H
#define TAVISK_PLAINTEXTSTRUCTURE_P_H

#include "plaintextdocument_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace Tavisk
{

class PlainTextRtfOutputPrivate;
class PlainTextTables;

/**
 * The structure of a PlainTextRtfOutput besides the flow of text: links,
 * fields, notes, comments, headers and footers, text boxes.
 *
 * As the text document output does, text that leaves the body goes into a
 * part of its own (a PlainText::Cell) while it arrives: the notes and
 * comments are written after the body, a text box at its anchor, the header
 * and footer (when asked) above and below everything. Their text follows
 * the text document output's: a note's white space at the start and the
 * empty paragraph of a final \par dropped, a note's reference as its mark
 * in brackets, "----" before the notes, "Comments" before the comments.
 */
class PlainTextStructure
{
public:
    explicit PlainTextStructure(PlainTextRtfOutputPrivate &output);
    ~PlainTextStructure();

    /// Forgets everything of an earlier parse.
    void reset();

    void beginField(const QString &instruction);
    void endField();
    void beginLink(const QString &href, const QString &toolTip);
    void endLink();

    void setNoteNumbering(bool endnotes, AbstractRtfOutput::NoteNumbering numbering);
    void setNoteStartNumber(bool endnotes, int number);
    void insertNoteReferenceMark();
    bool beginNote(bool endnote);
    void endNote();

    bool beginComment(const QString &author, const QString &initials, const QDateTime &date);
    void endComment();

    void setTitlePage(bool on) { m_titlePage = on; }
    void setFacingPages(bool on) { m_facingPages = on; }
    bool beginHeaderFooter(AbstractRtfOutput::HeaderFooterKind kind);
    void endHeaderFooter();

    void beginTextBox();
    void endTextBox();

    /// Whether the text goes into the body (no note, comment, header or
    /// text box is open).
    bool inBody() const { return m_parts.empty(); }
    /// Ends the parts an input cut short left open.
    void closeOpenParts();
    /// Whether a notes section or comments follow the body.
    bool hasSections() const { return !m_notes.empty() || !m_comments.empty(); }
    /// Writes the notes section and the comments after the body's last
    /// paragraph.
    void appendSections();
    /// The header or footer to show above (@p footer false) or below the
    /// text, or nullptr.
    PlainText::Cell *headerFooterShown(bool footer);

private:
    enum class Kind { Note, Comment, HeaderFooter, TextBox };
    struct Part;
    struct Note {
        bool endnote = false;
        QString mark;
        bool custom = false;
        std::unique_ptr<PlainText::Cell> content;
    };
    struct Comment {
        QString author;
        QString initials;
        QDateTime date;
        std::unique_ptr<PlainText::Cell> content;
    };

    bool inside(Kind kind) const;
    void enter(Kind kind, int index);
    std::unique_ptr<PlainText::Cell> leave();
    /// What the text document output does to a part as it ends: drops the
    /// white space it starts with and the empty paragraph of a final \par.
    void trim(PlainText::Cell &content);
    void insertReference(const QString &mark, const QString &href);
    /// Starts a paragraph of the notes or comments section: the body's
    /// last paragraph when it is empty, else a new one.
    void startSectionParagraph();
    const PlainText::Cell *headerFooter(AbstractRtfOutput::HeaderFooterKind kind) const;

    PlainTextRtfOutputPrivate &d;
    std::vector<std::unique_ptr<Part>> m_parts;
    int m_textBoxDepth = 0;

    std::vector<Note> m_notes;
    AbstractRtfOutput::NoteNumbering m_numbering[2] = {AbstractRtfOutput::NoteNumbering::Arabic,
                                                        AbstractRtfOutput::NoteNumbering::LowerRoman};
    int m_startNumber[2] = {1, 1};
    int m_count[2] = {0, 0};
    int m_ordinal[2] = {0, 0};
    /// \chftn in the body: where the reference of the next note goes.
    bool m_referencePending = false;
    qint64 m_referenceMoves = 0;
    qsizetype m_referenceOffset = 0;
    bool m_referenceRaised = false;
    QString m_referenceHref;

    std::vector<Comment> m_comments;
    std::vector<std::unique_ptr<PlainText::Cell>> m_headersFooters; // by kind
    bool m_titlePage = false;
    bool m_facingPages = false;

    /// The href of each open link, innermost last.
    QStringList m_links;
    /// Each open field: its instruction, and where its result starts.
    QStringList m_fields;
    QList<qint64> m_fieldStarts;
};

} // namespace Tavisk

#endif
