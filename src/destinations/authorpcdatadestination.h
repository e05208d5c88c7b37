#ifndef TAVISK_AUTHORPCDATADESTINATION_H
#define TAVISK_AUTHORPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The document's author, {\author ...}.
class TAVISK_EXPORT AuthorPcdataDestination : public PcdataDestination
{
public:
    AuthorPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
