#include "authorpcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

AuthorPcdataDestination::AuthorPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name, &AbstractRtfOutput::setAuthor)
{
}

} // namespace Tavisk
