#ifndef TAVISK_OPERATORPCDATADESTINATION_H
#define TAVISK_OPERATORPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The person who last edited the document, {\\operator ...}.
class TAVISK_EXPORT OperatorPcdataDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    OperatorPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
