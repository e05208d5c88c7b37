#include "stylesheetdestination.h"

#include "common/controlchars_p.h"
#include "controlword/controlword.h"
#include "reader/logging_p.h"
#include "textdecoding_p.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

StyleSheetDestination::StyleSheetDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
{
}

void StyleSheetDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    if (controlWord == "ql") {
        m_styleSheetTableEntry.setTextAlignment(TextAlignment::Left);
    } else if (controlWord == "s" && hasParameter) {
        m_currentStyleIndex = parameter;
    } else if (controlWord == "li" && hasParameter) {
        m_styleSheetTableEntry.setLeftIndent(parameter);
    } else if (controlWord == "ri" && hasParameter) {
        m_styleSheetTableEntry.setRightIndent(parameter);
    } else if (controlWord == "sb") {
        if (hasParameter)
            m_styleSheetTableEntry.setTopMargin(parameter);
        else
            qCDebug(lcRtf) << "space before default (0)";
    } else if (controlWord == "ltrch") {
        m_styleSheetTableEntry.setLayoutDirection(Qt::LeftToRight);
    } else if (controlWord == "rtlch") {
        m_styleSheetTableEntry.setLayoutDirection(Qt::RightToLeft);
    } else {
        reportUnhandled(controlWord);
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
    // Each \'hh escape arrives as a run of one byte, decoded on its own.
    m_styleName.append(TextDecoding::fromUtf8OrWindows1252(text));
}

void StyleSheetDestination::handOverEntry()
{
    m_styleSheetTableEntry.setStyleName(withoutControlCharacters(m_styleName));
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
