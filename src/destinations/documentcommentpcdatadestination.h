#ifndef TAVISK_DOCUMENTCOMMENTPCDATADESTINATION_H
#define TAVISK_DOCUMENTCOMMENTPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The document comment, {\\doccomm ...}.
class TAVISK_EXPORT DocumentCommentPcdataDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    DocumentCommentPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
