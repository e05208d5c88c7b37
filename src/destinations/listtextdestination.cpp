#include "listtextdestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

ListTextDestination::ListTextDestination(AbstractRtfOutput *output, const QString &name)
    : DocumentDestination(output, name)
{
    m_output->beginListText();
}

ListTextDestination::~ListTextDestination() = default;

void ListTextDestination::aboutToEndDestination()
{
    DocumentDestination::aboutToEndDestination();
    m_output->endListText();
}

} // namespace Tavisk
