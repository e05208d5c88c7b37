#include "pagerenderer.h"

#include "headerfooter.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextFrame>

#include <cmath>

namespace
{
constexpr qreal PixelsPerInch = 96.0;
constexpr qreal TwipsPerInch = 1440.0;
// 96 dots per inch in the unit QImage keeps its resolution in.
constexpr int DotsPerMeterAt96 = 3780;

qreal twipsToPixels(int twips)
{
    return twips * PixelsPerInch / TwipsPerInch;
}
} // namespace

PageGeometry PageGeometry::fromTwips(int paperWidth, int paperHeight)
{
    // RTF's defaults: \paperw12240 \paperh15840 (8.5 x 11 inches),
    // \margl1800 \margr1800 \margt1440 \margb1440.
    const int width = paperWidth > 0 ? paperWidth : 12240;
    const int height = paperHeight > 0 ? paperHeight : 15840;
    PageGeometry geometry;
    geometry.paperSize = QSizeF(twipsToPixels(width), twipsToPixels(height));
    geometry.margins = QMarginsF(twipsToPixels(1800), twipsToPixels(1440), twipsToPixels(1800), twipsToPixels(1440));
    // Paper too small for these margins keeps a quarter of each side as margin.
    if (geometry.margins.left() + geometry.margins.right() > geometry.paperSize.width() / 2) {
        const qreal side = geometry.paperSize.width() / 8;
        geometry.margins.setLeft(side);
        geometry.margins.setRight(side);
    }
    if (geometry.margins.top() + geometry.margins.bottom() > geometry.paperSize.height() / 2) {
        const qreal side = geometry.paperSize.height() / 8;
        geometry.margins.setTop(side);
        geometry.margins.setBottom(side);
    }
    return geometry;
}

PageRenderer::PageRenderer(QTextDocument *document, const PageGeometry &geometry)
    : m_document(document)
    , m_geometry(geometry)
    , m_metricsDevice(1, 1, QImage::Format_ARGB32_Premultiplied)
{
    m_metricsDevice.setDotsPerMeterX(DotsPerMeterAt96);
    m_metricsDevice.setDotsPerMeterY(DotsPerMeterAt96);
    m_document->documentLayout()->setPaintDevice(&m_metricsDevice);

    QTextFrameFormat frameFormat = m_document->rootFrame()->frameFormat();
    frameFormat.setLeftMargin(m_geometry.margins.left());
    frameFormat.setTopMargin(m_geometry.margins.top());
    frameFormat.setRightMargin(m_geometry.margins.right());
    frameFormat.setBottomMargin(m_geometry.margins.bottom());
    m_document->rootFrame()->setFrameFormat(frameFormat);
    // A page size makes the layout paginate: blocks that would cross the
    // bottom margin move to the next page.
    m_document->setPageSize(m_geometry.paperSize);
}

PageRenderer::~PageRenderer()
{
    m_document->documentLayout()->setPaintDevice(nullptr);
}

int PageRenderer::pageCount() const
{
    return m_document->pageCount();
}

void PageRenderer::paintPage(QPainter *painter, int page) const
{
    const QRectF pageRect(QPointF(0, page * m_geometry.paperSize.height()), m_geometry.paperSize);
    painter->save();
    painter->translate(-pageRect.topLeft());
    painter->setClipRect(pageRect);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = pageRect;
    context.palette.setColor(QPalette::Text, Qt::black);
    m_document->documentLayout()->draw(painter, context);
    painter->restore();
    if (m_headers) {
        const QRectF textArea(QPointF(m_geometry.margins.left(), m_geometry.margins.top()),
                              QPointF(m_geometry.paperSize.width() - m_geometry.margins.right(),
                                      m_geometry.paperSize.height() - m_geometry.margins.bottom()));
        m_headers->paint(painter, page, pageCount(), m_geometry.paperSize, textArea);
    }
}

bool PageRenderer::writePdf(QIODevice *device, const QString &title) const
{
    QPdfWriter writer(device);
    writer.setResolution(int(PixelsPerInch));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("tavisk"));
    const QSizeF points = m_geometry.paperSize * 72.0 / PixelsPerInch;
    writer.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                     QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0)
            writer.newPage();
        paintPage(&painter, page);
    }
    return painter.end();
}

QImage PageRenderer::renderPage(int page, int dotsPerInch) const
{
    const qreal scale = dotsPerInch / PixelsPerInch;
    const QSize size(qCeil(m_geometry.paperSize.width() * scale), qCeil(m_geometry.paperSize.height() * scale));
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.scale(scale, scale);
    paintPage(&painter, page);
    return image;
}
