#ifndef TAVISK_TOOL_COLLECTINGOUTPUT_H
#define TAVISK_TOOL_COLLECTINGOUTPUT_H

#include <tavisk/textdocumentrtfoutput.h>

#include <QColor>
#include <QList>
#include <QMap>
#include <QSize>
#include <QSizeF>
#include <QString>

/**
 * The text-document output, plus a record of what the reader handed over
 * besides the body: font, colour and style tables, pictures and the paper
 * size. The document is built exactly as TextDocumentRtfOutput builds it;
 * every recorded call is passed on to it.
 */
class CollectingOutput : public Tavisk::TextDocumentRtfOutput
{
public:
    struct Picture {
        QString name;        ///< resource name in the document
        QString format;      ///< file-type suffix of the resource name: png, jpg, bmp
        qint64 byteCount = 0;
        QSizeF displaySize;  ///< width and height it is shown at, in pixels
        QSize pixelSize;     ///< size of the image itself; invalid when Qt cannot read it
    };

    /// Whether pictures() is filled: reading a picture's pixel size costs
    /// more than the rest of its handling, and only `tavisk info` shows it.
    enum class PictureRecord { Kept, Skipped };

    explicit CollectingOutput(QTextDocument *document, PictureRecord pictures = PictureRecord::Kept);

    const QMap<unsigned int, Tavisk::FontTableEntry> &fonts() const { return m_fonts; }
    const QList<QColor> &colours() const { return m_colours; }
    const QMap<unsigned int, Tavisk::StyleSheetTableEntry> &styles() const { return m_styles; }
    const QList<Picture> &pictures() const { return m_pictures; }
    /// Paper width and height in twips, 0 where the document gives none.
    int pageWidth() const { return m_pageWidth; }
    int pageHeight() const { return m_pageHeight; }
    /// The document being built.
    const QTextDocument *document() const { return m_document; }

    void insertFontTableEntry(Tavisk::FontTableEntry entry, unsigned int index) override;
    void appendToColourTable(const QColor &colour) override;
    void insertStyleSheetTableEntry(unsigned int index, Tavisk::StyleSheetTableEntry entry) override;
    void createImage(const QByteArray &data, const QTextImageFormat &format) override;
    void setPageWidth(int twips) override;
    void setPageHeight(int twips) override;

private:
    QMap<unsigned int, Tavisk::FontTableEntry> m_fonts;
    QList<QColor> m_colours;
    QMap<unsigned int, Tavisk::StyleSheetTableEntry> m_styles;
    QList<Picture> m_pictures;
    PictureRecord m_pictureRecord;
    int m_pageWidth = 0;
    int m_pageHeight = 0;
    const QTextDocument *m_document;
};

#endif
