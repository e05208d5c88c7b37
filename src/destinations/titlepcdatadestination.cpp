#include "titlepcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

TitlePcdataDestination::TitlePcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void TitlePcdataDestination::aboutToEndDestination()
{
    m_output->setTitle(m_pcdata);
}

} // namespace Tavisk
