#include "authorpcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

AuthorPcdataDestination::AuthorPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void AuthorPcdataDestination::aboutToEndDestination()
{
    m_output->setAuthor(m_pcdata);
}

} // namespace Tavisk
