#include "commentrangedestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

CommentRangeDestination::CommentRangeDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void CommentRangeDestination::aboutToEndDestination()
{
    const QString id = m_pcdata.trimmed();
    if (m_name == QLatin1String("atrfstart"))
        m_output->setCommentRangeStart(id);
    else
        m_output->setCommentRangeEnd(id);
}

} // namespace Tavisk
