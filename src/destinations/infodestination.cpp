#include "infodestination.h"

#include "reader/logging_p.h"
#include "wordtable_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <string_view>

namespace Tavisk
{

namespace
{
// The statistics of the information group, each with the output operation
// that takes its number; \* has none.
struct InfoWordEntry {
    std::string_view name;
    void (AbstractRtfOutput::*setter)(int value);
};

// Sorted by name (byte order) for findWord().
constexpr InfoWordEntry infoWords[] = {
    {"*", nullptr},
    {"edmins", &AbstractRtfOutput::setTotalEditingTime},
    {"nofchars", &AbstractRtfOutput::setNumberOfCharacters},
    {"nofcharsws", &AbstractRtfOutput::setNumberOfCharactersWithoutSpaces},
    {"nofpages", &AbstractRtfOutput::setNumberOfPages},
    {"nofwords", &AbstractRtfOutput::setNumberOfWords},
    {"vern", &AbstractRtfOutput::setInternalVersionNumber},
    {"version", &AbstractRtfOutput::setVersionNumber},
};

static_assert(isSortedByName(infoWords), "infoWords must stay sorted by name");
} // namespace

InfoDestination::InfoDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

void InfoDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    const InfoWordEntry *entry = findWord(infoWords, controlWord);
    // The \* of {\*\company ...} and the like: the group it marks opens a
    // destination of its own.
    if (entry && !entry->setter)
        return;

    // A statistic without its number says nothing and is only logged.
    if (!entry || !hasParameter) {
        qCDebug(lcRtf) << "unexpected control word in InfoDestination:" << controlWord;
        return;
    }
    (m_output->*entry->setter)(parameter);
}

void InfoDestination::handlePlainText(const QByteArray &plainText)
{
    qCDebug(lcRtf) << "unexpected text in InfoDestination:" << plainText;
}

} // namespace Tavisk
