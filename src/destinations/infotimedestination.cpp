#include "infotimedestination.h"

#include "reader/logging_p.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

InfoTimeDestination::InfoTimeDestination(AbstractRtfOutput *output, const QString &name, DateTimeSetter setter)
    : Destination(output, name)
    , m_setter(setter)
{
}

void InfoTimeDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    Q_UNUSED(hasParameter)
    if (controlWord == "yr")
        m_year = parameter;
    else if (controlWord == "mo")
        m_month = parameter;
    else if (controlWord == "dy")
        m_day = parameter;
    else if (controlWord == "hr")
        m_hour = parameter;
    else if (controlWord == "min")
        m_minute = parameter;
    else
        qCDebug(lcRtf) << "unexpected control word in" << m_name << ": " << controlWord;
}

void InfoTimeDestination::handlePlainText(const QByteArray &plainText)
{
    qCDebug(lcRtf) << "unexpected text in InfoTimeDestination:" << plainText;
}

void InfoTimeDestination::aboutToEndDestination()
{
    if (m_setter)
        (m_output->*m_setter)(dateTime());
}

QDateTime InfoTimeDestination::dateTime() const
{
    const QTime time(m_hour, m_minute, 0, 0);
    const QDate date(m_year, m_month, m_day);
#if QT_VERSION >= QT_VERSION_CHECK(6, 7, 0)
    return QDateTime(date, time, QDateTime::TransitionResolution::LegacyBehavior);
#else
    // Before 6.7 the local-time constructor resolves a time in a daylight-
    // saving gap or overlap the legacy way.
    return QDateTime(date, time);
#endif
}

} // namespace Tavisk
