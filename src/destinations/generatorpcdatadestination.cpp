#include "generatorpcdatadestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

GeneratorPcdataDestination::GeneratorPcdataDestination(AbstractRtfOutput *output, const QString &name)
    : PcdataDestination(output, name, &AbstractRtfOutput::setGeneratorInformation)
{
}

void GeneratorPcdataDestination::aboutToEndDestination()
{
    // Writers end the generator text with ';' ("Writer 1.0;"); only that one
    // terminator is removed.
    if (m_pcdata.endsWith(QLatin1Char(';')))
        m_pcdata.chop(1);
    PcdataDestination::aboutToEndDestination();
}

} // namespace Tavisk
