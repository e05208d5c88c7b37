#include "infotimedestination.h"

#include "reader/logging_p.h"
#include "wordtable_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <string_view>

namespace Tavisk
{

namespace
{
enum class TimeWord { Year, Month, Day, Hour, Minute };

struct TimeWordEntry {
    std::string_view name;
    TimeWord word;
};

// Sorted by name (byte order) for findWord().
constexpr TimeWordEntry timeWords[] = {
    {"dy", TimeWord::Day},
    {"hr", TimeWord::Hour},
    {"min", TimeWord::Minute},
    {"mo", TimeWord::Month},
    {"yr", TimeWord::Year},
};

static_assert(isSortedByName(timeWords), "timeWords must stay sorted by name");
} // namespace

InfoTimeDestination::InfoTimeDestination(AbstractRtfOutput *output, const QString &name, DateTimeSetter setter)
    : Destination(output, name)
    , m_setter(setter)
{
}

void InfoTimeDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    Q_UNUSED(hasParameter)
    const TimeWordEntry *entry = findWord(timeWords, controlWord);
    if (!entry) {
        qCDebug(lcRtf) << "unexpected control word in" << m_name << ": " << controlWord;
        return;
    }
    switch (entry->word) {
    case TimeWord::Year:
        m_year = parameter;
        break;
    case TimeWord::Month:
        m_month = parameter;
        break;
    case TimeWord::Day:
        m_day = parameter;
        break;
    case TimeWord::Hour:
        m_hour = parameter;
        break;
    case TimeWord::Minute:
        m_minute = parameter;
        break;
    }
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
