#include "shapetextdestination.h"

#include "shapedestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

ShapeTextDestination::ShapeTextDestination(AbstractRtfOutput *output, const QString &name)
    : DocumentDestination(output, name)
{
}

void ShapeTextDestination::setEnclosingDestination(Destination *enclosing)
{
    DocumentDestination::setEnclosingDestination(enclosing);
    // Called once, as the group opens: the text box starts here.
    m_output->beginTextBox();
}

void ShapeTextDestination::aboutToEndDestination()
{
    m_output->endTextBox();
}

ShapeResultDestination::ShapeResultDestination(AbstractRtfOutput *output, const QString &name)
    : DocumentDestination(output, name)
{
}

void ShapeResultDestination::setEnclosingDestination(Destination *enclosing)
{
    DocumentDestination::setEnclosingDestination(enclosing);
    if (const auto *shape = dynamic_cast<const ShapeDestination *>(enclosing))
        m_dropped = shape->contentShown();
}

void ShapeResultDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    if (!m_dropped)
        DocumentDestination::handleControlWord(controlWord, hasParameter, parameter);
}

void ShapeResultDestination::handlePlainText(const QByteArray &plainText)
{
    if (!m_dropped)
        DocumentDestination::handlePlainText(plainText);
}

bool ShapeResultDestination::allowsNestedDestination(const QString &)
{
    return !m_dropped;
}

} // namespace Tavisk
