#ifndef TAVISK_PICTDESTINATION_H
#define TAVISK_PICTDESTINATION_H

#include "destination.h"

#include <QAtomicInt>
#include <QTextImageFormat>

namespace Tavisk
{

/**
 * One embedded picture, {\\pict\\pngblip\\picwgoal..\\pichgoal.. 89504e47...}.
 *
 * Decodes the hexadecimal picture data and, when the group closes, hands the
 * bytes to the output with an image format that names the picture
 * "rtfparser://N.suffix" and gives its display size in pixels. Only PNG, JPEG
 * and device-independent bitmaps are handed over; any other picture ends
 * with a warning.
 */
class TAVISK_EXPORT PictDestination : public Destination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    PictDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    void aboutToEndDestination() override;
    /// The picture's bytes given with \\binN instead of hex digits: appended
    /// to the picture data as they are.
    void handleBinaryData(const QByteArray &data) override;

private:
    /// The decoded picture bytes, in input order.
    QByteArray m_pictureData;
    /// The format handed to the output.
    QTextImageFormat m_imageFormat;
    /// File suffix of the picture type ("png", "jpg", "bmp"); null while no
    /// known type word was seen.
    const char *m_pictureFormat = nullptr;
    double m_xScale = 1.0;
    double m_yScale = 1.0;
    /// Wanted display size in pixels; 0 means not given.
    double m_goalWidth = 0.0;
    double m_goalHeight = 0.0;
    /// The high nibble of a byte whose second hex digit has not come yet:
    /// the data may be split into runs at any digit.
    int m_pendingNibble = -1;

    /// Numbers the pictures of the whole process, so that every image
    /// resource gets a name of its own, also when documents are read on
    /// several threads at once.
    static QAtomicInt s_pictureCount;
};

} // namespace Tavisk

#endif
