#include "keywordspcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

KeywordsPcdataDestination::KeywordsPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name)
{
}

void KeywordsPcdataDestination::aboutToEndDestination()
{
    m_output->setKeywords(m_pcdata);
}

} // namespace Tavisk
