#ifndef TAVISK_INFOREVISEDTIMEDESTINATION_H
#define TAVISK_INFOREVISEDTIMEDESTINATION_H

#include "infotimedestination.h"

namespace Tavisk
{

/// The revision time of the document, {\\revtim ...}.
class TAVISK_EXPORT InfoRevisedTimeDestination : public InfoTimeDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    InfoRevisedTimeDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
