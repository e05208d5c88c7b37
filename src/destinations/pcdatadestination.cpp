#include "pcdatadestination.h"

#include "common/controlchars_p.h"
#include "reader/logging_p.h"

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
            m_pcdata.append(withoutControlCharacters(QChar(char16_t(quint32(parameter) & 0xFFFF))));
            m_charactersToSkip = m_unicodeSkip;
            return;
        }
        if (controlWord == "uc") {
            m_unicodeSkip = parameter;
            return;
        }
        if (controlWord == "'") {
            qCDebug(lcRtf) << "special character value:" << parameter;
            return;
        }
    }
    qCDebug(lcRtf) << "unexpected control word in" << m_name << ": " << controlWord;
}

void PcdataDestination::handlePlainText(const QByteArray &plainText)
{
    if (m_charactersToSkip <= 0) {
        m_pcdata.append(withoutControlCharacters(m_output->convertText(plainText)));
        return;
    }
    qCDebug(lcRtf) << "skipping" << m_charactersToSkip << "of" << plainText;
    if (m_charactersToSkip >= plainText.size()) {
        m_charactersToSkip -= plainText.size();
        return;
    }
    m_pcdata.append(withoutControlCharacters(m_output->convertText(plainText.mid(m_charactersToSkip))));
    m_charactersToSkip = 0;
}

} // namespace Tavisk
