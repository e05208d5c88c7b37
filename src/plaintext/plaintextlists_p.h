#ifndef TAVISK_PLAINTEXTLISTS_P_H
#define TAVISK_PLAINTEXTLISTS_P_H

#include "plaintextdocument_p.h"

#include <tavisk/listlevel.h>

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringView>
#include <QTextListFormat>

#include <vector>

namespace Tavisk
{

class PlainTextRtfOutputPrivate;

/**
 * The lists of a PlainTextRtfOutput: which paragraphs are list items, and
 * their markers.
 *
 * The items are numbered exactly as the text document output numbers them
 * (its QTextList objects are followed here by a count of items each): a
 * paragraph's list is decided when it ends; items of one list override and
 * level number on through the document; an item at a level ends the lists
 * of the deeper levels; Word 6 numbering ends with the first paragraph that
 * has none; in a document whose writer stores markers ({\listtext ...}), a
 * paragraph of a list without one continues the item before.
 *
 * The marker text a writer stores for readers without lists is held until
 * the paragraph's first content: dropped if the paragraph is a list item by
 * then, written otherwise.
 */
class PlainTextLists
{
public:
    explicit PlainTextLists(PlainTextRtfOutputPrivate &output);

    /// Forgets every list, for a new document.
    void reset();

    void defineList(int listId, const QList<ListLevel> &levels);
    void defineListOverride(int overrideNumber, int listId, const QMap<int, int> &startAt);
    void setParagraphListOverride(int overrideNumber);
    void setParagraphListLevel(int level);
    void setParagraphNumbering(const ListLevel &level, int levelIndex);
    /// \pard: the paragraph belongs to no list.
    void resetParagraph();

    void beginListText();
    void endListText();
    /// A paragraph property changed: at the end of a marker group, the
    /// paragraph's own properties return.
    void paragraphFormatChanged()
    {
        if (m_listTextDepth > 0)
            m_formatChangedInListText = true;
    }

    /// Whether text must go through takeText() first.
    bool wantsText() const { return m_listTextDepth > 0 || m_held; }
    /// Whether a list marker is being read.
    bool readingListText() const { return m_listTextDepth > 0; }
    /// Holds @p text while list text is read; otherwise settles the held
    /// marker and returns false, so the caller inserts @p text.
    bool takeText(QStringView text);
    /// Settles the held marker before a picture.
    void settleMarker();
    /// The current paragraph ends (\par, or the end of the parse when
    /// @p atEnd): settles its marker and gives it its list marker if it is
    /// a list item.
    void endParagraph(bool atEnd);
    /// The parse ends: a marker group left open ends, and the last
    /// paragraph ends.
    void finishParse();
    /// @p paragraph is no longer an item of its list: in the text document
    /// output its block went, and its block format with it. The items after
    /// it move up; a list left without items is gone.
    void itemRemoved(const PlainText::Paragraph &paragraph);
    /// The block of @p paragraph moved: taken out of its list and put back.
    /// A list that had no other item is gone; the item goes on in a list of
    /// its own.
    void itemMoved(const PlainText::Paragraph &paragraph);
    /// A new item of @p list, in a paragraph that a table's merge made.
    void itemAdded(int list);
    /// The text kept apart in document @p document (a header, footer or
    /// text box) is placed: its lists are gone with it.
    void documentClosed(int document);
    /// The marker of @p paragraph ("1. ", "• "), or an empty string when it
    /// is no list item.
    QString marker(const PlainText::Paragraph &paragraph) const;

    /// The numbers of the list items of a table, in the order of the
    /// document: the items before the table come first in their lists, and
    /// items may have come and gone while the table was built.
    class TableNumbering
    {
    public:
        TableNumbering(const PlainTextLists &lists, const PlainText::Table &table);
        /// The marker of @p paragraph, the next item of the table.
        QString marker(const PlainText::Paragraph &paragraph);

    private:
        const PlainTextLists &m_lists;
        QHash<int, int> m_next; // by list: the number of its next item
    };

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
        qint64 key = 0; // the override number, or the key of Word 6 numbering
        int level = 0;
        ListLevel format;
    };
    /// The parts of a QTextListFormat that tell lists apart.
    struct Format {
        QTextListFormat::Style style = QTextListFormat::ListDisc;
        int indent = 1;
        bool numbered = false;
        QString prefix;
        QString suffix;
        int startAt = 1;
        bool operator==(const Format &other) const
        {
            return style == other.style && indent == other.indent && numbered == other.numbered
                && prefix == other.prefix && suffix == other.suffix && startAt == other.startAt;
        }
    };
    /// One QTextList of the text document output.
    struct List {
        Format format;
        int start = 1; // the number of its first item
        int count = 0; // its items
        int document = 0; // the body, or text kept apart
        bool gone = false; // lost its last item, or its document
    };
    struct OpenList {
        int list = -1; // index into m_textLists
        Format format;
        int itemsBefore = 0;
        int run = 0;
    };

    QString markerText(int list, int number) const;
    static Format formatFor(const ListLevel &level, int levelIndex);
    bool resolve(Resolved *resolved) const;
    bool isListItem() const;
    int listFor(const Resolved &resolved);

    PlainTextRtfOutputPrivate &d;
    QHash<int, QList<ListLevel>> m_lists;
    QHash<int, Override> m_overrides;
    Membership m_membership;
    std::vector<List> m_textLists;
    QHash<qint64, QList<OpenList>> m_chains;
    int m_run = 0;

    // The marker being read or held.
    // In runs of one format each.
    struct HeldRun {
        QString text;
        PlainText::CharacterFormat format;
    };
    QList<HeldRun> m_heldText;
    bool m_held = false;
    int m_listTextDepth = 0;
    bool m_paragraphHasListText = false;
    bool m_documentHasListText = false;
    bool m_formatChangedInListText = false;
    Membership m_savedMembership;
    bool m_savedHeading = false;
};

} // namespace Tavisk

#endif
