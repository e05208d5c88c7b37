#include "controlcharacters.h"

#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

void removeControlCharacters(QTextDocument *document)
{
    struct Run {
        int position;
        int length;
    };
    QList<Run> runs;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        for (int i = 0; i < text.size(); ++i) {
            if (!isUnwantedControlCharacter(text.at(i)))
                continue;
            const int position = block.position() + i;
            if (!runs.isEmpty() && runs.last().position + runs.last().length == position)
                ++runs.last().length;
            else
                runs.append({position, 1});
        }
    }
    // Each run is removed as a selection, in one edit block: a cursor that
    // deletes one character at a time, or moves outside an edit block, lays
    // out the paragraph again each time, which made a paragraph of many
    // control characters quadratic. A control character is a grapheme of
    // its own, so a run of them is exactly the characters deleteChar() would
    // remove one by one.
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    // From the end, so the positions before stay where they are.
    for (auto it = runs.crbegin(); it != runs.crend(); ++it) {
        cursor.setPosition(it->position);
        cursor.setPosition(it->position + it->length, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    cursor.endEditBlock();
}
