#include "pcdatadestination.h"

#include "common/controlchars_p.h"
#include "reader/logging_p.h"
#include "unicodefallback_p.h"
#include "wordtable_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <string_view>

namespace Tavisk
{

namespace
{
// Only the words of the Unicode escape count here; formatting is ignored.
enum class PcdataWord { Unicode, UnicodeSkip, HexEscape };

struct PcdataWordEntry {
    std::string_view name;
    PcdataWord word;
};

// Sorted by name (byte order) for findWord().
constexpr PcdataWordEntry pcdataWords[] = {
    {"'", PcdataWord::HexEscape},
    {"u", PcdataWord::Unicode},
    {"uc", PcdataWord::UnicodeSkip},
};

static_assert(isSortedByName(pcdataWords), "pcdataWords must stay sorted by name");
} // namespace

PcdataDestination::PcdataDestination(AbstractRtfOutput *output, const QString &name, TextSetter setter)
    : DocumentDestination(output, name)
    , m_setter(setter)
{
}

void PcdataDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    const PcdataWordEntry *entry = hasParameter ? findWord(pcdataWords, controlWord) : nullptr;
    // A high surrogate of a \u followed by anything but another \u.
    if (m_highSurrogate != 0 && !(entry && entry->word == PcdataWord::Unicode))
        m_pcdata.append(UnicodeCharacters(m_highSurrogate).interrupt());
    if (!entry) {
        qCDebug(lcRtf) << "unexpected control word in" << m_name << ": " << controlWord;
        return;
    }
    switch (entry->word) {
    case PcdataWord::Unicode:
        m_pcdata.append(withoutControlCharacters(UnicodeCharacters(m_highSurrogate).take(parameter)));
        break;
    case PcdataWord::UnicodeSkip:
        // The parse loop keeps the fallback length with the group.
        break;
    case PcdataWord::HexEscape:
        qCDebug(lcRtf) << "special character value:" << parameter;
        break;
    }
}

void PcdataDestination::handlePlainText(const QByteArray &plainText)
{
    if (m_highSurrogate != 0)
        m_pcdata.append(UnicodeCharacters(m_highSurrogate).interrupt());
    m_pcdata.append(withoutControlCharacters(m_output->convertText(plainText)));
}

void PcdataDestination::aboutToEndDestination()
{
    if (m_highSurrogate != 0)
        m_pcdata.append(UnicodeCharacters(m_highSurrogate).interrupt());
    if (m_setter)
        (m_output->*m_setter)(m_pcdata);
}

} // namespace Tavisk
