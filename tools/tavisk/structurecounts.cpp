#include "structurecounts.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace
{
void countFrame(const QTextFrame *frame, bool insideTable, StructureCounts &counts)
{
    const bool isTable = qobject_cast<const QTextTable *>(frame) != nullptr;
    if (isTable) {
        ++counts.tables;
        if (insideTable)
            ++counts.nestedTables;
    }
    const QList<QTextFrame *> children = frame->childFrames();
    for (const QTextFrame *child : children)
        countFrame(child, insideTable || isTable, counts);
}
} // namespace

StructureCounts countStructure(const QTextDocument &document)
{
    StructureCounts counts;
    countFrame(document.rootFrame(), false, counts);
    return counts;
}
