#include "hlinkbasepcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

HLinkBasePcdataDestination::HLinkBasePcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void HLinkBasePcdataDestination::aboutToEndDestination()
{
    m_output->setHLinkBase(m_pcdata);
}

} // namespace Tavisk
