#ifndef TAVISK_INFOPRINTEDTIMEDESTINATION_H
#define TAVISK_INFOPRINTEDTIMEDESTINATION_H

#include "infotimedestination.h"

namespace Tavisk
{

/// The last print time of the document, {\\printim ...}.
class TAVISK_EXPORT InfoPrintedTimeDestination : public InfoTimeDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    InfoPrintedTimeDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
