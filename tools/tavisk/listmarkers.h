#ifndef TAVISK_TOOL_LISTMARKERS_H
#define TAVISK_TOOL_LISTMARKERS_H

#include <QString>

class QTextBlock;
class QTextDocument;

/**
 * What the plain-text output puts before a paragraph that is a list item:
 * two spaces for each level below the first, then the item's marker and a
 * space ("• ", "◦ ", "▪ " for bullets by their shape, "1. ", "a) ",
 * "(iv) " for numbers, with the list's start number, prefix and suffix).
 * Empty for a paragraph that is no list item.
 */
QString listMarker(const QTextBlock &block);

/// The number of lists in @p document, as a reader sees them: each run of
/// consecutive list items, with their nested lists, counts once.
int countLists(const QTextDocument &document);

#endif
