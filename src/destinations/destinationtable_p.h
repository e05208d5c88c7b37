#ifndef TAVISK_DESTINATIONTABLE_P_H
#define TAVISK_DESTINATIONTABLE_P_H

// The destinations the reader knows, by name: the one list that says which
// destination words open a destination of their own and which class reads
// each. The control-word classification and the parse loop both read it.

#include <QByteArray>
#include <QString>

#include <memory>
#include <string_view>

namespace Tavisk
{

class AbstractRtfOutput;
class Destination;

namespace DestinationTable
{

using Factory = Destination *(*)(AbstractRtfOutput *output, const QString &name);

struct Entry {
    std::string_view name;
    /// The handler class, or null for a destination read through a plain
    /// Destination (its content has no effect).
    Factory factory;
    /// Whether the word opens the destination at the start of a group;
    /// "rtf" and "ignorable" are opened by the parse loop itself.
    bool openedByWord;
};

struct Entries {
    const Entry *first;
    const Entry *last;
    const Entry *begin() const { return first; }
    const Entry *end() const { return last; }
};

/// All destinations, sorted by name.
Entries entries();

/// Whether the control word @p name opens a destination of its own at the
/// start of a group (\fonttbl, \info, \pict, ...).
bool isSupported(const QByteArray &name);

/// A new destination for @p name: its handler class, or a plain Destination
/// for a name without one.
std::unique_ptr<Destination> create(AbstractRtfOutput *output, const QString &name);

} // namespace DestinationTable
} // namespace Tavisk

#endif
