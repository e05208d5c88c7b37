#include "commentpcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

CommentPcdataDestination::CommentPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void CommentPcdataDestination::aboutToEndDestination()
{
    m_output->setComment(m_pcdata);
}

} // namespace Tavisk
