#include "operatorpcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

OperatorPcdataDestination::OperatorPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void OperatorPcdataDestination::aboutToEndDestination()
{
    m_output->setOperatorName(m_pcdata);
}

} // namespace Tavisk
