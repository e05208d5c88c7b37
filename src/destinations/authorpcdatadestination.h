#ifndef TAVISK_AUTHORPCDATADESTINATION_H
#define TAVISK_AUTHORPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The document's author, {\\author ...}.
class TAVISK_EXPORT AuthorPcdataDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    AuthorPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
