#include "documentdestination.h"

#include "controlword/controlword.h"
#include "reader/logging_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <algorithm>
#include <string_view>

namespace Tavisk
{

namespace
{
enum class BodyWord {
    Par,
    Tab,
    LeftQuote,
    RightQuote,
    LeftDoubleQuote,
    RightDoubleQuote,
    EnDash,
    EmDash,
    EnSpace,
    EmSpace,
    Bullet,
    ParagraphDefaults,
    Italic,
    Bold,
    Underline,
    FontSize,
    ForegroundColour,
    PatternBackgroundColour,
    Highlight,
    DefaultFont,
    Font,
    Superscript,
    Subscript,
    AlignLeft,
    AlignJustified,
    AlignCentred,
    AlignRight,
    FirstLineIndent,
    LeftIndent,
    RightIndent,
    SpaceBefore,
    SpaceAfter,
    LeftToRight,
    RightToLeft,
    Plain,
    PaperHeight,
    PaperWidth,
    Strikeout,
    Unicode,
    UnicodeSkip,
    HexEscape,
    Line,
    IgnorableMark,
    NoBreakSpace,
    NonBreakingHyphen,
    SoftHyphen,
};

struct BodyWordEntry {
    std::string_view name;
    BodyWord word;
};

// Sorted by name (byte order) for the binary search below.
constexpr BodyWordEntry bodyWords[] = {
    {"'", BodyWord::HexEscape},
    {"*", BodyWord::IgnorableMark},
    {"-", BodyWord::SoftHyphen},
    {"_", BodyWord::NonBreakingHyphen},
    {"b", BodyWord::Bold},
    {"bullet", BodyWord::Bullet},
    {"cbpat", BodyWord::PatternBackgroundColour},
    {"cf", BodyWord::ForegroundColour},
    {"deff", BodyWord::DefaultFont},
    {"emdash", BodyWord::EmDash},
    {"emspace", BodyWord::EmSpace},
    {"endash", BodyWord::EnDash},
    {"enspace", BodyWord::EnSpace},
    {"f", BodyWord::Font},
    {"fi", BodyWord::FirstLineIndent},
    {"fs", BodyWord::FontSize},
    {"highlight", BodyWord::Highlight},
    {"i", BodyWord::Italic},
    {"ldblquote", BodyWord::LeftDoubleQuote},
    {"li", BodyWord::LeftIndent},
    {"line", BodyWord::Line},
    {"lquote", BodyWord::LeftQuote},
    {"ltrch", BodyWord::LeftToRight},
    {"paperh", BodyWord::PaperHeight},
    {"paperw", BodyWord::PaperWidth},
    {"par", BodyWord::Par},
    {"pard", BodyWord::ParagraphDefaults},
    {"plain", BodyWord::Plain},
    {"qc", BodyWord::AlignCentred},
    {"qj", BodyWord::AlignJustified},
    {"ql", BodyWord::AlignLeft},
    {"qr", BodyWord::AlignRight},
    {"rdblquote", BodyWord::RightDoubleQuote},
    {"ri", BodyWord::RightIndent},
    {"rquote", BodyWord::RightQuote},
    {"rtlch", BodyWord::RightToLeft},
    {"sa", BodyWord::SpaceAfter},
    {"sb", BodyWord::SpaceBefore},
    {"strike", BodyWord::Strikeout},
    {"sub", BodyWord::Subscript},
    {"super", BodyWord::Superscript},
    {"tab", BodyWord::Tab},
    {"u", BodyWord::Unicode},
    {"uc", BodyWord::UnicodeSkip},
    {"ul", BodyWord::Underline},
    {"~", BodyWord::NoBreakSpace},
};

constexpr bool isSorted()
{
    for (std::size_t i = 1; i < std::size(bodyWords); ++i) {
        if (!(bodyWords[i - 1].name < bodyWords[i].name))
            return false;
    }
    return true;
}
static_assert(isSorted(), "bodyWords must stay sorted by name");

// Byte order of two short names, compared inline: the names of the table are
// at most nine bytes, and a call into memcmp for each step of the search
// costs more than the comparison itself.
inline bool nameLess(std::string_view a, std::string_view b)
{
    const std::size_t length = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < length; ++i) {
        if (a[i] != b[i])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]);
    }
    return a.size() < b.size();
}

const BodyWordEntry *lookupBodyWord(const QByteArray &controlWord)
{
    const std::string_view name(controlWord.constData(), std::size_t(controlWord.size()));
    const auto it = std::lower_bound(std::begin(bodyWords), std::end(bodyWords), name,
                                     [](const BodyWordEntry &entry, std::string_view n) { return nameLess(entry.name, n); });
    if (it == std::end(bodyWords) || nameLess(name, it->name))
        return nullptr;
    return it;
}

// \b, \i and \ul: on without a parameter, otherwise off only for 0.
inline int toggleValue(bool hasParameter, int parameter)
{
    return (!hasParameter || parameter != 0) ? 1 : 0;
}
} // namespace

DocumentDestination::DocumentDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

void DocumentDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    const BodyWordEntry *entry = lookupBodyWord(controlWord);
    bool handled = entry != nullptr;
    if (handled) {
        switch (entry->word) {
        case BodyWord::Par:
            m_output->insertPar();
            break;
        case BodyWord::Tab:
            m_output->insertTab();
            break;
        case BodyWord::LeftQuote:
            m_output->insertLeftQuote();
            break;
        case BodyWord::RightQuote:
            m_output->insertRightQuote();
            break;
        case BodyWord::LeftDoubleQuote:
            m_output->insertLeftDoubleQuote();
            break;
        case BodyWord::RightDoubleQuote:
            m_output->insertRightDoubleQuote();
            break;
        case BodyWord::EnDash:
            m_output->insertEnDash();
            break;
        case BodyWord::EmDash:
            m_output->insertEmDash();
            break;
        case BodyWord::EnSpace:
            m_output->insertEnSpace();
            break;
        case BodyWord::EmSpace:
            m_output->insertEmSpace();
            break;
        case BodyWord::Bullet:
            m_output->insertBullet();
            break;
        case BodyWord::ParagraphDefaults:
            m_output->resetParagraphFormat();
            break;
        case BodyWord::Italic:
            m_output->setFontItalic(toggleValue(hasParameter, parameter));
            break;
        case BodyWord::Bold:
            m_output->setFontBold(toggleValue(hasParameter, parameter));
            break;
        case BodyWord::Underline:
            m_output->setFontUnderline(toggleValue(hasParameter, parameter));
            break;
        case BodyWord::FontSize:
            // \fs gives half-points; no size (or 0) means the 12 point default.
            m_output->setFontPointSize((hasParameter && parameter != 0) ? int(parameter * 0.5) : 12);
            break;
        case BodyWord::ForegroundColour:
            m_output->setForegroundColour(parameter);
            break;
        case BodyWord::PatternBackgroundColour:
            m_output->setParagraphPatternBackgroundColour(parameter);
            break;
        case BodyWord::Highlight:
            m_output->setHighlightColour(parameter);
            break;
        case BodyWord::DefaultFont:
            handled = hasParameter;
            if (handled)
                m_output->setDefaultFont(parameter);
            break;
        case BodyWord::Font:
            m_output->setFont(parameter);
            break;
        case BodyWord::Superscript:
            m_output->setFontSuperscript();
            break;
        case BodyWord::Subscript:
            m_output->setFontSubscript();
            break;
        case BodyWord::AlignLeft:
            m_output->setParagraphAlignmentLeft();
            break;
        case BodyWord::AlignJustified:
            m_output->setParagraphAlignmentJustified();
            break;
        case BodyWord::AlignCentred:
            m_output->setParagraphAlignmentCentred();
            break;
        case BodyWord::AlignRight:
            m_output->setParagraphAlignmentRight();
            break;
        case BodyWord::FirstLineIndent:
            handled = hasParameter;
            if (handled)
                m_output->setFirstLineIndent(parameter);
            break;
        case BodyWord::LeftIndent:
            handled = hasParameter;
            if (handled)
                m_output->setLeftIndent(parameter);
            break;
        case BodyWord::RightIndent:
            handled = hasParameter;
            if (handled)
                m_output->setRightIndent(parameter);
            break;
        case BodyWord::SpaceBefore:
            m_output->setSpaceBefore(parameter);
            break;
        case BodyWord::SpaceAfter:
            m_output->setSpaceAfter(parameter);
            break;
        case BodyWord::LeftToRight:
            m_output->setTextDirectionLeftToRight();
            break;
        case BodyWord::RightToLeft:
            m_output->setTextDirectionRightToLeft();
            break;
        case BodyWord::Plain:
            m_output->resetCharacterProperties();
            break;
        case BodyWord::PaperHeight:
            m_output->setPageHeight(parameter);
            break;
        case BodyWord::PaperWidth:
            m_output->setPageWidth(parameter);
            break;
        case BodyWord::Strikeout:
            m_output->setFontStrikeout(!hasParameter || parameter != 0);
            break;
        case BodyWord::Unicode:
            // \uN is one UTF-16 code unit, written as a signed 16-bit number
            // by most writers; the fallback text that follows is dropped.
            handled = hasParameter;
            if (handled) {
                m_output->appendText(QString(QChar(char16_t(quint32(parameter) & 0xFFFF))));
                m_charactersToSkip = m_unicodeSkip;
            }
            break;
        case BodyWord::UnicodeSkip:
            handled = hasParameter;
            if (handled)
                m_unicodeSkip = parameter;
            break;
        case BodyWord::HexEscape:
            handled = hasParameter;
            if (handled)
                qCDebug(lcRtf) << "special character value:" << parameter;
            break;
        case BodyWord::Line:
            m_output->appendText(QStringLiteral("\n"));
            break;
        case BodyWord::IgnorableMark:
            break;
        case BodyWord::NoBreakSpace:
            m_output->appendText(QString(QChar(0x00A0)));
            break;
        case BodyWord::NonBreakingHyphen:
            m_output->appendText(QString(QChar(0x2011)));
            break;
        case BodyWord::SoftHyphen:
            m_output->appendText(QString(QChar(0x00AD)));
            break;
        }
    }
    if (!handled && lcRtf().isDebugEnabled()) {
        if (ControlWord::isDestination(QString::fromUtf8(controlWord)))
            qCDebug(lcRtf) << "unhandled *Destination* control word in DocumentDestination:" << controlWord;
        else
            qCDebug(lcRtf) << "unhandled control word in DocumentDestination:" << controlWord;
    }
}

void DocumentDestination::handlePlainText(const QByteArray &plainText)
{
    if (m_charactersToSkip <= 0) {
        m_output->appendText(plainText);
        return;
    }
    qCDebug(lcRtf) << "skipping" << m_charactersToSkip << "of" << plainText;
    if (m_charactersToSkip >= plainText.size()) {
        m_charactersToSkip -= plainText.size();
        return;
    }
    m_output->appendText(plainText.mid(m_charactersToSkip));
    m_charactersToSkip = 0;
}

void DocumentDestination::aboutToEndDestination()
{
}

} // namespace Tavisk
