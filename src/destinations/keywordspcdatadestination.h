#ifndef TAVISK_KEYWORDSPCDATADESTINATION_H
#define TAVISK_KEYWORDSPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The document's keywords, {\\keywords ...}.
class TAVISK_EXPORT KeywordsPcdataDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    KeywordsPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
