#include "categorypcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

CategoryPcdataDestination::CategoryPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void CategoryPcdataDestination::aboutToEndDestination()
{
    m_output->setCategory(m_pcdata);
}

} // namespace Tavisk
