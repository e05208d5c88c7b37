#include "companypcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

CompanyPcdataDestination::CompanyPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void CompanyPcdataDestination::aboutToEndDestination()
{
    m_output->setCompanyName(m_pcdata);
}

} // namespace Tavisk
