#ifndef TAVISK_INFODESTINATION_H
#define TAVISK_INFODESTINATION_H

#include "destination.h"

namespace Tavisk
{

/**
 * The information group, {\\info ...}.
 *
 * Its text and date-time items open destinations of their own; what reaches
 * this class are the statistics ({\\nofpages3}, {\\edmins12}...), stored on the
 * output the moment they are read, and whatever else stands in the group,
 * which is only logged.
 */
class TAVISK_EXPORT InfoDestination : public Destination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    InfoDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
};

} // namespace Tavisk

#endif
