#include "plaintextwriter_p.h"

#include <QFileDevice>
#include <QIODevice>

#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Tavisk
{

namespace
{
// The buffer goes to the device once it holds this much.
constexpr qsizetype bufferSize = 256 * 1024;
// Text is encoded a piece of this many UTF-16 units at a time, each of them
// at most three bytes of UTF-8; the buffer has room for one piece more.
constexpr qsizetype pieceSize = 4096;
constexpr qsizetype bufferCapacity = bufferSize + 3 * pieceSize;

// Writes @p text at @p out as UTF-8, as QString::toUtf8() encodes it (a
// surrogate without its partner becomes '?'), and returns the end.
char *encodeUtf8(char *out, const char16_t *s, const char16_t *const end)
{
    while (s != end) {
#if defined(__SSE2__)
        // Eight ASCII characters at a time, the usual text.
        const __m128i high = _mm_set1_epi16(qint16(0xFF80));
        while (end - s >= 8) {
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i *>(s));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(units, high), _mm_setzero_si128())) != 0xFFFF)
                break;
            _mm_storel_epi64(reinterpret_cast<__m128i *>(out), _mm_packus_epi16(units, units));
            out += 8;
            s += 8;
        }
#else
        // Four ASCII characters at a time, the usual text.
        while (end - s >= 4) {
            quint64 four;
            std::memcpy(&four, s, sizeof four);
            if (four & 0xFF80FF80FF80FF80ULL)
                break;
            out[0] = char(s[0]);
            out[1] = char(s[1]);
            out[2] = char(s[2]);
            out[3] = char(s[3]);
            out += 4;
            s += 4;
        }
#endif
        if (s == end)
            break;
        const char16_t u = *s++;
        if (u < 0x80) {
            *out++ = char(u);
        } else if (u < 0x800) {
            *out++ = char(0xC0 | (u >> 6));
            *out++ = char(0x80 | (u & 0x3F));
        } else if (u < 0xD800 || u > 0xDFFF) {
            *out++ = char(0xE0 | (u >> 12));
            *out++ = char(0x80 | ((u >> 6) & 0x3F));
            *out++ = char(0x80 | (u & 0x3F));
        } else if (u < 0xDC00 && s != end && *s >= 0xDC00 && *s <= 0xDFFF) {
            const char32_t c = 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(*s++) - 0xDC00);
            *out++ = char(0xF0 | (c >> 18));
            *out++ = char(0x80 | ((c >> 12) & 0x3F));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        } else {
            *out++ = '?';
        }
    }
    return out;
}
} // namespace

PlainTextWriter::PlainTextWriter(QIODevice *device)
    : m_device(device)
{
}

PlainTextWriter::PlainTextWriter(QString *text)
    : m_string(text)
{
}

void PlainTextWriter::begin(bool collect)
{
    m_collecting = collect;
    m_collected.clear();
    m_lines = 0;
    m_blankLines = 0;
    m_endsWithLineEnd = false;
    m_failed = false;
    m_used = 0;
}

void PlainTextWriter::startLine()
{
    // The blank lines held back come first: they are followed by text.
    for (; m_blankLines > 0; --m_blankLines) {
        if (m_lines++ > 0)
            append(u"\n");
    }
    if (m_lines++ > 0)
        append(u"\n");
}

QStringList PlainTextWriter::takeCollected()
{
    m_collecting = false;
    return std::exchange(m_collected, QStringList());
}

void PlainTextWriter::writeLine(QStringView prefix, QStringView text)
{
    if (m_collecting) {
        m_collected.append(prefix.toString().append(text));
        return;
    }
    if (prefix.isEmpty() && text.isEmpty()) {
        ++m_blankLines;
        return;
    }
    startLine();
    append(prefix);
    append(text);
    const QStringView last = text.isEmpty() ? prefix : text;
    m_endsWithLineEnd = last.back() == QLatin1Char('\n');
}

void PlainTextWriter::finish()
{
    if (m_lines > 0 && !m_endsWithLineEnd)
        append(u"\n");
    m_lines = 0;
    m_blankLines = 0;
    writeBuffer();
    if (QFileDevice *file = qobject_cast<QFileDevice *>(m_device)) {
        if (!m_failed && !file->flush())
            m_failed = true;
    }
}

void PlainTextWriter::append(QStringView text)
{
    if (text.isEmpty())
        return;
    if (m_string) {
        m_string->append(text);
        return;
    }
    if (!m_buffer)
        m_buffer.reset(new char[size_t(bufferCapacity)]);
    const char16_t *s = text.utf16();
    const char16_t *const end = s + text.size();
    while (s != end) {
        // A piece ends between the two halves of a surrogate pair only at
        // the end of the text, where the pair is broken anyway.
        const char16_t *pieceEnd = end - s > pieceSize ? s + pieceSize : end;
        if (pieceEnd != end && QChar::isHighSurrogate(pieceEnd[-1]))
            --pieceEnd;
        m_used = encodeUtf8(m_buffer.get() + m_used, s, pieceEnd) - m_buffer.get();
        s = pieceEnd;
        if (m_used >= bufferSize)
            writeBuffer();
    }
}

void PlainTextWriter::writeBuffer()
{
    if (m_used == 0 || !m_device)
        return;
    if (!m_failed && m_device->write(m_buffer.get(), m_used) != m_used)
        m_failed = true;
    m_used = 0;
}

} // namespace Tavisk
