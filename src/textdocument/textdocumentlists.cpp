// Lists in the text document: the list and override tables, each
// paragraph's list, and the marker text stored for readers without lists.

#include "textdocumentlists_p.h"

#include "textdocumentrtfoutput_p.h"

#include "common/listmarkers_p.h"

#include <tavisk/textdocumentrtfoutput.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextListFormat>

#include <limits>

namespace Tavisk
{

namespace
{
// The key of the chain of Word 6 numbering; override numbers are ints.
constexpr qint64 numberingKey = qint64(std::numeric_limits<int>::min()) - 1;

// QTextListFormat's start number (QTextFormat::ListStart from Qt 6.6 on).
// Set by number so that a document made with an older Qt keeps it for a
// newer one and for the tools that read it.
constexpr int listStartProperty = 0x3004;

// Adding an item to a QTextList costs time in proportion to the items it
// holds (Qt marks them all for a new layout), so a list of n items costs n
// squared. Longer lists are made of several QTextLists of this many items,
// numbered on from each other.
constexpr int maximumListItems = 256;

QTextListFormat listFormat(const ListLevel &level, int levelIndex)
{
    QTextListFormat format;
    format.setIndent(levelIndex + 1);
    switch (level.numberStyle()) {
    case ListNumberStyle::Bullet:
    case ListNumberStyle::None:
        format.setStyle(ListMarkers::bulletStyle(level.bulletText()));
        return format;
    case ListNumberStyle::Decimal:
        format.setStyle(QTextListFormat::ListDecimal);
        break;
    case ListNumberStyle::UpperRoman:
        format.setStyle(QTextListFormat::ListUpperRoman);
        break;
    case ListNumberStyle::LowerRoman:
        format.setStyle(QTextListFormat::ListLowerRoman);
        break;
    case ListNumberStyle::UpperAlpha:
        format.setStyle(QTextListFormat::ListUpperAlpha);
        break;
    case ListNumberStyle::LowerAlpha:
        format.setStyle(QTextListFormat::ListLowerAlpha);
        break;
    }
    format.setNumberPrefix(level.numberPrefix());
    format.setNumberSuffix(level.numberSuffix());
    if (level.startAt() != 1)
        format.setProperty(listStartProperty, level.startAt());
    return format;
}
} // namespace

TextDocumentLists::TextDocumentLists(TextDocumentRtfOutputPrivate &output)
    : d(output)
{
}

TextDocumentLists::~TextDocumentLists() = default;

void TextDocumentLists::defineList(int listId, const QList<ListLevel> &levels)
{
    m_lists.insert(listId, levels);
}

void TextDocumentLists::defineListOverride(int overrideNumber, int listId, const QMap<int, int> &startAt)
{
    m_overrides.insert(overrideNumber, Override{listId, startAt});
}

void TextDocumentLists::setParagraphListOverride(int overrideNumber)
{
    m_membership.overrideNumber = overrideNumber;
}

void TextDocumentLists::setParagraphListLevel(int level)
{
    m_membership.level = qBound(0, level, 8);
}

void TextDocumentLists::setParagraphNumbering(const ListLevel &level, int levelIndex)
{
    m_membership.numbered = true;
    m_membership.numbering = level;
    m_membership.numberingLevel = qBound(0, levelIndex, 8);
}

void TextDocumentLists::resetParagraph()
{
    m_membership = Membership();
}

void TextDocumentLists::beginListText()
{
    // Paragraph words inside the marker ({\listtext\pard\plain ...}, as Word
    // writes it) belong to the group: the paragraph keeps its own.
    if (m_listTextDepth++ == 0) {
        m_savedMembership = m_membership;
        m_savedParagraphFormat = d.m_paragraphFormat;
    }
    m_paragraphHasListText = true;
    m_documentHasListText = true;
}

void TextDocumentLists::endListText()
{
    if (m_listTextDepth == 0 || --m_listTextDepth > 0)
        return;
    m_membership = m_savedMembership;
    if (d.m_paragraphFormat != m_savedParagraphFormat) {
        d.m_paragraphFormat = m_savedParagraphFormat;
        d.applyParagraphFormat();
    }
}

bool TextDocumentLists::takeText(const QString &text, const QTextCharFormat &format)
{
    if (m_listTextDepth > 0) {
        if (!m_heldText.isEmpty() && m_heldText.last().second == format)
            m_heldText.last().first += text;
        else
            m_heldText.append(qMakePair(text, format));
        return true;
    }
    settleMarker();
    return false;
}

void TextDocumentLists::settleMarker()
{
    if (m_heldText.isEmpty() || m_listTextDepth > 0)
        return;
    const QList<QPair<QString, QTextCharFormat>> held = std::move(m_heldText);
    m_heldText.clear();
    if (isListItem())
        return;
    // Not a list item (or one of a list this output cannot draw): the
    // marker is all there is of its number, so it is shown.
    d.flushText();
    d.applyPendingFormats();
    QTextCursor &cursor = *d.m_cursor;
    cursor.beginEditBlock();
    for (const auto &run : held)
        cursor.insertText(run.first, run.second);
    cursor.endEditBlock();
    // The text after the marker has the format of its own group.
    d.applyCharFormat();
}

bool TextDocumentLists::resolve(Resolved *resolved) const
{
    if (m_membership.overrideNumber >= 0) {
        const auto override = m_overrides.constFind(m_membership.overrideNumber);
        if (override != m_overrides.constEnd()) {
            const auto list = m_lists.constFind(override->listId);
            if (list != m_lists.constEnd() && !list->isEmpty()) {
                // A simple list has one level for all.
                const int level = qBound(0, m_membership.level, int(list->size()) - 1);
                ListLevel format = list->at(level);
                const auto startAt = override->startAt.constFind(level);
                if (startAt != override->startAt.constEnd())
                    format.setStartAt(startAt.value());
                if (format.numberStyle() == ListNumberStyle::None)
                    return false;
                *resolved = Resolved{m_membership.overrideNumber, level, format};
                return true;
            }
        }
    }
    if (m_membership.numbered) {
        *resolved = Resolved{numberingKey, m_membership.numberingLevel, m_membership.numbering};
        return true;
    }
    return false;
}

bool TextDocumentLists::isListItem() const
{
    Resolved resolved;
    return resolve(&resolved);
}

QTextList *TextDocumentLists::listFor(const Resolved &resolved)
{
    QList<OpenList> &chain = m_chains[resolved.key];
    // The deeper levels end here: their numbers start again next time.
    chain.resize(resolved.level + 1);
    OpenList &open = chain[resolved.level];
    const QTextListFormat format = listFormat(resolved.format, resolved.level);
    QTextList *list = open.list;
    // A note or header is a document of its own: a list of the body does
    // not go on in it, nor one of the note in the body.
    if (list && list->document() != d.m_cursor->document())
        list = nullptr;
    if (list && open.format == format) {
        if (open.run == m_run && list->count() < maximumListItems)
            return list;
        // After other paragraphs, or after many items, the list goes on in a
        // new QTextList whose numbers go on: a QTextList spread over the
        // document would cost time with every item, as a long one does.
        open.itemsBefore += list->count();
        QTextListFormat next = format;
        next.setProperty(listStartProperty, resolved.format.startAt() + open.itemsBefore);
        list = d.m_cursor->createList(next);
    } else {
        open.itemsBefore = 0;
        list = d.m_cursor->createList(format);
    }
    open.list = list;
    open.format = format;
    open.run = m_run;
    return list;
}

void TextDocumentLists::endParagraph(bool atEnd)
{
    settleMarker();
    const bool hasListText = m_paragraphHasListText;
    m_paragraphHasListText = false;
    m_blockFormatChanged = false;

    Resolved resolved;
    bool item = resolve(&resolved);
    QTextCursor &cursor = *d.m_cursor;
    // The empty paragraph after the last \par is no item.
    if (item && atEnd && cursor.block().length() <= 1 && !hasListText)
        item = false;
    if (!item || resolved.key != numberingKey)
        m_chains.remove(numberingKey);
    if (!item) {
        ++m_run;
        return;
    }

    cursor.beginEditBlock();
    const auto chain = m_chains.constFind(resolved.key);
    if (resolved.key != numberingKey && m_documentHasListText && !hasListText && chain != m_chains.constEnd()
        && chain->size() > resolved.level && chain->at(resolved.level).list) {
        // The writer stores a marker before each item; a paragraph of the
        // list without one is a further paragraph of the item before.
        QTextBlockFormat format = cursor.blockFormat();
        format.setTextIndent(0);
        cursor.setBlockFormat(format);
        cursor.endEditBlock();
        m_blockFormatChanged = true;
        ++m_run;
        return;
    }

    QTextList *list = listFor(resolved);
    // The list indents its items by its indent; the paragraph's own indent
    // is what is left of the writer's, and the marker hangs in the list's.
    // One format change makes the paragraph an item and sets its indents:
    // each change of an item costs time in proportion to the list's length.
    QTextBlockFormat format = cursor.blockFormat();
    format.setObjectIndex(list->objectIndex());
    const double listIndent = (resolved.level + 1) * d.m_document->indentWidth();
    format.setLeftMargin(qMax(0.0, format.leftMargin() - listIndent));
    format.setTextIndent(0);
    format.setIndent(0);
    cursor.setBlockFormat(format);
    cursor.endEditBlock();
    m_blockFormatChanged = true;
}

bool TextDocumentLists::blockFormatChanged() const
{
    return m_blockFormatChanged;
}

void TextDocumentLists::finishParse()
{
    // Whatever a truncated file left in an open marker group is shown or
    // dropped like any marker.
    if (m_listTextDepth > 0) {
        m_listTextDepth = 1;
        endListText();
    }
    endParagraph(true);
}

// ---- TextDocumentRtfOutput's list operations ----

void TextDocumentRtfOutput::defineList(int listId, const QList<ListLevel> &levels)
{
    d->m_lists.defineList(listId, levels);
}

void TextDocumentRtfOutput::defineListOverride(int overrideNumber, int listId, const QMap<int, int> &startAt)
{
    d->m_lists.defineListOverride(overrideNumber, listId, startAt);
}

void TextDocumentRtfOutput::setParagraphListOverride(int overrideNumber)
{
    d->m_lists.setParagraphListOverride(overrideNumber);
}

void TextDocumentRtfOutput::setParagraphListLevel(int level)
{
    d->m_lists.setParagraphListLevel(level);
}

void TextDocumentRtfOutput::setParagraphNumbering(const ListLevel &level, int levelIndex)
{
    d->m_lists.setParagraphNumbering(level, levelIndex);
}

void TextDocumentRtfOutput::beginListText()
{
    d->m_lists.beginListText();
}

void TextDocumentRtfOutput::endListText()
{
    d->m_lists.endListText();
}

} // namespace Tavisk
