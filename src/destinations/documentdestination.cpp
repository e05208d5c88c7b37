#include "documentdestination.h"

#include "controlword/controlword.h"
#include "reader/logging_p.h"
#include "unicodefallback_p.h"
#include "wordtable_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <climits>
#include <iterator>
#include <string_view>
#include <utility>

namespace Tavisk
{

namespace
{
// The body's words in groups of one kind each; every group has a handler of
// its own below.
enum class WordGroup : quint8 {
    SpecialCharacter, // inserts a character or a break
    CharacterFormat, // changes the formatting of the text that follows
    ParagraphFormat, // changes the formatting of the paragraph
    Unicode, // the Unicode escape and the hex escape
    DocumentProperty, // applies to the whole document
    Mark, // \*, handled by the parse loop
    // Character and paragraph formats, continued
    MoreCharacterFormat, // underline kinds, capitals, raised text, hidden text
    MoreParagraphFormat, // line spacing, tab stops, pagination, direction, style
    List, // the paragraph's place in a list
    Table, // table rows and cells, and sections
    CodePage, // the document's code page
    Structure, // note and comment marks, note numbering, header and footer layout
};

enum class BodyWord : quint8 {
    // SpecialCharacter
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
    Line,
    NoBreakSpace,
    NonBreakingHyphen,
    SoftHyphen,
    // CharacterFormat
    Plain,
    Italic,
    Bold,
    Underline,
    Strikeout,
    FontSize,
    Font,
    ForegroundColour,
    Highlight,
    Superscript,
    Subscript,
    LeftToRight,
    RightToLeft,
    // ParagraphFormat
    ParagraphDefaults,
    AlignLeft,
    AlignJustified,
    AlignCentred,
    AlignRight,
    FirstLineIndent,
    LeftIndent,
    RightIndent,
    SpaceBefore,
    SpaceAfter,
    PatternBackgroundColour,
    // Unicode
    Unicode,
    UnicodeSkip,
    HexEscape,
    // DocumentProperty
    DefaultFont,
    PaperHeight,
    PaperWidth,
    // Mark
    IgnorableMark,
    // MoreCharacterFormat
    UnderlineNone,
    UnderlineWords,
    UnderlineDouble,
    UnderlineThick,
    UnderlineDotted,
    UnderlineThickDotted,
    UnderlineDash,
    UnderlineThickDash,
    UnderlineLongDash,
    UnderlineThickLongDash,
    UnderlineDashDot,
    UnderlineThickDashDot,
    UnderlineDashDotDot,
    UnderlineThickDashDotDot,
    UnderlineWave,
    UnderlineHeavyWave,
    UnderlineDoubleWave,
    UnderlineHairline,
    UnderlineColour,
    DoubleStrikeout,
    AllCapitals,
    SmallCapitals,
    Raise,
    Lower,
    NoSuperSubscript,
    BackgroundColour,
    Hidden,
    // MoreParagraphFormat
    LineSpacing,
    LineSpacingMultiple,
    TabStop,
    BarTabStop,
    TabCentred,
    TabRight,
    TabDecimal,
    LeaderDots,
    LeaderMiddleDots,
    LeaderHyphens,
    LeaderUnderline,
    LeaderThickLine,
    LeaderEquals,
    KeepTogether,
    KeepWithNext,
    PageBreakBefore,
    PageBreak,
    ParagraphLeftToRight,
    ParagraphRightToLeft,
    ParagraphStyle,
    // List
    ListOverride,
    ListLevel,
    // Table
    InTable,
    NestingLevel,
    RowDefaults,
    RowGap,
    RowLeft,
    RowAlignLeft,
    RowAlignCentre,
    RowAlignRight,
    RowHeader,
    CellRightEdge,
    CellMergeFirst,
    CellMerge,
    CellVerticalMergeFirst,
    CellVerticalMerge,
    CellAlignTop,
    CellAlignCentre,
    CellAlignBottom,
    CellShading,
    CellBorderTop,
    CellBorderLeft,
    CellBorderBottom,
    CellBorderRight,
    OtherBorder, // a border of something other than a cell: paragraph, row, page
    BorderLine, // a line style: \brdrs, \brdrdb, ...
    BorderNone,
    BorderWidth,
    BorderColour,
    CellEnd,
    NestedCellEnd,
    RowEnd,
    NestedRowEnd,
    SectionEnd,
    SectionDefaults,
    SectionBreakNone,
    SectionBreakColumn,
    SectionBreakPage,
    SectionBreakEven,
    SectionBreakOdd,
    // CodePage
    AnsiCodePage,
    MacCharacterSet,
    PcCharacterSet,
    PcaCharacterSet,
    // Structure
    NoteReference,
    CommentReference,
    FootnoteArabic,
    FootnoteLowerAlpha,
    FootnoteUpperAlpha,
    FootnoteLowerRoman,
    FootnoteUpperRoman,
    FootnoteSymbols,
    EndnoteArabic,
    EndnoteLowerAlpha,
    EndnoteUpperAlpha,
    EndnoteLowerRoman,
    EndnoteUpperRoman,
    EndnoteSymbols,
    FootnoteStart,
    EndnoteStart,
    TitlePage,
    FacingPages,
    PageNumber,
};

struct BodyWordEntry {
    std::string_view name;
    WordGroup group;
    BodyWord word;
};

using G = WordGroup;
using W = BodyWord;

// Sorted by name (byte order) for the binary search of findWord().
constexpr BodyWordEntry bodyWords[] = {
    {"'", G::Unicode, W::HexEscape},
    {"*", G::Mark, W::IgnorableMark},
    {"-", G::SpecialCharacter, W::SoftHyphen},
    {"_", G::SpecialCharacter, W::NonBreakingHyphen},
    {"aftnnalc", G::Structure, W::EndnoteLowerAlpha},
    {"aftnnar", G::Structure, W::EndnoteArabic},
    {"aftnnauc", G::Structure, W::EndnoteUpperAlpha},
    {"aftnnchi", G::Structure, W::EndnoteSymbols},
    {"aftnnrlc", G::Structure, W::EndnoteLowerRoman},
    {"aftnnruc", G::Structure, W::EndnoteUpperRoman},
    {"aftnstart", G::Structure, W::EndnoteStart},
    {"ansicpg", G::CodePage, W::AnsiCodePage},
    {"b", G::CharacterFormat, W::Bold},
    {"box", G::Table, W::OtherBorder},
    {"brdrb", G::Table, W::OtherBorder},
    {"brdrbar", G::Table, W::OtherBorder},
    {"brdrbtw", G::Table, W::OtherBorder},
    {"brdrcf", G::Table, W::BorderColour},
    {"brdrdash", G::Table, W::BorderLine},
    {"brdrdashd", G::Table, W::BorderLine},
    {"brdrdashdd", G::Table, W::BorderLine},
    {"brdrdashdotstr", G::Table, W::BorderLine},
    {"brdrdashsm", G::Table, W::BorderLine},
    {"brdrdb", G::Table, W::BorderLine},
    {"brdrdot", G::Table, W::BorderLine},
    {"brdremboss", G::Table, W::BorderLine},
    {"brdrengrave", G::Table, W::BorderLine},
    {"brdrframe", G::Table, W::BorderLine},
    {"brdrhair", G::Table, W::BorderLine},
    {"brdrinset", G::Table, W::BorderLine},
    {"brdrl", G::Table, W::OtherBorder},
    {"brdrnil", G::Table, W::BorderNone},
    {"brdrnone", G::Table, W::BorderNone},
    {"brdroutset", G::Table, W::BorderLine},
    {"brdrr", G::Table, W::OtherBorder},
    {"brdrs", G::Table, W::BorderLine},
    {"brdrsh", G::Table, W::BorderLine},
    {"brdrt", G::Table, W::OtherBorder},
    {"brdrth", G::Table, W::BorderLine},
    {"brdrthtnsg", G::Table, W::BorderLine},
    {"brdrtnthsg", G::Table, W::BorderLine},
    {"brdrtriple", G::Table, W::BorderLine},
    {"brdrw", G::Table, W::BorderWidth},
    {"brdrwavy", G::Table, W::BorderLine},
    {"brdrwavydb", G::Table, W::BorderLine},
    {"bullet", G::SpecialCharacter, W::Bullet},
    {"caps", G::MoreCharacterFormat, W::AllCapitals},
    {"cb", G::MoreCharacterFormat, W::BackgroundColour},
    {"cbpat", G::ParagraphFormat, W::PatternBackgroundColour},
    {"cell", G::Table, W::CellEnd},
    {"cellx", G::Table, W::CellRightEdge},
    {"cf", G::CharacterFormat, W::ForegroundColour},
    {"chatn", G::Structure, W::CommentReference},
    {"chbrdr", G::Table, W::OtherBorder},
    {"chcbpat", G::MoreCharacterFormat, W::BackgroundColour},
    {"chftn", G::Structure, W::NoteReference},
    {"chpgn", G::Structure, W::PageNumber},
    {"clbrdrb", G::Table, W::CellBorderBottom},
    {"clbrdrl", G::Table, W::CellBorderLeft},
    {"clbrdrr", G::Table, W::CellBorderRight},
    {"clbrdrt", G::Table, W::CellBorderTop},
    {"clcbpat", G::Table, W::CellShading},
    {"clmgf", G::Table, W::CellMergeFirst},
    {"clmrg", G::Table, W::CellMerge},
    {"clvertalb", G::Table, W::CellAlignBottom},
    {"clvertalc", G::Table, W::CellAlignCentre},
    {"clvertalt", G::Table, W::CellAlignTop},
    {"clvmgf", G::Table, W::CellVerticalMergeFirst},
    {"clvmrg", G::Table, W::CellVerticalMerge},
    {"deff", G::DocumentProperty, W::DefaultFont},
    {"dn", G::MoreCharacterFormat, W::Lower},
    {"emdash", G::SpecialCharacter, W::EmDash},
    {"emspace", G::SpecialCharacter, W::EmSpace},
    {"endash", G::SpecialCharacter, W::EnDash},
    {"enspace", G::SpecialCharacter, W::EnSpace},
    {"f", G::CharacterFormat, W::Font},
    {"facingp", G::Structure, W::FacingPages},
    {"fi", G::ParagraphFormat, W::FirstLineIndent},
    {"fs", G::CharacterFormat, W::FontSize},
    {"ftnnalc", G::Structure, W::FootnoteLowerAlpha},
    {"ftnnar", G::Structure, W::FootnoteArabic},
    {"ftnnauc", G::Structure, W::FootnoteUpperAlpha},
    {"ftnnchi", G::Structure, W::FootnoteSymbols},
    {"ftnnrlc", G::Structure, W::FootnoteLowerRoman},
    {"ftnnruc", G::Structure, W::FootnoteUpperRoman},
    {"ftnstart", G::Structure, W::FootnoteStart},
    {"highlight", G::CharacterFormat, W::Highlight},
    {"i", G::CharacterFormat, W::Italic},
    {"ilvl", G::List, W::ListLevel},
    {"intbl", G::Table, W::InTable},
    {"itap", G::Table, W::NestingLevel},
    {"keep", G::MoreParagraphFormat, W::KeepTogether},
    {"keepn", G::MoreParagraphFormat, W::KeepWithNext},
    {"ldblquote", G::SpecialCharacter, W::LeftDoubleQuote},
    {"li", G::ParagraphFormat, W::LeftIndent},
    {"line", G::SpecialCharacter, W::Line},
    {"lquote", G::SpecialCharacter, W::LeftQuote},
    {"ls", G::List, W::ListOverride},
    {"ltrch", G::CharacterFormat, W::LeftToRight},
    {"ltrpar", G::MoreParagraphFormat, W::ParagraphLeftToRight},
    {"mac", G::CodePage, W::MacCharacterSet},
    {"nestcell", G::Table, W::NestedCellEnd},
    {"nestrow", G::Table, W::NestedRowEnd},
    {"nosupersub", G::MoreCharacterFormat, W::NoSuperSubscript},
    {"page", G::MoreParagraphFormat, W::PageBreak},
    {"pagebb", G::MoreParagraphFormat, W::PageBreakBefore},
    {"paperh", G::DocumentProperty, W::PaperHeight},
    {"paperw", G::DocumentProperty, W::PaperWidth},
    {"par", G::SpecialCharacter, W::Par},
    {"pard", G::MoreParagraphFormat, W::ParagraphDefaults},
    {"pc", G::CodePage, W::PcCharacterSet},
    {"pca", G::CodePage, W::PcaCharacterSet},
    {"pgbrdrb", G::Table, W::OtherBorder},
    {"pgbrdrl", G::Table, W::OtherBorder},
    {"pgbrdrr", G::Table, W::OtherBorder},
    {"pgbrdrt", G::Table, W::OtherBorder},
    {"plain", G::CharacterFormat, W::Plain},
    {"qc", G::ParagraphFormat, W::AlignCentred},
    {"qj", G::ParagraphFormat, W::AlignJustified},
    {"ql", G::ParagraphFormat, W::AlignLeft},
    {"qr", G::ParagraphFormat, W::AlignRight},
    {"rdblquote", G::SpecialCharacter, W::RightDoubleQuote},
    {"ri", G::ParagraphFormat, W::RightIndent},
    {"row", G::Table, W::RowEnd},
    {"rquote", G::SpecialCharacter, W::RightQuote},
    {"rtlch", G::CharacterFormat, W::RightToLeft},
    {"rtlpar", G::MoreParagraphFormat, W::ParagraphRightToLeft},
    {"s", G::MoreParagraphFormat, W::ParagraphStyle},
    {"sa", G::ParagraphFormat, W::SpaceAfter},
    {"sb", G::ParagraphFormat, W::SpaceBefore},
    {"sbkcol", G::Table, W::SectionBreakColumn},
    {"sbkeven", G::Table, W::SectionBreakEven},
    {"sbknone", G::Table, W::SectionBreakNone},
    {"sbkodd", G::Table, W::SectionBreakOdd},
    {"sbkpage", G::Table, W::SectionBreakPage},
    {"scaps", G::MoreCharacterFormat, W::SmallCapitals},
    {"sect", G::Table, W::SectionEnd},
    {"sectd", G::Table, W::SectionDefaults},
    {"sl", G::MoreParagraphFormat, W::LineSpacing},
    {"slmult", G::MoreParagraphFormat, W::LineSpacingMultiple},
    {"strike", G::CharacterFormat, W::Strikeout},
    {"striked", G::MoreCharacterFormat, W::DoubleStrikeout},
    {"sub", G::CharacterFormat, W::Subscript},
    {"super", G::CharacterFormat, W::Superscript},
    {"tab", G::SpecialCharacter, W::Tab},
    {"tb", G::MoreParagraphFormat, W::BarTabStop},
    {"titlepg", G::Structure, W::TitlePage},
    {"tldot", G::MoreParagraphFormat, W::LeaderDots},
    {"tleq", G::MoreParagraphFormat, W::LeaderEquals},
    {"tlhyph", G::MoreParagraphFormat, W::LeaderHyphens},
    {"tlmdot", G::MoreParagraphFormat, W::LeaderMiddleDots},
    {"tlth", G::MoreParagraphFormat, W::LeaderThickLine},
    {"tlul", G::MoreParagraphFormat, W::LeaderUnderline},
    {"tqc", G::MoreParagraphFormat, W::TabCentred},
    {"tqdec", G::MoreParagraphFormat, W::TabDecimal},
    {"tqr", G::MoreParagraphFormat, W::TabRight},
    {"trbrdrb", G::Table, W::OtherBorder},
    {"trbrdrh", G::Table, W::OtherBorder},
    {"trbrdrl", G::Table, W::OtherBorder},
    {"trbrdrr", G::Table, W::OtherBorder},
    {"trbrdrt", G::Table, W::OtherBorder},
    {"trbrdrv", G::Table, W::OtherBorder},
    {"trgaph", G::Table, W::RowGap},
    {"trhdr", G::Table, W::RowHeader},
    {"trleft", G::Table, W::RowLeft},
    {"trowd", G::Table, W::RowDefaults},
    {"trqc", G::Table, W::RowAlignCentre},
    {"trql", G::Table, W::RowAlignLeft},
    {"trqr", G::Table, W::RowAlignRight},
    {"tx", G::MoreParagraphFormat, W::TabStop},
    {"u", G::Unicode, W::Unicode},
    {"uc", G::Unicode, W::UnicodeSkip},
    {"ul", G::CharacterFormat, W::Underline},
    {"ulc", G::MoreCharacterFormat, W::UnderlineColour},
    {"uld", G::MoreCharacterFormat, W::UnderlineDotted},
    {"uldash", G::MoreCharacterFormat, W::UnderlineDash},
    {"uldashd", G::MoreCharacterFormat, W::UnderlineDashDot},
    {"uldashdd", G::MoreCharacterFormat, W::UnderlineDashDotDot},
    {"uldb", G::MoreCharacterFormat, W::UnderlineDouble},
    {"ulhair", G::MoreCharacterFormat, W::UnderlineHairline},
    {"ulhwave", G::MoreCharacterFormat, W::UnderlineHeavyWave},
    {"ulldash", G::MoreCharacterFormat, W::UnderlineLongDash},
    {"ulnone", G::MoreCharacterFormat, W::UnderlineNone},
    {"ulth", G::MoreCharacterFormat, W::UnderlineThick},
    {"ulthd", G::MoreCharacterFormat, W::UnderlineThickDotted},
    {"ulthdash", G::MoreCharacterFormat, W::UnderlineThickDash},
    {"ulthdashd", G::MoreCharacterFormat, W::UnderlineThickDashDot},
    {"ulthdashdd", G::MoreCharacterFormat, W::UnderlineThickDashDotDot},
    {"ulthldash", G::MoreCharacterFormat, W::UnderlineThickLongDash},
    {"ululdbwave", G::MoreCharacterFormat, W::UnderlineDoubleWave},
    {"ulw", G::MoreCharacterFormat, W::UnderlineWords},
    {"ulwave", G::MoreCharacterFormat, W::UnderlineWave},
    {"up", G::MoreCharacterFormat, W::Raise},
    {"v", G::MoreCharacterFormat, W::Hidden},
    {"~", G::SpecialCharacter, W::NoBreakSpace},
};

static_assert(isSortedByName(bodyWords), "bodyWords must stay sorted by name");

// Every control word of the body is looked up here, and the table is large.
constexpr WordHashIndex<BodyWordEntry, std::size(bodyWords)> bodyWordIndex(bodyWords);
static_assert(bodyWordIndex.findsEveryEntry());

// The handlers return whether they carried the word out; a word whose
// parameter is missing where one is needed is left to the caller's
// unhandled-word message.

// \b, \i and \ul: on without a parameter, otherwise off only for 0.
inline int toggleValue(bool hasParameter, int parameter)
{
    return (!hasParameter || parameter != 0) ? 1 : 0;
}

inline bool insertSpecialCharacter(AbstractRtfOutput *output, BodyWord word)
{
    switch (word) {
    case W::Par:
        output->insertPar();
        return true;
    case W::Tab:
        output->insertTab();
        return true;
    case W::LeftQuote:
        output->insertLeftQuote();
        return true;
    case W::RightQuote:
        output->insertRightQuote();
        return true;
    case W::LeftDoubleQuote:
        output->insertLeftDoubleQuote();
        return true;
    case W::RightDoubleQuote:
        output->insertRightDoubleQuote();
        return true;
    case W::EnDash:
        output->insertEnDash();
        return true;
    case W::EmDash:
        output->insertEmDash();
        return true;
    case W::EnSpace:
        output->insertEnSpace();
        return true;
    case W::EmSpace:
        output->insertEmSpace();
        return true;
    case W::Bullet:
        output->insertBullet();
        return true;
    case W::Line:
        output->appendText(QStringLiteral("\n"));
        return true;
    case W::NoBreakSpace:
        output->appendText(QString(QChar(0x00A0)));
        return true;
    case W::NonBreakingHyphen:
        output->appendText(QString(QChar(0x2011)));
        return true;
    case W::SoftHyphen:
        output->appendText(QString(QChar(0x00AD)));
        return true;
    default:
        return false;
    }
}

inline bool setCharacterFormat(AbstractRtfOutput *output, BodyWord word, bool hasParameter, int parameter)
{
    switch (word) {
    case W::Plain:
        output->resetCharacterProperties();
        return true;
    case W::Italic:
        output->setFontItalic(toggleValue(hasParameter, parameter));
        return true;
    case W::Bold:
        output->setFontBold(toggleValue(hasParameter, parameter));
        return true;
    case W::Underline:
        output->setFontUnderline(toggleValue(hasParameter, parameter));
        return true;
    case W::Strikeout:
        output->setFontStrikeout(!hasParameter || parameter != 0);
        return true;
    case W::FontSize:
        // \fs gives half-points; no size (or 0) means the 12 point default.
        output->setFontPointSize((hasParameter && parameter != 0) ? int(parameter * 0.5) : 12);
        return true;
    case W::Font:
        output->setFont(parameter);
        return true;
    case W::ForegroundColour:
        output->setForegroundColour(parameter);
        return true;
    case W::Highlight:
        output->setHighlightColour(parameter);
        return true;
    case W::Superscript:
        output->setFontSuperscript();
        return true;
    case W::Subscript:
        output->setFontSubscript();
        return true;
    case W::LeftToRight:
        output->setTextDirectionLeftToRight();
        return true;
    case W::RightToLeft:
        output->setTextDirectionRightToLeft();
        return true;
    default:
        return false;
    }
}

inline bool setParagraphFormat(AbstractRtfOutput *output, BodyWord word, bool hasParameter, int parameter)
{
    switch (word) {
    case W::AlignLeft:
        output->setParagraphAlignmentLeft();
        return true;
    case W::AlignJustified:
        output->setParagraphAlignmentJustified();
        return true;
    case W::AlignCentred:
        output->setParagraphAlignmentCentred();
        return true;
    case W::AlignRight:
        output->setParagraphAlignmentRight();
        return true;
    // The indents keep the current value when the word gives none.
    case W::FirstLineIndent:
        if (hasParameter)
            output->setFirstLineIndent(parameter);
        return hasParameter;
    case W::LeftIndent:
        if (hasParameter)
            output->setLeftIndent(parameter);
        return hasParameter;
    case W::RightIndent:
        if (hasParameter)
            output->setRightIndent(parameter);
        return hasParameter;
    case W::SpaceBefore:
        output->setSpaceBefore(parameter);
        return true;
    case W::SpaceAfter:
        output->setSpaceAfter(parameter);
        return true;
    case W::PatternBackgroundColour:
        output->setParagraphPatternBackgroundColour(parameter);
        return true;
    default:
        return false;
    }
}

// \u, \uc and \' need their parameter.
inline bool handleUnicode(AbstractRtfOutput *output, UnicodeCharacters characters, BodyWord word, bool hasParameter,
                          int parameter)
{
    if (!hasParameter)
        return false;
    switch (word) {
    case W::Unicode: {
        const QString text = characters.take(parameter);
        if (!text.isEmpty())
            output->appendText(text);
        return true;
    }
    case W::UnicodeSkip:
        // The parse loop keeps the fallback length with the group.
        return true;
    case W::HexEscape:
        qCDebug(lcRtf) << "special character value:" << parameter;
        return true;
    default:
        return false;
    }
}

inline bool setDocumentProperty(AbstractRtfOutput *output, BodyWord word, bool hasParameter, int parameter)
{
    switch (word) {
    case W::DefaultFont:
        if (hasParameter)
            output->setDefaultFont(parameter);
        return hasParameter;
    case W::PaperHeight:
        output->setPageHeight(parameter);
        return true;
    case W::PaperWidth:
        output->setPageWidth(parameter);
        return true;
    default:
        return false;
    }
}

// Character and paragraph formats, continued

using UnderlineStyle = AbstractRtfOutput::UnderlineStyle;
using TabAlignment = AbstractRtfOutput::TabAlignment;
using TabLeader = AbstractRtfOutput::TabLeader;

inline bool toggleOn(bool hasParameter, int parameter)
{
    return !hasParameter || parameter != 0;
}

// The underline words after \ul, in the order of BodyWord.
constexpr UnderlineStyle underlineStyles[] = {
    UnderlineStyle::None,       UnderlineStyle::Words,         UnderlineStyle::Double,
    UnderlineStyle::Thick,      UnderlineStyle::Dotted,        UnderlineStyle::ThickDotted,
    UnderlineStyle::Dash,       UnderlineStyle::ThickDash,     UnderlineStyle::LongDash,
    UnderlineStyle::ThickLongDash, UnderlineStyle::DashDot,    UnderlineStyle::ThickDashDot,
    UnderlineStyle::DashDotDot, UnderlineStyle::ThickDashDotDot, UnderlineStyle::Wave,
    UnderlineStyle::HeavyWave,  UnderlineStyle::DoubleWave,    UnderlineStyle::Hairline,
};
static_assert(std::size_t(int(W::UnderlineHairline) - int(W::UnderlineNone) + 1) == std::size(underlineStyles),
              "one underline style for each underline word");

inline bool setMoreCharacterFormat(AbstractRtfOutput *output, BodyWord word, bool hasParameter, int parameter)
{
    switch (word) {
    case W::UnderlineNone:
        output->setFontUnderline(0);
        return true;
    case W::UnderlineWords:
    case W::UnderlineDouble:
    case W::UnderlineThick:
    case W::UnderlineDotted:
    case W::UnderlineThickDotted:
    case W::UnderlineDash:
    case W::UnderlineThickDash:
    case W::UnderlineLongDash:
    case W::UnderlineThickLongDash:
    case W::UnderlineDashDot:
    case W::UnderlineThickDashDot:
    case W::UnderlineDashDotDot:
    case W::UnderlineThickDashDotDot:
    case W::UnderlineWave:
    case W::UnderlineHeavyWave:
    case W::UnderlineDoubleWave:
    case W::UnderlineHairline:
        // Each kind is a toggle: \uldb0 ends the underline like \ulnone.
        output->setFontUnderlineStyle(toggleOn(hasParameter, parameter)
                                          ? underlineStyles[int(word) - int(W::UnderlineNone)]
                                          : UnderlineStyle::None);
        return true;
    case W::UnderlineColour:
        output->setUnderlineColour(parameter);
        return true;
    case W::DoubleStrikeout:
        output->setFontStrikeout(toggleOn(hasParameter, parameter));
        return true;
    case W::AllCapitals:
        output->setFontAllCapitals(toggleOn(hasParameter, parameter));
        return true;
    case W::SmallCapitals:
        output->setFontSmallCapitals(toggleOn(hasParameter, parameter));
        return true;
    // \up and \dn without a number move by 3 points.
    case W::Raise:
        output->setFontBaselineShift(hasParameter ? parameter : 6);
        return true;
    case W::Lower:
        // Written so that \dn-2147483648 cannot overflow.
        output->setFontBaselineShift(hasParameter ? (parameter == INT_MIN ? INT_MAX : -parameter) : -6);
        return true;
    case W::NoSuperSubscript:
        output->setFontNormalScript();
        return true;
    case W::BackgroundColour:
        // Shading behind the text (\chcbpat, and \cb of older writers):
        // shown like a highlight.
        output->setHighlightColour(parameter);
        return true;
    case W::Hidden:
        output->setFontHidden(toggleOn(hasParameter, parameter));
        return true;
    default:
        return false;
    }
}

using ParagraphWords = DocumentDestination::ParagraphWords;

inline bool setMoreParagraphFormat(AbstractRtfOutput *output, ParagraphWords &state, BodyWord word,
                                   bool hasParameter, int parameter)
{
    switch (word) {
    case W::ParagraphDefaults:
        state = ParagraphWords();
        output->resetParagraphFormat();
        return true;
    case W::LineSpacing:
        state.lineSpacing = parameter;
        output->setLineSpacing(state.lineSpacing, state.lineSpacingMultiple);
        return true;
    case W::LineSpacingMultiple:
        state.lineSpacingMultiple = hasParameter && parameter != 0;
        output->setLineSpacing(state.lineSpacing, state.lineSpacingMultiple);
        return true;
    case W::TabStop:
        if (hasParameter)
            output->addTabStop(parameter, state.tabAlignment, state.tabLeader);
        // The alignment and leader belong to this stop only.
        state.tabAlignment = TabAlignment::Left;
        state.tabLeader = TabLeader::None;
        return hasParameter;
    case W::BarTabStop:
        // A vertical bar drawn through the paragraph, not a stop the text
        // moves to.
        state.tabAlignment = TabAlignment::Left;
        state.tabLeader = TabLeader::None;
        return true;
    case W::TabCentred:
        state.tabAlignment = TabAlignment::Centre;
        return true;
    case W::TabRight:
        state.tabAlignment = TabAlignment::Right;
        return true;
    case W::TabDecimal:
        state.tabAlignment = TabAlignment::Decimal;
        return true;
    case W::LeaderDots:
        state.tabLeader = TabLeader::Dots;
        return true;
    case W::LeaderMiddleDots:
        state.tabLeader = TabLeader::MiddleDots;
        return true;
    case W::LeaderHyphens:
        state.tabLeader = TabLeader::Hyphens;
        return true;
    case W::LeaderUnderline:
        state.tabLeader = TabLeader::Underline;
        return true;
    case W::LeaderThickLine:
        state.tabLeader = TabLeader::ThickLine;
        return true;
    case W::LeaderEquals:
        state.tabLeader = TabLeader::Equals;
        return true;
    case W::KeepTogether:
        output->setKeepTogether(toggleOn(hasParameter, parameter));
        return true;
    case W::KeepWithNext:
        output->setKeepWithNext(toggleOn(hasParameter, parameter));
        return true;
    case W::PageBreakBefore:
        output->setPageBreakBefore(toggleOn(hasParameter, parameter));
        return true;
    case W::PageBreak:
        output->insertPageBreak();
        return true;
    case W::ParagraphLeftToRight:
        output->setParagraphDirectionLeftToRight();
        return true;
    case W::ParagraphRightToLeft:
        output->setParagraphDirectionRightToLeft();
        return true;
    case W::ParagraphStyle:
        // \s alone is style 0, the normal style.
        output->setParagraphStyle(parameter);
        return true;
    default:
        return false;
    }
}

// \ls and \ilvl need their number.
inline bool setParagraphList(AbstractRtfOutput *output, BodyWord word, bool hasParameter, int parameter)
{
    if (!hasParameter)
        return false;
    switch (word) {
    case W::ListOverride:
        output->setParagraphListOverride(parameter);
        return true;
    case W::ListLevel:
        output->setParagraphListLevel(parameter);
        return true;
    default:
        return false;
    }
}

// The borders of a table cell, by the number m_tableBorderSide keeps.
TableCellBorder *cellBorder(TableCellDefinition &cell, quint8 side)
{
    switch (side) {
    case 1:
        return &cell.topBorder;
    case 2:
        return &cell.leftBorder;
    case 3:
        return &cell.bottomBorder;
    case 4:
        return &cell.rightBorder;
    default:
        return nullptr;
    }
}

// Table rows and cells, and sections. The words of a row definition are
// gathered into @p row and @p cell: the row properties reach the output with
// each change, a cell's properties with its \cellx. The \brdr... words
// describe the border named last (@p borderSide), which is a cell's only
// after \clbrdrt/l/b/r.
inline bool handleTableWord(AbstractRtfOutput *output, TableRowFormat &row, TableCellDefinition &cell,
                            quint8 &borderSide, BodyWord word, bool hasParameter, int parameter)
{
    switch (word) {
    case W::InTable:
        output->setParagraphTableLevel(1);
        return true;
    case W::NestingLevel:
        if (hasParameter)
            output->setParagraphTableLevel(parameter);
        return hasParameter;
    case W::RowDefaults:
        row = TableRowFormat();
        cell = TableCellDefinition();
        borderSide = 0;
        output->beginTableRowDefinition();
        return true;
    case W::RowGap:
        row.gapTwips = parameter;
        break;
    case W::RowLeft:
        row.leftTwips = parameter;
        break;
    case W::RowAlignLeft:
        row.alignment = TableRowFormat::Alignment::Left;
        break;
    case W::RowAlignCentre:
        row.alignment = TableRowFormat::Alignment::Centre;
        break;
    case W::RowAlignRight:
        row.alignment = TableRowFormat::Alignment::Right;
        break;
    case W::RowHeader:
        row.header = !hasParameter || parameter != 0;
        break;
    case W::CellRightEdge:
        cell.rightEdgeTwips = parameter;
        output->appendTableCellDefinition(cell);
        cell = TableCellDefinition();
        borderSide = 0;
        return true;
    case W::CellMergeFirst:
        cell.horizontalMerge = TableCellDefinition::Merge::First;
        return true;
    case W::CellMerge:
        cell.horizontalMerge = TableCellDefinition::Merge::Continue;
        return true;
    case W::CellVerticalMergeFirst:
        cell.verticalMerge = TableCellDefinition::Merge::First;
        return true;
    case W::CellVerticalMerge:
        cell.verticalMerge = TableCellDefinition::Merge::Continue;
        return true;
    case W::CellAlignTop:
        cell.verticalAlignment = TableCellDefinition::VerticalAlignment::Top;
        return true;
    case W::CellAlignCentre:
        cell.verticalAlignment = TableCellDefinition::VerticalAlignment::Centre;
        return true;
    case W::CellAlignBottom:
        cell.verticalAlignment = TableCellDefinition::VerticalAlignment::Bottom;
        return true;
    case W::CellShading:
        cell.shadingColourIndex = parameter;
        return true;
    case W::CellBorderTop:
        borderSide = 1;
        return true;
    case W::CellBorderLeft:
        borderSide = 2;
        return true;
    case W::CellBorderBottom:
        borderSide = 3;
        return true;
    case W::CellBorderRight:
        borderSide = 4;
        return true;
    case W::OtherBorder:
        borderSide = 0;
        return true;
    case W::BorderLine:
    case W::BorderNone:
    case W::BorderWidth:
    case W::BorderColour:
        if (TableCellBorder *border = cellBorder(cell, borderSide)) {
            if (word == W::BorderLine)
                border->visible = true;
            else if (word == W::BorderNone)
                border->visible = false;
            else if (word == W::BorderWidth)
                border->widthTwips = parameter;
            else
                border->colourIndex = parameter;
        }
        return true;
    case W::CellEnd:
        output->endTableCell(false);
        return true;
    case W::NestedCellEnd:
        output->endTableCell(true);
        return true;
    case W::RowEnd:
        output->endTableRow(false);
        return true;
    case W::NestedRowEnd:
        output->endTableRow(true);
        return true;
    case W::SectionEnd:
        output->insertSectionBreak();
        return true;
    case W::SectionDefaults:
        output->resetSectionFormat();
        return true;
    case W::SectionBreakNone:
        output->setSectionBreak(SectionBreak::Continuous);
        return true;
    case W::SectionBreakColumn:
        output->setSectionBreak(SectionBreak::Column);
        return true;
    case W::SectionBreakPage:
        output->setSectionBreak(SectionBreak::Page);
        return true;
    case W::SectionBreakEven:
        output->setSectionBreak(SectionBreak::EvenPage);
        return true;
    case W::SectionBreakOdd:
        output->setSectionBreak(SectionBreak::OddPage);
        return true;
    default:
        return false;
    }
    // The row properties.
    output->setTableRowFormat(row);
    return true;
}

// \ansicpgN names the code page; \mac, \pc and \pca name the character
// set, which stands for Mac Roman, IBM 437 and IBM 850.
inline bool setCodePage(AbstractRtfOutput *output, BodyWord word, bool hasParameter, int parameter)
{
    switch (word) {
    case W::AnsiCodePage:
        if (hasParameter)
            output->setDocumentCodePage(parameter);
        return hasParameter;
    case W::MacCharacterSet:
        output->setDocumentCodePage(10000);
        return true;
    case W::PcCharacterSet:
        output->setDocumentCodePage(437);
        return true;
    case W::PcaCharacterSet:
        output->setDocumentCodePage(850);
        return true;
    default:
        return false;
    }
}

inline bool handleStructure(AbstractRtfOutput *output, BodyWord word, bool hasParameter, int parameter)
{
    using Numbering = AbstractRtfOutput::NoteNumbering;
    switch (word) {
    case W::NoteReference:
        output->insertNoteReferenceMark();
        return true;
    case W::CommentReference:
        // The comment's mark; the comment itself follows in its group.
        return true;
    case W::FootnoteArabic:
        output->setNoteNumbering(false, Numbering::Arabic);
        return true;
    case W::FootnoteLowerAlpha:
        output->setNoteNumbering(false, Numbering::LowerAlpha);
        return true;
    case W::FootnoteUpperAlpha:
        output->setNoteNumbering(false, Numbering::UpperAlpha);
        return true;
    case W::FootnoteLowerRoman:
        output->setNoteNumbering(false, Numbering::LowerRoman);
        return true;
    case W::FootnoteUpperRoman:
        output->setNoteNumbering(false, Numbering::UpperRoman);
        return true;
    case W::FootnoteSymbols:
        output->setNoteNumbering(false, Numbering::Symbols);
        return true;
    case W::EndnoteArabic:
        output->setNoteNumbering(true, Numbering::Arabic);
        return true;
    case W::EndnoteLowerAlpha:
        output->setNoteNumbering(true, Numbering::LowerAlpha);
        return true;
    case W::EndnoteUpperAlpha:
        output->setNoteNumbering(true, Numbering::UpperAlpha);
        return true;
    case W::EndnoteLowerRoman:
        output->setNoteNumbering(true, Numbering::LowerRoman);
        return true;
    case W::EndnoteUpperRoman:
        output->setNoteNumbering(true, Numbering::UpperRoman);
        return true;
    case W::EndnoteSymbols:
        output->setNoteNumbering(true, Numbering::Symbols);
        return true;
    case W::FootnoteStart:
    case W::EndnoteStart:
        if (hasParameter)
            output->setNoteStartNumber(word == W::EndnoteStart, parameter);
        return hasParameter;
    case W::TitlePage:
        output->setTitlePage(!hasParameter || parameter != 0);
        return true;
    case W::FacingPages:
        output->setFacingPages(!hasParameter || parameter != 0);
        return true;
    case W::PageNumber:
        // The current page number, written as a field without result.
        output->beginField(QStringLiteral("PAGE"));
        output->endField();
        return true;
    default:
        return false;
    }
}

void reportUnhandled(const QByteArray &controlWord)
{
    if (!lcRtf().isDebugEnabled())
        return;
    if (ControlWord::isDestination(QString::fromUtf8(controlWord)))
        qCDebug(lcRtf) << "unhandled *Destination* control word in DocumentDestination:" << controlWord;
    else
        qCDebug(lcRtf) << "unhandled control word in DocumentDestination:" << controlWord;
}
} // namespace

DocumentDestination::DocumentDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

void DocumentDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    const BodyWordEntry *entry = findWord(bodyWordIndex, controlWord);
    // A high surrogate of a \u followed by anything but another \u.
    if (m_highSurrogate != 0 && !(entry && entry->word == W::Unicode && hasParameter))
        m_output->appendText(UnicodeCharacters(m_highSurrogate).interrupt());
    bool handled = false;
    if (entry) {
        switch (entry->group) {
        case G::SpecialCharacter:
            handled = insertSpecialCharacter(m_output, entry->word);
            break;
        case G::CharacterFormat:
            handled = setCharacterFormat(m_output, entry->word, hasParameter, parameter);
            break;
        case G::ParagraphFormat:
            handled = setParagraphFormat(m_output, entry->word, hasParameter, parameter);
            break;
        case G::Unicode:
            handled = handleUnicode(m_output, UnicodeCharacters(m_highSurrogate), entry->word, hasParameter, parameter);
            break;
        case G::DocumentProperty:
            handled = setDocumentProperty(m_output, entry->word, hasParameter, parameter);
            break;
        case G::Mark:
            handled = true;
            break;
        case G::MoreCharacterFormat:
            handled = setMoreCharacterFormat(m_output, entry->word, hasParameter, parameter);
            break;
        case G::MoreParagraphFormat:
            handled = setMoreParagraphFormat(m_output, m_paragraphWords, entry->word, hasParameter, parameter);
            break;
        case G::List:
            handled = setParagraphList(m_output, entry->word, hasParameter, parameter);
            break;
        case G::Table:
            handled = handleTableWord(m_output, m_tableRowFormat, m_tableCell, m_tableBorderSide, entry->word,
                                      hasParameter, parameter);
            break;
        case G::CodePage:
            handled = setCodePage(m_output, entry->word, hasParameter, parameter);
            break;
        case G::Structure:
            handled = handleStructure(m_output, entry->word, hasParameter, parameter);
            break;
        }
    }
    if (!handled)
        reportUnhandled(controlWord);
}

void DocumentDestination::handlePlainText(const QByteArray &plainText)
{
    if (m_highSurrogate != 0)
        m_output->appendText(UnicodeCharacters(m_highSurrogate).interrupt());
    m_output->appendText(plainText);
}

void DocumentDestination::aboutToEndDestination()
{
    if (m_highSurrogate != 0)
        m_output->appendText(UnicodeCharacters(m_highSurrogate).interrupt());
}

void DocumentDestination::setCommentAuthor(const QString &author)
{
    m_commentAuthor = author;
}

void DocumentDestination::setCommentInitials(const QString &initials)
{
    m_commentInitials = initials;
}

QString DocumentDestination::takeCommentAuthor()
{
    return std::exchange(m_commentAuthor, QString());
}

QString DocumentDestination::takeCommentInitials()
{
    return std::exchange(m_commentInitials, QString());
}

} // namespace Tavisk
