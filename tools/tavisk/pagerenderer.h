#ifndef TAVISK_TOOL_PAGERENDERER_H
#define TAVISK_TOOL_PAGERENDERER_H

#include <QImage>
#include <QMarginsF>
#include <QSizeF>

class HeaderFooterPainter;
class QIODevice;
class QPainter;
class QTextDocument;

/// Paper and margins of the rendered pages, in pixels at 96 per inch.
struct PageGeometry {
    QSizeF paperSize;
    QMarginsF margins;

    /// The paper an RTF document asks for with \paperw and \paperh (twips;
    /// 0 where it gives none), with RTF's default US Letter size and page
    /// margins filling in what is missing.
    static PageGeometry fromTwips(int paperWidth, int paperHeight);
};

/**
 * Splits a QTextDocument into pages and paints them, into a PDF or as
 * images. The document is laid out once, at 96 pixels per inch, so the PDF
 * and the images have the same pages whatever the screen of the machine.
 *
 * The renderer changes the document's page size, root frame margins and
 * layout device for as long as it lives; use it on a document that is only
 * rendered afterwards.
 */
class PageRenderer
{
public:
    PageRenderer(QTextDocument *document, const PageGeometry &geometry);
    ~PageRenderer();

    int pageCount() const;

    /// Writes every page into @p device as a PDF. Returns false when the PDF
    /// could not be started on the device.
    [[nodiscard]] bool writePdf(QIODevice *device, const QString &title) const;

    /// Page @p page (from 0), rendered at @p dotsPerInch on white.
    QImage renderPage(int page, int dotsPerInch) const;

    /// Draws @p headers (page headers and footers) into the margins of every
    /// page; null draws none. The painter must outlive the renderer.
    void setHeaderFooterPainter(const HeaderFooterPainter *headers) { m_headers = headers; }

private:
    void paintPage(QPainter *painter, int page) const;

    QTextDocument *const m_document;
    PageGeometry m_geometry;
    // Layout device: fixes the text metrics at 96 dots per inch.
    QImage m_metricsDevice;
    const HeaderFooterPainter *m_headers = nullptr;
};

#endif
