#include "subdocumentdestination.h"

namespace Tavisk
{

SubDocumentDestination::SubDocumentDestination(AbstractRtfOutput *output, const QString &name)
    : DocumentDestination(output, name)
{
}

void SubDocumentDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    if (!m_begun) {
        // \* only marks the destination group that follows.
        if (controlWord == "*" || takeLeadingWord(controlWord, hasParameter, parameter))
            return;
        begin();
    }
    if (m_accepted)
        DocumentDestination::handleControlWord(controlWord, hasParameter, parameter);
}

void SubDocumentDestination::handlePlainText(const QByteArray &plainText)
{
    if (!m_begun)
        begin();
    if (m_accepted)
        DocumentDestination::handlePlainText(plainText);
}

void SubDocumentDestination::aboutToEndDestination()
{
    if (!m_begun)
        begin();
    if (m_accepted)
        endContent();
}

bool SubDocumentDestination::allowsNestedDestination(const QString &name)
{
    if (!m_begun) {
        if (isLeadingDestination(name))
            return true;
        begin();
    }
    return m_accepted;
}

bool SubDocumentDestination::takeLeadingWord(const QByteArray &, bool, int)
{
    return false;
}

bool SubDocumentDestination::isLeadingDestination(const QString &) const
{
    return false;
}

void SubDocumentDestination::begin()
{
    m_begun = true;
    m_accepted = beginContent();
}

} // namespace Tavisk
