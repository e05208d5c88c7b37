#include "documentdestination.h"

#include "controlword/controlword.h"
#include "reader/logging_p.h"
#include "unicodefallback_p.h"
#include "wordtable_p.h"

#include <tavisk/abstractrtfoutput.h>

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
    {"b", G::CharacterFormat, W::Bold},
    {"bullet", G::SpecialCharacter, W::Bullet},
    {"cbpat", G::ParagraphFormat, W::PatternBackgroundColour},
    {"cf", G::CharacterFormat, W::ForegroundColour},
    {"chatn", G::Structure, W::CommentReference},
    {"chftn", G::Structure, W::NoteReference},
    {"chpgn", G::Structure, W::PageNumber},
    {"deff", G::DocumentProperty, W::DefaultFont},
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
    {"ldblquote", G::SpecialCharacter, W::LeftDoubleQuote},
    {"li", G::ParagraphFormat, W::LeftIndent},
    {"line", G::SpecialCharacter, W::Line},
    {"lquote", G::SpecialCharacter, W::LeftQuote},
    {"ltrch", G::CharacterFormat, W::LeftToRight},
    {"paperh", G::DocumentProperty, W::PaperHeight},
    {"paperw", G::DocumentProperty, W::PaperWidth},
    {"par", G::SpecialCharacter, W::Par},
    {"pard", G::ParagraphFormat, W::ParagraphDefaults},
    {"plain", G::CharacterFormat, W::Plain},
    {"qc", G::ParagraphFormat, W::AlignCentred},
    {"qj", G::ParagraphFormat, W::AlignJustified},
    {"ql", G::ParagraphFormat, W::AlignLeft},
    {"qr", G::ParagraphFormat, W::AlignRight},
    {"rdblquote", G::SpecialCharacter, W::RightDoubleQuote},
    {"ri", G::ParagraphFormat, W::RightIndent},
    {"rquote", G::SpecialCharacter, W::RightQuote},
    {"rtlch", G::CharacterFormat, W::RightToLeft},
    {"sa", G::ParagraphFormat, W::SpaceAfter},
    {"sb", G::ParagraphFormat, W::SpaceBefore},
    {"strike", G::CharacterFormat, W::Strikeout},
    {"sub", G::CharacterFormat, W::Subscript},
    {"super", G::CharacterFormat, W::Superscript},
    {"tab", G::SpecialCharacter, W::Tab},
    {"titlepg", G::Structure, W::TitlePage},
    {"u", G::Unicode, W::Unicode},
    {"uc", G::Unicode, W::UnicodeSkip},
    {"ul", G::CharacterFormat, W::Underline},
    {"~", G::SpecialCharacter, W::NoBreakSpace},
};

static_assert(isSortedByName(bodyWords), "bodyWords must stay sorted by name");

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
    case W::ParagraphDefaults:
        output->resetParagraphFormat();
        return true;
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
inline bool handleUnicode(AbstractRtfOutput *output, UnicodeFallback fallback, BodyWord word, bool hasParameter,
                          int parameter)
{
    if (!hasParameter)
        return false;
    switch (word) {
    case W::Unicode:
        output->appendText(QString(UnicodeFallback::character(parameter)));
        fallback.startFallback();
        return true;
    case W::UnicodeSkip:
        fallback.setSkipCount(parameter);
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
    const BodyWordEntry *entry = findWord(bodyWords, controlWord);
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
            handled = handleUnicode(m_output, UnicodeFallback(m_charactersToSkip, m_unicodeSkip), entry->word,
                                    hasParameter, parameter);
            break;
        case G::DocumentProperty:
            handled = setDocumentProperty(m_output, entry->word, hasParameter, parameter);
            break;
        case G::Mark:
            handled = true;
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
    UnicodeFallback(m_charactersToSkip, m_unicodeSkip).takeText(plainText, [this](const QByteArray &text) {
        m_output->appendText(text);
    });
}

void DocumentDestination::aboutToEndDestination()
{
}

void DocumentDestination::setEnclosingDestination(Destination *enclosing)
{
    Destination::setEnclosingDestination(enclosing);
    // Text inside a nested destination is still the body's text: the
    // fallback length that \uc set outside goes on in it.
    if (const auto *body = dynamic_cast<const DocumentDestination *>(enclosing))
        m_unicodeSkip = body->m_unicodeSkip;
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
