// The structure of the plain-text output besides the flow of text: links,
// fields, notes, comments, headers and footers, text boxes.

#include "plaintextstructure_p.h"

#include "plaintextrtfoutput_p.h"

#include "reader/logging_p.h"
#include "textdocument/textdocumentstructure_p.h"

#include <algorithm>

namespace Tavisk
{

namespace
{
using HeaderFooterKind = AbstractRtfOutput::HeaderFooterKind;

constexpr int LargestStartNumber = 1000000;
constexpr int HeaderFooterKinds = 8;

/// Removes the white space at the start of @p paragraph, as far as the text
/// shows it.
void dropLeadingSpaces(PlainText::Paragraph &paragraph)
{
    qsizetype count = 0;
    while (count < paragraph.text.size() && paragraph.text.at(count).isSpace())
        ++count;
    paragraph.removeStart(count);
}
} // namespace

/// A part of the document kept apart while its text arrives.
struct PlainTextStructure::Part {
    Kind kind;
    int index;
    std::unique_ptr<PlainText::Cell> content;
    PlainTextRtfOutputPrivate::Place outer;
};

PlainTextStructure::PlainTextStructure(PlainTextRtfOutputPrivate &output)
    : d(output)
{
}

PlainTextStructure::~PlainTextStructure() = default;

void PlainTextStructure::reset()
{
    m_parts.clear();
    m_textBoxDepth = 0;
    m_notes.clear();
    m_numbering[0] = AbstractRtfOutput::NoteNumbering::Arabic;
    m_numbering[1] = AbstractRtfOutput::NoteNumbering::LowerRoman;
    m_startNumber[0] = m_startNumber[1] = 1;
    m_count[0] = m_count[1] = 0;
    m_ordinal[0] = m_ordinal[1] = 0;
    m_referencePending = false;
    m_comments.clear();
    m_headersFooters.clear();
    m_headersFooters.resize(HeaderFooterKinds);
    m_titlePage = false;
    m_facingPages = false;
    m_links.clear();
    m_fields.clear();
    m_fieldStarts.clear();
}

bool PlainTextStructure::inside(Kind kind) const
{
    return std::any_of(m_parts.cbegin(), m_parts.cend(), [kind](const auto &part) { return part->kind == kind; });
}

void PlainTextStructure::enter(Kind kind, int index)
{
    d.insertionPoint();
    auto part = std::make_unique<Part>();
    part->kind = kind;
    part->index = index;
    part->content = std::make_unique<PlainText::Cell>();
    part->content->addParagraph();
    part->outer = d.enterApart(part->content.get());
    m_parts.push_back(std::move(part));
}

std::unique_ptr<PlainText::Cell> PlainTextStructure::leave()
{
    d.insertionPoint();
    // Tables left open inside are closed in the part.
    d.m_tables->finish();
    std::unique_ptr<Part> part = std::move(m_parts.back());
    m_parts.pop_back();
    d.leaveApart(std::move(part->outer));
    trim(*part->content);
    return std::move(part->content);
}

void PlainTextStructure::trim(PlainText::Cell &content)
{
    // White space at the start goes, up to the first other character.
    PlainText::Paragraph &first = *content.items.front().paragraph;
    if (first.leadingDone) {
        first.removeStart(first.leadingSpacesInText);
        first.length -= first.leadingSpaces - first.leadingSpacesInText;
    } else {
        first.removeStart(first.text.size());
        first.length = 0;
        first.keptLength = 0;
    }
    first.leadingSpaces = first.leadingSpacesInText = 0;
    // The empty paragraph a final \par leaves is joined to the one before:
    // when that one is empty too, it goes, and with it its block format.
    std::vector<PlainText::Item> &items = content.items;
    if (items.size() >= 2 && items.back().paragraph && items.back().paragraph->length == 0
        && items[items.size() - 2].paragraph) {
        PlainText::Paragraph &previous = *items[items.size() - 2].paragraph;
        if (previous.length == 0) {
            if (previous.list >= 0)
                d.m_lists.itemRemoved(previous);
            previous.list = items.back().paragraph->list;
            previous.number = items.back().paragraph->number;
        }
        items.pop_back();
    }
}

// ---- fields and links ----

void PlainTextStructure::beginField(const QString &instruction)
{
    d.insertionPoint();
    d.m_format.field = instruction;
    d.characterFormatChanged();
    m_fields.append(instruction);
    m_fieldStarts.append(d.m_moves);
    m_fieldStarts.append(d.paragraph().length);
}

void PlainTextStructure::endField()
{
    if (m_fields.isEmpty())
        return;
    const QString instruction = m_fields.takeLast();
    const qsizetype length = m_fieldStarts.takeLast();
    const qint64 moves = m_fieldStarts.takeLast();
    d.insertionPoint();
    // A page number without a result in a header or footer gets one, for
    // the pages to replace.
    if (inside(Kind::HeaderFooter) && moves == d.m_moves && length == d.paragraph().length) {
        const QString name = instruction.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty).toUpper();
        if (name == QLatin1String("PAGE") || name == QLatin1String("NUMPAGES")
            || name == QLatin1String("SECTIONPAGES")) {
            d.applyPendingFormats();
            d.putText(u"1");
            d.insertionPoint();
            d.m_characterFormatPending = true;
        }
    }
    // The result's group normally took the mark with it; a result written
    // without a group of its own still has it.
    if (d.m_format.field == instruction) {
        d.m_format.field = m_fields.isEmpty() ? QString() : m_fields.last();
        d.characterFormatChanged();
    }
}

void PlainTextStructure::beginLink(const QString &href, const QString &toolTip)
{
    m_links.append(href);
    PlainText::CharacterFormat &format = d.m_format;
    format.anchor = true;
    format.href = href;
    if (!toolTip.isEmpty())
        format.toolTip = toolTip;
    d.characterFormatChanged();
}

void PlainTextStructure::endLink()
{
    if (m_links.isEmpty())
        return;
    const QString href = m_links.takeLast();
    PlainText::CharacterFormat &format = d.m_format;
    if (format.anchor && format.href == href) {
        if (m_links.isEmpty()) {
            format.anchor = false;
            format.href = QString();
            format.toolTip = QString();
        } else {
            format.href = m_links.last();
        }
        d.characterFormatChanged();
    }
}

// ---- notes ----

void PlainTextStructure::setNoteNumbering(bool endnotes, AbstractRtfOutput::NoteNumbering numbering)
{
    m_numbering[endnotes ? 1 : 0] = numbering;
}

void PlainTextStructure::setNoteStartNumber(bool endnotes, int number)
{
    m_startNumber[endnotes ? 1 : 0] = std::clamp(number, 0, LargestStartNumber);
}

void PlainTextStructure::insertNoteReferenceMark()
{
    // Inside a note, \chftn is the note's own number, which the notes
    // section writes itself.
    if (inside(Kind::Note))
        return;
    d.insertionPoint();
    m_referencePending = true;
    m_referenceMoves = d.m_moves;
    m_referenceOffset = d.paragraph().text.size();
    m_referenceRaised = d.m_format.raised();
}

void PlainTextStructure::insertReference(const QString &mark, const QString &href)
{
    PlainText::Paragraph &paragraph = d.paragraph();
    // Where \chftn stood, if that is still in the paragraph being read.
    const qsizetype offset = m_referenceMoves == d.m_moves ? std::min(m_referenceOffset, paragraph.text.size())
                                                           : paragraph.text.size();
    if (offset == paragraph.text.size()) {
        paragraph.leadingDone = true;
        if (!m_referenceRaised)
            paragraph.raisedStart = -1;
        else if (paragraph.raisedStart < 0)
            paragraph.raisedStart = paragraph.text.size();
        paragraph.appendLinked(mark, href);
    } else {
        paragraph.text.insert(offset, mark);
        // The links after the mark move on; one around it is cut in two.
        std::vector<PlainText::Link> links;
        for (const PlainText::Link &link : paragraph.links) {
            if (link.end <= offset) {
                links.push_back(link);
            } else if (link.start >= offset) {
                links.push_back(PlainText::Link{link.start + mark.size(), link.end + mark.size(), link.href});
            } else {
                links.push_back(PlainText::Link{link.start, offset, link.href});
                links.push_back(PlainText::Link{offset + mark.size(), link.end + mark.size(), link.href});
            }
        }
        const auto at = std::find_if(links.begin(), links.end(),
                                     [offset](const PlainText::Link &link) { return link.start >= offset; });
        links.insert(at, PlainText::Link{offset, offset + mark.size(), href});
        const bool lastLinked = paragraph.lastLink >= 0;
        paragraph.links = std::move(links);
        paragraph.lastLink = lastLinked ? int(paragraph.links.size()) - 1 : -1;
        if (paragraph.raisedStart > offset)
            paragraph.raisedStart += mark.size();
    }
    paragraph.length += mark.size();
    paragraph.keptLength += mark.size();
}

bool PlainTextStructure::beginNote(bool endnote)
{
    if (inside(Kind::Note) || inside(Kind::Comment) || inside(Kind::HeaderFooter)) {
        qCDebug(lcRtf) << "dropping a note inside a note, comment, header or footer";
        return false;
    }
    d.insertionPoint();
    const int kind = endnote ? 1 : 0;
    Note note;
    note.endnote = endnote;
    const QString href = QStringLiteral("#%1-%2")
                             .arg(endnote ? QStringLiteral("endnote") : QStringLiteral("footnote"))
                             .arg(++m_ordinal[kind]);
    PlainText::Paragraph &paragraph = d.paragraph();
    if (m_referencePending) {
        m_referencePending = false;
        note.mark = TextDocumentStructure::noteNumberText(m_startNumber[kind] + m_count[kind]++, m_numbering[kind]);
        insertReference(note.mark, href);
    } else {
        // A custom mark: the raised text just before the note.
        if (paragraph.raisedStart >= 0) {
            note.mark = paragraph.text.view().mid(paragraph.raisedStart).trimmed().toString();
            note.custom = !note.mark.isEmpty();
        }
        if (note.custom) {
            // The mark becomes the reference: a link to the note.
            const qsizetype start = paragraph.raisedStart;
            std::vector<PlainText::Link> links;
            for (PlainText::Link link : paragraph.links) {
                link.end = std::min(link.end, start);
                if (link.end > link.start)
                    links.push_back(link);
            }
            links.push_back(PlainText::Link{start, paragraph.text.size(), href});
            paragraph.links = std::move(links);
            paragraph.lastLink = int(paragraph.links.size()) - 1;
            paragraph.lastHref = href;
        } else {
            // No mark at all: the note still gets a number to be found by.
            note.mark = TextDocumentStructure::noteNumberText(m_startNumber[kind] + m_count[kind]++, m_numbering[kind]);
            m_referenceMoves = -1;
            m_referenceRaised = true;
            insertReference(note.mark, href);
        }
    }
    m_notes.push_back(std::move(note));
    enter(Kind::Note, int(m_notes.size()) - 1);
    return true;
}

void PlainTextStructure::endNote()
{
    if (m_parts.empty() || m_parts.back()->kind != Kind::Note)
        return;
    Note &note = m_notes[size_t(m_parts.back()->index)];
    note.content = leave();
    // A note with a custom mark repeats the mark as its first text, where
    // others have \chftn; the notes section writes the mark itself.
    if (!note.custom)
        return;
    PlainText::Paragraph &first = *note.content->items.front().paragraph;
    if (first.text.view().startsWith(note.mark)) {
        first.removeStart(note.mark.size());
        dropLeadingSpaces(first);
        first.leadingDone = true;
        trim(*note.content);
    }
}

// ---- comments ----

bool PlainTextStructure::beginComment(const QString &author, const QString &initials, const QDateTime &date)
{
    if (inside(Kind::Comment) || inside(Kind::HeaderFooter)) {
        qCDebug(lcRtf) << "dropping a comment inside a comment, header or footer";
        return false;
    }
    m_comments.push_back(Comment{author, initials, date, nullptr});
    enter(Kind::Comment, int(m_comments.size()) - 1);
    return true;
}

void PlainTextStructure::endComment()
{
    if (m_parts.empty() || m_parts.back()->kind != Kind::Comment)
        return;
    const int index = m_parts.back()->index;
    m_comments[size_t(index)].content = leave();
}

// ---- headers and footers ----

bool PlainTextStructure::beginHeaderFooter(AbstractRtfOutput::HeaderFooterKind kind)
{
    if (!inBody()) {
        qCDebug(lcRtf) << "dropping a header or footer inside a note, comment, header, footer or text box";
        return false;
    }
    enter(Kind::HeaderFooter, int(kind));
    return true;
}

void PlainTextStructure::endHeaderFooter()
{
    if (m_parts.empty() || m_parts.back()->kind != Kind::HeaderFooter)
        return;
    const int kind = m_parts.back()->index;
    const int document = d.m_document;
    m_headersFooters[size_t(kind)] = leave();
    // Its lists went with its own document.
    d.m_lists.documentClosed(document);
}

const PlainText::Cell *PlainTextStructure::headerFooter(HeaderFooterKind kind) const
{
    const PlainText::Cell *content = m_headersFooters[size_t(kind)].get();
    return content && !content->isEmpty() ? content : nullptr;
}

PlainText::Cell *PlainTextStructure::headerFooterShown(bool footer)
{
    // The one Word prints on the first page, or on the others when the
    // first has none.
    const auto forPage = [this, footer](int page) -> HeaderFooterKind {
        using Kind = HeaderFooterKind;
        const Kind every = footer ? Kind::Footer : Kind::Header;
        Kind wanted = every;
        if (page == 1 && m_titlePage)
            wanted = footer ? Kind::FooterFirst : Kind::HeaderFirst;
        else if (m_facingPages)
            wanted = page % 2 == 0 ? (footer ? Kind::FooterLeft : Kind::HeaderLeft)
                                   : (footer ? Kind::FooterRight : Kind::HeaderRight);
        if (m_headersFooters[size_t(wanted)])
            return wanted;
        if (wanted == Kind::HeaderFirst || wanted == Kind::FooterFirst)
            return wanted;
        if (m_headersFooters[size_t(every)])
            return every;
        return footer ? Kind::FooterRight : Kind::HeaderRight;
    };
    const PlainText::Cell *content = headerFooter(forPage(1));
    if (!content)
        content = headerFooter(forPage(2));
    return const_cast<PlainText::Cell *>(content);
}

// ---- text boxes ----

void PlainTextStructure::beginTextBox()
{
    // A text box inside a text box adds its paragraphs to the outer one.
    if (m_textBoxDepth++ > 0)
        return;
    enter(Kind::TextBox, 0);
}

void PlainTextStructure::endTextBox()
{
    if (m_textBoxDepth == 0 || --m_textBoxDepth > 0)
        return;
    if (m_parts.empty() || m_parts.back()->kind != Kind::TextBox)
        return;
    const int document = d.m_document;
    const std::unique_ptr<PlainText::Cell> content = leave();
    d.m_lists.documentClosed(document);
    if (content->isEmpty())
        return;
    // The text box's paragraphs stand on their own at the anchor.
    if (d.paragraph().length > 0)
        d.splitParagraph();
    d.insertFragment(*content);
    // The paragraph after it starts with the format of the text box's last
    // paragraph, until the paragraph format in force replaces it.
    const PlainText::Paragraph last = d.paragraph();
    d.splitParagraph();
    if (last.list >= 0) {
        d.paragraph().list = last.list;
        d.paragraph().number = last.number + 1;
        d.m_lists.itemAdded(last.list);
        d.m_inherited = &d.paragraph();
        d.m_inheritedDocument = d.m_document;
    }
}

void PlainTextStructure::closeOpenParts()
{
    // An input cut short leaves its notes, comments and headers open.
    while (!m_parts.empty()) {
        switch (m_parts.back()->kind) {
        case Kind::Note:
            endNote();
            break;
        case Kind::Comment:
            endComment();
            break;
        case Kind::HeaderFooter:
            endHeaderFooter();
            break;
        case Kind::TextBox:
            m_textBoxDepth = 1;
            endTextBox();
            break;
        }
    }
    m_textBoxDepth = 0;
}

// ---- the sections after the body ----

void PlainTextStructure::startSectionParagraph()
{
    PlainText::Paragraph &paragraph = d.paragraph();
    if (paragraph.length == 0 && !d.isFirstParagraph() && !paragraph.heading) {
        paragraph.clear();
        return;
    }
    d.splitParagraph();
    d.paragraph().heading = false;
}

void PlainTextStructure::appendSections()
{
    // The current paragraph is the body's last; its format is the one in
    // force.
    d.paragraph().heading = d.m_heading;
    if (!m_notes.empty()) {
        // A rule, then every footnote and every endnote, each after its
        // mark.
        startSectionParagraph();
        d.paragraph().appendLinked(u"----", QString());
        d.paragraph().length = d.paragraph().keptLength = 4;
        for (const bool endnotes : {false, true}) {
            for (Note &note : m_notes) {
                if (note.endnote != endnotes)
                    continue;
                d.splitParagraph();
                PlainText::Paragraph &paragraph = d.paragraph();
                paragraph.heading = false;
                paragraph.appendLinked(note.mark, QStringLiteral("#footnote-ref"));
                paragraph.appendLinked(u" ", QString());
                paragraph.length += note.mark.size() + 1;
                paragraph.keptLength += note.mark.size() + 1;
                if (note.content && !note.content->isEmpty())
                    d.insertFragment(*note.content);
            }
        }
    }
    if (!m_comments.empty()) {
        startSectionParagraph();
        d.paragraph().appendLinked(u"Comments", QString());
        d.paragraph().length = d.paragraph().keptLength = 8;
        d.paragraph().heading = true;
        for (size_t i = 0; i < m_comments.size(); ++i) {
            const Comment &comment = m_comments[i];
            d.splitParagraph();
            PlainText::Paragraph &paragraph = d.paragraph();
            paragraph.heading = false;
            QString byline;
            if (!comment.author.isEmpty())
                byline = comment.author;
            if (comment.date.isValid())
                byline += (byline.isEmpty() ? QString() : QStringLiteral(", ")) + comment.date.toString(Qt::ISODate);
            const QString label = QStringLiteral("[%1%2]").arg(comment.initials).arg(i + 1)
                + (byline.isEmpty() ? QStringLiteral(" ") : QStringLiteral(" %1: ").arg(byline));
            paragraph.appendLinked(label, QString());
            paragraph.length += label.size();
            paragraph.keptLength += label.size();
            if (comment.content && !comment.content->isEmpty())
                d.insertFragment(*comment.content);
        }
    }
}

} // namespace Tavisk
