#include "infocreatedtimedestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

InfoCreatedTimeDestination::InfoCreatedTimeDestination(AbstractRtfOutput *output, const QString &name)
    : InfoTimeDestination(output, name, &AbstractRtfOutput::setCreatedDateTime)
{
}

} // namespace Tavisk
