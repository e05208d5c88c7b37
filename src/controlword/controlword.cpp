#include "controlword_p.h"

#include "common/namehash_p.h"
#include "destinations/destinationtable_p.h"

#include <QHash>

#include <array>
#include <string_view>
#include <vector>

namespace Tavisk
{

namespace
{
using Vocabulary = QHash<QString, ControlWordType>;

const Vocabulary &vocabulary()
{
    // Built once, on the first lookup; the static's initialisation is
    // thread-safe, and the table is only read afterwards.
    static const Vocabulary table = [] {
        Vocabulary words;
        words.reserve(1813);
        for (const ControlWordEntry &entry : controlWordEntries())
            words.insert(QString::fromLatin1(entry.name), entry.type);
        return words;
    }();
    return table;
}

// The vocabulary and the supported destinations in one table keyed by the
// name bytes, for the parse loop, which classifies every control token: open
// addressing over 16-bit positions into a compact array of words, with the
// hash of the names, so that a lookup costs a hash of the name and one
// comparison. The names are the static strings of the two tables.
class ClassTable
{
public:
    ClassTable()
    {
        m_positions.fill(empty);
        m_words.reserve(2048);
        for (const ControlWordEntry &entry : controlWordEntries())
            wordFor(std::string_view(entry.name)).wordClass.known = true;
        for (const DestinationTable::Entry &entry : DestinationTable::entries()) {
            if (entry.openedByWord)
                wordFor(entry.name).wordClass.supportedDestination = true;
        }
    }

    ControlWordClass classify(const QByteArray &bytes) const
    {
        const std::string_view name(bytes.constData(), std::size_t(bytes.size()));
        for (std::size_t slot = nameHash(name) & mask;; slot = (slot + 1) & mask) {
            const unsigned short position = m_positions[slot];
            if (position == empty)
                return ControlWordClass();
            if (m_words[position].name == name)
                return m_words[position].wordClass;
        }
    }

private:
    struct Word {
        std::string_view name;
        ControlWordClass wordClass;
    };
    // More than twice the words of both tables (1 813 and a few more).
    static constexpr std::size_t slotCount = 4096;
    static constexpr std::size_t mask = slotCount - 1;
    static constexpr unsigned short empty = 0xFFFF;

    Word &wordFor(std::string_view name)
    {
        std::size_t slot = nameHash(name) & mask;
        while (m_positions[slot] != empty) {
            if (m_words[m_positions[slot]].name == name)
                return m_words[m_positions[slot]];
            slot = (slot + 1) & mask;
        }
        Q_ASSERT(m_words.size() < slotCount / 2);
        m_positions[slot] = static_cast<unsigned short>(m_words.size());
        m_words.push_back(Word{name, ControlWordClass()});
        return m_words.back();
    }

    std::array<unsigned short, slotCount> m_positions;
    std::vector<Word> m_words;
};

const ClassTable &classTable()
{
    static const ClassTable table;
    return table;
}
} // namespace

ControlWordClass classifyControlWord(const QByteArray &name)
{
    return classTable().classify(name);
}

ControlWord::ControlWord(const QString &name)
    : m_name(name)
{
}

bool ControlWord::isKnown() const
{
    return vocabulary().contains(m_name);
}

bool ControlWord::isDestination(const QString &name)
{
    const auto it = vocabulary().constFind(name);
    return it != vocabulary().constEnd() && it.value() == ControlWordType::Destination;
}

bool ControlWord::isSupportedDestination() const
{
    return DestinationTable::isSupported(m_name.toLatin1());
}

} // namespace Tavisk
