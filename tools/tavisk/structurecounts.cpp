#include "structurecounts.h"

#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
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
    QSet<const QTextList *> lists;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (const QTextList *list = block.textList())
            lists.insert(list);
    }
    counts.lists = int(lists.size());
    return counts;
}
