#include "inforevisedtimedestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

InfoRevisedTimeDestination::InfoRevisedTimeDestination(AbstractRtfOutput *output, const QString &name)
    : InfoTimeDestination(output, name, &AbstractRtfOutput::setRevisedDateTime)
{
}

} // namespace Tavisk
