#ifndef TAVISK_DOCUMENTDESTINATION_H
#define TAVISK_DOCUMENTDESTINATION_H

#include "destination.h"
#include "unicodefallback_p.h"

namespace Tavisk
{

/**
 * The body of the document: the outermost {\rtf1 ...} group and every nested
 * group that opens no destination of its own.
 *
 * Turns body control words into output calls at once and passes text runs on;
 * the parse loop has already dropped the fallback that follows a \u. It keeps no formatting
 * state: the groups reach the output through startGroup() and endGroup().
 */
class TAVISK_EXPORT DocumentDestination : public Destination
{
public:
    DocumentDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    void aboutToEndDestination() override;

protected:
    /// Joins the surrogate pairs of consecutive \u words. (Their fallback
    /// never arrives here: the parse loop drops it.)
    UnicodeCharacters m_unicodeCharacters;
};

} // namespace Tavisk

#endif
