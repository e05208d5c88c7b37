#include "textdecoding_p.h"

namespace Tavisk
{
namespace TextDecoding
{

namespace
{
// Windows-1252 differs from Latin-1 only in 0x80-0x9F. 0x81, 0x8D, 0x8F, 0x90
// and 0x9D are undefined there and keep their Latin-1 (C1 control) meaning.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};
} // namespace

QString fromWindows1252(const QByteArray &bytes)
{
    QString result(bytes.size(), Qt::Uninitialized);
    QChar *out = result.data();
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        *out++ = (byte >= 0x80 && byte <= 0x9F) ? QChar(windows1252High[byte - 0x80]) : QChar(char16_t(byte));
    }
    return result;
}

QString fromUtf8OrWindows1252(const QByteArray &bytes)
{
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    return fromWindows1252(bytes);
}

} // namespace TextDecoding
} // namespace Tavisk
