#include "hlinkbasepcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

HLinkBasePcdataDestination::HLinkBasePcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name, &AbstractRtfOutput::setHLinkBase)
{
}

} // namespace Tavisk
