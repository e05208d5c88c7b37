#ifndef TAVISK_TOOL_HEADERFOOTER_H
#define TAVISK_TOOL_HEADERFOOTER_H

#include <QImage>
#include <QRectF>

class QPainter;
class QTextDocument;
class QTextDocumentFragment;

namespace Tavisk
{
class TextDocumentRtfOutput;
}

/**
 * Draws a document's page headers and footers into the margins of the
 * rendered pages, with the PAGE, NUMPAGES and SECTIONPAGES fields showing the
 * real numbers. Each page gets the header and footer Word would print on it
 * (first page, left and right pages).
 */
class HeaderFooterPainter
{
public:
    /// @p output must outlive the painter.
    explicit HeaderFooterPainter(const Tavisk::TextDocumentRtfOutput &output);

    bool isEmpty() const;

    /// Paints the header and footer of page @p page (from 0) of @p pageCount
    /// on a page of @p paper size (pixels at 96 per inch) whose text area is
    /// @p textArea; the painter's origin is the page's top left corner.
    void paint(QPainter *painter, int page, int pageCount, const QSizeF &paper, const QRectF &textArea) const;

private:
    const Tavisk::TextDocumentRtfOutput &m_output;
    // Layout device: text metrics at 96 dots per inch, as for the body.
    QImage m_metricsDevice;
};

namespace HeaderFooterText
{
/// Replaces the result text of the page number fields (PAGE, NUMPAGES,
/// SECTIONPAGES) in @p document with @p page and @p pageCount.
void replacePageFields(QTextDocument *document, int page, int pageCount);
/// For --headers in txt, html and md: puts the document's header at the top
/// of @p document and its footer at the bottom, each set off by a blank
/// paragraph. Page number fields keep the text the file gives them.
void insertIntoText(QTextDocument *document, const Tavisk::TextDocumentRtfOutput &output);
} // namespace HeaderFooterText

#endif
