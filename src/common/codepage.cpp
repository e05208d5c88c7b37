#include "codepage_p.h"

#include <algorithm>
#include <iterator>

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

namespace
{
// The code pages of one byte per character. Others may be, but only these
// are read through a byte table.
bool isSingleByteEncoding(const QString &encoding)
{
    // The empty name stands for Windows-1252.
    static const char *const names[] = {
        "",
        "Windows-1250", "Windows-1251", "Windows-1252", "Windows-1253", "Windows-1254", "Windows-1255",
        "Windows-1256", "Windows-1257", "Windows-1258", "Windows-874",
        "ISO-8859-1", "ISO-8859-2", "ISO-8859-3", "ISO-8859-4", "ISO-8859-5", "ISO-8859-6", "ISO-8859-7",
        "ISO-8859-8", "ISO-8859-9", "ISO-8859-15",
        "IBM437", "IBM737", "IBM775", "IBM850", "IBM852", "IBM855", "IBM857", "IBM860", "IBM861", "IBM862",
        "IBM863", "IBM864", "IBM865", "IBM866", "IBM869",
        "Macintosh", "x-mac-greek", "x-mac-cyrillic", "x-mac-centraleurroman", "x-mac-turkish",
        "TIS-620", "US-ASCII", "KOI8-R", "KOI8-U",
    };
    return std::any_of(std::begin(names), std::end(names), [&encoding](const char *name) {
        return encoding.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    });
}
} // namespace

QString byteTable(const QString &encoding)
{
    if (!isSingleByteEncoding(encoding))
        return QString();
    // The table is what the decoder makes of every byte; it is used only if
    // every byte is one character of its own.
    char bytes[256];
    for (int i = 0; i < 256; ++i)
        bytes[i] = char(i);
    QString characters = decoderFor(encoding).decode(QByteArrayView(bytes, 256));
    if (characters.size() != 256
        || std::any_of(characters.cbegin(), characters.cend(), [](QChar c) { return c.isSurrogate(); }))
        return QString();
    return characters;
}

QString fromUtf8OrWindows1252(const QByteArray &bytes)
{
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    return decode(bytes, QStringLiteral("Windows-1252"));
}

namespace
{
struct CodePageName {
    int number;
    const char *encoding;
};

// Windows code page numbers and the decoders that read them. The Mac code
// pages without a decoder of their own read with the nearest one: Mac
// Japanese, Korean and Chinese are built on Shift-JIS, EUC-KR, GB 2312 and
// Big5; Mac Hebrew and Arabic put their letters where Windows-1255 and
// ISO 8859-6 do; Mac Thai extends TIS-620.
constexpr CodePageName codePageNames[] = {
    {437, "IBM437"},
    {708, "ISO-8859-6"},
    {737, "IBM737"},
    {775, "IBM775"},
    {850, "IBM850"},
    {852, "IBM852"},
    {855, "IBM855"},
    {857, "IBM857"},
    {860, "IBM860"},
    {861, "IBM861"},
    {862, "IBM862"},
    {863, "IBM863"},
    {864, "IBM864"},
    {865, "IBM865"},
    {866, "IBM866"},
    {869, "IBM869"},
    {874, "Windows-874"},
    {932, "Shift-JIS"},
    {936, "GB2312"},
    {949, "CP949"},
    {950, "Big5"},
    {1250, "Windows-1250"},
    {1251, "Windows-1251"},
    {1252, "Windows-1252"},
    {1253, "Windows-1253"},
    {1254, "Windows-1254"},
    {1255, "Windows-1255"},
    {1256, "Windows-1256"},
    {1257, "Windows-1257"},
    {1258, "Windows-1258"},
    {1361, "Johab"},
    {10000, "Macintosh"},
    {10001, "Shift-JIS"},
    {10002, "Big5"},
    {10003, "CP949"},
    {10004, "ISO-8859-6"},
    {10005, "Windows-1255"},
    {10006, "x-mac-greek"},
    {10007, "x-mac-cyrillic"},
    {10008, "GB2312"},
    {10021, "TIS-620"},
    {10029, "x-mac-centraleurroman"},
    {10081, "x-mac-turkish"},
    {20127, "US-ASCII"},
    {20866, "KOI8-R"},
    {21866, "KOI8-U"},
    {28591, "ISO-8859-1"},
    {28592, "ISO-8859-2"},
    {28593, "ISO-8859-3"},
    {28594, "ISO-8859-4"},
    {28595, "ISO-8859-5"},
    {28596, "ISO-8859-6"},
    {28597, "ISO-8859-7"},
    {28598, "ISO-8859-8"},
    {28599, "ISO-8859-9"},
    {28605, "ISO-8859-15"},
    {51932, "EUC-JP"},
    {51949, "CP949"},
    {65001, "UTF-8"},
};
} // namespace

QString encodingForCodePage(int codePage)
{
    const auto it = std::lower_bound(std::begin(codePageNames), std::end(codePageNames), codePage,
                                     [](const CodePageName &entry, int number) { return entry.number < number; });
    if (it != std::end(codePageNames) && it->number == codePage)
        return QString::fromLatin1(it->encoding);
    if (codePage <= 0)
        return QString();
    // Any other number Qt knows as a Windows code page.
    const QByteArray name = "windows-" + QByteArray::number(codePage);
    if (QStringDecoder(name.constData()).isValid())
        return QString::fromLatin1(name);
    return QString();
}

bool isLeadByte(const QString &encoding, unsigned char byte)
{
    if (byte < 0x81 || encoding.isEmpty())
        return false;
    if (encoding == QLatin1String("Shift-JIS"))
        return byte <= 0x9F || (byte >= 0xE0 && byte <= 0xFC);
    if (encoding == QLatin1String("GB2312") || encoding == QLatin1String("GBK") || encoding == QLatin1String("Big5")
        || encoding == QLatin1String("CP949") || encoding == QLatin1String("windows-949"))
        return byte <= 0xFE;
    if (encoding == QLatin1String("Johab"))
        return (byte >= 0x84 && byte <= 0xD3) || (byte >= 0xD8 && byte <= 0xDE) || (byte >= 0xE0 && byte <= 0xF9);
    return false;
}

} // namespace CodePage
} // namespace Tavisk
