#ifndef TAVISK_CONTROLWORD_P_H
#define TAVISK_CONTROLWORD_P_H

#include "controlword.h"

namespace Tavisk
{

struct ControlWordEntry {
    const char *name;
    ControlWordType type;
};

struct ControlWordEntries {
    const ControlWordEntry *first;
    const ControlWordEntry *last;
    const ControlWordEntry *begin() const { return first; }
    const ControlWordEntry *end() const { return last; }
};

/// The compiled-in vocabulary list, in the order it is entered into the table.
ControlWordEntries controlWordEntries();

} // namespace Tavisk

#endif
