#include "pndestination.h"

#include "common/codepage_p.h"
#include "unicodefallback_p.h"
#include "wordtable_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <string_view>

namespace Tavisk
{

namespace
{
// {\pntxtb ...} or {\pntxta ...} inside a {\*\pn ...} group: hands its text
// to the numbering it belongs to. The numbering's group encloses this one,
// so the numbering outlives it.
class PnTextDestination : public Destination
{
public:
    PnTextDestination(AbstractRtfOutput *output, const QString &name, PnDestination *numbering)
        : Destination(output, name)
        , m_numbering(numbering)
        , m_before(name == QLatin1String("pntxtb"))
    {
    }

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override
    {
        if (!hasParameter)
            return;
        // The parse loop drops the fallback that follows \u.
        if (controlWord == "u")
            m_numbering->appendText(m_before, QString(UnicodeFallback::character(parameter)));
    }

    void handlePlainText(const QByteArray &plainText) override
    {
        m_numbering->appendText(m_before, CodePage::decode(plainText, QString()));
    }

private:
    PnDestination *m_numbering;
    bool m_before;
};

// Longer texts are not markers; this keeps a hostile file from growing one.
constexpr int maximumTextLength = 64;

enum class PnWord {
    Bullet,
    Body,
    Continued,
    Level,
    Decimal,
    UpperRoman,
    LowerRoman,
    UpperLetter,
    LowerLetter,
    Start,
    Indent,
};

struct PnWordEntry {
    std::string_view name;
    PnWord word;
};

// Sorted by name (byte order) for findWord().
constexpr PnWordEntry pnWords[] = {
    {"pncard", PnWord::Decimal},
    {"pndec", PnWord::Decimal},
    {"pnindent", PnWord::Indent},
    {"pnlcltr", PnWord::LowerLetter},
    {"pnlcrm", PnWord::LowerRoman},
    {"pnlvl", PnWord::Level},
    {"pnlvlblt", PnWord::Bullet},
    {"pnlvlbody", PnWord::Body},
    {"pnlvlcont", PnWord::Continued},
    {"pnord", PnWord::Decimal},
    {"pnordt", PnWord::Decimal},
    {"pnstart", PnWord::Start},
    {"pnucltr", PnWord::UpperLetter},
    {"pnucrm", PnWord::UpperRoman},
};

static_assert(isSortedByName(pnWords), "pnWords must stay sorted by name");
} // namespace

PnDestination::PnDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

PnDestination::~PnDestination() = default;

void PnDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    const PnWordEntry *entry = findWord(pnWords, controlWord);
    if (!entry)
        return;
    switch (entry->word) {
    case PnWord::Bullet:
        m_kind = Kind::Bullet;
        m_levelIndex = 0;
        break;
    case PnWord::Body:
        m_kind = Kind::Numbered;
        m_levelIndex = 0;
        break;
    case PnWord::Continued:
        m_kind = Kind::Continued;
        break;
    case PnWord::Level:
        m_kind = Kind::Numbered;
        m_levelIndex = hasParameter ? qBound(0, parameter - 1, 8) : 0;
        break;
    case PnWord::Decimal:
        // Cardinal and ordinal numbers in words are shown as numbers.
        m_numberStyle = ListNumberStyle::Decimal;
        break;
    case PnWord::UpperRoman:
        m_numberStyle = ListNumberStyle::UpperRoman;
        break;
    case PnWord::LowerRoman:
        m_numberStyle = ListNumberStyle::LowerRoman;
        break;
    case PnWord::UpperLetter:
        m_numberStyle = ListNumberStyle::UpperAlpha;
        break;
    case PnWord::LowerLetter:
        m_numberStyle = ListNumberStyle::LowerAlpha;
        break;
    case PnWord::Start:
        if (hasParameter)
            m_level.setStartAt(parameter);
        break;
    case PnWord::Indent:
        if (hasParameter)
            m_level.setLeftIndent(parameter);
        break;
    }
}

Destination *PnDestination::createNestedDestination(const QString &name)
{
    if (name == QLatin1String("pntxta") || name == QLatin1String("pntxtb"))
        return new PnTextDestination(m_output, name, this);
    return nullptr;
}

void PnDestination::appendText(bool before, const QString &text)
{
    QString &target = before ? m_textBefore : m_textAfter;
    if (target.size() < maximumTextLength)
        target.append(text.left(maximumTextLength - target.size()));
}

void PnDestination::aboutToEndDestination()
{
    switch (m_kind) {
    case Kind::None:
    case Kind::Continued:
        return;
    case Kind::Bullet:
        m_level.setNumberStyle(ListNumberStyle::Bullet);
        m_level.setBulletText(m_textBefore);
        break;
    case Kind::Numbered:
        m_level.setNumberStyle(m_numberStyle);
        m_level.setNumberPrefix(m_textBefore);
        m_level.setNumberSuffix(m_textAfter);
        break;
    }
    m_output->setParagraphNumbering(m_level, m_levelIndex);
}

} // namespace Tavisk
