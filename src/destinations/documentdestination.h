#ifndef TAVISK_DOCUMENTDESTINATION_H
#define TAVISK_DOCUMENTDESTINATION_H

#include "destination.h"

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
    /// The high surrogate of a \u that waits for the low one of the next
    /// \u, or 0. (The fallback of \u never arrives here: the parse loop
    /// drops it.)
    char16_t m_highSurrogate = 0;
    /// No longer used: the parse loop drops the fallback of \u and keeps
    /// the \uc length with each group. Kept so that subclasses written
    /// against earlier versions still compile.
    qint64 m_charactersToSkip = 0;
    /// No longer used; see m_charactersToSkip.
    int m_unicodeSkip = 1;
};

} // namespace Tavisk

#endif
