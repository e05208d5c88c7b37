#include "categorypcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

CategoryPcdataDestination::CategoryPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name, &AbstractRtfOutput::setCategory)
{
}

} // namespace Tavisk
