#ifndef TAVISK_MANAGERPCDATADESTINATION_H
#define TAVISK_MANAGERPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The author's manager, {\\manager ...}.
class TAVISK_EXPORT ManagerPcdataDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    ManagerPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
