#include "keywordspcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

KeywordsPcdataDestination::KeywordsPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name, &AbstractRtfOutput::setKeywords)
{
}

} // namespace Tavisk
