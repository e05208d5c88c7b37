#ifndef TAVISK_CATEGORYPCDATADESTINATION_H
#define TAVISK_CATEGORYPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The document's category, {\category ...}.
class TAVISK_EXPORT CategoryPcdataDestination : public PcdataDestination
{
public:
    CategoryPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
