#ifndef TAVISK_SHAPEDESTINATION_H
#define TAVISK_SHAPEDESTINATION_H

#include "destination.h"

namespace Tavisk
{

/**
 * A drawing shape: {\\shp{\*\\shpinst ...}{\\shprslt ...}}. Its own words (size,
 * position, wrapping) have no effect on the output. It notes whether the
 * shape's own content was shown (the text of a {\\shptxt} or a picture in its
 * {\*\\shpinst}), so that its {\\shprslt} fallback is shown only otherwise.
 */
class TAVISK_EXPORT ShapeDestination : public Destination
{
public:
    /// Creates the handler of a group opened by the destination word @p name;
    /// what it reads goes to @p output, which must outlive it.
    ShapeDestination(AbstractRtfOutput *output, const QString &name);

    void handlePlainText(const QByteArray &plainText) override;

    /// The shape's own text or picture reached the output.
    void setContentShown() { m_contentShown = true; }
    /// See setContentShown().
    bool contentShown() const { return m_contentShown; }

private:
    bool m_contentShown = false;
};

/**
 * The properties of a shape: {\*\\shpinst ...}. Its own words and text are
 * dropped; a text box ({\\shptxt}) or picture ({\\pict}) inside it is read and
 * marks the enclosing ShapeDestination's content as shown.
 */
class TAVISK_EXPORT ShapeInstructionDestination : public Destination
{
public:
    /// Creates the handler of a group opened by the destination word @p name;
    /// what it reads goes to @p output, which must outlive it.
    ShapeInstructionDestination(AbstractRtfOutput *output, const QString &name);

    void handlePlainText(const QByteArray &plainText) override;
    bool allowsNestedDestination(const QString &name) override;
};

} // namespace Tavisk

#endif
