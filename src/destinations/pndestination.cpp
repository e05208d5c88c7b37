#include "pndestination.h"

#include "common/codepage_p.h"
#include "unicodefallback_p.h"

#include <tavisk/abstractrtfoutput.h>

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
} // namespace

PnDestination::PnDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

PnDestination::~PnDestination() = default;

void PnDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    if (controlWord == "pnlvlblt") {
        m_kind = Kind::Bullet;
        m_levelIndex = 0;
    } else if (controlWord == "pnlvlbody") {
        m_kind = Kind::Numbered;
        m_levelIndex = 0;
    } else if (controlWord == "pnlvlcont") {
        m_kind = Kind::Continued;
    } else if (controlWord == "pnlvl") {
        m_kind = Kind::Numbered;
        m_levelIndex = hasParameter ? qBound(0, parameter - 1, 8) : 0;
    } else if (controlWord == "pndec" || controlWord == "pncard" || controlWord == "pnord"
               || controlWord == "pnordt") {
        m_numberStyle = ListNumberStyle::Decimal;
    } else if (controlWord == "pnucrm") {
        m_numberStyle = ListNumberStyle::UpperRoman;
    } else if (controlWord == "pnlcrm") {
        m_numberStyle = ListNumberStyle::LowerRoman;
    } else if (controlWord == "pnucltr") {
        m_numberStyle = ListNumberStyle::UpperAlpha;
    } else if (controlWord == "pnlcltr") {
        m_numberStyle = ListNumberStyle::LowerAlpha;
    } else if (controlWord == "pnstart") {
        if (hasParameter)
            m_level.setStartAt(parameter);
    } else if (controlWord == "pnindent") {
        if (hasParameter)
            m_level.setLeftIndent(parameter);
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
