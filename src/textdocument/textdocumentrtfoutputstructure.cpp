// TextDocumentRtfOutput: fields, notes, comments, headers and footers, text
// boxes. The work is done by TextDocumentStructure.

#include <tavisk/textdocumentrtfoutput.h>

#include "textdocumentrtfoutput_p.h"
#include "textdocumentstructure_p.h"

namespace Tavisk
{

void TextDocumentRtfOutput::beginField(const QString &instruction)
{
    d->m_structure->beginField(instruction);
}

void TextDocumentRtfOutput::endField()
{
    d->m_structure->endField();
}

void TextDocumentRtfOutput::beginLink(const QString &href, const QString &toolTip)
{
    d->m_structure->beginLink(href, toolTip);
}

void TextDocumentRtfOutput::endLink()
{
    d->m_structure->endLink();
}

void TextDocumentRtfOutput::setBookmarkStart(const QString &name)
{
    d->m_structure->setBookmarkStart(name);
}

void TextDocumentRtfOutput::setBookmarkEnd(const QString &)
{
    // The name marks the bookmark's start; that is where links lead.
}

void TextDocumentRtfOutput::setNoteNumbering(bool endnotes, NoteNumbering numbering)
{
    d->m_structure->setNoteNumbering(endnotes, numbering);
}

void TextDocumentRtfOutput::setNoteStartNumber(bool endnotes, int number)
{
    d->m_structure->setNoteStartNumber(endnotes, number);
}

void TextDocumentRtfOutput::insertNoteReferenceMark()
{
    d->m_structure->insertNoteReferenceMark();
}

bool TextDocumentRtfOutput::beginNote(bool endnote)
{
    return d->m_structure->beginNote(endnote);
}

void TextDocumentRtfOutput::endNote()
{
    d->m_structure->endNote();
}

void TextDocumentRtfOutput::setCommentRangeStart(const QString &id)
{
    d->m_structure->setCommentRangeStart(id);
}

void TextDocumentRtfOutput::setCommentRangeEnd(const QString &id)
{
    d->m_structure->setCommentRangeEnd(id);
}

bool TextDocumentRtfOutput::beginComment(const QString &id, const QString &author, const QString &initials,
                                         const QDateTime &date)
{
    return d->m_structure->beginComment(id, author, initials, date);
}

void TextDocumentRtfOutput::endComment()
{
    d->m_structure->endComment();
}

void TextDocumentRtfOutput::setTitlePage(bool on)
{
    d->m_structure->m_titlePage = on;
}

void TextDocumentRtfOutput::setFacingPages(bool on)
{
    d->m_structure->m_facingPages = on;
}

bool TextDocumentRtfOutput::beginHeaderFooter(HeaderFooterKind kind)
{
    return d->m_structure->beginHeaderFooter(kind);
}

void TextDocumentRtfOutput::endHeaderFooter()
{
    d->m_structure->endHeaderFooter();
}

void TextDocumentRtfOutput::beginTextBox()
{
    d->m_structure->beginTextBox();
}

void TextDocumentRtfOutput::endTextBox()
{
    d->m_structure->endTextBox();
}

QTextDocumentFragment TextDocumentRtfOutput::headerFooter(HeaderFooterKind kind) const
{
    return d->m_structure->m_headersFooters.value(kind);
}

QTextDocumentFragment TextDocumentRtfOutput::headerFooterForPage(bool footer, int page) const
{
    using Kind = HeaderFooterKind;
    const auto &all = d->m_structure->m_headersFooters;
    const Kind every = footer ? Kind::Footer : Kind::Header;
    Kind wanted = every;
    if (page == 1 && d->m_structure->m_titlePage)
        wanted = footer ? Kind::FooterFirst : Kind::HeaderFirst;
    else if (d->m_structure->m_facingPages)
        wanted = page % 2 == 0 ? (footer ? Kind::FooterLeft : Kind::HeaderLeft)
                               : (footer ? Kind::FooterRight : Kind::HeaderRight);
    if (all.contains(wanted))
        return all.value(wanted);
    // With \titlepg, a first page without a header of its own has none.
    if (wanted == Kind::HeaderFirst || wanted == Kind::FooterFirst)
        return QTextDocumentFragment();
    if (all.contains(every))
        return all.value(every);
    // Word writes the one for every page as the right-page one.
    return all.value(footer ? Kind::FooterRight : Kind::HeaderRight);
}

bool TextDocumentRtfOutput::hasHeadersOrFooters() const
{
    return !d->m_structure->m_headersFooters.isEmpty();
}

} // namespace Tavisk
