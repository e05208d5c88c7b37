#include "pcdatadestination.h"

#include "reader/logging_p.h"
#include "unicodefallback_p.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

PcdataDestination::PcdataDestination(AbstractRtfOutput *output, const QString &name)
    : DocumentDestination(output, name)
{
}

void PcdataDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    if (hasParameter) {
        if (controlWord == "u") {
            // One UTF-16 code unit, often written as a signed 16-bit number;
            // the fallback bytes that follow it are dropped.
            m_pcdata.append(UnicodeFallback::character(parameter));
            UnicodeFallback(m_charactersToSkip, m_unicodeSkip).startFallback();
            return;
        }
        if (controlWord == "uc") {
            UnicodeFallback(m_charactersToSkip, m_unicodeSkip).setSkipCount(parameter);
            return;
        }
        if (controlWord == "'") {
            qCDebug(lcRtf) << "special character value:" << parameter;
            return;
        }
    }
    qCDebug(lcRtf) << "unexpected control word in" << m_name << ": " << controlWord;
}

void PcdataDestination::setEnclosingDestination(Destination *enclosing)
{
    Destination::setEnclosingDestination(enclosing);
}

void PcdataDestination::handlePlainText(const QByteArray &plainText)
{
    UnicodeFallback(m_charactersToSkip, m_unicodeSkip).takeText(plainText, [this](const QByteArray &text) {
        m_pcdata.append(m_output->convertText(text));
    });
}

} // namespace Tavisk
