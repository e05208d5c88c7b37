#include <tavisk/textdocumentrtfoutput.h>

#include "textdocumentrtfoutput_p.h"
#include "textdocumenttables_p.h"
#include "textdocumentstructure_p.h"

#include "reader/logging_p.h"

#include <tavisk/reader.h>

#include <QBuffer>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

namespace Tavisk
{

TextDocumentRtfOutput::TextDocumentRtfOutput(QTextDocument *document)
    : d(std::make_unique<TextDocumentRtfOutputPrivate>(document))
{
}

TextDocumentRtfOutput::~TextDocumentRtfOutput() = default;

QString TextDocumentRtfOutput::convertText(const QByteArray &text) const
{
    // C0 control characters other than tab, line feed and carriage return
    // have no place in the document's text. The text is decoded into a
    // buffer kept from run to run: appendText() lets go of the result before
    // the next run, so the buffer's allocation serves every run of the
    // document instead of one allocation per run. A caller that keeps a
    // result keeps a copy of its own; the buffer then allocates afresh.
    QString &buffer = d->m_convertBuffer;
    buffer.resize(0);
    d->decodeAppend(buffer, text);
    return buffer;
}

void TextDocumentRtfOutput::appendText(const QByteArray &text)
{
    // Through the virtual table: a subclass that decodes differently
    // changes what is inserted.
    d->insertText(convertText(text));
}

void TextDocumentRtfOutput::appendText(const QString &text)
{
    // "\n" is the document body's \line: a break inside the paragraph, not
    // a new paragraph, so spacing and first-line indent do not repeat.
    if (text.size() == 1 && text.at(0) == QLatin1Char('\n'))
        d->insertText(QString(QChar(QChar::LineSeparator)));
    else
        d->insertText(text);
}

void TextDocumentRtfOutput::insertPar()
{
    // A hidden paragraph end joins the paragraph to the next.
    if (d->m_formats.hidden())
        return;
    // A paragraph end inside a list marker belongs to the marker.
    if (d->m_lists.readingListText()) {
        d->m_lists.takeText(QString(QChar(QChar::ParagraphSeparator)), d->currentCharFormat());
        return;
    }
    // In an edit block for the same reason as insertText().
    d->flushText();
    d->applyPendingFormats();
    d->m_lists.endParagraph(false);
    d->m_cursor->beginEditBlock();
    // A block takes the format of the one before, unless it is given one:
    // the paragraph after a list item takes the paragraph format, not the
    // item's list and indents.
    if (d->m_lists.blockFormatChanged())
        d->m_cursor->insertBlock(d->m_paragraphFormat);
    else
        d->m_cursor->insertBlock();
    d->m_cursor->endEditBlock();
    d->m_formats.paragraphStarted();
    d->m_tables->paragraphEnded();
}

void TextDocumentRtfOutput::insertTab()
{
    d->insertText(QString(QChar(0x0009)));
}

void TextDocumentRtfOutput::insertLeftQuote()
{
    d->insertText(QString(QChar(0x2018)));
}

void TextDocumentRtfOutput::insertRightQuote()
{
    d->insertText(QString(QChar(0x2019)));
}

void TextDocumentRtfOutput::insertLeftDoubleQuote()
{
    d->insertText(QString(QChar(0x201C)));
}

void TextDocumentRtfOutput::insertRightDoubleQuote()
{
    d->insertText(QString(QChar(0x201D)));
}

void TextDocumentRtfOutput::insertEnDash()
{
    d->insertText(QString(QChar(0x2013)));
}

void TextDocumentRtfOutput::insertEmDash()
{
    d->insertText(QString(QChar(0x2014)));
}

void TextDocumentRtfOutput::insertEnSpace()
{
    d->insertText(QString(QChar(0x2002)));
}

void TextDocumentRtfOutput::insertEmSpace()
{
    d->insertText(QString(QChar(0x2003)));
}

void TextDocumentRtfOutput::insertBullet()
{
    d->insertText(QString(QChar(0x2022)));
}

void TextDocumentRtfOutput::resetParagraphFormat()
{
    d->resetParagraphFormat();
    d->m_lists.resetParagraph();
    // \pard also ends the paragraph's place in a table.
    d->m_tables->setParagraphLevel(0);
}

void TextDocumentRtfOutput::setParagraphAlignmentLeft()
{
    d->m_paragraphFormat.setProperty(QTextFormat::BlockAlignment, int(Qt::AlignLeft));
    d->applyParagraphFormat();
}

void TextDocumentRtfOutput::setParagraphAlignmentCentred()
{
    d->m_paragraphFormat.setProperty(QTextFormat::BlockAlignment, int(Qt::AlignHCenter));
    d->applyParagraphFormat();
}

void TextDocumentRtfOutput::setParagraphAlignmentJustified()
{
    d->m_paragraphFormat.setProperty(QTextFormat::BlockAlignment, int(Qt::AlignJustify));
    d->applyParagraphFormat();
}

void TextDocumentRtfOutput::setParagraphAlignmentRight()
{
    d->m_paragraphFormat.setProperty(QTextFormat::BlockAlignment, int(Qt::AlignRight));
    d->applyParagraphFormat();
}

void TextDocumentRtfOutput::setFirstLineIndent(int twips)
{
    d->m_paragraphFormat.setProperty(QTextFormat::TextIndent, TextDocumentRtfOutputPrivate::pixelsFromTwips(twips));
    d->applyParagraphFormat();
}

void TextDocumentRtfOutput::setLeftIndent(int twips)
{
    d->m_paragraphFormat.setProperty(QTextFormat::BlockLeftMargin, TextDocumentRtfOutputPrivate::pixelsFromTwips(twips));
    d->applyParagraphFormat();
}

void TextDocumentRtfOutput::setRightIndent(int twips)
{
    d->m_paragraphFormat.setProperty(QTextFormat::BlockRightMargin,
                                     TextDocumentRtfOutputPrivate::pixelsFromTwips(twips));
    d->applyParagraphFormat();
}

void TextDocumentRtfOutput::setFontItalic(int value)
{
    d->currentCharFormat().setProperty(QTextFormat::FontItalic, value != 0);
    d->applyCharFormat();
}

void TextDocumentRtfOutput::setFontBold(int value)
{
    d->currentCharFormat().setProperty(QTextFormat::FontWeight, value != 0 ? int(QFont::Bold) : int(QFont::Normal));
    d->applyCharFormat();
}

void TextDocumentRtfOutput::setFontUnderline(int value)
{
    d->currentCharFormat().setProperty(QTextFormat::TextUnderlineStyle,
                                       value != 0 ? int(QTextCharFormat::SingleUnderline)
                                                  : int(QTextCharFormat::NoUnderline));
    d->applyCharFormat();
}

void TextDocumentRtfOutput::setFontPointSize(int points)
{
    d->currentCharFormat().setProperty(QTextFormat::FontPointSize, double(points));
    d->applyCharFormat();
}

void TextDocumentRtfOutput::setFontSuperscript()
{
    d->currentCharFormat().setProperty(QTextFormat::TextVerticalAlignment, int(QTextCharFormat::AlignSuperScript));
    d->applyCharFormat();
}

void TextDocumentRtfOutput::setFontSubscript()
{
    d->currentCharFormat().setProperty(QTextFormat::TextVerticalAlignment, int(QTextCharFormat::AlignSubScript));
    d->applyCharFormat();
}

void TextDocumentRtfOutput::setFontStrikeout(bool value)
{
    d->currentCharFormat().setProperty(QTextFormat::FontStrikeOut, value);
    d->applyCharFormat();
}

void TextDocumentRtfOutput::setForegroundColour(int index)
{
    d->setForegroundColour(index);
}

void TextDocumentRtfOutput::setHighlightColour(int index)
{
    d->setHighlightColour(index);
}

void TextDocumentRtfOutput::setParagraphPatternBackgroundColour(int index)
{
    d->setParagraphPatternBackgroundColour(index);
}

void TextDocumentRtfOutput::setFont(int index)
{
    d->setFont(index);
}

void TextDocumentRtfOutput::setDefaultFont(int index)
{
    d->m_defaultFont = index;
    d->useDefaultFontUntilOneIsChosen();
}

void TextDocumentRtfOutput::setTextDirectionLeftToRight()
{
    d->currentCharFormat().setProperty(QTextFormat::LayoutDirection, int(Qt::LeftToRight));
    d->applyCharFormat();
}

void TextDocumentRtfOutput::setTextDirectionRightToLeft()
{
    d->currentCharFormat().setProperty(QTextFormat::LayoutDirection, int(Qt::RightToLeft));
    d->applyCharFormat();
}

void TextDocumentRtfOutput::resetCharacterProperties()
{
    d->resetCharacterProperties();
}

void TextDocumentRtfOutput::createImage(const QByteArray &data, const QTextImageFormat &format)
{
    if (d->m_formats.hidden())
        return;
    // The bytes are stored still encoded; the document decodes them when it
    // needs the picture.
    const QUrl url(format.stringProperty(QTextFormat::ImageName), QUrl::TolerantMode);
    d->m_document->addResource(QTextDocument::ImageResource, url, QVariant(data));
    d->m_lists.settleMarker();
    d->flushText();
    d->applyPendingFormats();
    d->m_cursor->beginEditBlock();
    d->m_cursor->insertImage(format);
    d->m_cursor->endEditBlock();
}

void TextDocumentRtfOutput::setPageHeight(int twips)
{
    qCDebug(lcRtf) << "setPageHeight: " << twips << " (" << twips / 1440.0 << ")";
}

void TextDocumentRtfOutput::setPageWidth(int twips)
{
    qCDebug(lcRtf) << "setPageWidth: " << twips << " (" << twips / 1440.0 << ")";
}

void TextDocumentRtfOutput::setSpaceBefore(int twips)
{
    d->m_paragraphFormat.setProperty(QTextFormat::BlockTopMargin, TextDocumentRtfOutputPrivate::pixelsFromTwips(twips));
    d->applyParagraphFormat();
}

void TextDocumentRtfOutput::setSpaceAfter(int twips)
{
    d->m_paragraphFormat.setProperty(QTextFormat::BlockBottomMargin,
                                     TextDocumentRtfOutputPrivate::pixelsFromTwips(twips));
    d->applyParagraphFormat();
}

void TextDocumentRtfOutput::appendToColourTable(const QColor &colour)
{
    d->appendToColourTable(colour);
}

void TextDocumentRtfOutput::insertFontTableEntry(FontTableEntry entry, unsigned int index)
{
    // A number written twice in the table: the later font wins.
    d->m_fontTable.insert(int(index), entry);
    d->m_fontFamilies.remove(int(index));
    d->m_fontFamilyKeys.remove(int(index));
    if (int(index) == d->m_defaultFont)
        d->useDefaultFontUntilOneIsChosen();
}

void TextDocumentRtfOutput::insertStyleSheetTableEntry(unsigned int index, StyleSheetTableEntry entry)
{
    qCDebug(lcRtf) << "inserting stylesheet entry:" << index << "with name:" << entry.styleName();
    d->m_stylesheetTable.insert(index, entry);
}

void TextDocumentRtfOutput::startGroup()
{
    d->startGroup();
}

void TextDocumentRtfOutput::endGroup()
{
    d->endGroup();
}

void TextDocumentRtfOutput::beginParse()
{
    d->m_gatherText = true;
    // One edit block for the whole parse: the document rescans all its
    // frames at the end of every edit block that inserts one, so a document
    // of many tables would cost time in the square of their number.
    d->m_cursor->beginEditBlock();
    d->m_structure->reset();
}

void TextDocumentRtfOutput::endParse()
{
    d->flushText();
    // Back in the body first: the tables to close are the body's.
    d->m_structure->closeOpenContexts();
    d->m_tables->finish();
    flush();
    d->m_lists.finishParse();
    // The notes and comments follow the body.
    d->m_structure->finish();
    flush();
    d->m_cursor->endEditBlock();
    d->m_gatherText = false;
}

void TextDocumentRtfOutput::flush()
{
    d->flushText();
    d->applyPendingFormats();
}

bool TextDocumentRtfOutput::fromRtf(const QByteArray &rtf, QTextDocument *document, QString *errorString)
{
    if (!document) {
        if (errorString)
            *errorString = QStringLiteral("no document was given");
        return false;
    }
    document->clear();
    QBuffer buffer;
    buffer.setData(rtf);
    Reader reader;
    TextDocumentRtfOutput output(document);
    const bool ok = reader.open(&buffer) && reader.parseTo(&output);
    if (!ok) {
        document->clear();
        if (errorString)
            *errorString = reader.errorString();
        return false;
    }
    if (!output.title().isEmpty())
        document->setMetaInformation(QTextDocument::DocumentTitle, output.title());
    if (errorString)
        errorString->clear();
    return true;
}

} // namespace Tavisk
