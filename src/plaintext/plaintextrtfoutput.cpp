#include <tavisk/plaintextrtfoutput.h>

#include "plaintextrtfoutput_p.h"

#include <QFont>
#include <QTextCharFormat>

#include <algorithm>

#include "common/codepage_p.h"
#include "textdocument/textdocumentformats_p.h"

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

void PlainTextRtfOutput::setShowLinkAddresses(bool show)
{
    d->m_showAddresses = show;
}

bool PlainTextRtfOutput::showLinkAddresses() const
{
    return d->m_showAddresses;
}

void PlainTextRtfOutput::setShowHeadersAndFooters(bool show)
{
    d->m_showHeadersAndFooters = show;
}

bool PlainTextRtfOutput::showHeadersAndFooters() const
{
    return d->m_showHeadersAndFooters;
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
    d->paragraphFormatChanged();
    d->m_heading = false;
    d->m_lists.resetParagraph();
    // \pard also ends the paragraph's place in a table.
    d->m_tables->setParagraphLevel(0);
}

// Paragraph formats: no text.

void PlainTextRtfOutput::setParagraphAlignmentLeft()
{
    d->paragraphFormatChanged();
}

void PlainTextRtfOutput::setParagraphAlignmentCentred()
{
    d->paragraphFormatChanged();
}

void PlainTextRtfOutput::setParagraphAlignmentJustified()
{
    d->paragraphFormatChanged();
}

void PlainTextRtfOutput::setParagraphAlignmentRight()
{
    d->paragraphFormatChanged();
}

void PlainTextRtfOutput::setFirstLineIndent(int)
{
    d->paragraphFormatChanged();
}

void PlainTextRtfOutput::setLeftIndent(int)
{
    d->paragraphFormatChanged();
}

void PlainTextRtfOutput::setRightIndent(int)
{
    d->paragraphFormatChanged();
}

// Character formats: no text.

void PlainTextRtfOutput::setFontItalic(int value)
{
    d->m_format.italic = value != 0;
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setFontBold(int value)
{
    d->m_format.weight = value != 0 ? QFont::Bold : QFont::Normal;
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setFontUnderline(int value)
{
    d->m_format.underlineStyle = value != 0 ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline;
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setFontPointSize(int points)
{
    d->m_format.pointSize = double(points);
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setFontSuperscript()
{
    d->m_format.verticalAlignment = QTextCharFormat::AlignSuperScript;
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setFontSubscript()
{
    d->m_format.verticalAlignment = QTextCharFormat::AlignSubScript;
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setFontStrikeout(bool value)
{
    d->m_format.strikeOut = value;
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setForegroundColour(int index)
{
    d->m_format.foreground = d->colour(index);
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setHighlightColour(int index)
{
    d->m_format.background = d->colour(index);
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setParagraphPatternBackgroundColour(int)
{
    d->paragraphFormatChanged();
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
    d->m_format.layoutDirection = Qt::LeftToRight;
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setTextDirectionRightToLeft()
{
    d->m_format.layoutDirection = Qt::RightToLeft;
    d->characterFormatChanged();
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
    d->applyPendingFormats();
    d->putPicture();
    // The text after a picture has the picture's format (no link, not
    // raised) until the character format is set again.
    d->m_formatLost = true;
}

void PlainTextRtfOutput::setPageHeight(int)
{
}

void PlainTextRtfOutput::setPageWidth(int)
{
}

void PlainTextRtfOutput::setSpaceBefore(int)
{
    d->paragraphFormatChanged();
}

void PlainTextRtfOutput::setSpaceAfter(int)
{
    d->paragraphFormatChanged();
}

void PlainTextRtfOutput::appendToColourTable(const QColor &colour)
{
    d->m_colours.append(colour);
}

void PlainTextRtfOutput::insertFontTableEntry(FontTableEntry entry, unsigned int index)
{
    // A number written twice in the table: the later font wins.
    d->m_fontEncodings.insert(int(index), d->encodingKey(entry.encoding()));
    d->m_fontNames.insert(int(index), entry.fontName());
    d->m_fontFamilies.remove(int(index));
    if (int(index) == d->m_defaultFont)
        d->useDefaultFontUntilOneIsChosen();
}

void PlainTextRtfOutput::insertStyleSheetTableEntry(unsigned int index, StyleSheetTableEntry entry)
{
    // A paragraph style named "heading 1" to "heading 9" makes headings.
    d->m_headingStyles.insert(index, TextDocumentFormats::headingLevel(entry.styleName()) > 0);
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
    // Back in the body first: the tables to close are the body's.
    d->m_structure.closeOpenParts();
    d->m_tables->finish();
    d->applyPendingFormats();
    d->m_lists.finishParse();
    d->finishBody();
}

// Character and paragraph formats, continued

void PlainTextRtfOutput::setFontUnderlineStyle(UnderlineStyle style)
{
    d->m_format.underlineStyle = TextDocumentFormats::underlineStyle(style);
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setUnderlineColour(int index)
{
    d->m_format.underlineColour = d->colour(index);
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setFontAllCapitals(bool on)
{
    // Capitals win over small capitals.
    if (on)
        d->m_format.capitalization = QFont::AllUppercase;
    else if (d->m_format.capitalization == QFont::AllUppercase)
        d->m_format.capitalization = -1;
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setFontSmallCapitals(bool on)
{
    const qint64 current = d->m_format.capitalization < 0 ? 0 : d->m_format.capitalization;
    if (on && current != QFont::AllUppercase)
        d->m_format.capitalization = QFont::SmallCaps;
    else if (!on && current == QFont::SmallCaps)
        d->m_format.capitalization = -1;
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setFontBaselineShift(int halfPoints)
{
    // A share of the size in force, as the text document output keeps it.
    PlainText::CharacterFormat &format = d->m_format;
    if (halfPoints == 0) {
        format.hasBaselineOffset = false;
    } else {
        const double size = format.pointSize > 0 ? format.pointSize : 12.0;
        format.baselineOffset = std::clamp(halfPoints * 0.5 / size * 100.0, -1000.0, 1000.0);
        format.hasBaselineOffset = true;
    }
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setFontNormalScript()
{
    d->m_format.verticalAlignment = -1;
    d->characterFormatChanged();
}

void PlainTextRtfOutput::setFontHidden(bool on)
{
    d->m_hidden = on;
}

void PlainTextRtfOutput::setLineSpacing(int, bool)
{
    d->paragraphFormatChanged();
}

void PlainTextRtfOutput::addTabStop(int twips, TabAlignment, TabLeader)
{
    if (twips < 0)
        return;
    d->paragraphFormatChanged();
}

void PlainTextRtfOutput::setPageBreakBefore(bool)
{
    d->paragraphFormatChanged();
}

void PlainTextRtfOutput::insertPageBreak()
{
    if (d->m_hidden)
        return;
    d->insertionPoint();
    d->applyPendingFormats();
    // A page break inside a paragraph ends it; at the start of one it only
    // moves it to the next page.
    if (d->paragraph().length > 0)
        d->splitParagraph();
    d->m_lists.paragraphFormatChanged();
}

void PlainTextRtfOutput::setParagraphDirectionLeftToRight()
{
    d->paragraphFormatChanged();
}

void PlainTextRtfOutput::setParagraphDirectionRightToLeft()
{
    d->paragraphFormatChanged();
}

void PlainTextRtfOutput::setParagraphStyle(int index)
{
    d->m_heading = d->m_headingStyles.value(static_cast<unsigned int>(index));
    d->paragraphFormatChanged();
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
    d->m_tables->setParagraphLevel(level);
}

void PlainTextRtfOutput::beginTableRowDefinition()
{
    d->insertionPoint();
    d->m_tables->beginRowDefinition();
}

void PlainTextRtfOutput::setTableRowFormat(const TableRowFormat &format)
{
    d->m_tables->setRowFormat(format);
}

void PlainTextRtfOutput::appendTableCellDefinition(const TableCellDefinition &cell)
{
    d->m_tables->appendCellDefinition(cell);
}

void PlainTextRtfOutput::endTableCell(bool nested)
{
    d->insertionPoint();
    d->applyPendingFormats();
    d->m_tables->endCell(nested);
}

void PlainTextRtfOutput::endTableRow(bool nested)
{
    d->insertionPoint();
    d->m_tables->endRow(nested);
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
    d->m_documentEncoding = d->encodingKey(CodePage::encodingForCodePage(codePage));
    if (!d->m_haveSetFont) {
        d->insertionPoint();
        d->m_encoding = d->m_documentEncoding;
        for (int &encoding : d->m_encodingStack)
            encoding = d->m_documentEncoding;
    }
}

bool PlainTextRtfOutput::isLeadByte(unsigned char byte) const
{
    return CodePage::isLeadByte(d->m_encodings[size_t(d->m_encoding)]->name, byte);
}

// Fields, notes, comments, headers and footers, text boxes

void PlainTextRtfOutput::beginField(const QString &instruction)
{
    d->m_structure.beginField(instruction);
}

void PlainTextRtfOutput::endField()
{
    d->m_structure.endField();
}

void PlainTextRtfOutput::beginLink(const QString &href, const QString &toolTip)
{
    d->m_structure.beginLink(href, toolTip);
}

void PlainTextRtfOutput::endLink()
{
    d->m_structure.endLink();
}

void PlainTextRtfOutput::setBookmarkStart(const QString &)
{
    if (d->m_structure.inBody())
        d->insertionPoint();
}

void PlainTextRtfOutput::setBookmarkEnd(const QString &)
{
}

void PlainTextRtfOutput::setNoteNumbering(bool endnotes, NoteNumbering numbering)
{
    d->m_structure.setNoteNumbering(endnotes, numbering);
}

void PlainTextRtfOutput::setNoteStartNumber(bool endnotes, int number)
{
    d->m_structure.setNoteStartNumber(endnotes, number);
}

void PlainTextRtfOutput::insertNoteReferenceMark()
{
    d->m_structure.insertNoteReferenceMark();
}

bool PlainTextRtfOutput::beginNote(bool endnote)
{
    return d->m_structure.beginNote(endnote);
}

void PlainTextRtfOutput::endNote()
{
    d->m_structure.endNote();
}

void PlainTextRtfOutput::setCommentRangeStart(const QString &)
{
    if (d->m_structure.inBody())
        d->insertionPoint();
}

void PlainTextRtfOutput::setCommentRangeEnd(const QString &)
{
    if (d->m_structure.inBody())
        d->insertionPoint();
}

bool PlainTextRtfOutput::beginComment(const QString &, const QString &author, const QString &initials,
                                      const QDateTime &date)
{
    return d->m_structure.beginComment(author, initials, date);
}

void PlainTextRtfOutput::endComment()
{
    d->m_structure.endComment();
}

void PlainTextRtfOutput::setTitlePage(bool on)
{
    d->m_structure.setTitlePage(on);
}

void PlainTextRtfOutput::setFacingPages(bool on)
{
    d->m_structure.setFacingPages(on);
}

bool PlainTextRtfOutput::beginHeaderFooter(HeaderFooterKind kind)
{
    return d->m_structure.beginHeaderFooter(kind);
}

void PlainTextRtfOutput::endHeaderFooter()
{
    d->m_structure.endHeaderFooter();
}

void PlainTextRtfOutput::beginTextBox()
{
    d->m_structure.beginTextBox();
}

void PlainTextRtfOutput::endTextBox()
{
    d->m_structure.endTextBox();
}

} // namespace Tavisk
