#include "token.h"

#include "reader/logging_p.h"

namespace Tavisk
{

void Token::dump() const
{
    switch (type) {
    case OpenGroup:
        qCDebug(lcRtf) << "token type: OpenGroup";
        return;
    case CloseGroup:
        qCDebug(lcRtf) << "token type: CloseGroup";
        return;
    case Control:
        qCDebug(lcRtf) << "token type: Control";
        break;
    case Plain:
        qCDebug(lcRtf) << "token type: Plain";
        break;
    case Binary:
        qCDebug(lcRtf) << "token type: Binary";
        break;
    default:
        qCDebug(lcRtf) << "unexpected token type: " << int(type);
        break;
    }
    qCDebug(lcRtf) << "name: " << name;
    if (hasParameter)
        qCDebug(lcRtf) << "parameter: " << parameter;
}

} // namespace Tavisk
