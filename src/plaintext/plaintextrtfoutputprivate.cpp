#include "plaintextrtfoutput_p.h"

#include "common/codepage_p.h"

namespace Tavisk
{

namespace
{
// The text document output inserts the text it gathers once this much has
// come together.
constexpr qsizetype gatheredLimit = 64 * 1024;

// Code pages that decode each printable ASCII byte as itself and keep no
// state from one run to the next (no multi-byte characters); the empty name
// is Windows-1252.
bool isAsciiCodePage(const QString &encoding)
{
    if (encoding.isEmpty())
        return true;
    static const char *const prefixes[] = {"Windows-125", "ISO-8859-", "x-mac-", "KOI8-"};
    for (const char *prefix : prefixes) {
        if (encoding.startsWith(QLatin1String(prefix)))
            return true;
    }
    return encoding == QLatin1String("Macintosh") || encoding == QLatin1String("Windows-874")
        || encoding == QLatin1String("US-ASCII") || encoding == QLatin1String("TIS-620");
}

// Units that are inserted as they are: printable ASCII, and everything from
// U+00A0 on but the characters QTextCursor and the text export treat apart.
inline bool isPlain(char16_t u)
{
    if (u < 0x7F)
        return u >= 0x20;
    if (u < 0xA0)
        return false;
    return u != 0x2028 && u != 0x2029 && u != 0xFDD0 && u != 0xFDD1 && u != 0xFFFC;
}

// C0 control characters other than tab, line feed and carriage return: the
// text document output takes them out of decoded text.
inline bool isRemovedFromDecodedText(char16_t u)
{
    return u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D;
}
} // namespace

PlainTextRtfOutputPrivate::PlainTextRtfOutputPrivate(QIODevice *device)
    : m_writer(device)
    , m_paragraph(&m_bodyParagraph)
{
    reset();
}

PlainTextRtfOutputPrivate::PlainTextRtfOutputPrivate(QString *text)
    : m_writer(text)
    , m_paragraph(&m_bodyParagraph)
{
    reset();
}

void PlainTextRtfOutputPrivate::reset()
{
    m_writer.begin();
    m_fontEncodings.clear();
    m_defaultFont = 0;
    m_haveSetFont = false;
    m_encoding.clear();
    m_documentEncoding.clear();
    m_decoder = QStringDecoder();
    m_decoderEncoding.clear();
    m_asciiDecoder = false;
    m_encodingStack.clear();
    m_hiddenStack.clear();
    m_hidden = false;
    insertionPoint();
    m_lists.reset();
    m_tables.reset();
    m_cell = nullptr;
    m_bodyParagraph.clear();
    m_paragraph = &m_bodyParagraph;
    m_bodyHasItems = false;
    m_bodyAfterTable = false;
    m_held = false;
    m_previousParagraph.clear();
}

// ---- decoding ----

void PlainTextRtfOutputPrivate::startGroup()
{
    if (!m_haveSetFont)
        setFont(m_defaultFont);
    m_encodingStack.append(m_encoding);
    m_hiddenStack.push_back(m_hidden);
}

void PlainTextRtfOutputPrivate::endGroup()
{
    // A caller that ends more groups than it started keeps the outermost
    // state.
    if (!m_encodingStack.isEmpty()) {
        m_encoding = m_encodingStack.takeLast();
        m_hidden = m_hiddenStack.back();
        m_hiddenStack.pop_back();
    }
    insertionPoint();
}

void PlainTextRtfOutputPrivate::setFont(int index)
{
    const auto it = m_fontEncodings.constFind(index);
    if (it == m_fontEncodings.constEnd())
        return;
    insertionPoint();
    // A font that names no code page uses the document's (\ansicpg).
    m_encoding = it->isEmpty() ? m_documentEncoding : *it;
    m_haveSetFont = true;
}

void PlainTextRtfOutputPrivate::useDefaultFontUntilOneIsChosen()
{
    if (m_haveSetFont)
        return;
    const auto it = m_fontEncodings.constFind(m_defaultFont);
    if (it == m_fontEncodings.constEnd())
        return;
    insertionPoint();
    // The groups open around the font table return to the code page they
    // saved: each takes the default font's.
    const QString encoding = it->isEmpty() ? m_documentEncoding : *it;
    m_encoding = encoding;
    for (QString &saved : m_encodingStack)
        saved = encoding;
}

void PlainTextRtfOutputPrivate::resetCharacterProperties()
{
    // \plain: not hidden, and the default font (\deff) with its code page.
    m_hidden = false;
    insertionPoint();
    setFont(m_defaultFont);
}

void PlainTextRtfOutputPrivate::setDecoder()
{
    // The decoder lives from run to run, so that a two-byte character whose
    // bytes come as separate \'hh escapes is decoded as one; it is replaced
    // when the code page changes. A new decoder has no state, so one for a
    // code page whose text is all ASCII is made only when it is needed.
    if (m_decoderEncoding != m_encoding || (!m_decoder.isValid() && !m_asciiDecoder)) {
        m_decoderEncoding = m_encoding;
        m_asciiDecoder = isAsciiCodePage(m_encoding);
        m_decoder = m_asciiDecoder ? QStringDecoder() : CodePage::decoderFor(m_encoding);
    }
}

QString PlainTextRtfOutputPrivate::decode(const QByteArray &text)
{
    setDecoder();
    if (!m_decoder.isValid())
        m_decoder = CodePage::decoderFor(m_encoding);
    return m_decoder.decode(text);
}

void PlainTextRtfOutputPrivate::insertBytes(const QByteArray &bytes)
{
    setDecoder();
    const qsizetype size = bytes.size();
    const char *data = bytes.constData();
    bool ascii = m_asciiDecoder;
    if (ascii) {
        for (qsizetype i = 0; i < size; ++i) {
            const uchar c = uchar(data[i]);
            if (c < 0x20 || c >= 0x7F) {
                ascii = false;
                break;
            }
        }
    }
    if (ascii) {
        m_scratch.resize(size);
        char16_t *out = reinterpret_cast<char16_t *>(m_scratch.data());
        for (qsizetype i = 0; i < size; ++i)
            out[i] = char16_t(uchar(data[i]));
    } else {
        if (!m_decoder.isValid())
            m_decoder = CodePage::decoderFor(m_encoding);
        m_scratch.resize(m_decoder.requiredSpace(size));
        QChar *begin = m_scratch.data();
        QChar *end = m_decoder.appendToBuffer(begin, QByteArrayView(bytes));
        // C0 control characters other than tab and line ends are taken out.
        QChar *kept = begin;
        for (QChar *p = begin; p != end; ++p) {
            if (!isRemovedFromDecodedText(p->unicode()))
                *kept++ = *p;
        }
        m_scratch.truncate(kept - begin);
    }
    insertText(m_scratch);
}

// ---- text ----

void PlainTextRtfOutputPrivate::insertText(QStringView text)
{
    if (m_hidden)
        return;
    if (m_lists.wantsText() && m_lists.takeText(text))
        return;
    prepareInsertion();
    putText(text);
    m_gathered += text.size();
    if (m_gathered >= gatheredLimit)
        insertionPoint();
}

void PlainTextRtfOutputPrivate::putText(QStringView text)
{
    const char16_t *const begin = text.utf16();
    const char16_t *const end = begin + text.size();
    const char16_t *p = begin;
    while (p != end) {
        const char16_t *run = p;
        while (p != end && isPlain(*p))
            ++p;
        if (p != run) {
            PlainText::Paragraph &paragraph = *m_paragraph;
            paragraph.text.append(QStringView(run, p - run));
            paragraph.length += p - run;
            paragraph.keptLength += p - run;
            m_carriageReturn = false;
            if (p == end)
                break;
        }
        const char16_t u = *p++;
        PlainText::Paragraph &paragraph = *m_paragraph;
        switch (u) {
        case u'\n':
            // A carriage return and a line feed in one insertion end one
            // paragraph.
            if (m_carriageReturn) {
                m_carriageReturn = false;
                continue;
            }
            splitParagraph();
            break;
        case u'\r':
        case 0x2029: // paragraph separator
        case 0xFDD0: // the document's frame start and end marks
        case 0xFDD1:
            splitParagraph();
            break;
        case u'\t':
            paragraph.text.append(QLatin1Char('\t'));
            ++paragraph.length;
            ++paragraph.keptLength;
            break;
        case 0x2028: // \line: a line break inside the paragraph
            paragraph.text.append(QLatin1Char('\n'));
            ++paragraph.length;
            ++paragraph.keptLength;
            break;
        case 0xFFFC: // a picture's place, never text
            ++paragraph.length;
            ++paragraph.keptLength;
            break;
        default: // control characters: no text
            ++paragraph.length;
            break;
        }
        m_carriageReturn = u == u'\r';
    }
}

void PlainTextRtfOutputPrivate::splitParagraph()
{
    if (m_cell) {
        m_cell->items.push_back(PlainText::Item{std::make_unique<PlainText::Paragraph>(), nullptr});
        m_paragraph = m_cell->items.back().paragraph.get();
        return;
    }
    writeBodyParagraph(false);
    m_bodyParagraph.clear();
    m_bodyHasItems = true;
    m_bodyAfterTable = false;
}

void PlainTextRtfOutputPrivate::endParagraph()
{
    insertionPoint();
    prepareInsertion();
    m_lists.endParagraph(false);
    splitParagraph();
}

// ---- the place of the current paragraph ----

void PlainTextRtfOutputPrivate::enterCell(PlainText::Cell *cell)
{
    if (cell->items.empty())
        cell->items.push_back(PlainText::Item{std::make_unique<PlainText::Paragraph>(), nullptr});
    m_cell = cell;
    m_paragraph = cell->items.front().paragraph.get();
}

PlainText::Cell *PlainTextRtfOutputPrivate::placeTable()
{
    // An empty paragraph that a paragraph end left behind gives its place
    // to the table; the first paragraph of a cell or of the body stays (a
    // table cannot start one), and so does one right after a table. The
    // text document output removes the paragraph end before it, and when
    // the paragraph before is empty too, that one goes with its format: a
    // list item is then no longer one.
    const bool empty = m_paragraph->length == 0;
    if (m_cell) {
        std::vector<PlainText::Item> &items = m_cell->items;
        if (empty && items.size() >= 2 && items[items.size() - 2].paragraph) {
            items.pop_back();
            PlainText::Paragraph &previous = *items.back().paragraph;
            if (previous.length == 0 && previous.list >= 0) {
                m_lists.itemRemoved(previous);
                previous.list = -1;
            }
        }
        return m_cell;
    }
    if (empty && m_bodyHasItems && !m_bodyAfterTable) {
        if (m_previousParagraph.length == 0 && m_previousParagraph.list >= 0)
            m_lists.itemRemoved(m_previousParagraph);
        // The paragraph before has not been written if it is empty.
        if (m_held) {
            m_held = false;
            // The body's first paragraph is left out before a table; any
            // other is an empty line.
            if (!m_heldFirst)
                m_writer.writeLine(m_previousParagraph.length == 0 ? QString() : m_lists.marker(m_previousParagraph),
                                   QStringView());
        }
    } else {
        writeBodyParagraph(true);
    }
    m_bodyParagraph.clear();
    return nullptr;
}

void PlainTextRtfOutputPrivate::leaveTable(PlainText::Cell *cell, const PlainText::Table &table)
{
    if (cell) {
        cell->items.push_back(PlainText::Item{std::make_unique<PlainText::Paragraph>(), nullptr});
        m_cell = cell;
        m_paragraph = cell->items.back().paragraph.get();
        return;
    }
    // A blank line before the table, but never two in a row, and one after.
    if (m_writer.hasLines() && !m_writer.lastLineBlank())
        m_writer.writeLine(QStringView());
    for (const QString &row : PlainText::tableRows(table, m_lists))
        m_writer.writeLine(row);
    m_writer.writeLine(QStringView());
    m_cell = nullptr;
    m_bodyParagraph.clear();
    m_paragraph = &m_bodyParagraph;
    m_bodyHasItems = true;
    m_bodyAfterTable = true;
}

void PlainTextRtfOutputPrivate::writeBodyParagraph(bool beforeTable)
{
    const PlainText::Paragraph &paragraph = m_bodyParagraph;
    // An empty paragraph waits for what follows it: when a table takes the
    // place of the next paragraph, the first paragraph of the body is left
    // out, and an empty one loses its list marker.
    writeHeldParagraph();
    m_previousParagraph.length = paragraph.length;
    m_previousParagraph.keptLength = paragraph.keptLength;
    m_previousParagraph.list = paragraph.list;
    m_previousParagraph.number = paragraph.number;
    // A table cannot start the body, nor end it: an empty paragraph stands
    // before a table at the start and after every table. The blank lines
    // around the table stand for them.
    if (paragraph.keptLength == 0 && (m_bodyAfterTable || (beforeTable && !m_bodyHasItems)))
        return;
    const bool first = !m_bodyHasItems;
    if (!beforeTable && (paragraph.length == 0 || (first && paragraph.keptLength == 0))) {
        m_held = true;
        m_heldFirst = first;
        return;
    }
    m_writer.writeLine(m_lists.marker(paragraph), paragraph.text);
}

void PlainTextRtfOutputPrivate::writeHeldParagraph()
{
    if (!m_held)
        return;
    m_held = false;
    m_writer.writeLine(m_lists.marker(m_previousParagraph), QStringView());
}

void PlainTextRtfOutputPrivate::finishBody()
{
    writeBodyParagraph(false);
    writeHeldParagraph();
    m_bodyParagraph.clear();
    m_writer.finish();
}

} // namespace Tavisk
