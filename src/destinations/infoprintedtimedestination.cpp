#include "infoprintedtimedestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

InfoPrintedTimeDestination::InfoPrintedTimeDestination(AbstractRtfOutput *output, const QString &name)
    : InfoTimeDestination(output, name)
{
}

void InfoPrintedTimeDestination::aboutToEndDestination()
{
    m_output->setPrintedDateTime(dateTime());
}

} // namespace Tavisk
