#include "headerfooterdestination.h"

namespace Tavisk
{

HeaderFooterDestination::HeaderFooterDestination(AbstractRtfOutput *output, const QString &name)
    : SubDocumentDestination(output, name)
{
}

AbstractRtfOutput::HeaderFooterKind HeaderFooterDestination::kindFromName(const QString &name)
{
    using Kind = AbstractRtfOutput::HeaderFooterKind;
    const bool footer = name.startsWith(QLatin1String("footer"));
    const QChar variant = name.size() == 7 ? name.at(6) : QChar();
    if (variant == QLatin1Char('l'))
        return footer ? Kind::FooterLeft : Kind::HeaderLeft;
    if (variant == QLatin1Char('r'))
        return footer ? Kind::FooterRight : Kind::HeaderRight;
    if (variant == QLatin1Char('f'))
        return footer ? Kind::FooterFirst : Kind::HeaderFirst;
    return footer ? Kind::Footer : Kind::Header;
}

bool HeaderFooterDestination::beginContent()
{
    return m_output->beginHeaderFooter(kindFromName(m_name));
}

void HeaderFooterDestination::endContent()
{
    m_output->endHeaderFooter();
}

} // namespace Tavisk
