#include "managerpcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

ManagerPcdataDestination::ManagerPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void ManagerPcdataDestination::aboutToEndDestination()
{
    m_output->setManagerName(m_pcdata);
}

} // namespace Tavisk
