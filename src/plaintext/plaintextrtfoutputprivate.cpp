#include "plaintextrtfoutput_p.h"

#include "common/codepage_p.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace Tavisk
{

namespace
{
// The text document output inserts the text it gathers once this much has
// come together.
constexpr qsizetype gatheredLimit = 64 * 1024;

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

// Every byte of printable ASCII as itself, every other byte as 0: for runs
// of printable ASCII.
const char16_t *asciiPlainTable()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> result{};
        for (int i = 0x20; i < 0x7F; ++i)
            result[size_t(i)] = char16_t(i);
        return result;
    }();
    return table.data();
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
    m_writer.begin(m_showHeadersAndFooters);
    m_fontEncodings.clear();
    m_defaultFont = 0;
    m_haveSetFont = false;
    // No code page: the decoding of an empty name.
    m_documentEncoding = encodingKey(QString());
    m_encoding = m_documentEncoding;
    m_decoder = nullptr;
    m_decoderEncoding = -1;
    m_byteTable = nullptr;
    m_plainTable = nullptr;
    m_asciiSafeDecoder = false;
    m_decoderClean = true;
    m_format = PlainText::CharacterFormat();
    // Text starts at 12 points.
    m_format.pointSize = 12.0;
    m_hidden = false;
    m_familyKeys.clear();
    m_fontFamilies.clear();
    m_fontNames.clear();
    m_colours.clear();
    m_encodingStack.clear();
    m_formatStack.clear();
    m_hiddenStack.clear();
    m_gatheredFormatExplicit = false;
    m_heading = false;
    m_headingStyles.clear();
    insertionPoint();
    m_moves = 0;
    m_document = 0;
    m_documents = 0;
    m_structure.reset();
    m_lists.reset();
    m_tables = std::make_unique<PlainTextTables>(*this);
    m_cell = nullptr;
    m_partRoot = nullptr;
    m_inherited = nullptr;
    m_characterFormatPending = false;
    m_formatLost = false;
    m_bodyParagraph.clear();
    m_paragraph = &m_bodyParagraph;
    m_bodyHasItems = false;
    m_bodyAfterTable = false;
    m_held = false;
    m_heldFirst = false;
    m_firstLeftOut = false;
    m_firstLeftOutLine.clear();
    m_previousParagraph.clear();
}

// ---- decoding ----

void PlainTextRtfOutputPrivate::startGroup()
{
    if (!m_haveSetFont)
        setFont(m_defaultFont);
    m_encodingStack.push_back(m_encoding);
    m_formatStack.push_back(m_format);
    m_hiddenStack.push_back(m_hidden);
}

void PlainTextRtfOutputPrivate::endGroup()
{
    // A caller that ends more groups than it started keeps the outermost
    // state.
    if (!m_encodingStack.empty()) {
        m_encoding = m_encodingStack.back();
        m_encodingStack.pop_back();
        m_format = std::move(m_formatStack.back());
        m_formatStack.pop_back();
        m_hidden = m_hiddenStack.back();
        m_hiddenStack.pop_back();
    }
    characterFormatChanged();
}

void PlainTextRtfOutputPrivate::setFontFamily(PlainText::CharacterFormat &format, int index)
{
    auto family = m_fontFamilies.constFind(index);
    if (family == m_fontFamilies.constEnd()) {
        const auto name = m_fontNames.constFind(index);
        if (name == m_fontNames.constEnd())
            return;
        auto key = m_familyKeys.constFind(*name);
        if (key == m_familyKeys.constEnd())
            key = m_familyKeys.insert(*name, int(m_familyKeys.size()));
        family = m_fontFamilies.insert(index, *key);
    }
    format.family = *family;
}

void PlainTextRtfOutputPrivate::setFont(int index)
{
    const auto it = m_fontEncodings.constFind(index);
    if (it == m_fontEncodings.constEnd())
        return;
    setFontFamily(m_format, index);
    characterFormatChanged();
    // A font that names no code page uses the document's (\ansicpg).
    m_encoding = fontEncoding(*it);
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
    // The font table usually stands in a group of its own: the groups open
    // around it return to the formats they saved, so each takes the font.
    setFontFamily(m_format, m_defaultFont);
    for (PlainText::CharacterFormat &format : m_formatStack)
        setFontFamily(format, m_defaultFont);
    const int encoding = fontEncoding(*it);
    m_encoding = encoding;
    for (int &saved : m_encodingStack)
        saved = encoding;
    m_characterFormatPending = true;
}

void PlainTextRtfOutputPrivate::resetCharacterProperties()
{
    // \plain: every character property back to the default, 12 points in
    // the default font (\deff) with its code page, not hidden. A link and a
    // field stay.
    m_hidden = false;
    PlainText::CharacterFormat format;
    format.pointSize = 12.0;
    format.field = m_format.field;
    format.anchor = m_format.anchor;
    format.href = m_format.href;
    format.toolTip = m_format.toolTip;
    const auto font = m_fontEncodings.constFind(m_defaultFont);
    if (font != m_fontEncodings.constEnd()) {
        setFontFamily(format, m_defaultFont);
        m_encoding = *font;
        m_haveSetFont = true;
    }
    m_format = format;
    characterFormatChanged();
    setFont(m_defaultFont);
}

int PlainTextRtfOutputPrivate::encodingKey(const QString &name)
{
    const auto known = m_encodingKeys.constFind(name);
    if (known != m_encodingKeys.constEnd())
        return *known;
    auto encoding = std::make_unique<Encoding>();
    encoding->name = name;
    m_encodings.push_back(std::move(encoding));
    const int key = int(m_encodings.size()) - 1;
    m_encodingKeys.insert(name, key);
    return key;
}

void PlainTextRtfOutputPrivate::selectDecoder()
{
    // As the text document output reads: a code page of one byte per
    // character through a table of its bytes; any other through a decoder
    // that lives from run to run, so that a two-byte character whose bytes
    // come as separate \'hh escapes is decoded as one. A new one is made
    // when the code page changes.
    m_decoderEncoding = m_encoding;
    Encoding &encoding = *m_encodings[size_t(m_encoding)];
    if (!encoding.prepared) {
        encoding.prepared = true;
        encoding.characters = CodePage::byteTable(encoding.name);
        for (int i = 0; i < encoding.characters.size(); ++i) {
            const char16_t c = encoding.characters.at(i).unicode();
            encoding.plainCharacters[size_t(i)] = isPlain(c) ? c : char16_t(0);
        }
        // The decoders of these code pages read printable ASCII as itself,
        // and an ASCII byte always ends their characters: after one, a run
        // of printable ASCII needs no decoder.
        static const char *const asciiSafe[] = {"Shift-JIS", "GB2312", "GBK",    "Big5",
                                                "CP949",     "windows-949", "EUC-JP", "UTF-8"};
        encoding.asciiSafe = std::any_of(std::begin(asciiSafe), std::end(asciiSafe),
                                         [&encoding](const char *name) { return encoding.name == QLatin1String(name); });
    }
    if (!encoding.characters.isEmpty()) {
        m_byteTable = encoding.characters.constData();
        m_plainTable = encoding.plainCharacters.data();
        return;
    }
    m_byteTable = nullptr;
    m_plainTable = nullptr;
    m_asciiSafeDecoder = encoding.asciiSafe;
    m_decoderClean = true;
    // A decoder made before, started afresh, is a new decoder.
    if (!encoding.decoder)
        encoding.decoder = std::make_unique<QStringDecoder>(CodePage::decoderFor(encoding.name));
    encoding.decoder->resetState();
    m_decoder = encoding.decoder.get();
}

void PlainTextRtfOutputPrivate::decodeInto(QString &out, const QByteArray &bytes)
{
    // The names are usually the very strings the font table holds.
    if (m_encoding != m_decoderEncoding)
        selectDecoder();
    const qsizetype size = bytes.size();
    bool belowSpace = true;
    if (m_byteTable) {
        out.resize(size);
        char16_t *to = reinterpret_cast<char16_t *>(out.data());
        const uchar *from = reinterpret_cast<const uchar *>(bytes.constData());
        char16_t lowest = 0xFFFF;
        for (qsizetype i = 0; i < size; ++i) {
            const char16_t c = m_byteTable[from[i]].unicode();
            to[i] = c;
            lowest = std::min(lowest, c);
        }
        // Most runs hold no character below space, and so no control
        // character.
        belowSpace = lowest < 0x20;
    } else {
        out.resize(m_decoder->requiredSpace(size));
        QChar *const end = m_decoder->appendToBuffer(out.data(), QByteArrayView(bytes));
        out.truncate(end - out.constData());
        if (size > 0)
            m_decoderClean = uchar(bytes.back()) < 0x80;
    }
    if (!belowSpace)
        return;
    // C0 control characters other than tab and line ends are taken out.
    QChar *const begin = out.data();
    QChar *const end = begin + out.size();
    QChar *const kept = std::remove_if(begin, end, [](QChar c) { return isRemovedFromDecodedText(c.unicode()); });
    out.truncate(kept - begin);
}

QString PlainTextRtfOutputPrivate::decode(const QByteArray &text)
{
    QString result;
    decodeInto(result, text);
    return result;
}

void PlainTextRtfOutputPrivate::insertBytes(const QByteArray &bytes)
{
    // The usual run: a few printable characters of a code page of one byte
    // per character (or of ASCII between the characters of a code page of
    // several), visible, for the paragraph being read. It is decoded
    // straight into the paragraph; anything else goes the long way.
    if (m_encoding != m_decoderEncoding)
        selectDecoder();
    const qsizetype size = bytes.size();
    const char16_t *table = m_plainTable;
    if (!table && m_asciiSafeDecoder && m_decoderClean)
        table = asciiPlainTable();
    if (!table || size == 0 || m_hidden || m_lists.wantsText()) {
        insertBytesSlowly(bytes);
        return;
    }
    PlainText::Paragraph &paragraph = *m_paragraph;
    const qsizetype start = paragraph.text.size();
    char16_t *const to = paragraph.text.extend(size);
    const uchar *const from = reinterpret_cast<const uchar *>(bytes.constData());
    char16_t lowest = 0xFFFF;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = table[from[i]];
        to[i] = c;
        lowest = std::min(lowest, c);
    }
    if (lowest == 0) {
        // A character that is not plain.
        paragraph.text.truncate(start);
        insertBytesSlowly(bytes);
        return;
    }
    if (m_gathered == 0) {
        m_gatheredFormatExplicit = m_characterFormatPending;
        if (m_characterFormatPending)
            m_gatheredFormat = m_format;
    }
    if (m_tables->isPending() || m_inherited) {
        // Table structure to open first, or a paragraph format to settle:
        // they may change the paragraph the text goes into.
        paragraph.text.truncate(start);
        insertBytesSlowly(bytes);
        return;
    }
    if (m_characterFormatPending) {
        m_characterFormatPending = false;
        m_formatLost = false;
    }
    putPlain(paragraph, start);
    m_gathered += size;
    if (m_gathered >= gatheredLimit)
        insertionPoint();
}

void PlainTextRtfOutputPrivate::insertBytesSlowly(const QByteArray &bytes)
{
    decodeInto(m_scratch, bytes);
    insertText(m_scratch);
}

// ---- text ----

void PlainTextRtfOutputPrivate::insertText(QStringView text)
{
    if (m_hidden)
        return;
    if (m_lists.wantsText() && m_lists.takeText(text))
        return;
    if (m_gathered == 0 && !text.isEmpty()) {
        // The first text of a run goes in with the format in force when a
        // change of format is pending, else with the format before it.
        m_gatheredFormatExplicit = m_characterFormatPending;
        if (m_characterFormatPending)
            m_gatheredFormat = m_format;
    }
    applyPendingFormats();
    if (text.size() == 1 && isPlain(text.front().unicode())) {
        // One character of \u, or a special: the most common text besides
        // runs of bytes.
        PlainText::Paragraph &paragraph = *m_paragraph;
        const qsizetype start = paragraph.text.size();
        paragraph.text.append(text.front().unicode());
        putPlain(paragraph, start);
    } else {
        putText(text);
    }
    m_gathered += text.size();
    if (m_gathered >= gatheredLimit)
        insertionPoint();
}

void PlainTextRtfOutputPrivate::putText(QStringView text)
{
    const char16_t *const begin = text.utf16();
    const char16_t *const end = begin + text.size();
    const char16_t *p = begin;
    // Each character as the paragraph keeps it: in the text (as @p shown),
    // counted only, or a picture's place.
    const auto put = [this](QStringView shown, qsizetype characters, qsizetype kept) {
        if (characters == kept && kept == shown.size()) {
            PlainText::Paragraph &paragraph = *m_paragraph;
            const qsizetype start = paragraph.text.size();
            paragraph.text.append(shown);
            putPlain(paragraph, start);
            return;
        }
        PlainText::Paragraph &paragraph = *m_paragraph;
        if (!paragraph.leadingDone) {
            // A note drops the white space it starts with.
            for (const QChar c : shown) {
                if (!c.isSpace()) {
                    paragraph.leadingDone = true;
                    break;
                }
                ++paragraph.leadingSpaces;
                ++paragraph.leadingSpacesInText;
            }
        }
        const PlainText::CharacterFormat &format = insertedFormat();
        if (format.raised()) {
            if (paragraph.raisedStart < 0)
                paragraph.raisedStart = paragraph.text.size();
        } else {
            paragraph.raisedStart = -1;
        }
        paragraph.appendLinked(shown, format.link());
        paragraph.length += characters;
        paragraph.keptLength += kept;
    };
    while (p != end) {
        const char16_t *run = p;
        while (p != end && isPlain(*p))
            ++p;
        if (p != run) {
            put(QStringView(run, p - run), p - run, p - run);
            m_carriageReturn = false;
            if (p == end)
                break;
        }
        const char16_t u = *p++;
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
            put(u"\t", 1, 1);
            break;
        case 0x2028: // \line: a line break inside the paragraph
            put(u"\n", 1, 1);
            break;
        case 0xFFFC: { // the object replacement character: never text
            PlainText::Paragraph &paragraph = *m_paragraph;
            const PlainText::CharacterFormat &format = insertedFormat();
            paragraph.leadingDone = true;
            if (!format.raised())
                paragraph.raisedStart = -1;
            else if (paragraph.raisedStart < 0)
                paragraph.raisedStart = paragraph.text.size();
            // In a link it is part of the link's run.
            paragraph.appendLinked(QStringView(), format.link());
            ++paragraph.length;
            ++paragraph.keptLength;
            break;
        }
        default: { // control characters: no text
            PlainText::Paragraph &paragraph = *m_paragraph;
            paragraph.lastHref = insertedFormat().link();
            if (!paragraph.leadingDone) {
                if (QChar(u).isSpace())
                    ++paragraph.leadingSpaces;
                else
                    paragraph.leadingDone = true;
            }
            if (!insertedFormat().raised())
                paragraph.raisedStart = -1;
            else if (paragraph.raisedStart < 0)
                paragraph.raisedStart = paragraph.text.size();
            ++paragraph.length;
            break;
        }
        }
        m_carriageReturn = u == u'\r';
    }
}

void PlainTextRtfOutputPrivate::countLeadingSpaces(PlainText::Paragraph &paragraph, qsizetype start)
{
    const char16_t *const text = paragraph.text.data();
    for (qsizetype i = start; i < paragraph.text.size(); ++i) {
        if (!QChar::isSpace(text[i])) {
            paragraph.leadingDone = true;
            return;
        }
        ++paragraph.leadingSpaces;
        ++paragraph.leadingSpacesInText;
    }
}

void PlainTextRtfOutputPrivate::putPicture()
{
    // A picture's place: a character without text, in the picture's own
    // format (no link, not raised).
    PlainText::Paragraph &paragraph = *m_paragraph;
    paragraph.leadingDone = true;
    paragraph.raisedStart = -1;
    paragraph.lastLink = -1;
    paragraph.lastHref.clear();
    ++paragraph.length;
    ++paragraph.keptLength;
    m_carriageReturn = false;
}

void PlainTextRtfOutputPrivate::splitParagraph()
{
    ++m_moves;
    if (m_cell) {
        m_paragraph = &m_cell->addParagraph();
        m_paragraph->heading = m_heading;
        return;
    }
    writeBodyParagraph(false);
    m_bodyParagraph.clear();
    m_bodyParagraph.heading = m_heading;
    m_bodyHasItems = true;
    m_bodyAfterTable = false;
}

void PlainTextRtfOutputPrivate::endParagraph()
{
    insertionPoint();
    applyPendingFormats();
    m_lists.endParagraph(false);
    splitParagraph();
}

// ---- the place of the current paragraph ----

void PlainTextRtfOutputPrivate::enterCell(PlainText::Cell *cell)
{
    ++m_moves;
    m_characterFormatPending = true;
    if (cell->items.empty())
        cell->addParagraph();
    m_cell = cell;
    m_paragraph = cell->items.front().paragraph.get();
}

void PlainTextRtfOutputPrivate::undoInherited()
{
    // The paragraph format in force goes to the paragraph the position is
    // in. In text kept apart it goes there; the position comes back with
    // the format pending again.
    if (m_document != m_inheritedDocument)
        return;
    if (m_inherited == m_paragraph && m_paragraph->list >= 0) {
        m_lists.itemRemoved(*m_paragraph);
        m_paragraph->list = -1;
    }
    m_inherited = nullptr;
}

bool PlainTextRtfOutputPrivate::atDocumentStart() const
{
    if (!m_cell)
        return !m_bodyHasItems && m_bodyParagraph.length == 0;
    return m_cell == m_partRoot && m_cell->items.size() == 1 && m_paragraph->length == 0;
}

PlainTextRtfOutputPrivate::Place PlainTextRtfOutputPrivate::enterApart(PlainText::Cell *cell)
{
    Place outer{m_cell, m_paragraph, std::move(m_tables), m_document, m_heading, m_partRoot};
    m_partRoot = cell;
    m_tables = std::make_unique<PlainTextTables>(*this);
    m_document = ++m_documents;
    enterCell(cell);
    return outer;
}

void PlainTextRtfOutputPrivate::leaveApart(Place place)
{
    ++m_moves;
    m_characterFormatPending = true;
    m_paragraph->heading = m_heading;
    m_cell = place.cell;
    m_paragraph = place.paragraph;
    m_tables = std::move(place.tables);
    m_document = place.document;
    m_heading = place.heading;
    m_partRoot = place.partRoot;
}

void PlainTextRtfOutputPrivate::insertFragment(PlainText::Cell &content)
{
    ++m_moves;
    bool afterTable = false;
    for (size_t i = 0; i < content.items.size(); ++i) {
        PlainText::Item &item = content.items[i];
        if (item.table) {
            std::unique_ptr<PlainText::Table> table = std::move(item.table);
            if (m_cell) {
                m_cell->items.push_back(PlainText::Item{nullptr, std::move(table)});
                m_paragraph = &m_cell->addParagraph();
            } else {
                writeBodyParagraph(true);
                writeBodyTable(*table);
            }
            afterTable = true;
            continue;
        }
        const PlainText::Paragraph &paragraph = *item.paragraph;
        // The first paragraph joins the current one, unless it is a list
        // item with text and the current paragraph is none, away from the
        // start of the document: that one keeps a paragraph of its own. A
        // current paragraph that is a list item stays one. The paragraph
        // after a table is the one that follows the table already.
        const bool listItem = paragraph.list >= 0 && paragraph.length > 0;
        const bool currentItem = m_paragraph->list >= 0;
        const bool joins = (i == 0 && (!listItem || currentItem || atDocumentStart())) || afterTable;
        if (!joins)
            splitParagraph();
        m_paragraph->append(paragraph);
        if (i > 0 || (listItem && !currentItem)) {
            m_paragraph->list = paragraph.list;
            m_paragraph->number = paragraph.number;
            m_paragraph->heading = paragraph.heading;
        }
        afterTable = false;
    }
}

PlainText::Cell *PlainTextRtfOutputPrivate::placeTable()
{
    // An empty paragraph that a paragraph end left behind gives its place
    // to the table; the first paragraph of a cell or of the body stays (a
    // table cannot start one), and so does one right after a table. The
    // text document output removes the paragraph end before it: of the two
    // paragraphs that join, the one before keeps its format, unless it is
    // empty too; the other's format (a list item) goes.
    const bool empty = m_paragraph->length == 0;
    if (m_inherited == m_paragraph)
        m_inherited = nullptr;
    const auto join = [this](PlainText::Paragraph &previous, const PlainText::Paragraph &current) {
        if (previous.length == 0) {
            if (previous.list >= 0)
                m_lists.itemRemoved(previous);
            previous.list = current.list;
            previous.number = current.number;
        } else if (current.list >= 0) {
            m_lists.itemRemoved(current);
        }
    };
    if (m_cell) {
        std::vector<PlainText::Item> &items = m_cell->items;
        if (empty && items.size() >= 2 && items[items.size() - 2].paragraph) {
            join(*items[items.size() - 2].paragraph, *items.back().paragraph);
            items.pop_back();
        }
        return m_cell;
    }
    if (empty && m_bodyHasItems && !m_bodyAfterTable) {
        join(m_previousParagraph, m_bodyParagraph);
        // The paragraph before has not been written if it is empty.
        if (m_held) {
            m_held = false;
            // The body's first paragraph is left out before a table; any
            // other is an empty line.
            const QString marker = m_lists.marker(m_previousParagraph);
            if (m_heldFirst) {
                m_firstLeftOut = true;
                m_firstLeftOutLine = marker;
            } else {
                m_writer.writeLine(marker, QStringView());
            }
        }
    } else {
        writeBodyParagraph(true);
    }
    m_bodyParagraph.clear();
    return nullptr;
}

void PlainTextRtfOutputPrivate::leaveTable(PlainText::Cell *cell, const PlainText::Table &table)
{
    ++m_moves;
    m_characterFormatPending = true;
    if (cell) {
        m_cell = cell;
        m_paragraph = &cell->addParagraph();
        return;
    }
    writeBodyTable(table);
}

void PlainTextRtfOutputPrivate::writeBodyTable(const PlainText::Table &table)
{
    // A blank line before the table, but never two in a row, and one after.
    if (m_writer.hasLines() && !m_writer.lastLineBlank())
        m_writer.writeLine(QStringView());
    for (const QString &row : PlainText::tableRows(table, m_lists, m_showAddresses))
        m_writer.writeLine(row);
    m_writer.writeLine(QStringView());
    m_cell = nullptr;
    m_bodyParagraph.clear();
    m_bodyParagraph.heading = m_heading;
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
    if (paragraph.keptLength == 0 && m_bodyAfterTable)
        return;
    const bool first = !m_bodyHasItems;
    if (paragraph.keptLength == 0 && beforeTable && first) {
        m_firstLeftOut = true;
        m_firstLeftOutLine = m_lists.marker(paragraph);
        return;
    }
    if (!beforeTable && (paragraph.length == 0 || (first && paragraph.keptLength == 0))) {
        m_held = true;
        m_heldFirst = first;
        return;
    }
    // Most paragraphs have no link: their text is written as it is.
    if (paragraph.links.empty()) {
        m_writer.writeLine(m_lists.marker(paragraph), paragraph.text.view());
    } else {
        m_line.resize(0);
        paragraph.appendDisplayText(m_line, m_showAddresses);
        m_writer.writeLine(m_lists.marker(paragraph), m_line);
    }
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
    if (m_structure.hasSections())
        m_structure.appendSections();
    PlainText::Cell *const footer = m_showHeadersAndFooters ? m_structure.headerFooterShown(true) : nullptr;
    if (footer) {
        // Below everything, after an empty paragraph.
        splitParagraph();
        m_bodyParagraph.heading = false;
        splitParagraph();
        insertFragment(*footer);
    }
    writeBodyParagraph(false);
    writeHeldParagraph();
    if (m_showHeadersAndFooters) {
        // The header goes above the body, and an empty paragraph after it;
        // the body's first paragraph is then no longer the first.
        QStringList lines;
        if (PlainText::Cell *const header = m_structure.headerFooterShown(false)) {
            lines = PlainText::partLines(*header, m_lists, m_showAddresses);
            lines.append(QString());
            if (m_firstLeftOut)
                lines.append(m_firstLeftOutLine);
        }
        lines += m_writer.takeCollected();
        for (const QString &line : std::as_const(lines))
            m_writer.writeLine(line);
    }
    m_writer.finish();
}

} // namespace Tavisk
