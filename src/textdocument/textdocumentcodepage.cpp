// Code pages of a TextDocumentRtfOutput: the document's code page and the
// default font, which decode the text that no font of its own claims.

#include <tavisk/textdocumentrtfoutput.h>

#include "textdocumentrtfoutput_p.h"

#include "common/codepage_p.h"

#include <QTextFormat>

namespace Tavisk
{

void TextDocumentRtfOutput::setDocumentCodePage(int codePage)
{
    AbstractRtfOutput::setDocumentCodePage(codePage);
    d->m_documentEncoding = CodePage::encodingForCodePage(codePage);
    if (!d->m_haveSetFont) {
        d->flushText();
        d->m_encoding = d->m_documentEncoding;
        for (QString &encoding : d->m_encodingStack)
            encoding = d->m_documentEncoding;
    }
}

bool TextDocumentRtfOutput::isLeadByte(unsigned char byte) const
{
    return CodePage::isLeadByte(d->m_encoding, byte);
}

void TextDocumentRtfOutputPrivate::useDefaultFontUntilOneIsChosen()
{
    if (m_haveSetFont)
        return;
    const auto it = m_fontTable.constFind(m_defaultFont);
    if (it == m_fontTable.constEnd())
        return;
    // The font table usually stands in a group of its own: the groups open
    // around it return to the formats they saved, so each takes the font.
    flushText();
    for (QTextCharFormat &format : m_textCharFormatStack)
        setFontFamilies(format, m_defaultFont, *it);
    const QString encoding = it->encoding().isEmpty() ? m_documentEncoding : it->encoding();
    m_encoding = encoding;
    for (QString &saved : m_encodingStack)
        saved = encoding;
    m_charFormatPending = m_gatherText;
    if (!m_gatherText)
        applyCharFormat();
}

} // namespace Tavisk
