#include "listoverridetabledestination.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

namespace
{
constexpr int maximumLevels = 9;
} // namespace

ListOverrideTableDestination::ListOverrideTableDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

ListOverrideTableDestination::~ListOverrideTableDestination() = default;

void ListOverrideTableDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter,
                                                     int parameter)
{
    if (controlWord == "listoverride") {
        finishOverride();
        m_inOverride = true;
    } else if (!m_inOverride) {
        return;
    } else if (controlWord == "listid") {
        m_listId = parameter;
    } else if (controlWord == "ls") {
        if (hasParameter) {
            m_overrideNumber = parameter;
            m_haveOverrideNumber = true;
        }
    } else if (controlWord == "lfolevel") {
        finishLevel();
        m_level = qMin(m_level + 1, maximumLevels); // counting stops past the last level
    } else if (controlWord == "listoverridestartat") {
        if (m_level >= 0)
            m_levelRestarts = true;
    } else if (controlWord == "levelstartat") {
        if (m_level >= 0)
            m_levelStartAt = parameter;
    }
}

void ListOverrideTableDestination::aboutToEndDestination()
{
    finishOverride();
}

void ListOverrideTableDestination::finishLevel()
{
    if (m_level >= 0 && m_level < maximumLevels && m_levelRestarts)
        m_startAt.insert(m_level, m_levelStartAt);
    m_levelRestarts = false;
    m_levelStartAt = 1;
}

void ListOverrideTableDestination::finishOverride()
{
    finishLevel();
    if (m_inOverride && m_haveOverrideNumber)
        m_output->defineListOverride(m_overrideNumber, m_listId, m_startAt);
    m_inOverride = false;
    m_haveOverrideNumber = false;
    m_listId = 0;
    m_overrideNumber = 0;
    m_level = -1;
    m_startAt.clear();
}

} // namespace Tavisk
