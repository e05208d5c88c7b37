#include "codepage_p.h"

namespace Tavisk
{
namespace CodePage
{

namespace
{
// Windows writes \fcharset134 text in code page 936 (GBK) and \fcharset129
// text in code page 949 (Unified Hangul Code); both extend the standards the
// font table names them after. Qt's decoders under the plain names only know
// the older sets and garble every character of the extensions, so those
// names are read with the Windows code pages.
QByteArray decoderName(const QString &encoding)
{
    if (encoding == QLatin1String("GB2312"))
        return QByteArrayLiteral("GBK");
    if (encoding == QLatin1String("CP949"))
        return QByteArrayLiteral("windows-949");
    return encoding.toLatin1();
}
} // namespace

QStringDecoder decoderFor(const QString &encoding)
{
    if (encoding == QLatin1String("UTF-8"))
        return QStringDecoder(QStringDecoder::Utf8);
    if (!encoding.isEmpty()) {
        QStringDecoder decoder(decoderName(encoding).constData());
        if (decoder.isValid())
            return decoder;
    }
    QStringDecoder ansi("Windows-1252");
    if (ansi.isValid())
        return ansi;
    // A Qt built without the extra code pages still knows Latin-1, which
    // agrees with Windows-1252 outside 0x80-0x9F.
    return QStringDecoder(QStringDecoder::Latin1);
}

QString decode(const QByteArray &bytes, const QString &encoding)
{
    QStringDecoder decoder = decoderFor(encoding);
    return decoder.decode(bytes);
}

QString fromUtf8OrWindows1252(const QByteArray &bytes)
{
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    return decode(bytes, QStringLiteral("Windows-1252"));
}

} // namespace CodePage
} // namespace Tavisk
