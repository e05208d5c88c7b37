#ifndef TAVISK_GENERATORPCDATADESTINATION_H
#define TAVISK_GENERATORPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The program that wrote the document, {\generator Writer 1.0;}; the
/// trailing ';' is dropped.
class TAVISK_EXPORT GeneratorPcdataDestination : public PcdataDestination
{
public:
    GeneratorPcdataDestination(AbstractRtfOutput *output, const QString &name);

    void aboutToEndDestination() override;
};

} // namespace Tavisk

#endif
