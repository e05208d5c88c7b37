#ifndef TAVISK_MANAGERPCDATADESTINATION_H
#define TAVISK_MANAGERPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The author's manager, {\manager ...}.
class TAVISK_EXPORT ManagerPcdataDestination : public PcdataDestination
{
public:
    ManagerPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
