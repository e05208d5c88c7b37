#include "plaintextwriter_p.h"

#include <QFileDevice>
#include <QIODevice>

#include <cstring>
#include <utility>

namespace Tavisk
{

namespace
{
// The buffer goes to the device once it holds this much.
constexpr qsizetype bufferSize = 256 * 1024;

// Appends @p text to @p out as UTF-8, as QString::toUtf8() encodes it: a
// surrogate without its partner becomes '?'.
void appendUtf8(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    // At most three bytes for each UTF-16 unit.
    out.resize(start + 3 * text.size());
    char *p = out.data() + start;
    const char16_t *s = text.utf16();
    const char16_t *const end = s + text.size();
    while (s != end) {
        // Four ASCII characters at a time, the usual text.
        while (end - s >= 4) {
            quint64 four;
            std::memcpy(&four, s, sizeof four);
            if (four & 0xFF80FF80FF80FF80ULL)
                break;
            p[0] = char(s[0]);
            p[1] = char(s[1]);
            p[2] = char(s[2]);
            p[3] = char(s[3]);
            p += 4;
            s += 4;
        }
        if (s == end)
            break;
        const char16_t u = *s++;
        if (u < 0x80) {
            *p++ = char(u);
        } else if (u < 0x800) {
            *p++ = char(0xC0 | (u >> 6));
            *p++ = char(0x80 | (u & 0x3F));
        } else if (u < 0xD800 || u > 0xDFFF) {
            *p++ = char(0xE0 | (u >> 12));
            *p++ = char(0x80 | ((u >> 6) & 0x3F));
            *p++ = char(0x80 | (u & 0x3F));
        } else if (u < 0xDC00 && s != end && *s >= 0xDC00 && *s <= 0xDFFF) {
            const char32_t c = 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(*s++) - 0xDC00);
            *p++ = char(0xF0 | (c >> 18));
            *p++ = char(0x80 | ((c >> 12) & 0x3F));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
            *p++ = char(0x80 | (c & 0x3F));
        } else {
            *p++ = '?';
        }
    }
    out.resize(p - out.constData());
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
    m_buffer.clear();
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
    appendUtf8(m_buffer, text);
    if (m_buffer.size() >= bufferSize)
        writeBuffer();
}

void PlainTextWriter::writeBuffer()
{
    if (m_buffer.isEmpty() || !m_device)
        return;
    if (!m_failed && m_device->write(m_buffer) != m_buffer.size())
        m_failed = true;
    // The capacity stays for the next piece.
    m_buffer.resize(0);
}

} // namespace Tavisk
