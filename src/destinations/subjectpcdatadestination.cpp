#include "subjectpcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

SubjectPcdataDestination::SubjectPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name, &AbstractRtfOutput::setSubject)
{
}

} // namespace Tavisk
