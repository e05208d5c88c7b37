#include "textdocumentrtfoutput_p.h"
#include "textdocumenttables_p.h"
#include "textdocumentstructure_p.h"

#include <tavisk/textdocumentrtfoutput.h>

#include "common/codepage_p.h"
#include "common/units_p.h"
#include "reader/logging_p.h"

#include <QBrush>
#include <QFont>
#include <QTextCursor>
#include <QTextDocument>

namespace Tavisk
{

TextDocumentRtfOutputPrivate::TextDocumentRtfOutputPrivate(QTextDocument *document)
    : m_cursor(std::make_unique<QTextCursor>(document))
    , m_document(document)
    , m_tables(std::make_unique<TableBuilder>(*this))
    , m_structure(std::make_unique<TextDocumentStructure>(this))
{
    // The base entry: formats start at 12 points. The cursor is not given
    // it; text before the first formatting word or group end takes the
    // format the document has at the cursor.
    QTextCharFormat base;
    base.setProperty(QTextFormat::FontPointSize, 12.0);
    m_textCharFormatStack.append(base);
}

TextDocumentRtfOutputPrivate::~TextDocumentRtfOutputPrivate() = default;

void TextDocumentRtfOutputPrivate::startGroup()
{
    if (!m_haveSetFont)
        setFont(m_defaultFont);
    m_textCharFormatStack.append(m_textCharFormatStack.last());
    m_encodingStack.append(m_encoding);
    m_formats.startGroup();
}

void TextDocumentRtfOutputPrivate::endGroup()
{
    // The reader pairs every '}' with a '{'; a caller that ends more groups
    // than it started keeps the base format.
    if (m_textCharFormatStack.size() > 1) {
        m_textCharFormatStack.removeLast();
        // The font family returns with the format; its code page must too,
        // or the text after {\f1 ...} would be decoded as font 1's.
        if (!m_encodingStack.isEmpty())
            m_encoding = m_encodingStack.takeLast();
        m_formats.endGroup();
    }
    applyCharFormat();
}

void TextDocumentRtfOutputPrivate::resetCharacterProperties()
{
    // \plain: every character property back to the document's default,
    // which is 12 points in the default font (\deff).
    m_formats.resetCharacterFormat();
    QTextCharFormat &format = currentCharFormat();
    format.setProperty(QTextFormat::FontPointSize, 12.0);
    const auto font = m_fontTable.constFind(m_defaultFont);
    if (font != m_fontTable.constEnd()) {
        format.setProperty(QTextFormat::FontFamilies, QStringList{font->fontName()});
        m_encoding = font->encoding();
        m_haveSetFont = true;
    }
    applyCharFormat();
    // \plain returns to the default font (\deff), its code page included.
    if (m_fontTable.contains(m_defaultFont))
        setFont(m_defaultFont);
}

void TextDocumentRtfOutputPrivate::resetParagraphFormat()
{
    // \pard: every paragraph property back to its default.
    m_formats.resetParagraphFormat();
    m_paragraphFormat.setProperty(QTextFormat::BlockAlignment, int(Qt::AlignLeft));
    m_paragraphFormat.setProperty(QTextFormat::TextIndent, 0.0);
    m_paragraphFormat.setProperty(QTextFormat::BlockLeftMargin, 0.0);
    m_paragraphFormat.setProperty(QTextFormat::BlockRightMargin, 0.0);
    applyParagraphFormat();
}

void TextDocumentRtfOutputPrivate::setForegroundColour(int colourIndex)
{
    setColourProperty(currentCharFormat(), QTextFormat::ForegroundBrush, colourIndex);
    applyCharFormat();
}

void TextDocumentRtfOutputPrivate::setHighlightColour(int colourIndex)
{
    setColourProperty(currentCharFormat(), QTextFormat::BackgroundBrush, colourIndex);
    applyCharFormat();
}

void TextDocumentRtfOutputPrivate::setParagraphPatternBackgroundColour(int colourIndex)
{
    setColourProperty(m_paragraphFormat, QTextFormat::BackgroundBrush, colourIndex);
    applyParagraphFormat();
}

void TextDocumentRtfOutputPrivate::setFont(int fontIndex)
{
    const auto it = m_fontTable.constFind(fontIndex);
    if (it == m_fontTable.constEnd()) {
        qCDebug(lcRtf) << "attempted to select fontIndex" << fontIndex << "not in the font table";
        return;
    }
    const FontTableEntry entry = it.value();
    qCDebug(lcRtf) << "selecting font:" << entry.fontName();
    currentCharFormat().setProperty(QTextFormat::FontFamilies, QStringList{entry.fontName()});
    applyCharFormat();
    // A font that names no code page uses the document's (\ansicpg).
    m_encoding = entry.encoding().isEmpty() ? m_documentEncoding : entry.encoding();
    m_haveSetFont = true;
}

double TextDocumentRtfOutputPrivate::pixelsFromTwips(int twips)
{
    return Units::pixelsFromTwips(twips);
}

void TextDocumentRtfOutputPrivate::applyCharFormat()
{
    if (m_gatherText) {
        // The gathered text was written under the format that is changing;
        // the cursor takes the new one when text next reaches the document.
        flushText();
        m_charFormatPending = true;
        return;
    }
    m_cursor->setCharFormat(m_textCharFormatStack.last());
}

void TextDocumentRtfOutputPrivate::applyParagraphFormat()
{
    if (m_gatherText) {
        // A paragraph sets several properties in a row (\pard\ql\li..\sa..);
        // the block takes them all at once, before the next insertion.
        flushText();
        m_blockFormatPending = true;
        return;
    }
    m_cursor->setBlockFormat(m_paragraphFormat);
}

void TextDocumentRtfOutputPrivate::applyPendingFormats()
{
    // Table structure first: it may move the cursor into another cell.
    if (m_tables->isPending())
        m_tables->prepareInsertion();
    if (m_blockFormatPending) {
        m_blockFormatPending = false;
        m_cursor->setBlockFormat(m_paragraphFormat);
    }
    if (m_charFormatPending) {
        m_charFormatPending = false;
        m_cursor->setCharFormat(m_textCharFormatStack.last());
    }
    if (m_tables->isPageBreakPending())
        m_tables->applyPageBreak();
}

void TextDocumentRtfOutputPrivate::insertText(const QString &text)
{
    if (m_formats.hidden())
        return;
    if (m_lists.wantsText() && m_lists.takeText(text, currentCharFormat()))
        return;
    if (m_gatherText) {
        // The formats in force for this text reach the cursor now: the
        // format objects are changed in place before the next change is
        // announced, so they no longer describe this text by then.
        if (m_pendingText.isEmpty())
            applyPendingFormats();
        m_pendingText += text;
        // Bounded, so that a long stretch of text without formatting does
        // not hold a second copy of itself.
        if (m_pendingText.size() >= 64 * 1024)
            flushText();
        return;
    }
    applyPendingFormats();
    insertNow(text);
}

void TextDocumentRtfOutputPrivate::flushText()
{
    if (m_pendingText.isEmpty())
        return;
    insertNow(m_pendingText);
    // Keeps the capacity for the next stretch of text.
    m_pendingText.truncate(0);
}

void TextDocumentRtfOutputPrivate::insertNow(const QString &text)
{
    // Outside an edit block, every QTextCursor::insertText ends by laying out
    // the whole paragraph to find the cursor's x position, so a paragraph
    // made of many runs costs time in the square of its length (seconds per
    // megabyte, minutes for one long paragraph). Inside an edit block the
    // cursor skips that; nothing here needs its x position.
    m_cursor->beginEditBlock();
    m_cursor->insertText(text);
    m_cursor->endEditBlock();
}

QString TextDocumentRtfOutputPrivate::decode(const QByteArray &text)
{
    // QString's == treats a null and an empty name alike; both decode as
    // Windows-1252.
    if (!m_decoder.isValid() || m_decoderEncoding != m_encoding) {
        m_decoder = CodePage::decoderFor(m_encoding);
        m_decoderEncoding = m_encoding;
    }
    return m_decoder.decode(text);
}

void TextDocumentRtfOutputPrivate::setColourProperty(QTextFormat &format, int property, int colourIndex) const
{
    // Out of range (negative, or past the end) reads as the invalid colour,
    // like the table's automatic entry: the document's default applies.
    const QColor colour = m_colourTable.value(colourIndex);
    if (colour.isValid())
        format.setProperty(property, QBrush(colour, Qt::SolidPattern));
    else
        format.clearProperty(property);
}

} // namespace Tavisk
