#ifndef TAVISK_LISTMARKERS_P_H
#define TAVISK_LISTMARKERS_P_H

// List markers as plain text shows them, and the shape of a bullet by its
// character: one rule for the text document's lists, the plain-text output
// and the tool (a header-only helper; the tool links no private code).

#include <QString>
#include <QTextListFormat>

namespace Tavisk
{
namespace ListMarkers
{

/// A bullet's shape from its character: the characters of Symbol and
/// Wingdings that Word uses (at U+F0xx when written with \u), their Unicode
/// look-alikes, and the "o" of the usual second level.
inline QTextListFormat::Style bulletStyle(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() != 1)
        return QTextListFormat::ListDisc;
    switch (trimmed.at(0).unicode()) {
    case u'o':
    case 0x25E6: // white bullet
    case 0x25CB: // white circle
    case 0xF06F: // Wingdings' 'o'
        return QTextListFormat::ListCircle;
    case 0xF0A7: // Wingdings' small square
    case 0x00A7: // the same byte, read without the symbol font
    case 0x25AA: // black small square
    case 0x25A0: // black square
    case 0xF06E: // Wingdings' black square
        return QTextListFormat::ListSquare;
    default:
        return QTextListFormat::ListDisc;
    }
}

/// a, b, ..., z, aa, ab, ...: the letters of spreadsheet columns, as list
/// numbers run on past z.
inline QString letters(int number, bool upper)
{
    QString result;
    for (int n = number; n > 0; n = (n - 1) / 26)
        result.prepend(QChar((upper ? u'A' : u'a') + (n - 1) % 26));
    return result;
}

inline QString roman(int number, bool upper)
{
    static const struct {
        int value;
        const char *digits;
    } numerals[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
                    {40, "xl"},   {10, "x"},   {9, "ix"},   {5, "v"},    {4, "iv"},   {1, "i"}};
    QString result;
    int rest = number;
    for (const auto &numeral : numerals) {
        for (; rest >= numeral.value; rest -= numeral.value)
            result += QLatin1String(numeral.digits);
    }
    return upper ? result.toUpper() : result;
}

/// @p number written in the numbering of @p style. Letters and roman
/// numerals have no zero or negative numbers, and very large roman numerals
/// would be strings of m: those numbers are written in digits.
inline QString numberText(QTextListFormat::Style style, int number)
{
    switch (style) {
    case QTextListFormat::ListLowerAlpha:
    case QTextListFormat::ListUpperAlpha:
        if (number > 0)
            return letters(number, style == QTextListFormat::ListUpperAlpha);
        break;
    case QTextListFormat::ListLowerRoman:
    case QTextListFormat::ListUpperRoman:
        if (number > 0 && number < 5000)
            return roman(number, style == QTextListFormat::ListUpperRoman);
        break;
    default:
        break;
    }
    return QString::number(number);
}

/**
 * What plain text puts before a list item: two spaces for each level below
 * the first (@p indent is the list's indent, 1 for the first level), then
 * the marker and a space: "• ", "◦ ", "▪ " for bullets by their shape, and
 * @p prefix, the item's @p number in the numbering of @p style and
 * @p suffix for numbered lists ("1. ", "a) ", "(iv) ").
 */
inline QString plainTextMarker(QTextListFormat::Style style, int number, const QString &prefix,
                               const QString &suffix, int indent)
{
    QString marker(2 * qMax(0, indent - 1), QLatin1Char(' '));
    switch (style) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListStyleUndefined:
        marker += QChar(0x2022);
        break;
    case QTextListFormat::ListCircle:
        marker += QChar(0x25E6);
        break;
    case QTextListFormat::ListSquare:
        marker += QChar(0x25AA);
        break;
    default:
        marker += prefix + numberText(style, number) + suffix;
        break;
    }
    marker += QLatin1Char(' ');
    return marker;
}

} // namespace ListMarkers
} // namespace Tavisk

#endif
