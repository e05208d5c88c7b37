#include "tokenizer.h"

#include "reader/logging_p.h"
#include "common/hexdigit_p.h"
#include "common/namehash_p.h"

#include <QIODevice>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

namespace Tavisk
{

namespace
{
// Plain ASCII classification: bytes of 128 and above are never letters or
// hex digits, whatever the locale.
inline bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline bool isLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

// Every byte value, each followed by a NUL as QByteArray data is, for tokens
// of a single byte (\'hh escapes, control symbols): their names share this
// static storage instead of allocating.
struct ByteTable {
    char bytes[512];
    constexpr ByteTable()
        : bytes()
    {
        for (int i = 0; i < 256; ++i)
            bytes[2 * i] = char(i);
    }
};
constexpr ByteTable byteTable;

inline QByteArray singleByte(char c)
{
    return QByteArray::fromRawData(&byteTable.bytes[2 * static_cast<unsigned char>(c)], 1);
}

// The length of \binN: N when it is a positive 32-bit number, otherwise 0
// (a negative, empty or overflowing count marks no data).
qint64 binaryLength(const QString &parameter)
{
    qint64 length = 0;
    for (const QChar c : parameter) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
        length = length * 10 + (c.unicode() - u'0');
        if (length > std::numeric_limits<qint32>::max())
            return 0;
    }
    return length;
}
} // namespace

Tokenizer::Tokenizer(QIODevice *inputDevice)
    : m_inputDevice(inputDevice)
    , m_lookAhead(inputDevice)
{
}

bool Tokenizer::LookAhead::refill()
{
    if (m_index > 0)
        m_device->skip(m_index);
    m_index = 0;
    const qint64 peeked = m_device->peek(m_bytes, sizeof m_bytes);
    m_size = peeked > 0 ? qsizetype(peeked) : 0;
    return m_size > 0;
}

void Tokenizer::LookAhead::ungetChar(char c)
{
    if (m_index > 0) {
        --m_index;
        return;
    }
    // The byte came from a window that has already been consumed.
    m_device->ungetChar(c);
    m_size = 0;
}

qsizetype Tokenizer::LookAhead::appendTo(QByteArray &data, qint64 maximum)
{
    if (m_index == m_size && !refill())
        return 0;
    const qsizetype count = qsizetype(std::min<qint64>(maximum, m_size - m_index));
    data.append(m_bytes + m_index, count);
    m_index += count;
    return count;
}

void Tokenizer::LookAhead::skipIfNext(const char *bytes, qsizetype length)
{
    if (m_size - m_index < length)
        refill();
    if (m_size - m_index >= length && std::equal(bytes, bytes + length, m_bytes + m_index))
        m_index += length;
}

void Tokenizer::LookAhead::consume()
{
    if (m_index > 0)
        m_device->skip(m_index);
    m_index = 0;
    m_size = 0;
}

Tokenizer::~Tokenizer()
{
    m_lookAhead.consume();
}

void Tokenizer::setLeadByteTest(LeadByteTest test, const void *context)
{
    m_leadByteTest = test;
    m_leadByteContext = context;
}

Token Tokenizer::fetchToken()
{
    Token token;
    readToken(token);
    return token;
}

void Tokenizer::skipSpaceBeforeDocument()
{
    m_lookAhead.skipIfNext("\xEF\xBB\xBF", 3);
    char c;
    while (m_lookAhead.getChar(&c)) {
        if (c != ' ' && c != '\t' && !isLineBreak(c)) {
            m_lookAhead.ungetChar(c);
            return;
        }
    }
}

Token Tokenizer::fetchHeaderToken()
{
    m_bounded = true;
    Token token;
    readToken(token);
    m_bounded = false;
    return token;
}

void Tokenizer::readToken(Token &token)
{
    if (m_binaryRemaining > 0) {
        readBinary(token);
        return;
    }
    char c;
    do {
        if (!m_lookAhead.getChar(&c))
            return;
    } while (isLineBreak(c));

    switch (c) {
    case '{':
        token.type = OpenGroup;
        break;
    case '}':
        token.type = CloseGroup;
        break;
    case '\\':
        token.type = Control;
        readControl(token);
        break;
    default:
        token.type = Plain;
        readPlainText(token, &c, 1);
        break;
    }
}

void Tokenizer::pullPlainText(Token &token)
{
    readPlainText(token, nullptr, 0);
}

void Tokenizer::readPlainText(Token &token, const char *first, qsizetype firstLength)
{
    // Bytes are gathered on the stack and handed to the token in blocks: one
    // allocation for a typical run instead of a growth step every few bytes.
    char buffer[1024];
    qsizetype length = 0;
    if (firstLength > 0)
        buffer[length++] = *first;
    // How far the run has been split into characters by a lead-byte check;
    // the run itself starts at a character boundary.
    qsizetype checked = 0;
    char c;
    while (m_lookAhead.getChar(&c)) {
        if (isLineBreak(c))
            continue;
        if (c == '\\' || c == '{' || c == '}') {
            // The rare case: a high byte right before the delimiter may be
            // the lead byte of a double-byte character that ends with it.
            const char last = length > 0 ? buffer[length - 1] : (token.name.isEmpty() ? '\0' : token.name.back());
            if (static_cast<unsigned char>(last) < 0x81 || !m_leadByteTest
                || !runEndsInLeadByte(token, buffer, length, checked)) {
                m_lookAhead.ungetChar(c);
                break;
            }
        }
        buffer[length++] = c;
        if (length == qsizetype(sizeof buffer)) {
            token.name.append(buffer, length);
            length = 0;
            if (m_bounded)
                break;
        }
    }
    if (token.name.isEmpty()) {
        // The run before is usually no longer held: its bytes are replaced
        // in place, where a new QByteArray would allocate for every run.
        m_text.resize(length);
        std::memcpy(m_text.data(), buffer, size_t(length));
        token.name = m_text;
    } else {
        token.name.append(buffer, length);
    }
}

bool Tokenizer::runEndsInLeadByte(const Token &token, const char *buffer, qsizetype length, qsizetype &checked) const
{
    // Walks the run from the last known character boundary, a lead byte
    // and its trail byte at a time: whether the last byte is a lead byte
    // depends on every byte before it. The walk resumes where it stopped,
    // so a long run with many such bytes is walked once.
    const qsizetype stored = token.name.size();
    const qsizetype total = stored + length;
    auto byteAt = [&](qsizetype i) {
        return static_cast<unsigned char>(i < stored ? token.name.at(i) : buffer[i - stored]);
    };
    qsizetype i = checked;
    while (i < total - 1) {
        const unsigned char b = byteAt(i);
        i += (b >= 0x81 && m_leadByteTest(m_leadByteContext, b)) ? 2 : 1;
    }
    checked = i;
    if (i != total - 1)
        return false;
    const unsigned char b = byteAt(i);
    if (b >= 0x81 && m_leadByteTest(m_leadByteContext, b)) {
        // The delimiter about to be stored is its trail byte.
        checked = total + 1;
        return true;
    }
    return false;
}

void Tokenizer::readBinary(Token &token)
{
    // The data is gathered as it arrives, one read-ahead window at a time:
    // a count larger than what the file holds costs only what it holds.
    token.type = Binary;
    while (m_binaryRemaining > 0) {
        const qsizetype count = m_lookAhead.appendTo(token.name, m_binaryRemaining);
        if (count == 0)
            break;
        m_binaryRemaining -= count;
    }
    m_binaryRemaining = 0;
}

void Tokenizer::pullControl(Token &token)
{
    readControl(token);
}

void Tokenizer::readControl(Token &token)
{
    char c;
    // A backslash as the very last byte: the token keeps an empty name, and
    // the next fetch reports the end of the input.
    if (!m_lookAhead.getChar(&c))
        return;
    if (isLetter(c)) {
        readControlWord(token, &c, 1);
    } else if (isLineBreak(c)) {
        // A backslash at the end of a line ends the paragraph, as \par does:
        // TextEdit writes every line break of the body this way.
        token.name = QByteArray::fromRawData("par", 3);
    } else {
        token.name = singleByte(c);
        readControlSymbol(token);
    }
}

void Tokenizer::pullControlWord(Token &token)
{
    readControlWord(token, nullptr, 0);
}

bool Tokenizer::readControlWordInWindow(Token &token, char first)
{
    // The common case: the word, its parameter and the byte after them are
    // all in the read-ahead window. They are found there in one pass and the
    // name and the digits shared straight from it, without copying byte by
    // byte. Anything else (a word that may go on past the window, one too
    // long to share, the header check's bounded reads) takes the long way,
    // which reads the same.
    qsizetype available = 0;
    const char *const start = m_lookAhead.fromLastTaken(&available);
    if (m_bounded || !start || *start != first)
        return false;
    const char *const end = start + 1 + available;
    const char *p = start + 1;
    while (p != end && isLetter(*p))
        ++p;
    const char *const nameEnd = p;
    // A parameter is an optional '-' and digits.
    if (p != end && (isDigit(*p) || *p == '-')) {
        ++p;
        while (p != end && isDigit(*p))
            ++p;
    }
    if (p == end)
        return false;
    const qsizetype nameLength = nameEnd - start;
    const qsizetype digitCount = p - nameEnd;
    if (nameLength >= 64 || digitCount >= 32)
        return false;
    // A space or line end after the word belongs to it; anything else is
    // what follows.
    const bool delimiter = *p == ' ' || isLineBreak(*p);
    token.name = sharedName(start, nameLength);
    if (digitCount > 0) {
        token.hasParameter = true;
        token.parameter = sharedParameter(nameEnd, digitCount);
    }
    m_lookAhead.take(p - (start + 1) + (delimiter ? 1 : 0));
    return true;
}

void Tokenizer::readControlWord(Token &token, const char *first, qsizetype firstLength)
{
    if (firstLength != 1 || !token.name.isEmpty() || token.hasParameter || !readControlWordInWindow(token, *first))
        readControlWordByteByByte(token, first, firstLength);
    // \binN: the N bytes after the word's delimiter are raw data, whatever
    // they hold; the next token carries them.
    if (token.hasParameter && token.name.size() == 3 && token.name == "bin")
        m_binaryRemaining = binaryLength(token.parameter);
}

void Tokenizer::readControlWordByteByByte(Token &token, const char *first, qsizetype firstLength)
{
    // The letters and the parameter are gathered on the stack; a word or a
    // parameter longer than the buffer spills into the token in blocks.
    char name[64];
    qsizetype nameLength = 0;
    if (firstLength > 0)
        name[nameLength++] = *first;
    char digits[32];
    qsizetype digitCount = 0;

    char c;
    while (m_lookAhead.getChar(&c)) {
        if (c == ' ' || isLineBreak(c))
            break; // the delimiter belongs to the word
        if (static_cast<unsigned char>(c) <= 32) {
            m_lookAhead.ungetChar(c);
            break;
        }
        if (isLetter(c)) {
            // A letter after the parameter starts the text that follows the
            // word: writers emit "\highlight0Normal" and "\u945a", where the
            // letters are text (and for \u, its fallback).
            if (token.hasParameter) {
                m_lookAhead.ungetChar(c);
                break;
            }
            name[nameLength++] = c;
            if (nameLength == qsizetype(sizeof name)) {
                token.name.append(name, nameLength);
                nameLength = 0;
                if (m_bounded)
                    break;
            }
        } else if (isDigit(c) || (c == '-' && !token.hasParameter)) {
            // A parameter is an optional '-' and digits: a '-' anywhere else
            // ends the word and is text ("\fs24-b", and "\u8212-" whose '-'
            // is the fallback character of the Unicode dash).
            digits[digitCount++] = c;
            if (digitCount == qsizetype(sizeof digits)) {
                token.parameter.append(QLatin1String(digits, digitCount));
                digitCount = 0;
                if (m_bounded)
                    break;
            }
            token.hasParameter = true;
        } else {
            m_lookAhead.ungetChar(c);
            break;
        }
    }
    if (token.name.isEmpty())
        token.name = sharedName(name, nameLength);
    else
        token.name.append(name, nameLength);
    if (digitCount > 0) {
        if (token.parameter.isEmpty())
            token.parameter = sharedParameter(digits, digitCount);
        else
            token.parameter.append(QLatin1String(digits, digitCount));
    }
}

namespace
{
constexpr qsizetype maximumSharedCopies = 4096;

inline bool sameBytes(const QByteArray &key, const char *bytes, qsizetype length)
{
    if (key.size() != length)
        return false;
    const char *data = key.constData();
    for (qsizetype i = 0; i < length; ++i) {
        if (data[i] != bytes[i])
            return false;
    }
    return true;
}
} // namespace

template<typename Value>
template<typename Make>
Value Tokenizer::SharedCopies<Value>::get(const char *bytes, qsizetype length, Make make)
{
    if (m_slots.isEmpty())
        m_slots.resize(256);
    const std::uint32_t hash = nameHash(std::string_view(bytes, std::size_t(length)));
    qsizetype mask = m_slots.size() - 1;
    qsizetype index = qsizetype(hash) & mask;
    // Keys are never empty: an empty key marks a free slot.
    while (!m_slots.at(index).key.isEmpty()) {
        const Slot &slot = m_slots.at(index);
        if (sameBytes(slot.key, bytes, length))
            return slot.value;
        index = (index + 1) & mask;
    }
    const Value value = make(bytes, length);
    if (length == 0 || m_count >= maximumSharedCopies)
        return value;
    if (2 * (m_count + 1) > m_slots.size()) {
        // Keep the table at most half full: double it and place the entries again.
        QList<Slot> old;
        old.swap(m_slots);
        m_slots.resize(old.size() * 2);
        mask = m_slots.size() - 1;
        for (Slot &slot : old) {
            if (slot.key.isEmpty())
                continue;
            qsizetype i = qsizetype(nameHash(std::string_view(slot.key.constData(), std::size_t(slot.key.size())))) & mask;
            while (!m_slots.at(i).key.isEmpty())
                i = (i + 1) & mask;
            m_slots[i] = std::move(slot);
        }
        index = qsizetype(hash) & mask;
        while (!m_slots.at(index).key.isEmpty())
            index = (index + 1) & mask;
    }
    m_slots[index] = Slot{QByteArray(bytes, length), value};
    ++m_count;
    return value;
}

QByteArray Tokenizer::sharedName(const char *name, qsizetype length)
{
    return m_names.get(name, length, [](const char *bytes, qsizetype n) { return QByteArray(bytes, n); });
}

QString Tokenizer::sharedParameter(const char *digits, qsizetype length)
{
    return m_parameters.get(digits, length, [](const char *bytes, qsizetype n) { return QString::fromLatin1(bytes, n); });
}

void Tokenizer::pullControlSymbol(Token &token)
{
    readControlSymbol(token);
}

void Tokenizer::readControlSymbol(Token &token)
{
    const char symbol = token.name.at(0);
    switch (symbol) {
    case '\'': {
        // \'hh: one byte written as two hex digits. A malformed escape stays
        // a control symbol, and the bytes read for it are dropped.
        char high;
        char low;
        if (!m_lookAhead.getChar(&high) || !m_lookAhead.getChar(&low))
            return;
        const int highValue = hexDigitValue(high);
        const int lowValue = hexDigitValue(low);
        if (highValue < 0 || lowValue < 0)
            return;
        token.type = Plain;
        token.name = singleByte(char(highValue * 16 + lowValue));
        return;
    }
    case '\\':
    case '{':
    case '}':
        token.type = Plain;
        return;
    case '*':
        return;
    default:
        qCDebug(lcRtf) << "unhandled control symbol in Tokenizer:" << token.name;
        return;
    }
}

} // namespace Tavisk
