#include "colortabledestination.h"

#include "reader/logging_p.h"
#include "wordtable_p.h"

#include <tavisk/abstractrtfoutput.h>

#include <string_view>

namespace Tavisk
{

namespace
{
enum class ColourWord { Red, Green, Blue };

struct ColourWordEntry {
    std::string_view name;
    ColourWord word;
};

// Sorted by name (byte order) for findWord().
constexpr ColourWordEntry colourWords[] = {
    {"blue", ColourWord::Blue},
    {"green", ColourWord::Green},
    {"red", ColourWord::Red},
};

static_assert(isSortedByName(colourWords), "colourWords must stay sorted by name");
} // namespace

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
    const ColourWordEntry *entry = findWord(colourWords, controlWord);
    if (!entry) {
        qCDebug(lcRtf) << "unexpected control word in colortbl:" << controlWord;
        return;
    }
    const int component = qBound(0, parameter, 255);
    switch (entry->word) {
    case ColourWord::Red:
        m_currentColor.setRed(component);
        break;
    case ColourWord::Green:
        m_currentColor.setGreen(component);
        break;
    case ColourWord::Blue:
        m_currentColor.setBlue(component);
        break;
    }
    m_colorSet = true;
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
