#ifndef TAVISK_IGNOREDDESTINATION_H
#define TAVISK_IGNOREDDESTINATION_H

#include "destination.h"

namespace Tavisk
{

/// Swallows a whole group without a trace: the handler of \\* groups whose
/// destination word the reader does not support.
class TAVISK_EXPORT IgnoredDestination : public Destination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    IgnoredDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    void aboutToEndDestination() override;
};

} // namespace Tavisk

#endif
