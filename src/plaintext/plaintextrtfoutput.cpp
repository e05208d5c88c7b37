#include <tavisk/plaintextrtfoutput.h>

#include "plaintextrtfoutput_p.h"

#include "common/codepage_p.h"

namespace Tavisk
{

// Most formatting has no text. What is left of each operation is the point
// where the text document output inserts the text it gathered
// (insertionPoint()), which decides whether a carriage return and a line
// feed end one paragraph or two.

PlainTextRtfOutput::PlainTextRtfOutput(QIODevice *device)
    : d(std::make_unique<PlainTextRtfOutputPrivate>(device))
{
}

PlainTextRtfOutput::PlainTextRtfOutput(QString *text)
    : d(std::make_unique<PlainTextRtfOutputPrivate>(text))
{
}

PlainTextRtfOutput::~PlainTextRtfOutput() = default;

bool PlainTextRtfOutput::hasWriteError() const
{
    return d->m_writer.hasWriteError();
}

QString PlainTextRtfOutput::convertText(const QByteArray &text) const
{
    QString result = d->decode(text);
    // C0 control characters other than tab and line ends are taken out.
    result.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D;
    });
    return result;
}

void PlainTextRtfOutput::appendText(const QByteArray &text)
{
    d->insertBytes(text);
}

void PlainTextRtfOutput::appendText(const QString &text)
{
    // "\n" is the body's \line: a break inside the paragraph.
    if (text.size() == 1 && text.at(0) == QLatin1Char('\n'))
        d->insertText(u"\u2028");
    else
        d->insertText(text);
}

void PlainTextRtfOutput::insertPar()
{
    // A hidden paragraph end joins the paragraph to the next.
    if (d->m_hidden)
        return;
    // A paragraph end inside a list marker belongs to the marker.
    if (d->m_lists.readingListText()) {
        d->m_lists.takeText(u"\u2029");
        return;
    }
    d->endParagraph();
}

void PlainTextRtfOutput::insertTab()
{
    d->insertText(u"\t");
}

void PlainTextRtfOutput::insertLeftQuote()
{
    d->insertText(u"\u2018");
}

void PlainTextRtfOutput::insertRightQuote()
{
    d->insertText(u"\u2019");
}

void PlainTextRtfOutput::insertLeftDoubleQuote()
{
    d->insertText(u"\u201C");
}

void PlainTextRtfOutput::insertRightDoubleQuote()
{
    d->insertText(u"\u201D");
}

void PlainTextRtfOutput::insertEnDash()
{
    d->insertText(u"\u2013");
}

void PlainTextRtfOutput::insertEmDash()
{
    d->insertText(u"\u2014");
}

void PlainTextRtfOutput::insertEnSpace()
{
    d->insertText(u"\u2002");
}

void PlainTextRtfOutput::insertEmSpace()
{
    d->insertText(u"\u2003");
}

void PlainTextRtfOutput::insertBullet()
{
    d->insertText(u"\u2022");
}

void PlainTextRtfOutput::resetParagraphFormat()
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
    d->m_lists.resetParagraph();
    // \pard also ends the paragraph's place in a table.
    d->m_tables.setParagraphLevel(0);
}

// Paragraph formats: no text.

void PlainTextRtfOutput::setParagraphAlignmentLeft()
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::setParagraphAlignmentCentred()
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::setParagraphAlignmentJustified()
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::setParagraphAlignmentRight()
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::setFirstLineIndent(int)
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::setLeftIndent(int)
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::setRightIndent(int)
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

// Character formats: no text.

void PlainTextRtfOutput::setFontItalic(int)
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setFontBold(int)
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setFontUnderline(int)
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setFontPointSize(int)
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setFontSuperscript()
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setFontSubscript()
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setFontStrikeout(bool)
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setForegroundColour(int)
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setHighlightColour(int)
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setParagraphPatternBackgroundColour(int)
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::setFont(int index)
{
    d->setFont(index);
}

void PlainTextRtfOutput::setDefaultFont(int index)
{
    d->m_defaultFont = index;
    d->useDefaultFontUntilOneIsChosen();
}

void PlainTextRtfOutput::setTextDirectionLeftToRight()
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setTextDirectionRightToLeft()
{
    d->insertionPoint();
}

void PlainTextRtfOutput::resetCharacterProperties()
{
    d->resetCharacterProperties();
}

void PlainTextRtfOutput::createImage(const QByteArray &, const QTextImageFormat &)
{
    if (d->m_hidden)
        return;
    // The picture's place in the paragraph counts: a paragraph of only a
    // picture is no empty paragraph.
    d->m_lists.settleMarker();
    d->insertionPoint();
    d->prepareInsertion();
    d->putText(u"\uFFFC");
}

void PlainTextRtfOutput::setPageHeight(int)
{
}

void PlainTextRtfOutput::setPageWidth(int)
{
}

void PlainTextRtfOutput::setSpaceBefore(int)
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::setSpaceAfter(int)
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::appendToColourTable(const QColor &)
{
}

void PlainTextRtfOutput::insertFontTableEntry(FontTableEntry entry, unsigned int index)
{
    // A number written twice in the table: the later font wins.
    d->m_fontEncodings.insert(int(index), entry.encoding());
    if (int(index) == d->m_defaultFont)
        d->useDefaultFontUntilOneIsChosen();
}

void PlainTextRtfOutput::insertStyleSheetTableEntry(unsigned int, StyleSheetTableEntry)
{
}

void PlainTextRtfOutput::startGroup()
{
    d->startGroup();
}

void PlainTextRtfOutput::endGroup()
{
    d->endGroup();
}

void PlainTextRtfOutput::beginParse()
{
    d->reset();
}

void PlainTextRtfOutput::endParse()
{
    d->insertionPoint();
    d->m_tables.finish();
    d->m_lists.finishParse();
    d->finishBody();
}

// Character and paragraph formats, continued

void PlainTextRtfOutput::setFontUnderlineStyle(UnderlineStyle)
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setUnderlineColour(int)
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setFontAllCapitals(bool)
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setFontSmallCapitals(bool)
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setFontBaselineShift(int)
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setFontNormalScript()
{
    d->insertionPoint();
}

void PlainTextRtfOutput::setFontHidden(bool on)
{
    d->m_hidden = on;
}

void PlainTextRtfOutput::setLineSpacing(int, bool)
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::addTabStop(int twips, TabAlignment, TabLeader)
{
    if (twips < 0)
        return;
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::setPageBreakBefore(bool)
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::insertPageBreak()
{
    if (d->m_hidden)
        return;
    d->insertionPoint();
    d->prepareInsertion();
    // A page break inside a paragraph ends it; at the start of one it only
    // moves it to the next page.
    if (d->paragraph().length > 0)
        d->splitParagraph();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::setParagraphDirectionLeftToRight()
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::setParagraphDirectionRightToLeft()
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::setParagraphStyle(int)
{
    d->insertionPoint();
    d->m_lists.paragraphFormatChanged();
}

// Lists

void PlainTextRtfOutput::defineList(int listId, const QList<ListLevel> &levels)
{
    d->m_lists.defineList(listId, levels);
}

void PlainTextRtfOutput::defineListOverride(int overrideNumber, int listId, const QMap<int, int> &startAt)
{
    d->m_lists.defineListOverride(overrideNumber, listId, startAt);
}

void PlainTextRtfOutput::setParagraphListOverride(int overrideNumber)
{
    d->m_lists.setParagraphListOverride(overrideNumber);
}

void PlainTextRtfOutput::setParagraphListLevel(int level)
{
    d->m_lists.setParagraphListLevel(level);
}

void PlainTextRtfOutput::setParagraphNumbering(const ListLevel &level, int levelIndex)
{
    d->m_lists.setParagraphNumbering(level, levelIndex);
}

void PlainTextRtfOutput::beginListText()
{
    d->m_lists.beginListText();
}

void PlainTextRtfOutput::endListText()
{
    d->m_lists.endListText();
}

// Tables and sections

void PlainTextRtfOutput::setParagraphTableLevel(int level)
{
    d->insertionPoint();
    d->m_tables.setParagraphLevel(level);
}

void PlainTextRtfOutput::beginTableRowDefinition()
{
    d->insertionPoint();
    d->m_tables.beginRowDefinition();
}

void PlainTextRtfOutput::setTableRowFormat(const TableRowFormat &format)
{
    d->m_tables.setRowFormat(format);
}

void PlainTextRtfOutput::appendTableCellDefinition(const TableCellDefinition &cell)
{
    d->m_tables.appendCellDefinition(cell);
}

void PlainTextRtfOutput::endTableCell(bool nested)
{
    d->insertionPoint();
    d->prepareInsertion();
    d->m_tables.endCell(nested);
}

void PlainTextRtfOutput::endTableRow(bool nested)
{
    d->insertionPoint();
    d->m_tables.endRow(nested);
}

void PlainTextRtfOutput::insertSectionBreak()
{
    insertPar();
}

void PlainTextRtfOutput::resetSectionFormat()
{
}

void PlainTextRtfOutput::setSectionBreak(SectionBreak)
{
}

// Code pages

void PlainTextRtfOutput::setDocumentCodePage(int codePage)
{
    AbstractRtfOutput::setDocumentCodePage(codePage);
    d->m_documentEncoding = CodePage::encodingForCodePage(codePage);
    if (!d->m_haveSetFont) {
        d->insertionPoint();
        d->m_encoding = d->m_documentEncoding;
        for (QString &encoding : d->m_encodingStack)
            encoding = d->m_documentEncoding;
    }
}

bool PlainTextRtfOutput::isLeadByte(unsigned char byte) const
{
    return CodePage::isLeadByte(d->m_encoding, byte);
}

} // namespace Tavisk
