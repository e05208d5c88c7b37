#include "listtabledestination.h"

#include "common/codepage_p.h"
#include "reader/logging_p.h"
#include "unicodefallback_p.h"
#include "wordtable_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <algorithm>
#include <string_view>

namespace Tavisk
{

namespace
{
// Word writes nine levels for every list that is not a simple one.
constexpr int maximumLevels = 9;

enum class ListWord {
    Unicode,
    List,
    Level,
    LevelText,
    LevelNumbers,
    ListName,
    ListId,
    // The words of a level's own properties
    NumberFormat,
    NewNumberFormat,
    StartAt,
    LeftIndent,
    FirstLineIndent,
};

struct ListWordEntry {
    std::string_view name;
    ListWord word;
};

// Sorted by name (byte order) for findWord().
constexpr ListWordEntry listWords[] = {
    {"fi", ListWord::FirstLineIndent},
    {"levelnfc", ListWord::NumberFormat},
    {"levelnfcn", ListWord::NewNumberFormat},
    {"levelnumbers", ListWord::LevelNumbers},
    {"levelstartat", ListWord::StartAt},
    {"leveltext", ListWord::LevelText},
    {"li", ListWord::LeftIndent},
    {"list", ListWord::List},
    {"listid", ListWord::ListId},
    {"listlevel", ListWord::Level},
    {"listname", ListWord::ListName},
    {"u", ListWord::Unicode},
};

static_assert(isSortedByName(listWords), "listWords must stay sorted by name");

ListNumberStyle numberStyleFor(int numberFormat)
{
    switch (numberFormat) {
    case 1:
        return ListNumberStyle::UpperRoman;
    case 2:
        return ListNumberStyle::LowerRoman;
    case 3:
        return ListNumberStyle::UpperAlpha;
    case 4:
        return ListNumberStyle::LowerAlpha;
    case 23:
        return ListNumberStyle::Bullet;
    case 255:
        return ListNumberStyle::None;
    default:
        // Arabic numbers, and the formats no list style draws (ordinals,
        // numbers in words, East Asian digits): decimal numbers are the
        // nearest.
        return ListNumberStyle::Decimal;
    }
}
} // namespace

ListTableDestination::ListTableDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

ListTableDestination::~ListTableDestination() = default;

void ListTableDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    const ListWordEntry *entry = findWord(listWords, controlWord);
    if (!entry)
        return;
    switch (entry->word) {
    case ListWord::Unicode:
        if (hasParameter && m_textMode == TextMode::LevelText) {
            // The parse loop drops the fallback that follows.
            appendLevelCharacter(UnicodeFallback::character(parameter));
        }
        return;
    case ListWord::List:
        startList();
        return;
    case ListWord::Level:
        startLevel();
        return;
    case ListWord::LevelText:
        if (m_inLevel) {
            m_textMode = TextMode::LevelText;
            m_levelText.clear();
            m_levelTextLength = -1;
            m_haveLevelText = true;
        }
        return;
    case ListWord::LevelNumbers:
        if (m_inLevel) {
            m_textMode = TextMode::LevelNumbers;
            m_levelNumbers.clear();
        }
        return;
    case ListWord::ListName:
    case ListWord::ListId:
        // Both follow the levels of a list.
        finishLevel();
        m_textMode = TextMode::Ignore;
        if (entry->word == ListWord::ListId && m_inList)
            m_listId = parameter;
        return;
    default:
        break;
    }
    if (!m_inLevel)
        return;
    switch (entry->word) {
    case ListWord::NumberFormat:
        m_numberFormat = parameter;
        break;
    case ListWord::NewNumberFormat:
        m_newNumberFormat = parameter;
        break;
    case ListWord::StartAt:
        m_level.setStartAt(parameter);
        break;
    case ListWord::LeftIndent:
        if (hasParameter)
            m_level.setLeftIndent(parameter);
        break;
    case ListWord::FirstLineIndent:
        if (hasParameter)
            m_level.setFirstLineIndent(parameter);
        break;
    default:
        break;
    }
}

void ListTableDestination::handlePlainText(const QByteArray &plainText)
{
    if (m_textMode == TextMode::Ignore)
        return;
    const QByteArray &text = plainText;
    [&] {
        if (m_textMode == TextMode::LevelNumbers) {
            for (const char byte : text) {
                if (byte == ';') {
                    m_textMode = TextMode::Ignore;
                    return;
                }
                // A level text has at most nine numbers; more are no offsets.
                if (m_levelNumbers.size() < 9)
                    m_levelNumbers.append(int(quint8(byte)));
            }
            return;
        }
        // The level text: its length first, then that many characters, then
        // the ';' that ends it (a ';' within the length is text).
        const QString decoded = CodePage::decode(text, QString());
        for (const QChar character : decoded) {
            if (m_textMode != TextMode::LevelText)
                return;
            appendLevelCharacter(character);
        }
    }();
}

void ListTableDestination::appendLevelCharacter(QChar character)
{
    if (m_levelTextLength < 0) {
        m_levelTextLength = character.unicode();
        return;
    }
    if (m_levelText.size() < m_levelTextLength) {
        m_levelText.append(character);
        return;
    }
    if (character == QLatin1Char(';'))
        m_textMode = TextMode::Ignore;
}

void ListTableDestination::aboutToEndDestination()
{
    finishList();
}

void ListTableDestination::startList()
{
    finishList();
    m_inList = true;
    m_listId = 0;
    m_levels.clear();
}

void ListTableDestination::finishList()
{
    finishLevel();
    if (m_inList)
        m_output->defineList(m_listId, m_levels);
    m_inList = false;
    m_levels.clear();
}

void ListTableDestination::startLevel()
{
    finishLevel();
    if (!m_inList)
        return;
    m_inLevel = true;
    m_level = ListLevel();
    m_levelText.clear();
    m_levelNumbers.clear();
    m_levelTextLength = -1;
    m_numberFormat = 0;
    m_newNumberFormat = -1;
    m_haveLevelText = false;
    m_textMode = TextMode::Ignore;
}

void ListTableDestination::finishLevel()
{
    if (!m_inLevel)
        return;
    m_inLevel = false;
    m_textMode = TextMode::Ignore;
    if (m_levels.size() >= maximumLevels) {
        qCDebug(lcRtf) << "list" << m_listId << "has more than" << maximumLevels << "levels; the rest are ignored";
        return;
    }

    ListNumberStyle style = numberStyleFor(m_newNumberFormat >= 0 ? m_newNumberFormat : m_numberFormat);

    // Where the level numbers stand in the level text: \levelnumbers gives
    // their offsets, counting the length as offset 0; without it, the
    // characters below 9 are taken for them.
    QList<int> placeholders;
    if (!m_levelNumbers.isEmpty()) {
        for (const int offset : std::as_const(m_levelNumbers)) {
            if (offset >= 1 && offset <= m_levelText.size())
                placeholders.append(offset - 1);
        }
    } else {
        for (int i = 0; i < m_levelText.size(); ++i) {
            if (m_levelText.at(i).unicode() < 9)
                placeholders.append(i);
        }
    }
    std::sort(placeholders.begin(), placeholders.end());

    if (style == ListNumberStyle::Bullet) {
        QString bullet = m_levelText;
        for (auto it = placeholders.crbegin(); it != placeholders.crend(); ++it)
            bullet.remove(*it, 1);
        m_level.setBulletText(bullet);
    } else if (style != ListNumberStyle::None) {
        if (!m_haveLevelText) {
            m_level.setNumberSuffix(QStringLiteral("."));
        } else if (placeholders.isEmpty()) {
            // Text without a number: no list style can show it.
            style = ListNumberStyle::None;
        } else {
            m_level.setNumberPrefix(m_levelText.left(placeholders.first()));
            m_level.setNumberSuffix(m_levelText.mid(placeholders.last() + 1));
        }
    }
    m_level.setNumberStyle(style);
    m_levels.append(m_level);
}

} // namespace Tavisk
