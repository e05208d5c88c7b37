#include "pictdestination.h"

#include "reader/logging_p.h"
#include "tokenizer/hexdigit_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <QBuffer>
#include <QImageReader>

namespace Tavisk
{

QAtomicInt PictDestination::s_pictureCount;

namespace
{
// Display sizes are kept within this many pixels (about 8.6 m at 96 dpi): a
// goal or scale written as a huge number must not reach the text layout,
// which rounds sizes to int.
constexpr double maximumExtent = 32767.0;

// Goals come in twips; the document wants pixels at 96 dpi. A goal of 0 or
// less gives no usable size and counts as not given.
inline double goalInPixels(int twips)
{
    return twips > 0 ? twips * 96.0 / 1440.0 : 0.0;
}

// \picscalexN is a percentage; 0 or less would hide or mirror the picture,
// so it leaves the picture at its own size.
inline double scaleFactor(int percent)
{
    return percent > 0 ? percent / 100.0 : 1.0;
}

inline double boundedExtent(double extent)
{
    return extent > maximumExtent ? maximumExtent : extent;
}
} // namespace

PictDestination::PictDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

void PictDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    Q_UNUSED(hasParameter)
    if (controlWord == "pngblip") {
        m_pictureFormat = "png";
        qCDebug(lcRtf) << "PNG";
    } else if (controlWord == "jpegblip") {
        m_pictureFormat = "jpg";
        qCDebug(lcRtf) << "JPEG";
    } else if (controlWord == "dibitmap") {
        m_pictureFormat = "bmp";
        qCDebug(lcRtf) << "BMP";
    } else if (controlWord == "wmetafile") {
        qCDebug(lcRtf) << "todo: get WMF data";
    } else if (controlWord == "picw") {
        qCDebug(lcRtf) << "pict width: " << parameter;
    } else if (controlWord == "pich") {
        qCDebug(lcRtf) << "pict height: " << parameter;
    } else if (controlWord == "picscalex") {
        m_xScale = scaleFactor(parameter);
        qCDebug(lcRtf) << "X scale: " << parameter;
    } else if (controlWord == "picscaley") {
        m_yScale = scaleFactor(parameter);
        qCDebug(lcRtf) << "Y scale: " << parameter;
    } else if (controlWord == "piccropl") {
        qCDebug(lcRtf) << "Left crop:" << parameter;
    } else if (controlWord == "piccropr") {
        qCDebug(lcRtf) << "Right crop:" << parameter;
    } else if (controlWord == "piccropt") {
        qCDebug(lcRtf) << "Top crop:" << parameter;
    } else if (controlWord == "piccropb") {
        qCDebug(lcRtf) << "Bottom crop:" << parameter;
    } else if (controlWord == "picwgoal") {
        m_goalWidth = goalInPixels(parameter);
        qCDebug(lcRtf) << "Goal Width:" << parameter;
    } else if (controlWord == "bin") {
        // The data follows as raw bytes (handleBinaryData).
        qCDebug(lcRtf) << "binary picture data:" << parameter << "bytes";
    } else if (controlWord == "pichgoal") {
        m_goalHeight = goalInPixels(parameter);
        qCDebug(lcRtf) << "Goal Height:" << parameter;
    } else {
        qCDebug(lcRtf) << "unexpected control word in pict:" << controlWord;
    }
}

void PictDestination::handlePlainText(const QByteArray &plainText)
{
    // The hex digits of all runs form one stream: a run that ends between the
    // two digits of a byte leaves the first one pending for the next run.
    // Anything that is not a hex digit (spaces, stray letters) is skipped.
    for (const char c : plainText) {
        const int value = hexDigitValue(c);
        if (value < 0)
            continue;
        if (m_pendingNibble < 0) {
            m_pendingNibble = value;
        } else {
            m_pictureData.append(char((m_pendingNibble << 4) | value));
            m_pendingNibble = -1;
        }
    }
}

void PictDestination::handleBinaryData(const QByteArray &data)
{
    m_pictureData.append(data);
}

void PictDestination::aboutToEndDestination()
{
    if (!m_pictureFormat) {
        qCWarning(lcRtf) << "Embedded picture in unknown format";
        return;
    }

    if (m_goalWidth == 0.0 || m_goalHeight == 0.0) {
        // Only the header is read: size() never decodes the pixels.
        QBuffer buffer(&m_pictureData);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        const QSize size = reader.size();
        if (m_goalWidth == 0.0)
            m_goalWidth = size.isValid() ? double(size.width()) : -1.0;
        if (m_goalHeight == 0.0)
            m_goalHeight = size.isValid() ? double(size.height()) : -1.0;
    }

    const int number = s_pictureCount.fetchAndAddRelaxed(1) + 1;
    const QString imageName =
        QStringLiteral("rtfparser://%1.%2").arg(number).arg(QLatin1String(m_pictureFormat));

    m_imageFormat.setName(imageName);
    m_imageFormat.setWidth(boundedExtent(m_goalWidth * m_xScale));
    m_imageFormat.setHeight(boundedExtent(m_goalHeight * m_yScale));

    m_output->createImage(m_pictureData, m_imageFormat);
}

} // namespace Tavisk
