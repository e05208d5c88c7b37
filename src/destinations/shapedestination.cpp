#include "shapedestination.h"

namespace Tavisk
{

ShapeDestination::ShapeDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

void ShapeDestination::handlePlainText(const QByteArray &)
{
}

ShapeInstructionDestination::ShapeInstructionDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

void ShapeInstructionDestination::handlePlainText(const QByteArray &)
{
    // Property names and values ({\sp{\sn ...}{\sv ...}}).
}

bool ShapeInstructionDestination::allowsNestedDestination(const QString &name)
{
    if (name == QLatin1String("shptxt") || name == QLatin1String("pict")) {
        if (auto *shape = dynamic_cast<ShapeDestination *>(m_enclosing))
            shape->setContentShown();
    }
    return true;
}

} // namespace Tavisk
