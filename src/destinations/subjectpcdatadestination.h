#ifndef TAVISK_SUBJECTPCDATADESTINATION_H
#define TAVISK_SUBJECTPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The document's subject, {\subject ...}.
class TAVISK_EXPORT SubjectPcdataDestination : public PcdataDestination
{
public:
    SubjectPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
