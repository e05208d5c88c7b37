#include "infodestination.h"

#include "reader/logging_p.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

InfoDestination::InfoDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

void InfoDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    // The \* of {\*\company ...} and the like: the group it marks opens a
    // destination of its own.
    if (controlWord == "*")
        return;

    // A statistic without its number says nothing and is only logged.
    if (hasParameter) {
        if (controlWord == "edmins") {
            m_output->setTotalEditingTime(parameter);
            return;
        }
        if (controlWord == "nofpages") {
            m_output->setNumberOfPages(parameter);
            return;
        }
        if (controlWord == "nofwords") {
            m_output->setNumberOfWords(parameter);
            return;
        }
        if (controlWord == "nofchars") {
            m_output->setNumberOfCharacters(parameter);
            return;
        }
        if (controlWord == "nofcharsws") {
            m_output->setNumberOfCharactersWithoutSpaces(parameter);
            return;
        }
        if (controlWord == "version") {
            m_output->setVersionNumber(parameter);
            return;
        }
        if (controlWord == "vern") {
            m_output->setInternalVersionNumber(parameter);
            return;
        }
    }
    qCDebug(lcRtf) << "unexpected control word in InfoDestination:" << controlWord;
}

void InfoDestination::handlePlainText(const QByteArray &plainText)
{
    qCDebug(lcRtf) << "unexpected text in InfoDestination:" << plainText;
}

} // namespace Tavisk
