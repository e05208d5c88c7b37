#ifndef TAVISK_TOOL_CONTROLCHARACTERS_H
#define TAVISK_TOOL_CONTROLCHARACTERS_H

// The tool keeps control characters out of its outputs by the library's own
// rule (a header-only helper; nothing of the library's private code is linked).
#include "common/controlchars_p.h"

using Tavisk::isUnwantedControlCharacter;
using Tavisk::withoutControlCharacters;

class QTextDocument;

/// Removes from @p document every control character other than tab and line
/// ends, which no output format may carry (XML forbids most of them).
void removeControlCharacters(QTextDocument *document);

#endif
