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

    /// Hands the collected text to AbstractRtfOutput::setKeywords().
    void aboutToEndDestination() override;
};

} // namespace Tavisk

#endif
