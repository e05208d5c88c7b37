// The structure of a TextDocumentRtfOutput besides the flow of text: fields
// and links, bookmarks, notes, comments, headers and footers, text boxes.

#include "textdocumentstructure_p.h"

#include "textdocumentrtfoutput_p.h"

#include "reader/logging_p.h"

#include <tavisk/textdocumentrtfoutput.h>

#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLength>

#include <algorithm>

namespace Tavisk
{

namespace
{
using Numbering = AbstractRtfOutput::NoteNumbering;
using HeaderFooterKind = AbstractRtfOutput::HeaderFooterKind;

// Numbers past this are written in Arabic digits whatever the numbering:
// letters and Roman numerals grow with the number.
constexpr int LargestSpelledNumber = 10000;
constexpr int LargestStartNumber = 1000000;

QString romanNumeral(int number)
{
    static const struct {
        int value;
        const char *digits;
    } numerals[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
                    {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},   {4, "iv"},  {1, "i"}};
    QString text;
    for (const auto &numeral : numerals) {
        while (number >= numeral.value) {
            text += QLatin1String(numeral.digits);
            number -= numeral.value;
        }
    }
    return text;
}

bool isTextCharacter(QChar c)
{
    // Block and frame boundaries are not characters that can carry a name.
    const char16_t u = c.unicode();
    return u != QChar::ParagraphSeparator && u != 0xFDD0 && u != 0xFDD1 && u != QChar::LineSeparator;
}

/// Drops the white space a note or comment starts with (it follows the
/// note's own mark in RTF) and the empty paragraph a final \par leaves.
void trim(QTextDocument *document)
{
    QTextCursor cursor(document);
    while (!cursor.atEnd() && document->characterAt(cursor.position()).isSpace()
           && document->characterAt(cursor.position()) != QChar(QChar::ParagraphSeparator)) {
        cursor.deleteChar();
    }
    const QTextBlock last = document->lastBlock();
    if (last.length() == 1 && last.previous().isValid()) {
        cursor.movePosition(QTextCursor::End);
        cursor.deletePreviousChar();
    }
}
} // namespace

TextDocumentStructure::TextDocumentStructure(TextDocumentRtfOutputPrivate *d)
    : d(d)
{
}

TextDocumentStructure::~TextDocumentStructure() = default;

void TextDocumentStructure::reset()
{
    m_contexts.clear();
    m_textBoxDepth = 0;
    m_notes.clear();
    m_count[0] = m_count[1] = 0;
    m_referencePending = false;
    m_comments.clear();
    m_commentRanges.clear();
    m_bookmarks.clear();
    m_links.clear();
    m_fields.clear();
    m_fieldStarts.clear();
    m_headersFooters.clear();
    m_titlePage = false;
    m_facingPages = false;
}

void TextDocumentStructure::flush()
{
    d->flushText();
}

int TextDocumentStructure::cursorPosition() const
{
    return d->m_cursor->position();
}

bool TextDocumentStructure::insideKind(Kind kind) const
{
    return std::any_of(m_contexts.cbegin(), m_contexts.cend(), [kind](const Context &c) { return c.kind == kind; });
}

void TextDocumentStructure::syncCursorFormats()
{
    // The cursor now in use has not seen the formats in force.
    if (d->m_gatherText) {
        d->m_charFormatPending = true;
        d->m_blockFormatPending = true;
    } else {
        d->m_cursor->setBlockFormat(d->m_paragraphFormat);
        d->m_cursor->setCharFormat(d->currentCharFormat());
    }
}

void TextDocumentStructure::enter(Kind kind, int index)
{
    flush();
    Context context;
    context.kind = kind;
    context.index = index;
    context.document = std::make_unique<QTextDocument>();
    context.document->setUndoRedoEnabled(false);
    context.document->setDefaultFont(d->m_document->defaultFont());
    context.outerCursor = std::move(d->m_cursor);
    context.outerParagraphFormat = d->m_paragraphFormat;
    context.outerTables = std::move(d->m_tables);
    d->m_cursor = std::make_unique<QTextCursor>(context.document.get());
    d->m_tables = std::make_unique<TableBuilder>(*d);
    m_contexts.push_back(std::move(context));
    syncCursorFormats();
}

std::unique_ptr<QTextDocument> TextDocumentStructure::leave()
{
    flush();
    // Tables left open inside are closed in the context's own document.
    d->m_tables->finish();
    Context context = std::move(m_contexts.back());
    m_contexts.pop_back();
    d->m_cursor = std::move(context.outerCursor);
    d->m_tables = std::move(context.outerTables);
    d->m_paragraphFormat = context.outerParagraphFormat;
    syncCursorFormats();
    trim(context.document.get());
    return std::move(context.document);
}

void TextDocumentStructure::beginField(const QString &instruction)
{
    flush();
    m_fieldStarts.append(cursorPosition());
    m_fields.append(instruction);
    d->currentCharFormat().setProperty(TextDocumentRtfOutput::FieldInstructionProperty, instruction);
    d->applyCharFormat();
}

void TextDocumentStructure::endField()
{
    if (m_fields.isEmpty())
        return;
    const QString instruction = m_fields.takeLast();
    const int start = m_fieldStarts.takeLast();
    flush();
    // A page number without a result ({\field{\*\fldinst PAGE}}, \chpgn)
    // in a header or footer gets one, for the pages to replace.
    if (insideKind(Kind::HeaderFooter) && cursorPosition() == start) {
        const QString name = instruction.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty).toUpper();
        if (name == QLatin1String("PAGE") || name == QLatin1String("NUMPAGES")
            || name == QLatin1String("SECTIONPAGES")) {
            d->applyPendingFormats();
            QTextCharFormat format = d->m_cursor->charFormat();
            format.setProperty(TextDocumentRtfOutput::FieldInstructionProperty, instruction);
            d->m_cursor->insertText(QStringLiteral("1"), format);
            syncCursorFormats();
        }
    }
    // The result's group normally took the mark with it; a result written
    // without a group of its own still has it.
    QTextCharFormat &format = d->currentCharFormat();
    if (format.property(TextDocumentRtfOutput::FieldInstructionProperty).toString() == instruction) {
        if (m_fields.isEmpty())
            format.clearProperty(TextDocumentRtfOutput::FieldInstructionProperty);
        else
            format.setProperty(TextDocumentRtfOutput::FieldInstructionProperty, m_fields.last());
        d->applyCharFormat();
    }
}

void TextDocumentStructure::beginLink(const QString &href, const QString &toolTip)
{
    m_links.append(href);
    QTextCharFormat &format = d->currentCharFormat();
    format.setAnchor(true);
    format.setAnchorHref(href);
    if (!toolTip.isEmpty())
        format.setToolTip(toolTip);
    d->applyCharFormat();
}

void TextDocumentStructure::endLink()
{
    if (m_links.isEmpty())
        return;
    const QString href = m_links.takeLast();
    QTextCharFormat &format = d->currentCharFormat();
    if (format.isAnchor() && format.anchorHref() == href) {
        if (m_links.isEmpty()) {
            format.clearProperty(QTextFormat::IsAnchor);
            format.clearProperty(QTextFormat::AnchorHref);
            format.clearProperty(QTextFormat::TextToolTip);
        } else {
            format.setAnchorHref(m_links.last());
        }
        d->applyCharFormat();
    }
}

void TextDocumentStructure::setBookmarkStart(const QString &name)
{
    // Positions are kept for the body only; a note's text moves when the
    // notes section is built.
    if (!inBody())
        return;
    flush();
    m_bookmarks.push_back({cursorPosition(), name});
}

void TextDocumentStructure::addAnchorName(int position, const QString &name)
{
    QTextDocument *document = d->m_document;
    // The name goes on the character at the position, or on the next
    // character of text within a few paragraphs, or on the one before.
    const int last = document->characterCount() - 1;
    int target = -1;
    for (int p = std::max(position, 0); p < last && p < position + 4096; ++p) {
        if (isTextCharacter(document->characterAt(p))) {
            target = p;
            break;
        }
    }
    for (int p = std::min(position, last) - 1; target < 0 && p >= 0 && p > position - 4096; --p) {
        if (isTextCharacter(document->characterAt(p)))
            target = p;
    }
    if (target < 0)
        return;
    QTextCursor cursor(document);
    cursor.setPosition(target);
    cursor.setPosition(target + 1, QTextCursor::KeepAnchor);
    QStringList names = cursor.charFormat().anchorNames();
    // charFormat() gives the format before the cursor's position: the one
    // of the selected character.
    names.append(name);
    QTextCharFormat format;
    format.setAnchor(true);
    format.setAnchorNames(names);
    cursor.mergeCharFormat(format);
}

void TextDocumentStructure::setNoteNumbering(bool endnotes, AbstractRtfOutput::NoteNumbering numbering)
{
    m_numbering[endnotes ? 1 : 0] = numbering;
}

void TextDocumentStructure::setNoteStartNumber(bool endnotes, int number)
{
    m_startNumber[endnotes ? 1 : 0] = std::clamp(number, 0, LargestStartNumber);
}

void TextDocumentStructure::insertNoteReferenceMark()
{
    // Inside a note, \chftn is the note's own number, which the notes
    // section writes itself.
    if (insideKind(Kind::Note))
        return;
    flush();
    m_referencePending = true;
    m_referencePosition = cursorPosition();
    m_referenceFormat = d->currentCharFormat();
}

QString TextDocumentStructure::noteNumberText(int number, AbstractRtfOutput::NoteNumbering numbering)
{
    if (number <= 0 || number > LargestSpelledNumber)
        return QString::number(number);
    switch (numbering) {
    case Numbering::Arabic:
        return QString::number(number);
    case Numbering::LowerAlpha:
    case Numbering::UpperAlpha: {
        // a ... z, then aa ... zz, aaa ...
        const QChar letter = QChar(char16_t((numbering == Numbering::LowerAlpha ? u'a' : u'A') + (number - 1) % 26));
        return QString((number - 1) / 26 + 1, letter);
    }
    case Numbering::LowerRoman:
        return romanNumeral(number);
    case Numbering::UpperRoman:
        return romanNumeral(number).toUpper();
    case Numbering::Symbols: {
        static const char16_t symbols[] = {u'*', u'\u2020', u'\u2021', u'\u00A7'};
        return QString((number - 1) / 4 + 1, QChar(symbols[(number - 1) % 4]));
    }
    }
    return QString::number(number);
}

QString TextDocumentStructure::noteAnchor(const Note &note, bool reference)
{
    return QStringLiteral("%1%2-%3")
        .arg(note.endnote ? QStringLiteral("endnote") : QStringLiteral("footnote"),
             reference ? QStringLiteral("-ref") : QString())
        .arg(note.ordinal);
}

bool TextDocumentStructure::beginNote(bool endnote)
{
    if (insideKind(Kind::Note) || insideKind(Kind::Comment) || insideKind(Kind::HeaderFooter)) {
        qCDebug(lcRtf) << "dropping a note inside a note, comment, header or footer";
        return false;
    }
    flush();
    const int kind = endnote ? 1 : 0;
    Note note;
    note.endnote = endnote;
    note.ordinal = int(std::count_if(m_notes.cbegin(), m_notes.cend(),
                                     [endnote](const Note &n) { return n.endnote == endnote; }))
        + 1;
    QTextCharFormat referenceFormat;
    int referenceStart = -1;
    int referenceEnd = -1;
    if (m_referencePending) {
        m_referencePending = false;
        note.mark = noteNumberText(m_startNumber[kind] + m_count[kind]++, m_numbering[kind]);
        referenceFormat = m_referenceFormat;
        referenceStart = std::min(m_referencePosition, cursorPosition());
    } else {
        // A custom mark: the superscript text just before the note.
        const QTextBlock block = d->m_cursor->block();
        const int end = cursorPosition();
        int start = end;
        int runStart = -1;
        int lastEnd = -1;
        bool lastSuper = false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() >= end)
                break;
            const bool super = fragment.charFormat().verticalAlignment() == QTextCharFormat::AlignSuperScript;
            if (super && !lastSuper)
                runStart = fragment.position();
            lastSuper = super;
            lastEnd = fragment.position() + fragment.length();
        }
        if (lastSuper && lastEnd == end && runStart >= 0)
            start = runStart;
        if (start < end) {
            QTextCursor cursor(d->m_cursor->document());
            cursor.setPosition(start);
            cursor.setPosition(end, QTextCursor::KeepAnchor);
            note.mark = cursor.selectedText().trimmed();
            note.custom = true;
            referenceStart = start;
            referenceEnd = end;
        }
        if (note.mark.isEmpty()) {
            // No mark at all: the note still gets a number to be found by.
            note.custom = false;
            note.mark = noteNumberText(m_startNumber[kind] + m_count[kind]++, m_numbering[kind]);
            referenceFormat = d->currentCharFormat();
            referenceFormat.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
            referenceStart = cursorPosition();
            referenceEnd = -1;
        }
    }

    // The reference: a link to the note, named for the link back.
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(QLatin1Char('#') + noteAnchor(note, false));
    link.setAnchorNames({noteAnchor(note, true)});
    QTextCursor cursor(d->m_cursor->document());
    if (referenceEnd < 0) {
        QTextCharFormat format = referenceFormat;
        format.merge(link);
        if (referenceStart == cursorPosition()) {
            d->m_cursor->insertText(note.mark, format);
        } else {
            cursor.setPosition(referenceStart);
            cursor.insertText(note.mark, format);
        }
    } else {
        cursor.setPosition(referenceStart);
        cursor.setPosition(referenceEnd, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(link);
    }

    m_notes.push_back(std::move(note));
    enter(Kind::Note, int(m_notes.size() - 1));
    return true;
}

void TextDocumentStructure::endNote()
{
    if (m_contexts.empty() || m_contexts.back().kind != Kind::Note)
        return;
    const int index = m_contexts.back().index;
    Note &note = m_notes[std::size_t(index)];
    note.content = leave();
    // A note with a custom mark repeats the mark as its first text, where
    // others have \chftn; the notes section writes the mark itself.
    if (!note.custom)
        return;
    QTextCursor cursor(note.content.get());
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, int(note.mark.size()));
    if (cursor.selectedText() == note.mark) {
        cursor.removeSelectedText();
        trim(note.content.get());
    }
}

void TextDocumentStructure::setCommentRangeStart(const QString &id)
{
    if (!inBody())
        return;
    flush();
    m_commentRanges[id] = qMakePair(cursorPosition(), -1);
}

void TextDocumentStructure::setCommentRangeEnd(const QString &id)
{
    if (!inBody())
        return;
    flush();
    auto it = m_commentRanges.find(id);
    if (it != m_commentRanges.end())
        it->second = cursorPosition();
}

bool TextDocumentStructure::beginComment(const QString &id, const QString &author, const QString &initials,
                                         const QDateTime &date)
{
    if (insideKind(Kind::Comment) || insideKind(Kind::HeaderFooter)) {
        qCDebug(lcRtf) << "dropping a comment inside a comment, header or footer";
        return false;
    }
    Comment comment;
    comment.id = id;
    comment.author = author;
    comment.initials = initials;
    comment.date = date;
    m_comments.push_back(std::move(comment));
    enter(Kind::Comment, int(m_comments.size() - 1));
    return true;
}

void TextDocumentStructure::endComment()
{
    if (m_contexts.empty() || m_contexts.back().kind != Kind::Comment)
        return;
    const int index = m_contexts.back().index;
    m_comments[std::size_t(index)].content = leave();
}

bool TextDocumentStructure::beginHeaderFooter(AbstractRtfOutput::HeaderFooterKind kind)
{
    if (!inBody()) {
        qCDebug(lcRtf) << "dropping a header or footer inside a note, comment, header, footer or text box";
        return false;
    }
    enter(Kind::HeaderFooter, int(kind));
    return true;
}

void TextDocumentStructure::endHeaderFooter()
{
    if (m_contexts.empty() || m_contexts.back().kind != Kind::HeaderFooter)
        return;
    const auto kind = HeaderFooterKind(m_contexts.back().index);
    const std::unique_ptr<QTextDocument> document = leave();
    m_headersFooters.insert(kind, QTextDocumentFragment(document.get()));
}

void TextDocumentStructure::beginTextBox()
{
    // A text box inside a text box adds its paragraphs to the outer one.
    if (m_textBoxDepth++ > 0)
        return;
    enter(Kind::TextBox, 0);
}

void TextDocumentStructure::endTextBox()
{
    if (m_textBoxDepth == 0 || --m_textBoxDepth > 0)
        return;
    if (m_contexts.empty() || m_contexts.back().kind != Kind::TextBox)
        return;
    const std::unique_ptr<QTextDocument> document = leave();
    if (document->isEmpty())
        return;
    // The text box's paragraphs stand on their own at the anchor.
    QTextCursor &cursor = *d->m_cursor;
    cursor.beginEditBlock();
    if (!cursor.atBlockStart())
        cursor.insertBlock();
    cursor.insertFragment(QTextDocumentFragment(document.get()));
    cursor.insertBlock();
    cursor.endEditBlock();
    syncCursorFormats();
}

void TextDocumentStructure::closeOpenContexts()
{
    // An input cut short leaves its notes, comments and headers open.
    while (!m_contexts.empty()) {
        switch (m_contexts.back().kind) {
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

void TextDocumentStructure::finish()
{
    closeOpenContexts();
    flush();

    // Names first: the sections below only add text after the body.
    for (const Bookmark &bookmark : m_bookmarks)
        addAnchorName(bookmark.position, bookmark.name);
    for (std::size_t i = 0; i < m_comments.size(); ++i) {
        const auto range = m_commentRanges.constFind(m_comments[i].id);
        if (range != m_commentRanges.constEnd())
            addAnchorName(range->first, QStringLiteral("comment-range-%1").arg(i + 1));
    }

    if (m_notes.empty() && m_comments.empty())
        return;
    QTextCursor cursor(d->m_document);
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    if (!m_notes.empty())
        appendNotesSection(cursor);
    if (!m_comments.empty())
        appendComments(cursor);
    cursor.endEditBlock();
}

void TextDocumentStructure::startSectionBlock(QTextCursor &cursor, const QTextBlockFormat &format,
                                              const QTextCharFormat &charFormat)
{
    // The document's own last paragraph is reused when it is empty.
    if (cursor.block().length() == 1 && cursor.block().previous().isValid()
        && !cursor.blockFormat().hasProperty(QTextFormat::BlockTrailingHorizontalRulerWidth)
        && cursor.blockFormat().headingLevel() == 0) {
        cursor.setBlockFormat(format);
        cursor.setBlockCharFormat(charFormat);
        cursor.setCharFormat(charFormat);
    } else {
        cursor.insertBlock(format, charFormat);
    }
}

void TextDocumentStructure::appendNotesSection(QTextCursor &cursor)
{
    QTextBlockFormat separator;
    separator.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                          QTextLength(QTextLength::PercentageLength, 33));
    startSectionBlock(cursor, separator, QTextCharFormat());
    // Footnotes first, then endnotes, each in document order.
    for (const bool endnotes : {false, true}) {
        for (const Note &note : m_notes) {
            if (note.endnote != endnotes)
                continue;
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
            QTextCharFormat mark;
            mark.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
            mark.setAnchor(true);
            mark.setAnchorHref(QLatin1Char('#') + noteAnchor(note, true));
            mark.setAnchorNames({noteAnchor(note, false)});
            cursor.insertText(note.mark, mark);
            cursor.insertText(QStringLiteral(" "), QTextCharFormat());
            if (note.content && !note.content->isEmpty())
                cursor.insertFragment(QTextDocumentFragment(note.content.get()));
        }
    }
}

void TextDocumentStructure::appendComments(QTextCursor &cursor)
{
    QTextBlockFormat heading;
    heading.setHeadingLevel(2);
    QTextCharFormat headingText;
    headingText.setFontWeight(QFont::Bold);
    headingText.setFontPointSize(14);
    startSectionBlock(cursor, heading, headingText);
    cursor.insertText(QStringLiteral("Comments"), headingText);
    for (std::size_t i = 0; i < m_comments.size(); ++i) {
        const Comment &comment = m_comments[i];
        const int number = int(i) + 1;
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        QTextCharFormat label;
        label.setFontWeight(QFont::Bold);
        label.setAnchor(true);
        label.setAnchorNames({QStringLiteral("comment-%1").arg(number)});
        if (m_commentRanges.contains(comment.id))
            label.setAnchorHref(QStringLiteral("#comment-range-%1").arg(number));
        cursor.insertText(QStringLiteral("[%1%2]").arg(comment.initials).arg(number), label);
        QString byline;
        if (!comment.author.isEmpty())
            byline = comment.author;
        if (comment.date.isValid())
            byline += (byline.isEmpty() ? QString() : QStringLiteral(", ")) + comment.date.toString(Qt::ISODate);
        cursor.insertText(byline.isEmpty() ? QStringLiteral(" ") : QStringLiteral(" %1: ").arg(byline),
                          QTextCharFormat());
        if (comment.content && !comment.content->isEmpty())
            cursor.insertFragment(QTextDocumentFragment(comment.content.get()));
    }
}

} // namespace Tavisk
