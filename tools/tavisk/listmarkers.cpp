#include "listmarkers.h"

#include "common/listmarkers_p.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextListFormat>

namespace
{
// QTextListFormat's start number; named QTextFormat::ListStart from Qt 6.6
// on, and set by number by the library for older versions.
constexpr int listStartProperty = 0x3004;
} // namespace

QString listMarker(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return QString();
    const QTextListFormat format = list->format();
    const int start = format.hasProperty(listStartProperty) ? format.intProperty(listStartProperty) : 1;
    // A list format without a suffix of its own shows Qt's ".".
    const QString suffix = format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix()
                                                                             : QStringLiteral(".");
    return Tavisk::ListMarkers::plainTextMarker(format.style(), start + list->itemNumber(block), format.numberPrefix(),
                                                suffix, format.indent());
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
