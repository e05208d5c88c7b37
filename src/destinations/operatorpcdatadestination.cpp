#include "operatorpcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

OperatorPcdataDestination::OperatorPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name, &AbstractRtfOutput::setOperatorName)
{
}

} // namespace Tavisk
