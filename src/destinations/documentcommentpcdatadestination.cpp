#include "documentcommentpcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

DocumentCommentPcdataDestination::DocumentCommentPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void DocumentCommentPcdataDestination::aboutToEndDestination()
{
    m_output->setDocumentComment(m_pcdata);
}

} // namespace Tavisk
