#include "companypcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

CompanyPcdataDestination::CompanyPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name, &AbstractRtfOutput::setCompanyName)
{
}

} // namespace Tavisk
