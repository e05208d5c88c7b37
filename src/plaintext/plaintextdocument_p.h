#ifndef TAVISK_PLAINTEXTDOCUMENT_P_H
#define TAVISK_PLAINTEXTDOCUMENT_P_H

#include <QString>
#include <QStringView>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace Tavisk
{
namespace PlainText
{

/**
 * The text of a paragraph: UTF-16 characters in a buffer that only grows,
 * appended to in place. A QString would do, but the text arrives a few
 * characters at a time, and each QString::resize() or append() is a call
 * into QtCore with its checks for sharing.
 */
class TextBuffer
{
public:
    TextBuffer() = default;
    TextBuffer(const TextBuffer &other) { append(other.view()); }
    TextBuffer &operator=(const TextBuffer &other)
    {
        if (this != &other) {
            m_size = 0;
            append(other.view());
        }
        return *this;
    }
    TextBuffer(TextBuffer &&) noexcept = default;
    TextBuffer &operator=(TextBuffer &&) noexcept = default;

    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    const char16_t *data() const { return m_data.get(); }
    QStringView view() const { return QStringView(m_data.get(), m_size); }
    QChar at(qsizetype i) const { return QChar(m_data[size_t(i)]); }
    QString toString() const { return view().toString(); }

    /// Makes room for @p count more characters at the end and returns where
    /// they go: the caller writes all of them.
    char16_t *extend(qsizetype count)
    {
        if (m_capacity - m_size < count)
            grow(count);
        char16_t *const to = m_data.get() + m_size;
        m_size += count;
        return to;
    }
    void append(char16_t c) { *extend(1) = c; }
    void append(QStringView text)
    {
        if (text.isEmpty())
            return;
        if (m_capacity - m_size < text.size()) {
            // The text may be part of this buffer: it stays until copied.
            const std::unique_ptr<char16_t[]> old = grow(text.size());
            std::memcpy(m_data.get() + m_size, text.utf16(), size_t(text.size()) * sizeof(char16_t));
        } else {
            std::memmove(m_data.get() + m_size, text.utf16(), size_t(text.size()) * sizeof(char16_t));
        }
        m_size += text.size();
    }
    /// Keeps the first @p size characters (and the capacity).
    void truncate(qsizetype size) { m_size = std::min(m_size, std::max<qsizetype>(size, 0)); }
    void clear() { m_size = 0; }
    void insert(qsizetype at, QStringView text);
    void removeStart(qsizetype count);

private:
    /// A buffer with room for @p count more characters, the text copied;
    /// returns the one before.
    std::unique_ptr<char16_t[]> grow(qsizetype count);

    std::unique_ptr<char16_t[]> m_data;
    qsizetype m_size = 0;
    qsizetype m_capacity = 0;
};

/**
 * The character format of the text, as the text document output keeps it in
 * a QTextCharFormat: every property it sets, set or not. Plain text shows
 * only the link and whether the text is raised (a note's custom mark), but
 * whether two formats are equal decides where the text document output
 * inserts the text it gathered.
 */
struct CharacterFormat {
    // An unset property is -1 (or a null string); colours are QRgb values,
    // and 0x100000000 stands for a colour set to none.
    // What every piece of text reads first: whether it is raised, and its
    // link.
    qint64 verticalAlignment = -1;
    bool anchor = false;
    QString href; // with anchor
    qint64 italic = -1;
    qint64 weight = -1;
    qint64 underlineStyle = -1;
    double pointSize = -1;
    qint64 strikeOut = -1;
    qint64 foreground = -1;
    qint64 background = -1;
    qint64 layoutDirection = -1;
    qint64 underlineColour = -1;
    qint64 capitalization = -1;
    double baselineOffset = 0;
    bool hasBaselineOffset = false;
    /// The font family (FontFamilies and its key): a number for each name.
    qint64 family = -1;
    QString field;
    QString toolTip;

    /// The link the text belongs to, as the text export reads it.
    const QString &link() const
    {
        static const QString none;
        return anchor ? href : none;
    }
    /// Raised text (superscript).
    bool raised() const { return verticalAlignment == 1; }

    CharacterFormat() = default;
    CharacterFormat(const CharacterFormat &) = default;
    CharacterFormat(CharacterFormat &&) noexcept = default;
    CharacterFormat &operator=(CharacterFormat &&) noexcept = default;
    CharacterFormat &operator=(const CharacterFormat &other)
    {
        // Formats are copied often and their strings are usually null or
        // the very same: QString's own assignment is a call into QtCore.
        italic = other.italic;
        weight = other.weight;
        underlineStyle = other.underlineStyle;
        pointSize = other.pointSize;
        verticalAlignment = other.verticalAlignment;
        strikeOut = other.strikeOut;
        foreground = other.foreground;
        background = other.background;
        layoutDirection = other.layoutDirection;
        underlineColour = other.underlineColour;
        capitalization = other.capitalization;
        baselineOffset = other.baselineOffset;
        hasBaselineOffset = other.hasBaselineOffset;
        family = other.family;
        assign(field, other.field);
        anchor = other.anchor;
        assign(href, other.href);
        assign(toolTip, other.toolTip);
        return *this;
    }

    bool operator==(const CharacterFormat &other) const
    {
        return italic == other.italic && weight == other.weight && underlineStyle == other.underlineStyle
            && pointSize == other.pointSize && verticalAlignment == other.verticalAlignment
            && strikeOut == other.strikeOut && foreground == other.foreground && background == other.background
            && layoutDirection == other.layoutDirection && underlineColour == other.underlineColour
            && capitalization == other.capitalization && hasBaselineOffset == other.hasBaselineOffset
            && (!hasBaselineOffset || baselineOffset == other.baselineOffset) && family == other.family
            && equal(field, other.field) && anchor == other.anchor && equal(href, other.href)
            && equal(toolTip, other.toolTip);
    }
    bool operator!=(const CharacterFormat &other) const { return !(*this == other); }

private:
    /// Whether @p a and @p b are the same string object, null or not.
    static bool same(const QString &a, const QString &b)
    {
        return (a.isNull() && b.isNull()) || (a.isSharedWith(b) && a.constData() == b.constData() && a.size() == b.size());
    }
    static bool equal(const QString &a, const QString &b)
    {
        return same(a, b) || (a.isNull() == b.isNull() && a == b);
    }
    static void assign(QString &to, const QString &from)
    {
        if (!same(to, from))
            to = from;
    }
};

/// A run of a paragraph's text that is a link: to an address (shown after
/// the run when asked), or to a note (the note's mark, shown in brackets).
struct Link {
    qsizetype start;
    qsizetype end;
    QString href;

    bool isNote() const
    {
        return href.startsWith(QLatin1String("#footnote-")) || href.startsWith(QLatin1String("#endnote-"));
    }
    /// An address of another document: "#..." names a place in this one.
    bool isAddress() const { return !href.isEmpty() && !href.startsWith(QLatin1Char('#')); }
};

/**
 * A paragraph as plain text shows it.
 *
 * The counts say what a document built from the same calls would hold in
 * the paragraph, and decide the same things: whether it is empty while the
 * document is built (control characters count) and once control characters
 * are removed (pictures count).
 */
struct Paragraph {
    /// The text: without control characters other than tab, without
    /// pictures, line breaks as "\n".
    TextBuffer text;
    // What every piece of text reads and updates comes first.
    qsizetype length = 0; // characters, control characters and pictures included
    qsizetype keptLength = 0; // characters without the control characters
    /// Where the run of raised (superscript) characters that ends the text
    /// starts, or -1 when the last character is not raised.
    qsizetype raisedStart = -1;
    /// The link the last character of text belongs to, or -1.
    int lastLink = -1;
    /// Whether a character other than white space has come (see
    /// leadingSpaces).
    bool leadingDone = false;
    /// The link of the last character, control characters included.
    QString lastHref;
    /// The list the paragraph is an item of (PlainTextLists), or -1, and
    /// its number there when it became an item (a table's items are
    /// numbered again when the table is written).
    int list = -1;
    int number = 0;
    /// A heading (paragraph style "heading N").
    bool heading = false;
    /// The links in the text, in order.
    std::vector<Link> links;
    /// White space at the start: the characters before the first other
    /// one, and how many of them are in the text (a note drops them).
    qsizetype leadingSpaces = 0;
    qsizetype leadingSpacesInText = 0;

    void clear()
    {
        // Keeps the capacity for the next paragraph.
        text.clear();
        length = 0;
        keptLength = 0;
        list = -1;
        number = 0;
        heading = false;
        links.clear();
        lastLink = -1;
        lastHref.clear();
        raisedStart = -1;
        leadingSpaces = 0;
        leadingSpacesInText = 0;
        leadingDone = false;
    }
    /// Adds @p text (characters of the text, all kept) that is a link to
    /// @p href (empty: no link).
    void appendLinked(QStringView text, const QString &href);
    /// The text from @p start on was just added and is a link to @p href
    /// (empty: no link).
    void linkAppended(qsizetype start, const QString &href)
    {
        // Most text is no link.
        if (href.isEmpty()) {
            lastLink = -1;
            if (!lastHref.isNull())
                lastHref = QString();
            return;
        }
        linkedTextAppended(start, href);
    }
    /// Adds the paragraph @p other at the end, as joining two blocks does.
    void append(const Paragraph &other);
    /// Removes the first @p count characters of the text.
    void removeStart(qsizetype count);
    /// The text with its links as plain text shows them: a note's mark in
    /// brackets, and with @p showAddresses " <address>" after each link to
    /// another document.
    QString displayText(bool showAddresses) const;
    /// The same, appended to @p result.
    void appendDisplayText(QString &result, bool showAddresses) const;

private:
    void linkedTextAppended(qsizetype start, const QString &href);
};

struct Table;

/// A paragraph or a table of a cell.
struct Item {
    std::unique_ptr<Paragraph> paragraph;
    std::unique_ptr<Table> table;
};

/// A table cell, or a part of the document kept apart (a note, a comment,
/// a header): paragraphs and tables. A cell that was never entered has no
/// items and reads as one empty paragraph.
struct Cell {
    std::vector<Item> items;

    /// The document's QTextDocument::isEmpty(): one empty paragraph.
    bool isEmpty() const
    {
        return items.empty() || (items.size() == 1 && items.front().paragraph && items.front().paragraph->length == 0);
    }
    Paragraph &addParagraph()
    {
        items.push_back(Item{std::make_unique<Paragraph>(), nullptr});
        return *items.back().paragraph;
    }
};

/// A table as it is built: the cells of each row; cells past the end of a
/// row are empty.
struct Table {
    int columns = 1;
    std::vector<std::vector<Cell>> rows;
    /// Once cells are merged: for each place (row * columns + column), the
    /// place where the cell that covers it starts. Empty: no merges.
    std::vector<int> origins;
};

} // namespace PlainText
} // namespace Tavisk

#endif
