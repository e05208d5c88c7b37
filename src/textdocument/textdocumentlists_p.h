#ifndef TAVISK_TEXTDOCUMENTLISTS_P_H
#define TAVISK_TEXTDOCUMENTLISTS_P_H

#include <tavisk/listlevel.h>

#include <QHash>
#include <QList>
#include <QMap>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextList>
#include <QTextListFormat>

namespace Tavisk
{

class TextDocumentRtfOutputPrivate;

/**
 * The lists of a TextDocumentRtfOutput: the list and override tables, the
 * list the current paragraph belongs to, and the QTextList objects made so
 * far.
 *
 * A paragraph's list is decided when the paragraph ends: its \ls, \ilvl
 * and Word 6 numbering may come anywhere in it. The marker text a writer
 * stores for readers without lists ({\listtext ...}) is held back until the
 * paragraph's first text: dropped if the paragraph is a list item by then,
 * inserted otherwise.
 *
 * Items of one list override and level are numbered on through the
 * document, as Word numbers them: a run of consecutive items shares one
 * QTextList, and the items after other paragraphs go to a new QTextList
 * whose numbers go on. An item at a level ends the lists of the deeper
 * levels, whose numbers then start again. Word 6 numbering ends with the
 * first paragraph that has none.
 */
class TextDocumentLists
{
public:
    explicit TextDocumentLists(TextDocumentRtfOutputPrivate &output);
    ~TextDocumentLists();

    void defineList(int listId, const QList<ListLevel> &levels);
    void defineListOverride(int overrideNumber, int listId, const QMap<int, int> &startAt);
    void setParagraphListOverride(int overrideNumber);
    void setParagraphListLevel(int level);
    void setParagraphNumbering(const ListLevel &level, int levelIndex);
    /// \pard: the paragraph belongs to no list.
    void resetParagraph();

    void beginListText();
    void endListText();

    /// Whether text must go through takeText() first: list text is being
    /// held, or is waiting for the paragraph's first text.
    bool wantsText() const { return m_listTextDepth > 0 || !m_heldText.isEmpty(); }
    /// Whether a list marker is being read: text and paragraph ends belong
    /// to the marker.
    bool readingListText() const { return m_listTextDepth > 0; }
    /// Holds @p text in @p format while list text is read; otherwise
    /// settles the held marker before the paragraph's text and returns
    /// false, so the caller inserts @p text.
    bool takeText(const QString &text, const QTextCharFormat &format);
    /// Settles the held marker before something other than text (a picture)
    /// reaches the paragraph.
    void settleMarker();

    /// The paragraph at the cursor ends (\par, or the end of the parse when
    /// @p atEnd): settles its marker and makes it a list item if it is one.
    void endParagraph(bool atEnd);
    /// Whether endParagraph() changed the paragraph's block (made it a list
    /// item): the next paragraph must then not take over its block format,
    /// list included.
    bool blockFormatChanged() const;
    /// The parse ends: a marker group the file left open ends here, and
    /// the last paragraph ends.
    void finishParse();

private:
    struct Membership {
        int overrideNumber = -1;
        int level = 0;
        bool numbered = false; // Word 6 numbering
        ListLevel numbering;
        int numberingLevel = 0;
    };
    struct Override {
        int listId = 0;
        QMap<int, int> startAt;
    };
    struct Resolved {
        qint64 key = 0; // the override number, or numberingKey
        int level = 0;
        ListLevel format;
    };

    bool resolve(Resolved *resolved) const;
    bool isListItem() const;
    QTextList *listFor(const Resolved &resolved);

    TextDocumentRtfOutputPrivate &d;
    QHash<int, QList<ListLevel>> m_lists;
    QHash<int, Override> m_overrides;
    Membership m_membership;
    // The list a level's items go to, the format the level asks for, and
    // the number of items in the lists of the level before this one.
    struct OpenList {
        QPointer<QTextList> list;
        QTextListFormat format;
        int itemsBefore = 0;
        int run = 0; // m_run of the last item
    };
    // Each chain holds the open list of every level.
    QHash<qint64, QList<OpenList>> m_chains;
    // Counts the paragraphs that are no list items: items of one run of
    // consecutive items share their QTextLists.
    int m_run = 0;

    // The marker being read or held, in runs of one format each.
    QList<QPair<QString, QTextCharFormat>> m_heldText;
    int m_listTextDepth = 0;
    bool m_paragraphHasListText = false;
    bool m_documentHasListText = false;
    bool m_blockFormatChanged = false;
    Membership m_savedMembership;
    QTextBlockFormat m_savedParagraphFormat;
};

} // namespace Tavisk

#endif
