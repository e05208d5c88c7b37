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

    /// How many of each structure the document has.
    struct StructureCounts {
        int links = 0;
        int footnotes = 0;
        int endnotes = 0;
        int comments = 0;
        int headersFooters = 0;
        int textBoxes = 0;
    };
    const StructureCounts &structureCounts() const { return m_counts; }

    void beginLink(const QString &href, const QString &toolTip) override;
    bool beginNote(bool endnote) override;
    bool beginComment(const QString &id, const QString &author, const QString &initials,
                      const QDateTime &date) override;
    bool beginHeaderFooter(HeaderFooterKind kind) override;
    void beginTextBox() override;

private:
    QMap<unsigned int, Tavisk::FontTableEntry> m_fonts;
    QList<QColor> m_colours;
    QMap<unsigned int, Tavisk::StyleSheetTableEntry> m_styles;
    QList<Picture> m_pictures;
    PictureRecord m_pictureRecord;
    int m_pageWidth = 0;
    int m_pageHeight = 0;
    const QTextDocument *m_document;
    StructureCounts m_counts;
};

#endif
