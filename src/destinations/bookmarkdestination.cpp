#include "bookmarkdestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

BookmarkDestination::BookmarkDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void BookmarkDestination::aboutToEndDestination()
{
    const QString name = m_pcdata.trimmed();
    if (name.isEmpty())
        return;
    if (m_name == QLatin1String("bkmkstart"))
        m_output->setBookmarkStart(name);
    else
        m_output->setBookmarkEnd(name);
}

} // namespace Tavisk
