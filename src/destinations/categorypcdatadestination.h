#ifndef TAVISK_CATEGORYPCDATADESTINATION_H
#define TAVISK_CATEGORYPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The document's category, {\\category ...}.
class TAVISK_EXPORT CategoryPcdataDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    CategoryPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
