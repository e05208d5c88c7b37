#ifndef TAVISK_COMMENTPCDATADESTINATION_H
#define TAVISK_COMMENTPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// A comment on the document, {\comment ...}.
class TAVISK_EXPORT CommentPcdataDestination : public PcdataDestination
{
public:
    CommentPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
