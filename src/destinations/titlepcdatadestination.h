#ifndef TAVISK_TITLEPCDATADESTINATION_H
#define TAVISK_TITLEPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The document's title, {\\title ...}.
class TAVISK_EXPORT TitlePcdataDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    TitlePcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
