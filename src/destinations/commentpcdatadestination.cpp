#include "commentpcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

CommentPcdataDestination::CommentPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name, &AbstractRtfOutput::setComment)
{
}

} // namespace Tavisk
