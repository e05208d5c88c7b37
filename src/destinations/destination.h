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
 * says what their content means (\\rtf, \\fonttbl, \\colortbl, \\info, \\pict...).
 *
 * The reader keeps a stack of destinations and hands every control word and
 * text run to the one on top; when the group that opened a destination closes,
 * it calls aboutToEndDestination() and deletes it.
 *
 * The base class itself reads a group without effect on the output: it serves
 * the supported destinations that have no handler of their own.
 *
 * @par Thread-safety
 * A destination lives inside one parse and is used only on the thread that
 * runs it; the handlers of separate parses are independent.
 */
class TAVISK_EXPORT Destination
{
public:
    /// Creates the handler of a group whose destination word is @p name; what
    /// it reads goes to @p output, which must outlive it.
    Destination(AbstractRtfOutput *output, const QString &name);
    /// Destroys the handler; the output stays.
    virtual ~Destination();

    /// One control word of the group: its name without backslash or
    /// parameter, and the parameter (0 when the word has none).
    virtual void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter);
    /// One run of undecoded text bytes.
    virtual void handlePlainText(const QByteArray &plainText);
    /// Called once, just before the destination is deleted at the end of its
    /// group; destinations that collect content deliver it here.
    virtual void aboutToEndDestination();
    /**
     * The raw bytes that follow a \\binN control word in the group: N bytes
     * (fewer when the file ends first), handed over as they are, without
     * decoding. The word itself arrives before them through
     * handleControlWord() as "bin" with parameter N.
     *
     * @param data the bytes, possibly empty
     *
     * The base implementation drops the data: outside a picture the bytes
     * of \\bin are not text.
     */
    virtual void handleBinaryData(const QByteArray &data);
    /// Asked by the reader when a group inside this destination's group
    /// opens destination @p name: returns a new destination (the reader
    /// takes ownership) that reads the group on this one's behalf, or null
    /// for the reader's own choice. Lets a destination read nested groups
    /// such as {\\pntxta .} inside {\\*\\pn ...} itself. The default returns
    /// null.
    virtual Destination *createNestedDestination(const QString &name);

    /// Called by the reader once, just after the destination is created,
    /// with the destination whose group encloses it (null for the document
    /// itself). The enclosing destination outlives this one. The base class
    /// keeps it in m_enclosing; a destination that hands its content to the
    /// group around it (an instruction to its field, a comment's author to
    /// the comment that follows) finds it there.
    virtual void setEnclosingDestination(Destination *enclosing);
    /// Whether the destination word @p name, met at the start of a group
    /// inside this destination, opens a destination of its own. A destination
    /// that reads or drops its whole content (a field instruction, a note the
    /// output does not want) answers false; the word is then dropped and the
    /// group's content comes here. The default answers true.
    virtual bool allowsNestedDestination(const QString &name);

    /// The destination word that opened the group, without backslash
    /// (for example "fonttbl").
    QString name() const;
    /// Whether the group was opened by the destination word @p name.
    bool hasName(const QString &name);

protected:
    /// The destination word that opened the group.
    QString m_name;
    /// The output that receives what the group holds; not owned.
    AbstractRtfOutput *m_output;
    /// The destination whose group encloses this one; see
    /// setEnclosingDestination().
    Destination *m_enclosing = nullptr;

private:
    Q_DISABLE_COPY(Destination)
};

} // namespace Tavisk

#endif
