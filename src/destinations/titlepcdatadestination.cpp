#include "titlepcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

TitlePcdataDestination::TitlePcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name, &AbstractRtfOutput::setTitle)
{
}

} // namespace Tavisk
