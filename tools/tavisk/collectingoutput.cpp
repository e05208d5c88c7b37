#include "collectingoutput.h"

#include <QBuffer>
#include <QImageReader>

CollectingOutput::CollectingOutput(QTextDocument *document, PictureRecord pictures)
    : TextDocumentRtfOutput(document)
    , m_pictureRecord(pictures)
    , m_document(document)
{
}

void CollectingOutput::insertFontTableEntry(Tavisk::FontTableEntry entry, unsigned int index)
{
    // A font number given twice: the later entry wins, as it does for the
    // text that uses it.
    m_fonts.insert(index, entry);
    TextDocumentRtfOutput::insertFontTableEntry(entry, index);
}

void CollectingOutput::appendToColourTable(const QColor &colour)
{
    m_colours.append(colour);
    TextDocumentRtfOutput::appendToColourTable(colour);
}

void CollectingOutput::insertStyleSheetTableEntry(unsigned int index, Tavisk::StyleSheetTableEntry entry)
{
    m_styles.insert(index, entry);
    TextDocumentRtfOutput::insertStyleSheetTableEntry(index, entry);
}

void CollectingOutput::createImage(const QByteArray &data, const QTextImageFormat &format)
{
    if (m_pictureRecord == PictureRecord::Skipped) {
        TextDocumentRtfOutput::createImage(data, format);
        return;
    }
    Picture picture;
    picture.name = format.name();
    picture.format = picture.name.section(QLatin1Char('.'), -1);
    picture.byteCount = data.size();
    picture.displaySize = QSizeF(format.width(), format.height());
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    picture.pixelSize = QImageReader(&buffer).size();
    m_pictures.append(picture);
    TextDocumentRtfOutput::createImage(data, format);
}

void CollectingOutput::setPageWidth(int twips)
{
    m_pageWidth = twips;
    TextDocumentRtfOutput::setPageWidth(twips);
}

void CollectingOutput::setPageHeight(int twips)
{
    m_pageHeight = twips;
    TextDocumentRtfOutput::setPageHeight(twips);
}

void CollectingOutput::beginLink(const QString &href, const QString &toolTip)
{
    ++m_counts.links;
    TextDocumentRtfOutput::beginLink(href, toolTip);
}

bool CollectingOutput::beginNote(bool endnote)
{
    ++(endnote ? m_counts.endnotes : m_counts.footnotes);
    return TextDocumentRtfOutput::beginNote(endnote);
}

bool CollectingOutput::beginComment(const QString &id, const QString &author, const QString &initials,
                                    const QDateTime &date)
{
    ++m_counts.comments;
    return TextDocumentRtfOutput::beginComment(id, author, initials, date);
}

bool CollectingOutput::beginHeaderFooter(HeaderFooterKind kind)
{
    ++m_counts.headersFooters;
    return TextDocumentRtfOutput::beginHeaderFooter(kind);
}

void CollectingOutput::beginTextBox()
{
    ++m_counts.textBoxes;
    TextDocumentRtfOutput::beginTextBox();
}
