#ifndef TAVISK_DESTINATION_H
#define TAVISK_DESTINATION_H

#include <tavisk/tavisk_export.h>

#include <QByteArray>
#include <QString>

namespace Tavisk
{

class AbstractRtfOutput;

/**
 * Base of the handlers of RTF destinations: groups whose first control word
 * says what their content means (\rtf, \fonttbl, \colortbl, \info, \pict...).
 *
 * The reader keeps a stack of destinations and hands every control word and
 * text run to the one on top; when the group that opened a destination closes,
 * it calls aboutToEndDestination() and deletes it.
 *
 * The base class itself reads a group without effect on the output: it serves
 * the supported destinations that have no handler of their own.
 */
class TAVISK_EXPORT Destination
{
public:
    Destination(AbstractRtfOutput *output, const QString &name);
    virtual ~Destination();

    /// One control word of the group: its name without backslash or
    /// parameter, and the parameter (0 when the word has none).
    virtual void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter);
    /// One run of undecoded text bytes.
    virtual void handlePlainText(const QByteArray &plainText);
    /// Called once, just before the destination is deleted at the end of its
    /// group; destinations that collect content deliver it here.
    virtual void aboutToEndDestination();
    /// Asked by the reader when a group inside this destination's group
    /// opens destination @p name: returns a new destination (the reader
    /// takes ownership) that reads the group on this one's behalf, or null
    /// for the reader's own choice. Lets a destination read nested groups
    /// such as {\\pntxta .} inside {\\*\\pn ...} itself. The default returns
    /// null.
    virtual Destination *createNestedDestination(const QString &name);

    QString name() const;
    bool hasName(const QString &name);

protected:
    QString m_name;
    AbstractRtfOutput *m_output;

private:
    Q_DISABLE_COPY(Destination)
};

} // namespace Tavisk

#endif
