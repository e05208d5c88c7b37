#ifndef TAVISK_DOCUMENTCOMMENTPCDATADESTINATION_H
#define TAVISK_DOCUMENTCOMMENTPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The document comment, {\doccomm ...}.
class TAVISK_EXPORT DocumentCommentPcdataDestination : public PcdataDestination
{
public:
    DocumentCommentPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
