#ifndef TAVISK_PCDATADESTINATION_H
#define TAVISK_PCDATADESTINATION_H

#include "documentdestination.h"

namespace Tavisk
{

/**
 * Base of the text items of the information group ({\title ...},
 * {\author ...} and ten more).
 *
 * Collects the group's text as Unicode, decoded by the output, honouring the
 * \u and \uc words of RTF's Unicode escape and ignoring all formatting. The
 * subclasses hand the text to their metadata setter when the group closes.
 * It derives from DocumentDestination for the Unicode-skip state only; none
 * of the body's behaviour applies here.
 */
class TAVISK_EXPORT PcdataDestination : public DocumentDestination
{
public:
    PcdataDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    void aboutToEndDestination() override = 0;
    /// An item's text does not take the \uc fallback length of the body
    /// around it.
    void setEnclosingDestination(Destination *enclosing) override;

protected:
    /// The text collected so far; null while the group gave none.
    QString m_pcdata;
};

} // namespace Tavisk

#endif
