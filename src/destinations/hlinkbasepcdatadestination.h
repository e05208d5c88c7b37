#ifndef TAVISK_HLINKBASEPCDATADESTINATION_H
#define TAVISK_HLINKBASEPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The base address of relative hyperlinks, {\\hlinkbase ...}.
class TAVISK_EXPORT HLinkBasePcdataDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    HLinkBasePcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
