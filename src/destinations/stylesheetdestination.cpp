#include "stylesheetdestination.h"

#include "common/codepage_p.h"
#include "common/controlchars_p.h"
#include "controlword/controlword.h"
#include "reader/logging_p.h"
#include "wordtable_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <string_view>

namespace Tavisk
{

namespace
{
enum class StyleWord { StyleNumber, AlignLeft, LeftIndent, RightIndent, SpaceBefore, LeftToRight, RightToLeft };

struct StyleWordEntry {
    std::string_view name;
    StyleWord word;
};

// Sorted by name (byte order) for findWord().
constexpr StyleWordEntry styleWords[] = {
    {"li", StyleWord::LeftIndent},
    {"ltrch", StyleWord::LeftToRight},
    {"ql", StyleWord::AlignLeft},
    {"ri", StyleWord::RightIndent},
    {"rtlch", StyleWord::RightToLeft},
    {"s", StyleWord::StyleNumber},
    {"sb", StyleWord::SpaceBefore},
};

static_assert(isSortedByName(styleWords), "styleWords must stay sorted by name");
} // namespace

StyleSheetDestination::StyleSheetDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

void StyleSheetDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    const StyleWordEntry *entry = findWord(styleWords, controlWord);
    if (!entry) {
        reportUnhandled(controlWord);
        return;
    }
    switch (entry->word) {
    case StyleWord::AlignLeft:
        m_styleSheetTableEntry.setTextAlignment(TextAlignment::Left);
        break;
    // \s, \li and \ri without a number are not understood.
    case StyleWord::StyleNumber:
        if (hasParameter)
            m_currentStyleIndex = parameter;
        else
            reportUnhandled(controlWord);
        break;
    case StyleWord::LeftIndent:
        if (hasParameter)
            m_styleSheetTableEntry.setLeftIndent(parameter);
        else
            reportUnhandled(controlWord);
        break;
    case StyleWord::RightIndent:
        if (hasParameter)
            m_styleSheetTableEntry.setRightIndent(parameter);
        else
            reportUnhandled(controlWord);
        break;
    case StyleWord::SpaceBefore:
        if (hasParameter)
            m_styleSheetTableEntry.setTopMargin(parameter);
        else
            qCDebug(lcRtf) << "space before default (0)";
        break;
    case StyleWord::LeftToRight:
        m_styleSheetTableEntry.setLayoutDirection(Qt::LeftToRight);
        break;
    case StyleWord::RightToLeft:
        m_styleSheetTableEntry.setLayoutDirection(Qt::RightToLeft);
        break;
    }
}

void StyleSheetDestination::handlePlainText(const QByteArray &plainText)
{
    if (plainText == ";") {
        handOverEntry();
        return;
    }
    if (plainText.endsWith(';')) {
        if (plainText.indexOf(';') != plainText.size() - 1) {
            // "Body;Text;" cannot be told apart into names: drop it.
            qCDebug(lcRtf) << "Style name with embedded delimiter: " << plainText;
            return;
        }
        appendToStyleName(plainText.chopped(1));
        handOverEntry();
        return;
    }
    appendToStyleName(plainText);
}

void StyleSheetDestination::aboutToEndDestination()
{
}

void StyleSheetDestination::appendToStyleName(const QByteArray &text)
{
    // Spaces between the style groups ("{\s1 A;} {\s2 B;}") arrive as runs of
    // their own before the next style's words; they are not part of its name.
    if (m_styleName.isEmpty() && text.trimmed().isEmpty())
        return;
    // Collected as bytes and decoded once the name is complete: a two-byte
    // character may arrive as two \'hh escapes.
    m_styleName.append(text);
}

void StyleSheetDestination::handOverEntry()
{
    // Names are written in the document's code page (\ansicpg); without
    // one, UTF-8 is tried before Windows-1252.
    const QString encoding = CodePage::encodingForCodePage(m_output->documentCodePage());
    const QString name = encoding.isNull() ? CodePage::fromUtf8OrWindows1252(m_styleName)
                                           : CodePage::decode(m_styleName, encoding);
    m_styleSheetTableEntry.setStyleName(withoutControlCharacters(name));
    m_styleName.clear();
    m_output->insertStyleSheetTableEntry(static_cast<unsigned int>(m_currentStyleIndex), m_styleSheetTableEntry);
}

void StyleSheetDestination::reportUnhandled(const QByteArray &controlWord) const
{
    if (!lcRtf().isDebugEnabled())
        return;
    if (ControlWord::isDestination(QString::fromUtf8(controlWord)))
        qCDebug(lcRtf) << "unhandled **Destination** control word in StyleSheetDestination:" << controlWord;
    else
        qCDebug(lcRtf) << "unhandled control word in StyleSheetDestination:" << controlWord;
}

} // namespace Tavisk
