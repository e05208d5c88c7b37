#include "textdocumentformats_p.h"

#include "textdocumentrtfoutput_p.h"

#include <tavisk/textdocumentrtfoutput.h>

#include "reader/logging_p.h"

#include <QFont>
#include <QTextCursor>
#include <QTextOption>

#include <algorithm>

namespace Tavisk
{

namespace
{
using UnderlineStyle = AbstractRtfOutput::UnderlineStyle;
using TabAlignment = AbstractRtfOutput::TabAlignment;

// Word's limits for line spacing: 1584 points, or 132 lines.
constexpr int MaximumLineSpacingTwips = 1584 * 20;
constexpr int MaximumLineSpacingMultiple = 132 * 240;

// Qt draws underlines single, dashed, dotted or wavy, always thin: a double
// or thick line is drawn single, and an underline of words only goes under
// the spaces too.
QTextCharFormat::UnderlineStyle qtUnderlineStyle(UnderlineStyle style)
{
    switch (style) {
    case UnderlineStyle::None:
        return QTextCharFormat::NoUnderline;
    case UnderlineStyle::Single:
    case UnderlineStyle::Hairline:
    case UnderlineStyle::Words:
    case UnderlineStyle::Double:
    case UnderlineStyle::Thick:
        return QTextCharFormat::SingleUnderline;
    case UnderlineStyle::Dotted:
    case UnderlineStyle::ThickDotted:
        return QTextCharFormat::DotLine;
    case UnderlineStyle::Dash:
    case UnderlineStyle::ThickDash:
    case UnderlineStyle::LongDash:
    case UnderlineStyle::ThickLongDash:
        return QTextCharFormat::DashUnderline;
    case UnderlineStyle::DashDot:
    case UnderlineStyle::ThickDashDot:
        return QTextCharFormat::DashDotLine;
    case UnderlineStyle::DashDotDot:
    case UnderlineStyle::ThickDashDotDot:
        return QTextCharFormat::DashDotDotLine;
    case UnderlineStyle::Wave:
    case UnderlineStyle::HeavyWave:
    case UnderlineStyle::DoubleWave:
        return QTextCharFormat::WaveUnderline;
    }
    return QTextCharFormat::SingleUnderline;
}

QTextOption::TabType qtTabType(TabAlignment alignment)
{
    switch (alignment) {
    case TabAlignment::Left:
        return QTextOption::LeftTab;
    case TabAlignment::Centre:
        return QTextOption::CenterTab;
    case TabAlignment::Right:
        return QTextOption::RightTab;
    case TabAlignment::Decimal:
        return QTextOption::DelimiterTab;
    }
    return QTextOption::LeftTab;
}

// Every character property that an RTF word sets; \plain clears them all.
constexpr int characterProperties[] = {
    QTextFormat::FontFamilies,        QTextFormat::FontPointSize,       QTextFormat::FontWeight,
    QTextFormat::FontItalic,          QTextFormat::FontUnderline,       QTextFormat::TextUnderlineStyle,
    QTextFormat::FontStrikeOut,       QTextFormat::FontCapitalization,  QTextFormat::TextVerticalAlignment,
    QTextFormat::TextBaselineOffset,  QTextFormat::LayoutDirection,     QTextFormat::ForegroundBrush,
    QTextFormat::BackgroundBrush,     QTextFormat::TextUnderlineColor,
    TextDocumentRtfOutputPrivate::fontFamilyKeyProperty,
};

// The paragraph properties \pard clears here; alignment and indents are set
// to their defaults by the caller.
constexpr int paragraphProperties[] = {
    QTextFormat::BlockTopMargin, QTextFormat::BlockBottomMargin, QTextFormat::BackgroundBrush,
    QTextFormat::LineHeight,     QTextFormat::LineHeightType,    QTextFormat::TabPositions,
    QTextFormat::PageBreakPolicy, QTextFormat::LayoutDirection,  QTextFormat::HeadingLevel,
};
} // namespace

TextDocumentFormats::TextDocumentFormats(TextDocumentRtfOutputPrivate &output)
    : d(output)
{
}

void TextDocumentFormats::resetCharacterFormat()
{
    QTextCharFormat &format = d.currentCharFormat();
    for (const int property : characterProperties)
        format.clearProperty(property);
    m_hidden = false;
}

void TextDocumentFormats::resetParagraphFormat()
{
    for (const int property : paragraphProperties)
        d.m_paragraphFormat.clearProperty(property);
    m_pageBreakBefore = false;
    // A \page just before keeps its paragraph on the new page.
    if (m_pageBreakPending)
        applyPageBreakPolicy();
}

void TextDocumentFormats::setUnderlineStyle(UnderlineStyle style)
{
    d.currentCharFormat().setProperty(QTextFormat::TextUnderlineStyle, int(qtUnderlineStyle(style)));
    d.applyCharFormat();
}

void TextDocumentFormats::setUnderlineColour(int index)
{
    // A colour, not a brush; outside the table or automatic: the text's.
    const QColor colour = d.m_colourTable.value(index);
    if (colour.isValid())
        d.currentCharFormat().setUnderlineColor(colour);
    else
        d.currentCharFormat().clearProperty(QTextFormat::TextUnderlineColor);
    d.applyCharFormat();
}

void TextDocumentFormats::setAllCapitals(bool on)
{
    // Capitals win over small capitals: \caps0 leaves small capitals alone
    // and \scaps cannot undo \caps.
    QTextCharFormat &format = d.currentCharFormat();
    if (on)
        format.setProperty(QTextFormat::FontCapitalization, int(QFont::AllUppercase));
    else if (format.intProperty(QTextFormat::FontCapitalization) == QFont::AllUppercase)
        format.clearProperty(QTextFormat::FontCapitalization);
    d.applyCharFormat();
}

void TextDocumentFormats::setSmallCapitals(bool on)
{
    QTextCharFormat &format = d.currentCharFormat();
    const int current = format.intProperty(QTextFormat::FontCapitalization);
    if (on && current != QFont::AllUppercase)
        format.setProperty(QTextFormat::FontCapitalization, int(QFont::SmallCaps));
    else if (!on && current == QFont::SmallCaps)
        format.clearProperty(QTextFormat::FontCapitalization);
    d.applyCharFormat();
}

void TextDocumentFormats::setBaselineShift(int halfPoints)
{
    // Qt moves the baseline by a percentage of the font size: the size in
    // force now sets how far.
    QTextCharFormat &format = d.currentCharFormat();
    if (halfPoints == 0) {
        format.clearProperty(QTextFormat::TextBaselineOffset);
    } else {
        double size = format.doubleProperty(QTextFormat::FontPointSize);
        if (size <= 0)
            size = 12.0;
        const double percent = std::clamp(halfPoints * 0.5 / size * 100.0, -1000.0, 1000.0);
        format.setProperty(QTextFormat::TextBaselineOffset, percent);
    }
    d.applyCharFormat();
}

void TextDocumentFormats::setNormalScript()
{
    d.currentCharFormat().clearProperty(QTextFormat::TextVerticalAlignment);
    d.applyCharFormat();
}

void TextDocumentFormats::setHidden(bool on)
{
    // Text gathered before the change is still inserted: only new text is
    // checked.
    m_hidden = on;
}

void TextDocumentFormats::setLineSpacing(int twips, bool multiple)
{
    QTextBlockFormat &format = d.m_paragraphFormat;
    if (twips == 0) {
        // Single spacing: as tall as the tallest character of the line.
        format.clearProperty(QTextFormat::LineHeight);
        format.clearProperty(QTextFormat::LineHeightType);
    } else if (twips < 0) {
        const int exact = twips < -MaximumLineSpacingTwips ? MaximumLineSpacingTwips : -twips;
        format.setLineHeight(TextDocumentRtfOutputPrivate::pixelsFromTwips(exact), QTextBlockFormat::FixedHeight);
    } else if (multiple) {
        // In 240ths of a line: 240 is single spacing, 100 percent.
        const int share = std::min(twips, MaximumLineSpacingMultiple);
        format.setLineHeight(share * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    } else {
        const int least = std::min(twips, MaximumLineSpacingTwips);
        format.setLineHeight(TextDocumentRtfOutputPrivate::pixelsFromTwips(least), QTextBlockFormat::MinimumHeight);
    }
    d.applyParagraphFormat();
}

void TextDocumentFormats::addTabStop(int twips, TabAlignment alignment)
{
    if (twips < 0)
        return;
    QTextOption::Tab tab(TextDocumentRtfOutputPrivate::pixelsFromTwips(twips), qtTabType(alignment));
    if (alignment == TabAlignment::Decimal)
        tab.delimiter = QLatin1Char('.');
    QList<QTextOption::Tab> tabs = d.m_paragraphFormat.tabPositions();
    // Kept in order of position, one stop at each position.
    auto it = std::lower_bound(tabs.begin(), tabs.end(), tab.position,
                               [](const QTextOption::Tab &stop, qreal position) { return stop.position < position; });
    if (it != tabs.end() && it->position == tab.position) {
        *it = tab;
    } else if (tabs.size() < MaximumTabStops) {
        tabs.insert(it, tab);
    } else {
        qCDebug(lcRtf) << "tab stop dropped, the paragraph has" << tabs.size() << "already:" << twips;
        return;
    }
    d.m_paragraphFormat.setTabPositions(tabs);
    d.applyParagraphFormat();
}

void TextDocumentFormats::setPageBreakBefore(bool on)
{
    m_pageBreakBefore = on;
    applyPageBreakPolicy();
}

void TextDocumentFormats::insertPageBreak()
{
    if (m_hidden)
        return;
    d.flushText();
    d.applyPendingFormats();
    // A page break at the start of a paragraph moves that paragraph; one
    // inside a paragraph ends it first, as the text after it goes on the
    // next page.
    if (!d.m_cursor->atBlockStart()) {
        d.m_cursor->beginEditBlock();
        d.m_cursor->insertBlock();
        d.m_cursor->endEditBlock();
    }
    m_pageBreakPending = true;
    applyPageBreakPolicy();
}

void TextDocumentFormats::endPendingPageBreak()
{
    m_pageBreakPending = false;
    applyPageBreakPolicy();
}

void TextDocumentFormats::applyPageBreakPolicy()
{
    if (m_pageBreakBefore || m_pageBreakPending)
        d.m_paragraphFormat.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    else
        d.m_paragraphFormat.clearProperty(QTextFormat::PageBreakPolicy);
    d.applyParagraphFormat();
}

void TextDocumentFormats::setParagraphDirection(Qt::LayoutDirection direction)
{
    d.m_paragraphFormat.setLayoutDirection(direction);
    d.applyParagraphFormat();
}

void TextDocumentFormats::setParagraphStyle(int index)
{
    int level = 0;
    const auto it = d.m_stylesheetTable.constFind(static_cast<unsigned int>(index));
    if (it != d.m_stylesheetTable.constEnd())
        level = headingLevel(it->styleName());
    if (level > 0)
        d.m_paragraphFormat.setHeadingLevel(level);
    else
        d.m_paragraphFormat.clearProperty(QTextFormat::HeadingLevel);
    d.applyParagraphFormat();
}

QTextCharFormat::UnderlineStyle TextDocumentFormats::underlineStyle(AbstractRtfOutput::UnderlineStyle style)
{
    return qtUnderlineStyle(style);
}

int TextDocumentFormats::headingLevel(const QString &styleName)
{
    QStringView name(styleName);
    const qsizetype comma = name.indexOf(QLatin1Char(','));
    if (comma >= 0)
        name = name.left(comma);
    name = name.trimmed();
    const QLatin1String heading("heading ");
    if (name.size() != heading.size() + 1 || !name.startsWith(heading, Qt::CaseInsensitive))
        return 0;
    const char16_t digit = name.back().unicode();
    return (digit >= u'1' && digit <= u'9') ? int(digit - u'0') : 0;
}

// The output's operations, handed to the helper above.

void TextDocumentRtfOutput::setFontUnderlineStyle(UnderlineStyle style)
{
    d->m_formats.setUnderlineStyle(style);
}

void TextDocumentRtfOutput::setUnderlineColour(int index)
{
    d->m_formats.setUnderlineColour(index);
}

void TextDocumentRtfOutput::setFontAllCapitals(bool on)
{
    d->m_formats.setAllCapitals(on);
}

void TextDocumentRtfOutput::setFontSmallCapitals(bool on)
{
    d->m_formats.setSmallCapitals(on);
}

void TextDocumentRtfOutput::setFontBaselineShift(int halfPoints)
{
    d->m_formats.setBaselineShift(halfPoints);
}

void TextDocumentRtfOutput::setFontNormalScript()
{
    d->m_formats.setNormalScript();
}

void TextDocumentRtfOutput::setFontHidden(bool on)
{
    d->m_formats.setHidden(on);
}

void TextDocumentRtfOutput::setLineSpacing(int twips, bool multiple)
{
    d->m_formats.setLineSpacing(twips, multiple);
}

void TextDocumentRtfOutput::addTabStop(int twips, TabAlignment alignment, TabLeader)
{
    // A QTextDocument draws no tab leaders.
    d->m_formats.addTabStop(twips, alignment);
}

void TextDocumentRtfOutput::setPageBreakBefore(bool on)
{
    d->m_formats.setPageBreakBefore(on);
}

void TextDocumentRtfOutput::insertPageBreak()
{
    d->m_formats.insertPageBreak();
}

void TextDocumentRtfOutput::setParagraphDirectionLeftToRight()
{
    d->m_formats.setParagraphDirection(Qt::LeftToRight);
}

void TextDocumentRtfOutput::setParagraphDirectionRightToLeft()
{
    d->m_formats.setParagraphDirection(Qt::RightToLeft);
}

void TextDocumentRtfOutput::setParagraphStyle(int index)
{
    d->m_formats.setParagraphStyle(index);
}

} // namespace Tavisk
