#ifndef TAVISK_COMPANYPCDATADESTINATION_H
#define TAVISK_COMPANYPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The author's company, {\\company ...}.
class TAVISK_EXPORT CompanyPcdataDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    CompanyPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
