#ifndef TAVISK_TEXTDOCUMENTFORMATS_P_H
#define TAVISK_TEXTDOCUMENTFORMATS_P_H

#include <tavisk/abstractrtfoutput.h>

#include <QString>
#include <QTextCharFormat>

#include <vector>

namespace Tavisk
{

class TextDocumentRtfOutputPrivate;

/**
 * The character and paragraph formats of a TextDocumentRtfOutput beyond the
 * basic ones: underline kinds, capitals, raised and hidden text, line
 * spacing, tab stops, page breaks, paragraph direction and heading styles.
 *
 * Most of them are properties of the output's current character format or
 * paragraph format. Two need state of their own, kept here:
 * - hidden text (\v) follows the groups like the character format, but is
 *   not a property a QTextCharFormat can carry: the text is simply left out
 *   of the document while it is on;
 * - a page break (\page) applies to the one paragraph that follows it, while
 *   \pagebb applies to every paragraph until \pard; both become the
 *   paragraph's PageBreak_AlwaysBefore policy.
 */
class TextDocumentFormats
{
public:
    explicit TextDocumentFormats(TextDocumentRtfOutputPrivate &output);

    /// Whether text is hidden now and must stay out of the document.
    bool hidden() const { return m_hidden; }

    /// '{': saves whether text is hidden.
    void startGroup() { m_hiddenStack.push_back(m_hidden); }
    /// '}': text is hidden again exactly when it was at the matching '{'.
    void endGroup()
    {
        if (m_hiddenStack.empty())
            return;
        m_hidden = m_hiddenStack.back();
        m_hiddenStack.pop_back();
    }

    /// \plain: clears every character property on the current format; the
    /// caller then sets the defaults.
    void resetCharacterFormat();
    /// \pard: clears the paragraph properties handled here; the caller sets
    /// the defaults of the rest.
    void resetParagraphFormat();

    void setUnderlineStyle(AbstractRtfOutput::UnderlineStyle style);
    void setUnderlineColour(int index);
    void setAllCapitals(bool on);
    void setSmallCapitals(bool on);
    void setBaselineShift(int halfPoints);
    void setNormalScript();
    void setHidden(bool on);

    void setLineSpacing(int twips, bool multiple);
    void addTabStop(int twips, AbstractRtfOutput::TabAlignment alignment);
    void setPageBreakBefore(bool on);
    /// \page: ends the paragraph unless it is still empty, and starts the
    /// next one on a new page.
    void insertPageBreak();
    /// Called after every new paragraph: a page break asked for by \page
    /// belonged to the paragraph before.
    void paragraphStarted()
    {
        if (m_pageBreakPending)
            endPendingPageBreak();
    }
    void setParagraphDirection(Qt::LayoutDirection direction);
    /// \sN: a paragraph whose style is named "heading 1" to "heading 9"
    /// becomes a heading of that level; any other style ends a heading.
    void setParagraphStyle(int index);

    /// The heading level a style name stands for: 1 to 9 for "heading 1" to
    /// "heading 9" in any case (Word and LibreOffice name their heading
    /// styles so), also when aliases follow after a comma ("heading 1,h1");
    /// 0 for every other name.
    static int headingLevel(const QString &styleName);
    /// The underline Qt draws for the RTF underline kind @p style.
    static QTextCharFormat::UnderlineStyle underlineStyle(AbstractRtfOutput::UnderlineStyle style);

    /// At most this many tab stops per paragraph, as in Word; more are
    /// dropped so a file cannot make every stop cost more than the last.
    static constexpr int MaximumTabStops = 64;

private:
    void applyPageBreakPolicy();
    void endPendingPageBreak();

    TextDocumentRtfOutputPrivate &d;
    std::vector<bool> m_hiddenStack;
    bool m_hidden = false;
    bool m_pageBreakBefore = false;
    bool m_pageBreakPending = false;
};

} // namespace Tavisk

#endif
