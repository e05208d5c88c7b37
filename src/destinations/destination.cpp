#include "destination.h"

#include "reader/logging_p.h"

namespace Tavisk
{

Destination::Destination(AbstractRtfOutput *output, const QString &name)
    : m_name(name)
    , m_output(output)
{
}

Destination::~Destination() = default;

void Destination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    Q_UNUSED(controlWord)
    Q_UNUSED(hasParameter)
    Q_UNUSED(parameter)
}

void Destination::handlePlainText(const QByteArray &plainText)
{
    qCDebug(lcRtf) << "plain text:" << plainText << "in" << m_name;
}

void Destination::aboutToEndDestination()
{
}

void Destination::handleBinaryData(const QByteArray &data)
{
    Q_UNUSED(data)
}

void Destination::setEnclosingDestination(Destination *enclosing)
{
    m_enclosing = enclosing;
}

bool Destination::allowsNestedDestination(const QString &)
{
    return true;
}

QString Destination::name() const
{
    return m_name;
}

bool Destination::hasName(const QString &name)
{
    return m_name == name;
}

Destination *Destination::createNestedDestination(const QString &name)
{
    Q_UNUSED(name)
    return nullptr;
}

} // namespace Tavisk
