#ifndef TAVISK_TITLEPCDATADESTINATION_H
#define TAVISK_TITLEPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The document's title, {\title ...}.
class TAVISK_EXPORT TitlePcdataDestination : public PcdataDestination
{
public:
    TitlePcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
