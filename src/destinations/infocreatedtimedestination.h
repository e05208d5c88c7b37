#ifndef TAVISK_INFOCREATEDTIMEDESTINATION_H
#define TAVISK_INFOCREATEDTIMEDESTINATION_H

#include "infotimedestination.h"

namespace Tavisk
{

/// The creation time of the document, {\\creatim ...}.
class TAVISK_EXPORT InfoCreatedTimeDestination : public InfoTimeDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    InfoCreatedTimeDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
