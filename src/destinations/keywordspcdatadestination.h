#ifndef TAVISK_KEYWORDSPCDATADESTINATION_H
#define TAVISK_KEYWORDSPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The document's keywords, {\keywords ...}.
class TAVISK_EXPORT KeywordsPcdataDestination : public PcdataDestination
{
public:
    KeywordsPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
