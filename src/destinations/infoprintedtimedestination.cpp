#include "infoprintedtimedestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

InfoPrintedTimeDestination::InfoPrintedTimeDestination(AbstractRtfOutput *output, const QString &name)
    : InfoTimeDestination(output, name, &AbstractRtfOutput::setPrintedDateTime)
{
}

} // namespace Tavisk
