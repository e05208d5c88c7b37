#ifndef TAVISK_FOOTNOTEDESTINATION_H
#define TAVISK_FOOTNOTEDESTINATION_H

#include "subdocumentdestination.h"

namespace Tavisk
{

/**
 * A footnote, or an endnote when the group starts with \\ftnalt:
 * {\\footnote ...}. The output is asked with beginNote() whether it takes the
 * note's text; by default the text is dropped.
 */
class TAVISK_EXPORT FootnoteDestination : public SubDocumentDestination
{
public:
    /// Creates the handler of a group opened by the destination word @p name;
    /// what it reads goes to @p output, which must outlive it.
    FootnoteDestination(AbstractRtfOutput *output, const QString &name);

protected:
    bool takeLeadingWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    bool beginContent() override;
    void endContent() override;

private:
    bool m_endnote = false;
};

} // namespace Tavisk

#endif
