#include "subjectpcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

SubjectPcdataDestination::SubjectPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void SubjectPcdataDestination::aboutToEndDestination()
{
    m_output->setSubject(m_pcdata);
}

} // namespace Tavisk
