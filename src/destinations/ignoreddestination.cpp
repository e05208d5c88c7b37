#include "ignoreddestination.h"

namespace Tavisk
{

IgnoredDestination::IgnoredDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

void IgnoredDestination::handleControlWord(const QByteArray &, bool, int)
{
}

void IgnoredDestination::handlePlainText(const QByteArray &)
{
}

void IgnoredDestination::aboutToEndDestination()
{
}

} // namespace Tavisk
