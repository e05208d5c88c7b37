#ifndef TAVISK_SUBJECTPCDATADESTINATION_H
#define TAVISK_SUBJECTPCDATADESTINATION_H

#include "pcdatadestination.h"

namespace Tavisk
{

/// The document's subject, {\\subject ...}.
class TAVISK_EXPORT SubjectPcdataDestination : public PcdataDestination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    SubjectPcdataDestination(AbstractRtfOutput *output, const QString &name);
};

} // namespace Tavisk

#endif
