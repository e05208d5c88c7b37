#ifndef TAVISK_CONTROLWORD_P_H
#define TAVISK_CONTROLWORD_P_H

#include "controlword.h"

#include <QByteArray>

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

/// What the parse loop needs to know of a word, found with one lookup of its
/// name bytes: the same answers as ControlWord(QString::fromUtf8(name)) gives.
struct ControlWordClass {
    bool known = false; ///< isKnown()
    bool supportedDestination = false; ///< isSupportedDestination()
};

/// Classifies the raw name bytes of a control token. Names are ASCII letters
/// or one symbol byte, so looking the bytes up directly answers as the
/// QString lookups do, without decoding the name.
ControlWordClass classifyControlWord(const QByteArray &name);

/// The compiled-in vocabulary list, in the order it is entered into the table.
ControlWordEntries controlWordEntries();

} // namespace Tavisk

#endif
