#include "footnotedestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

FootnoteDestination::FootnoteDestination(AbstractRtfOutput *output, const QString &name)
    : SubDocumentDestination(output, name)
{
}

bool FootnoteDestination::takeLeadingWord(const QByteArray &controlWord, bool, int)
{
    if (controlWord == "ftnalt") {
        m_endnote = true;
        return true;
    }
    return false;
}

bool FootnoteDestination::beginContent()
{
    return m_output->beginNote(m_endnote);
}

void FootnoteDestination::endContent()
{
    m_output->endNote();
}

} // namespace Tavisk
