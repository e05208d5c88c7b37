#ifndef TAVISK_STYLESHEETDESTINATION_H
#define TAVISK_STYLESHEETDESTINATION_H

#include "destination.h"

#include <tavisk/stylesheettableentry.h>

namespace Tavisk
{

/**
 * The style sheet, {\\stylesheet {\\s1\\li720 heading 1;}...}.
 *
 * Collects one style at a time and hands its number and a copy of the entry
 * to the output each time a style's text ends with ';'. Only a few paragraph
 * words are understood (\\ql, \\s, \\li, \\ri, \\sb, \\ltrch, \\rtlch); the entry is
 * never reset, so what one style sets carries over to the next until it is
 * set again. The name alone starts afresh after each hand-over.
 */
class TAVISK_EXPORT StyleSheetDestination : public Destination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    StyleSheetDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    void aboutToEndDestination() override;

private:
    void appendToStyleName(const QByteArray &text);
    void handOverEntry();
    void reportUnhandled(const QByteArray &controlWord) const;

    /// The number given by the last \\s with a number.
    int m_currentStyleIndex = 0;
    /// The style being described.
    StyleSheetTableEntry m_styleSheetTableEntry;
    /// The name of the current style, assembled from all its text runs.
    /// Undecoded name bytes of the style being described.
    QByteArray m_styleName;
};

} // namespace Tavisk

#endif
