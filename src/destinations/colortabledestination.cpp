#include "colortabledestination.h"

#include "reader/logging_p.h"

#include <tavisk/abstractrtfoutput.h>

namespace Tavisk
{

ColorTableDestination::ColorTableDestination(AbstractRtfOutput *output, const QString &name)
    : Destination(output, name)
    , m_currentColor(Qt::black)
{
}

void ColorTableDestination::handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter)
{
    Q_UNUSED(hasParameter)
    // QColor clamps a component outside 0-255 to that range, but also warns
    // about it on stderr; clamping here gives the same colour silently.
    const int component = qBound(0, parameter, 255);
    if (controlWord == "red") {
        m_currentColor.setRed(component);
        m_colorSet = true;
    } else if (controlWord == "green") {
        m_currentColor.setGreen(component);
        m_colorSet = true;
    } else if (controlWord == "blue") {
        m_currentColor.setBlue(component);
        m_colorSet = true;
    } else {
        qCDebug(lcRtf) << "unexpected control word in colortbl:" << controlWord;
    }
}

void ColorTableDestination::handlePlainText(const QByteArray &plainText)
{
    if (plainText == ";") {
        m_output->appendToColourTable(m_colorSet ? m_currentColor : QColor());
        resetCurrentColor();
        return;
    }
    qCDebug(lcRtf) << "unexpected text in ColorTableDestination:" << plainText;
}

void ColorTableDestination::resetCurrentColor()
{
    m_currentColor = QColor(Qt::black);
    m_colorSet = false;
}

} // namespace Tavisk
