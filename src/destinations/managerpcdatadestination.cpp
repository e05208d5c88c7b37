#include "managerpcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

ManagerPcdataDestination::ManagerPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name, &AbstractRtfOutput::setManagerName)
{
}

} // namespace Tavisk
