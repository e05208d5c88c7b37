#ifndef TAVISK_COMMENTPCDATADESTINATION_H
#define TAVISK_COMMENTPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// A comment on the document, {\\comment ...}.
class TAVISK_EXPORT CommentPcdataDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    CommentPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
