#ifndef TAVISK_COLORTABLEDESTINATION_H
#define TAVISK_COLORTABLEDESTINATION_H

#include "destination.h"

#include <QColor>

namespace Tavisk
{

/**
 * The colour table, {\\colortbl;\\red255\\green0\\blue0;...}.
 *
 * Every ';' ends one colour, which is appended to the output's colour list:
 * the body's \\cf, \\cbpat and \\highlight name colours by their position in it.
 * An entry without \\red, \\green or \\blue (the "automatic" colour that writers
 * put first) is appended as an invalid QColor so the positions stay right.
 */
class TAVISK_EXPORT ColorTableDestination : public Destination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    ColorTableDestination(AbstractRtfOutput *output, const QString &name);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;

    /// Starts a new colour: opaque black, and no component seen.
    void resetCurrentColor();

private:
    QColor m_currentColor;
    bool m_colorSet = false;
};

} // namespace Tavisk

#endif
