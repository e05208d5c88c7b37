#include "documentcommentpcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

DocumentCommentPcdataDestination::DocumentCommentPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name, &AbstractRtfOutput::setDocumentComment)
{
}

} // namespace Tavisk
