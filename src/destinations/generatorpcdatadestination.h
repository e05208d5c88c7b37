#ifndef TAVISK_GENERATORPCDATADESTINATION_H
#define TAVISK_GENERATORPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The program that wrote the document, {\\generator Writer 1.0;}; the
/// trailing ';' is dropped.
class TAVISK_EXPORT GeneratorPcdataDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    GeneratorPcdataDestination(AbstractRtfOutput *output, const QString &name);

    /// Hands the collected text to AbstractRtfOutput::setGeneratorInformation().
    void aboutToEndDestination() override;
};

} // namespace Tavisk

#endif
