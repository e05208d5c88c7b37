#ifndef TAVISK_DOCUMENTDESTINATION_H
#define TAVISK_DOCUMENTDESTINATION_H

#include "destination.h"

namespace Tavisk
{

/**
 * The body of the document: the outermost {\\rtf1 ...} group and every nested
 * group that opens no destination of its own.
 *
 * Turns body control words into output calls at once and passes text runs on,
 * less the fallback bytes that follow a \\u character. It keeps no formatting
 * state: the groups reach the output through startGroup() and endGroup().
 */
class TAVISK_EXPORT DocumentDestination : public Destination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    DocumentDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    void aboutToEndDestination() override;

protected:
    /// Plain-text bytes still to be dropped as the fallback of the last \\u.
    qint64 m_charactersToSkip = 0;
    /// Fallback bytes that follow each \\u, as last set by \\uc.
    int m_unicodeSkip = 1;
};

} // namespace Tavisk

#endif
