#ifndef TAVISK_TOOL_STRUCTURECOUNTS_H
#define TAVISK_TOOL_STRUCTURECOUNTS_H

class QTextDocument;

/// How much structure a converted document holds, for `tavisk info`.
struct StructureCounts {
    int tables = 0; ///< every table, nested ones included
    int nestedTables = 0; ///< tables inside a table cell
    int lists = 0; ///< every list (QTextList), however many items it has
};

/// Counts the structure of @p document.
StructureCounts countStructure(const QTextDocument &document);

#endif
