// Lists of the plain-text output: which paragraphs are list items, their
// numbers, and the marker text stored for readers without lists.

#include "plaintextlists_p.h"

#include "plaintextrtfoutput_p.h"

#include "common/listmarkers_p.h"

#include <algorithm>
#include <limits>

namespace Tavisk
{

namespace
{
// The key of the chain of Word 6 numbering; override numbers are ints.
constexpr qint64 numberingKey = qint64(std::numeric_limits<int>::min()) - 1;

// The text document output spreads a long list over several QTextLists of
// this many items, numbered on from each other; a list in another QTextList
// runs on from the number the last one reached.
constexpr int maximumListItems = 256;
} // namespace

PlainTextLists::PlainTextLists(PlainTextRtfOutputPrivate &output)
    : d(output)
{
}

void PlainTextLists::reset()
{
    m_lists.clear();
    m_overrides.clear();
    m_membership = Membership();
    m_textLists.clear();
    m_chains.clear();
    m_run = 0;
    m_heldText.clear();
    m_held = false;
    m_listTextDepth = 0;
    m_paragraphHasListText = false;
    m_documentHasListText = false;
    m_formatChangedInListText = false;
    m_savedMembership = Membership();
}

void PlainTextLists::defineList(int listId, const QList<ListLevel> &levels)
{
    m_lists.insert(listId, levels);
}

void PlainTextLists::defineListOverride(int overrideNumber, int listId, const QMap<int, int> &startAt)
{
    m_overrides.insert(overrideNumber, Override{listId, startAt});
}

void PlainTextLists::setParagraphListOverride(int overrideNumber)
{
    m_membership.overrideNumber = overrideNumber;
}

void PlainTextLists::setParagraphListLevel(int level)
{
    m_membership.level = qBound(0, level, 8);
}

void PlainTextLists::setParagraphNumbering(const ListLevel &level, int levelIndex)
{
    m_membership.numbered = true;
    m_membership.numbering = level;
    m_membership.numberingLevel = qBound(0, levelIndex, 8);
}

void PlainTextLists::resetParagraph()
{
    // Field by field: a new ListLevel allocates, and the numbering level
    // is only read while numbered is set.
    m_membership.overrideNumber = -1;
    m_membership.level = 0;
    m_membership.numbered = false;
    m_membership.numberingLevel = 0;
}

void PlainTextLists::beginListText()
{
    // Paragraph words inside the marker ({\listtext\pard\plain ...}, as Word
    // writes it) belong to the group: the paragraph keeps its own list.
    if (m_listTextDepth++ == 0) {
        m_savedMembership = m_membership;
        m_savedHeading = d.m_heading;
        m_formatChangedInListText = false;
    }
    m_paragraphHasListText = true;
    m_documentHasListText = true;
}

void PlainTextLists::endListText()
{
    if (m_listTextDepth == 0 || --m_listTextDepth > 0)
        return;
    m_membership = m_savedMembership;
    if (m_formatChangedInListText) {
        // The paragraph gets its format back.
        m_formatChangedInListText = false;
        d.m_heading = m_savedHeading;
        d.insertionPoint();
    }
}

bool PlainTextLists::takeText(QStringView text)
{
    if (m_listTextDepth > 0) {
        if (!m_heldText.isEmpty() && m_heldText.last().format == d.m_format)
            m_heldText.last().text += text;
        else
            m_heldText.append(HeldRun{text.toString(), d.m_format});
        m_held = true;
        return true;
    }
    settleMarker();
    return false;
}

void PlainTextLists::settleMarker()
{
    if (!m_held || m_listTextDepth > 0)
        return;
    m_held = false;
    const QList<HeldRun> held = std::move(m_heldText);
    m_heldText.clear();
    if (isListItem())
        return;
    // Not a list item (or one of a list that cannot be drawn): the marker
    // is all there is of its number, so it is shown, each run in its own
    // format.
    d.insertionPoint();
    d.applyPendingFormats();
    const PlainText::CharacterFormat current = d.m_format;
    d.m_formatLost = false;
    for (const HeldRun &run : held) {
        d.m_format = run.format;
        d.putText(run.text);
        d.insertionPoint();
    }
    d.m_format = current;
    d.characterFormatChanged();
}

PlainTextLists::Format PlainTextLists::formatFor(const ListLevel &level, int levelIndex)
{
    Format format;
    format.indent = levelIndex + 1;
    switch (level.numberStyle()) {
    case ListNumberStyle::Bullet:
    case ListNumberStyle::None:
        format.style = ListMarkers::bulletStyle(level.bulletText());
        return format;
    case ListNumberStyle::Decimal:
        format.style = QTextListFormat::ListDecimal;
        break;
    case ListNumberStyle::UpperRoman:
        format.style = QTextListFormat::ListUpperRoman;
        break;
    case ListNumberStyle::LowerRoman:
        format.style = QTextListFormat::ListLowerRoman;
        break;
    case ListNumberStyle::UpperAlpha:
        format.style = QTextListFormat::ListUpperAlpha;
        break;
    case ListNumberStyle::LowerAlpha:
        format.style = QTextListFormat::ListLowerAlpha;
        break;
    }
    format.numbered = true;
    format.prefix = level.numberPrefix();
    format.suffix = level.numberSuffix();
    format.startAt = level.startAt();
    return format;
}

bool PlainTextLists::resolve(Resolved *resolved) const
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

bool PlainTextLists::isListItem() const
{
    Resolved resolved;
    return resolve(&resolved);
}

int PlainTextLists::listFor(const Resolved &resolved)
{
    QList<OpenList> &chain = m_chains[resolved.key];
    // The deeper levels end here: their numbers start again next time.
    chain.resize(resolved.level + 1);
    OpenList &open = chain[resolved.level];
    const Format format = formatFor(resolved.format, resolved.level);
    List list;
    list.format = format;
    list.document = d.m_document;
    // A note or header is a document of its own: a list of the body does
    // not go on in it, nor one of the note in the body.
    const bool usable = open.list >= 0 && !m_textLists[size_t(open.list)].gone
        && m_textLists[size_t(open.list)].document == d.m_document;
    if (usable && open.format == format) {
        const List &current = m_textLists[size_t(open.list)];
        if (open.run == m_run && current.count < maximumListItems)
            return open.list;
        // After other paragraphs, or after many items, the list goes on in a
        // new list whose numbers go on.
        open.itemsBefore += current.count;
        list.start = resolved.format.startAt() + open.itemsBefore;
    } else {
        open.itemsBefore = 0;
        list.start = resolved.format.startAt();
    }
    m_textLists.push_back(list);
    open.list = int(m_textLists.size()) - 1;
    open.format = format;
    open.run = m_run;
    return open.list;
}

void PlainTextLists::endParagraph(bool atEnd)
{
    settleMarker();
    const bool hasListText = m_paragraphHasListText;
    m_paragraphHasListText = false;

    Resolved resolved;
    bool item = resolve(&resolved);
    // The empty paragraph after the last \par is no item.
    if (item && atEnd && d.paragraph().length == 0 && !hasListText)
        item = false;
    if (!item || resolved.key != numberingKey)
        m_chains.remove(numberingKey);
    if (!item) {
        ++m_run;
        return;
    }

    const auto chain = m_chains.constFind(resolved.key);
    if (resolved.key != numberingKey && m_documentHasListText && !hasListText && chain != m_chains.constEnd()
        && chain->size() > resolved.level && chain->at(resolved.level).list >= 0
        && !m_textLists[size_t(chain->at(resolved.level).list)].gone) {
        // The writer stores a marker before each item; a paragraph of the
        // list without one is a further paragraph of the item before.
        ++m_run;
        return;
    }

    const int index = listFor(resolved);
    List &list = m_textLists[size_t(index)];
    d.paragraph().list = index;
    d.paragraph().number = list.start + list.count;
    ++list.count;
}

void PlainTextLists::itemRemoved(const PlainText::Paragraph &paragraph)
{
    List &list = m_textLists[size_t(paragraph.list)];
    if (--list.count == 0)
        list.gone = true;
}

void PlainTextLists::documentClosed(int document)
{
    for (List &list : m_textLists) {
        if (list.document == document)
            list.gone = true;
    }
}

void PlainTextLists::itemAdded(int list)
{
    ++m_textLists[size_t(list)].count;
}

void PlainTextLists::itemMoved(const PlainText::Paragraph &paragraph)
{
    if (paragraph.list < 0)
        return;
    List &list = m_textLists[size_t(paragraph.list)];
    if (list.count == 1)
        list.gone = true;
}

QString PlainTextLists::marker(const PlainText::Paragraph &paragraph) const
{
    return paragraph.list < 0 ? QString() : markerText(paragraph.list, paragraph.number);
}

QString PlainTextLists::markerText(int list, int number) const
{
    const Format &format = m_textLists[size_t(list)].format;
    return ListMarkers::plainTextMarker(format.style, number, format.prefix, format.suffix, format.indent);
}

PlainTextLists::TableNumbering::TableNumbering(const PlainTextLists &lists, const PlainText::Table &table)
    : m_lists(lists)
{
    QHash<int, int> inTable;
    PlainText::countItems(table, inTable);
    for (auto it = inTable.cbegin(); it != inTable.cend(); ++it) {
        const List &list = lists.m_textLists[size_t(it.key())];
        m_next.insert(it.key(), list.start + list.count - it.value());
    }
}

QString PlainTextLists::TableNumbering::marker(const PlainText::Paragraph &paragraph)
{
    if (paragraph.list < 0)
        return QString();
    return m_lists.markerText(paragraph.list, m_next[paragraph.list]++);
}

void PlainTextLists::finishParse()
{
    // Whatever a truncated file left in an open marker group is shown or
    // dropped like any marker.
    bool formatPending = false;
    if (m_listTextDepth > 0) {
        m_listTextDepth = 1;
        formatPending = m_formatChangedInListText;
        endListText();
    }
    endParagraph(true);
    // The paragraph format the marker group gave back reaches the paragraph
    // after this, and takes the list item format with it.
    PlainText::Paragraph &paragraph = d.paragraph();
    if (formatPending && paragraph.list >= 0) {
        itemRemoved(paragraph);
        paragraph.list = -1;
    }
}

} // namespace Tavisk
