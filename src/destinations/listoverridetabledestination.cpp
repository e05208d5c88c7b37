#include "listoverridetabledestination.h"

#include "wordtable_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <string_view>

namespace Tavisk
{

namespace
{
constexpr int maximumLevels = 9;

enum class OverrideWord { Override, ListId, Number, Level, Restarts, StartAt };

struct OverrideWordEntry {
    std::string_view name;
    OverrideWord word;
};

// Sorted by name (byte order) for findWord().
constexpr OverrideWordEntry overrideWords[] = {
    {"levelstartat", OverrideWord::StartAt},
    {"lfolevel", OverrideWord::Level},
    {"listid", OverrideWord::ListId},
    {"listoverride", OverrideWord::Override},
    {"listoverridestartat", OverrideWord::Restarts},
    {"ls", OverrideWord::Number},
};

static_assert(isSortedByName(overrideWords), "overrideWords must stay sorted by name");
} // namespace

ListOverrideTableDestination::ListOverrideTableDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

ListOverrideTableDestination::~ListOverrideTableDestination() = default;

void ListOverrideTableDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter,
                                                     int parameter)
{
    const OverrideWordEntry *entry = findWord(overrideWords, controlWord);
    if (!entry)
        return;
    if (entry->word == OverrideWord::Override) {
        finishOverride();
        m_inOverride = true;
        return;
    }
    if (!m_inOverride)
        return;
    switch (entry->word) {
    case OverrideWord::Override:
        break;
    case OverrideWord::ListId:
        m_listId = parameter;
        break;
    case OverrideWord::Number:
        if (hasParameter) {
            m_overrideNumber = parameter;
            m_haveOverrideNumber = true;
        }
        break;
    case OverrideWord::Level:
        finishLevel();
        m_level = qMin(m_level + 1, maximumLevels); // counting stops past the last level
        break;
    case OverrideWord::Restarts:
        if (m_level >= 0)
            m_levelRestarts = true;
        break;
    case OverrideWord::StartAt:
        if (m_level >= 0)
            m_levelStartAt = parameter;
        break;
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
