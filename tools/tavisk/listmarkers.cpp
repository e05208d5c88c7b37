#include "listmarkers.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextListFormat>

namespace
{
// QTextListFormat's start number; named QTextFormat::ListStart from Qt 6.6
// on, and set by number by the library for older versions.
constexpr int listStartProperty = 0x3004;

// a, b, ..., z, aa, ab, ...: the letters of spreadsheet columns, as list
// numbers run on past z.
QString letters(int number, bool upper)
{
    QString result;
    for (int n = number; n > 0; n = (n - 1) / 26)
        result.prepend(QChar((upper ? u'A' : u'a') + (n - 1) % 26));
    return result;
}

QString roman(int number, bool upper)
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

QString numberText(QTextListFormat::Style style, int number)
{
    // Letters and roman numerals have no zero or negative numbers; very
    // large roman numerals are strings of m.
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
} // namespace

QString listMarker(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return QString();
    const QTextListFormat format = list->format();
    QString marker;
    switch (format.style()) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListStyleUndefined:
        marker = QStringLiteral("\u2022");
        break;
    case QTextListFormat::ListCircle:
        marker = QStringLiteral("\u25e6");
        break;
    case QTextListFormat::ListSquare:
        marker = QStringLiteral("\u25aa");
        break;
    default: {
        const int start = format.hasProperty(listStartProperty) ? format.intProperty(listStartProperty) : 1;
        // A list format without a suffix of its own shows Qt's ".".
        const QString suffix = format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix()
                                                                                 : QStringLiteral(".");
        marker = format.numberPrefix() + numberText(format.style(), start + list->itemNumber(block)) + suffix;
        break;
    }
    }
    return QString(2 * qMax(0, format.indent() - 1), QLatin1Char(' ')) + marker + QLatin1Char(' ');
}

int countLists(const QTextDocument &document)
{
    int count = 0;
    bool inList = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const bool item = block.textList() != nullptr;
        if (item && !inList)
            ++count;
        inList = item;
    }
    return count;
}
