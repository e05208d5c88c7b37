#include "pictdestination.h"

#include "common/hexdigit_p.h"
#include "common/units_p.h"
#include "reader/logging_p.h"
#include "wordtable_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <QBuffer>
#include <QImageReader>

#include <string_view>

namespace Tavisk
{

QAtomicInt PictDestination::s_pictureCount;

namespace
{
// Display sizes are kept within this many pixels (about 8.6 m at 96 dpi): a
// goal or scale written as a huge number must not reach the text layout,
// which rounds sizes to int.
constexpr double maximumExtent = 32767.0;

// Goals come in twips; the document wants pixels. A goal of 0 or less gives
// no usable size and counts as not given.
inline double goalInPixels(int twips)
{
    return twips > 0 ? Units::pixelsFromTwips(twips) : 0.0;
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

enum class PictWord {
    Binary,
    Png,
    Jpeg,
    Bitmap,
    WindowsMetafile,
    Width,
    Height,
    ScaleX,
    ScaleY,
    CropLeft,
    CropRight,
    CropTop,
    CropBottom,
    GoalWidth,
    GoalHeight,
};

struct PictWordEntry {
    std::string_view name;
    PictWord word;
};

// Sorted by name (byte order) for findWord().
constexpr PictWordEntry pictWords[] = {
    {"bin", PictWord::Binary},
    {"dibitmap", PictWord::Bitmap},
    {"jpegblip", PictWord::Jpeg},
    {"piccropb", PictWord::CropBottom},
    {"piccropl", PictWord::CropLeft},
    {"piccropr", PictWord::CropRight},
    {"piccropt", PictWord::CropTop},
    {"pich", PictWord::Height},
    {"pichgoal", PictWord::GoalHeight},
    {"picscalex", PictWord::ScaleX},
    {"picscaley", PictWord::ScaleY},
    {"picw", PictWord::Width},
    {"picwgoal", PictWord::GoalWidth},
    {"pngblip", PictWord::Png},
    {"wmetafile", PictWord::WindowsMetafile},
};

static_assert(isSortedByName(pictWords), "pictWords must stay sorted by name");
} // namespace

PictDestination::PictDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

void PictDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    Q_UNUSED(hasParameter)
    const PictWordEntry *entry = findWord(pictWords, controlWord);
    if (!entry) {
        qCDebug(lcRtf) << "unexpected control word in pict:" << controlWord;
        return;
    }
    switch (entry->word) {
    case PictWord::Png:
        m_pictureFormat = "png";
        qCDebug(lcRtf) << "PNG";
        break;
    case PictWord::Jpeg:
        m_pictureFormat = "jpg";
        qCDebug(lcRtf) << "JPEG";
        break;
    case PictWord::Bitmap:
        m_pictureFormat = "bmp";
        qCDebug(lcRtf) << "BMP";
        break;
    case PictWord::WindowsMetafile:
        qCDebug(lcRtf) << "todo: get WMF data";
        break;
    case PictWord::Width:
        qCDebug(lcRtf) << "pict width: " << parameter;
        break;
    case PictWord::Height:
        qCDebug(lcRtf) << "pict height: " << parameter;
        break;
    case PictWord::ScaleX:
        m_xScale = scaleFactor(parameter);
        qCDebug(lcRtf) << "X scale: " << parameter;
        break;
    case PictWord::ScaleY:
        m_yScale = scaleFactor(parameter);
        qCDebug(lcRtf) << "Y scale: " << parameter;
        break;
    case PictWord::CropLeft:
        qCDebug(lcRtf) << "Left crop:" << parameter;
        break;
    case PictWord::CropRight:
        qCDebug(lcRtf) << "Right crop:" << parameter;
        break;
    case PictWord::CropTop:
        qCDebug(lcRtf) << "Top crop:" << parameter;
        break;
    case PictWord::CropBottom:
        qCDebug(lcRtf) << "Bottom crop:" << parameter;
        break;
    case PictWord::GoalWidth:
        m_goalWidth = goalInPixels(parameter);
        qCDebug(lcRtf) << "Goal Width:" << parameter;
        break;
    case PictWord::Binary:
        // The data follows as raw bytes (handleBinaryData).
        qCDebug(lcRtf) << "binary picture data:" << parameter << "bytes";
        break;
    case PictWord::GoalHeight:
        m_goalHeight = goalInPixels(parameter);
        qCDebug(lcRtf) << "Goal Height:" << parameter;
        break;
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
