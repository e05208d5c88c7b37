#include "infocreatedtimedestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

InfoCreatedTimeDestination::InfoCreatedTimeDestination(AbstractRtfOutput *output, const QString &name)
    : InfoTimeDestination(output, name)
{
}

void InfoCreatedTimeDestination::aboutToEndDestination()
{
    m_output->setCreatedDateTime(dateTime());
}

} // namespace Tavisk
