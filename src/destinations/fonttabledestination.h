#ifndef TAVISK_FONTTABLEDESTINATION_H
#define TAVISK_FONTTABLEDESTINATION_H

#include "destination.h"

#include <tavisk/fonttableentry.h>

namespace Tavisk
{

/**
 * The font table, {\\fonttbl {\\f0\\froman\\fcharset0 Times New Roman;} ...}.
 *
 * Collects one font at a time and hands it to the output, with its number,
 * each time the font's text ends with ';'. The per-font groups open no
 * destination of their own, so their words and text arrive here too.
 *
 * Nothing is reset between fonts: number, family, pitch and encoding carry
 * over to the next font until a word replaces them. The name is collected
 * from all the text runs of one font, from its \\f up to its ';' (an accented
 * letter written as \'e9 arrives as a run of its own), and decoded with the
 * font's code page (the document's, \\ansicpg, for a font without one); a
 * font without name text keeps the name before it. A font's \\cpgN names
 * its code page and wins over its \\fcharset.
 */
class TAVISK_EXPORT FontTableDestination : public Destination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    FontTableDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    void aboutToEndDestination() override;

private:
    void handOverEntry();

    int m_currentFontTableIndex = 0;
    FontTableEntry m_fontTableEntry;
    /// Undecoded name bytes of the font being described.
    QByteArray m_fontNameBytes;
    /// The font being described gave \\cpgN, whose code page \\fcharset
    /// does not replace.
    bool m_codePageGiven = false;
};

} // namespace Tavisk

#endif
