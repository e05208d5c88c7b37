#ifndef TAVISK_COMPANYPCDATADESTINATION_H
#define TAVISK_COMPANYPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The author's company, {\company ...}.
class TAVISK_EXPORT CompanyPcdataDestination : public PcdataDestination
{
public:
    CompanyPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
