#ifndef TAVISK_PCDATADESTINATION_H
#define TAVISK_PCDATADESTINATION_H

#include "documentdestination.h"

namespace Tavisk
{

/**
 * Base of the text items of the information group ({\\title ...},
 * {\\author ...} and ten more).
 *
 * Collects the group's text as Unicode, decoded by the output, honouring the
 * \\u and \\uc words of RTF's Unicode escape and ignoring all formatting, and
 * hands it to one metadata setter of the output when the group closes. The
 * subclasses only name their setter.
 * It derives from DocumentDestination for the \\u state only (surrogate pairs;
 * the parse loop drops the fallbacks); none of the body's behaviour applies
 * here.
 */
class TAVISK_EXPORT PcdataDestination : public DocumentDestination
{
public:
    /// An output operation that takes the text of an information item
    /// (&AbstractRtfOutput::setTitle, &AbstractRtfOutput::setAuthor, ...).
    using TextSetter = void (AbstractRtfOutput::*)(const QString &text);

    /**
     * @param output the output that decodes the text and receives it
     * @param name the destination word without backslash ("title", "author", ...)
     * @param setter the output operation that receives the text when the group
     *        closes; without one the text is only collected
     */
    PcdataDestination(AbstractRtfOutput *output, const QString &name, TextSetter setter = nullptr);

    void handleControlWord(const QByteArray &controlWord, bool hasParameter, int parameter) override;
    void handlePlainText(const QByteArray &plainText) override;
    /// Calls the setter with the collected text (m_pcdata), if there is one.
    void aboutToEndDestination() override;

protected:
    /// The text collected so far; null while the group gave none.
    QString m_pcdata;

private:
    TextSetter m_setter;
};

} // namespace Tavisk

#endif
